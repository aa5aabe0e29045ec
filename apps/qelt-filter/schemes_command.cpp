#include "schemes_command.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <map>
#include <set>

#include "exit_status.h"
#include "json_output.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/scheme_content.h"
#include "scheme_export.h"

namespace qelt::cli {

namespace {

constexpr const char* kPropsStringName = "PropsString";
constexpr const char* kListFilterPrefix = "FID=";
constexpr const char* kSource = "qelt-filter";
constexpr std::size_t kReadPiece = 1 << 16;

std::string PropsString() {
    auto props = host::Create<host::IShareProps>(host::progid::kShareProps);
    int32_t pid = static_cast<int32_t>(getpid());
    return props->GetProperty(pid, kPropsStringName).toString("");
}

// A property string naming `userId`, for saving a scheme under its owner.
std::string PropsOf(int32_t userId) {
    return "UserID=" + std::to_string(userId);
}

void RequireList(int listId) {
    auto conn = host::Create<host::IAppConnection>(host::progid::kAppConnection);
    auto rs = conn->Execute("select FID from ICListTemplate where FID=" + std::to_string(listId));
    if (!rs || rs->eof())
        throw Error(kFailed, kSource, "no list with id " + std::to_string(listId));
}

std::vector<SchemeEntry> EntriesOf(Recordset& rs) {
    std::vector<SchemeEntry> out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out.push_back({rs.value("FType").isNull() ? 0 : rs.value("FType").toLong(),
                       rs.value("FKey").toString(""), rs.value("FValue").toString("")});
    return out;
}

int32_t WholeOr0(const Variant& v) {
    return v.isNull() || v.isEmpty() ? 0 : v.toLong();
}

// The user names of the database by user id.
std::map<int32_t, std::string> UserNames() {
    auto conn = host::Create<host::IAppConnection>(host::progid::kAppConnection);
    auto rs = conn->Execute("select FUserID, FName from t_user");
    std::map<int32_t, std::string> out;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        out[WholeOr0(rs->value("FUserID"))] = rs->value("FName").toString("");
    return out;
}

// The schemes of the key the user sees, each loaded whole (its stored head,
// whoever owns it, and the owner's name).
std::vector<StoredScheme> LoadSchemes(const std::string& props, std::string sysName,
                                      const std::string& onlyName) {
    auto store = host::Create<host::IScheme>(host::progid::kScheme);
    const auto users = UserNames();
    std::string again = sysName;
    auto heads = store->GetSchemeList(props, sysName, again);
    std::vector<StoredScheme> out;
    for (heads->moveFirst(); !heads->eof(); heads->moveNext()) {
        if (!onlyName.empty() && heads->value("FSchemeName").toString("") != onlyName) continue;
        int32_t id = heads->value("FSchemeID").toLong();
        RecordsetPtr head, entries;
        store->LoadSchemeProfile(props, id, head, entries);
        if (!head || head->eof()) continue;
        StoredScheme s;
        s.id = id;
        s.name = head->value("FSchemeName").toString("");
        s.userId = WholeOr0(head->value("FUserID"));
        if (auto user = users.find(s.userId); user != users.end()) s.userName = user->second;
        s.tranType = WholeOr0(head->value("FTranType"));
        s.sysName = head->value("FSysName").toString("");
        s.status = WholeOr0(head->value("FStatus"));
        s.share = WholeOr0(head->value("FISShare"));
        s.entries = EntriesOf(*entries);
        out.push_back(std::move(s));
    }
    return out;
}

// A new scheme, not in use: which scheme is in use is the user's choice.
RecordsetPtr HeadSet(const StoredScheme& s) {
    RecordsetPtr rs = host::NewSchemeHeads();
    std::string travelling;
    // The store takes the name in the form the dialog sends it: apostrophes doubled.
    for (char c : s.name) travelling += c == '\'' ? std::string("''") : std::string(1, c);
    rs->appendRow({int32_t{0}, travelling, int32_t{0}, s.tranType, s.sysName, int32_t{0}, s.share});
    return rs;
}

RecordsetPtr EntrySet(const StoredScheme& s) {
    RecordsetPtr rs = host::NewSchemeEntries();
    for (const auto& e : s.entries) rs->appendRow({int32_t{0}, e.type, e.key, e.value});
    return rs;
}

// The file's text, read no further than one byte past what an export may
// hold (the parser refuses that), whatever the file is.
std::string ReadBounded(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error(kFailed, kSource, "cannot read " + path);
    std::string text;
    while (in && text.size() <= kMaxExportBytes) {
        const std::size_t at = text.size();
        text.resize(at + kReadPiece);
        in.read(text.data() + at, static_cast<std::streamsize>(kReadPiece));
        text.resize(at + static_cast<std::size_t>(in.gcount()));
    }
    return text;
}

std::vector<std::pair<std::string, std::string>> KeyValues(const std::vector<SchemeEntry>& e) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& entry : e) out.emplace_back(entry.key, entry.value);
    return out;
}

// Why the import refuses a scheme of the file: what the dialog would not
// have written. Empty when it takes it.
std::string ImportProblem(const StoredScheme& s) {
    if (auto why = schemes::SchemeNameProblem(s.name); !why.empty()) return why;
    if (s.share != 0 && s.share != 1) return "the share flag is neither 0 nor 1";
    const auto problems = schemes::EntryProblems(KeyValues(s.entries));
    return problems.empty() ? std::string() : problems.front();
}

// The fields a list's template offers: its column aliases (FColName,
// compared ignoring case), those it offers for sorting, and the captions
// under which conditions name them (every language).
struct OfferedFields {
    std::set<std::string> columns, sortable, captions;
    // By caption: the column's type and alias, which decide what a
    // condition on it may hold.
    std::map<std::string, std::pair<int, std::string>> conditionFields;
};

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
}

std::string Trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

OfferedFields FieldsOfList(int32_t listId) {
    auto conn = host::Create<host::IAppConnection>(host::progid::kAppConnection);
    OfferedFields out;
    auto rs = conn->Execute(
        "select t.FColName, t.FColType, t.FVisForOrder, t.FColCaption, t.FColCaption_CHT, "
        "t.FColCaption_EN "
        "from ICChatBillTitle t inner join ICListTemplate l on t.FTypeID=l.FTemplateID "
        "where l.FID=" +
        std::to_string(listId));
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        const std::string name = Upper(Trimmed(rs->value("FColName").toString("")));
        out.columns.insert(name);
        if (WholeOr0(rs->value("FVisForOrder")) == 1) out.sortable.insert(name);
        for (const char* caption : {"FColCaption", "FColCaption_CHT", "FColCaption_EN"}) {
            std::string text = Trimmed(rs->value(caption).toString(""));
            if (!text.empty() && text.back() == '$') text.pop_back();
            out.captions.insert(text);
            out.conditionFields.emplace(text,
                                        std::pair{WholeOr0(rs->value("FColType")),
                                                  Trimmed(rs->value("FColName").toString(""))});
        }
    }
    return out;
}

std::string EntryValueOf(const std::vector<SchemeEntry>& entries, const char* key) {
    for (const auto& e : entries)
        if (e.key == key) return e.value;
    return {};
}

std::string SysNameOf(const std::string& filter, int listId) {
    return schemes::SchemeKey(filter.empty() ? kListFilterPrefix + std::to_string(listId) : filter);
}

}  // namespace

int SchemesCommand::runCheck(const std::string& sysName) const {
    auto conn = host::Create<host::IAppConnection>(host::progid::kAppConnection);
    auto heads = conn->Execute(
        "select FSchemeID, FSchemeName, FUserID, FTranType, FSysName from ICSchemeProfile "
        "order by FSchemeID");
    auto store = host::Create<host::IScheme>(host::progid::kScheme);
    std::map<int32_t, OfferedFields> templates;
    int findings = 0;
    for (heads->moveFirst(); !heads->eof(); heads->moveNext()) {
        if (heads->value("FSysName").toString("") != sysName) continue;
        int32_t id = heads->value("FSchemeID").toLong();
        const int32_t user = WholeOr0(heads->value("FUserID"));
        int32_t list = WholeOr0(heads->value("FTranType"));
        if (list == 0) list = listId_;
        if (!templates.count(list)) templates[list] = FieldsOfList(list);
        if (templates[list].columns.empty()) templates[list] = FieldsOfList(listId_);
        const OfferedFields& offered = templates[list];
        RecordsetPtr head, entries;
        store->LoadSchemeProfile(PropsOf(user), id, head, entries);
        const std::vector<SchemeEntry> stored = EntriesOf(*entries);
        const std::string where = "scheme " + std::to_string(id) + " \"" +
                                  heads->value("FSchemeName").toString("") + "\" (user " +
                                  std::to_string(user) + ", list " + std::to_string(list) + "): ";
        const auto report = [&](const char* what, std::size_t row, const std::string& field) {
            ++findings;
            std::cout << where << what << " " << row << " names " << field
                      << ", which the template no longer offers\n";
        };
        const auto conditions =
            schemes::DecodeConditionRows(EntryValueOf(stored, schemes::kRelationKey));
        for (std::size_t i = 0; i < conditions.size(); ++i) {
            const std::string field = Trimmed(conditions[i].field);
            if (!field.empty() && !offered.captions.count(field)) report("condition", i + 1, field);
            const auto offeredField = offered.conditionFields.find(field);
            if (offeredField == offered.conditionFields.end()) continue;
            const std::string why = schemes::ConditionRowProblemForField(
                conditions[i], offeredField->second.first, offeredField->second.second);
            if (why.empty()) continue;
            ++findings;
            std::cout << where << "condition " << i + 1 << " on " << field << ": " << why << "\n";
        }
        const auto sortKeys =
            schemes::DecodeSortKeyRows(EntryValueOf(stored, schemes::kOrderByKey));
        for (std::size_t i = 0; i < sortKeys.size(); ++i) {
            const std::string alias = Trimmed(sortKeys[i].alias);
            if (!alias.empty() && !offered.sortable.count(Upper(alias)))
                report("sort key", i + 1, alias);
        }
        const auto columns =
            schemes::DecodeColumnRows(EntryValueOf(stored, schemes::kHideColumnsKey));
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const std::string alias = Trimmed(columns[i].alias);
            if (!alias.empty() && !offered.columns.count(Upper(alias)))
                report("column", i + 1, alias);
        }
        // What the dialog would leave out as no person's input.
        for (const std::string& problem : schemes::EntryProblems(KeyValues(stored))) {
            ++findings;
            std::cout << where << problem << "\n";
        }
    }
    if (findings > 0) return kNotAccepted;
    std::cout << "ok: every stored scheme of " << sysName
              << " holds only what the dialog writes, naming fields its template offers\n";
    return kDone;
}

int SchemesCommand::runImport(const std::string& props) const {
    if (props.empty())
        throw Stop(kCannotRun,
                   "schemes import saves the schemes as the user of the property string, which "
                   "must hold UserID (--props or QELT_PROPS)");
    const std::string text = ReadBounded(file_);
    SchemeExport file;
    try {
        file = ParseSchemeExport(text);
    } catch (const Error& e) {
        throw Error(kFailed, e.source, file_ + " is " + e.description);
    }
    const auto refused = [&](const std::string& why) {
        return Error(kFailed, kSource, "nothing imported from " + file_ + ": " + why);
    };
    if (keepOwners_ && file.version < kSchemeExportVersion)
        throw refused("--keep-owners needs the owners' user names, which an export of version " +
                      std::to_string(file.version) + " does not hold");
    std::vector<host::SchemeProfile> batch;
    for (std::size_t i = 0; i < file.schemes.size(); ++i) {
        const StoredScheme& s = file.schemes[i];
        // The importing user has a default scheme of their own, or gets one.
        if (s.name == host::kDefaultSchemeName) continue;
        if (const std::string why = ImportProblem(s); !why.empty())
            throw refused("scheme " + std::to_string(i + 1) + " \"" + s.name + "\": " + why);
        batch.push_back({HeadSet(s), EntrySet(s), keepOwners_ ? s.userName : std::string()});
    }
    std::vector<RecordsetPtr> saved;
    if (!batch.empty()) {
        auto store = host::Create<host::IScheme>(host::progid::kScheme);
        try {
            saved = store->SaveSchemeProfiles(props, batch);
        } catch (const Error& e) {
            throw refused(e.description);
        }
    }
    std::size_t next = 0;
    for (const StoredScheme& s : file.schemes) {
        if (s.name == host::kDefaultSchemeName)
            std::cout << "skipped\t\t" << s.name << "\n";
        else
            std::cout << "imported\t" << saved.at(next++)->value("FSchemeID").toString("") << "\t"
                      << s.name << "\n";
    }
    return kDone;
}

SchemesCommand::SchemesCommand(CLI::App& app) {
    schemes_ = app.add_subcommand("schemes", "list, export, import and check filter schemes");
    schemes_->require_subcommand(1);
    const char* filterHelp =
        "the Filter the host gives the dialog, whose scheme key is used (default: FID=<list>)";
    list_ = schemes_->add_subcommand("list", "print the schemes of a list the user sees");
    list_->add_option("--list", listId_, "list id (ICListTemplate.FID)")->required();
    list_->add_option("--filter", filter_, filterHelp);
    export_ = schemes_->add_subcommand("export", "print the schemes of a list as JSON");
    export_->add_option("--list", listId_, "list id (ICListTemplate.FID)")->required();
    export_->add_option("--filter", filter_, filterHelp);
    export_->add_option("--scheme", schemeName_, "only the schemes of this name");
    import_ = schemes_->add_subcommand(
        "import", "save the schemes of an export file as new schemes of the user, all or none");
    import_->add_option("FILE", file_, "a file written by schemes export")->required();
    import_->add_flag("--keep-owners", keepOwners_,
                      "save each scheme for the user the file names as its owner, found by user "
                      "name (administrators only)");
    check_ = schemes_->add_subcommand("check",
                                      "list stored schemes' rows that name fields the list's "
                                      "template no longer offers or that no person wrote");
    check_->add_option("--list", listId_, "list id (ICListTemplate.FID)")->required();
    check_->add_option("--filter", filter_, filterHelp);
}

bool SchemesCommand::parsed() const {
    return schemes_->parsed();
}

int SchemesCommand::run() const {
    const std::string props = PropsString();
    if (import_->parsed()) return runImport(props);
    if (check_->parsed()) {
        RequireList(listId_);
        return runCheck(SysNameOf(filter_, listId_));
    }
    if (props.empty())
        throw Stop(kCannotRun,
                   "schemes list and export need the user's property string with UserID "
                   "(--props or QELT_PROPS)");
    RequireList(listId_);
    const std::string sysName = SysNameOf(filter_, listId_);
    const auto schemes = LoadSchemes(props, sysName, export_->parsed() ? schemeName_ : "");
    if (export_->parsed()) {
        if (!schemeName_.empty() && schemes.empty())
            throw Error(kFailed, kSource,
                        "no scheme named \"" + schemeName_ + "\" of the scheme key " + sysName);
        std::cout << JsonText(ToExportJson(sysName, schemes)) << "\n";
        return kDone;
    }
    std::cout << "id\tname\tuser\tlist\tstatus\tshared\tconditions\tsortKeys\tcolumns\n";
    for (const auto& s : schemes) {
        const auto& e = s.entries;
        std::cout << s.id << "\t" << s.name << "\t" << s.userId << "\t" << s.tranType << "\t"
                  << s.status << "\t" << s.share << "\t"
                  << schemes::DecodeConditionRows(EntryValueOf(e, schemes::kRelationKey)).size()
                  << "\t"
                  << schemes::DecodeSortKeyRows(EntryValueOf(e, schemes::kOrderByKey)).size()
                  << "\t"
                  << schemes::DecodeColumnRows(EntryValueOf(e, schemes::kHideColumnsKey)).size()
                  << "\n";
    }
    return kDone;
}

}  // namespace qelt::cli
