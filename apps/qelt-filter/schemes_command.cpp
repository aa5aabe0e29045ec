#include "schemes_command.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "scheme_export.h"

namespace qelt::cli {

namespace {

constexpr const char* kPropsStringName = "PropsString";
constexpr const char* kListFilterPrefix = "FID=";
constexpr const char* kSource = "qelt-filter";
constexpr int kFailure = 1;

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
        throw Error(kFailure, kSource, "no list with id " + std::to_string(listId));
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

// The schemes of the key the user sees, each loaded whole (its stored head,
// whoever owns it).
std::vector<StoredScheme> LoadSchemes(const std::string& props, std::string sysName,
                                      const std::string& onlyName) {
    auto store = host::Create<host::IScheme>(host::progid::kScheme);
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
        s.tranType = WholeOr0(head->value("FTranType"));
        s.sysName = head->value("FSysName").toString("");
        s.status = WholeOr0(head->value("FStatus"));
        s.share = WholeOr0(head->value("FISShare"));
        s.entries = EntriesOf(*entries);
        out.push_back(std::move(s));
    }
    return out;
}

RecordsetPtr HeadSet(const StoredScheme& s) {
    RecordsetPtr rs = host::NewSchemeHeads();
    std::string travelling;
    // The store takes the name in the form the dialog sends it: apostrophes doubled.
    for (char c : s.name) travelling += c == '\'' ? std::string("''") : std::string(1, c);
    rs->appendRow({int32_t{0}, travelling, s.userId, s.tranType, s.sysName, s.status, s.share});
    return rs;
}

RecordsetPtr EntrySet(const StoredScheme& s) {
    RecordsetPtr rs = host::NewSchemeEntries();
    for (const auto& e : s.entries) rs->appendRow({int32_t{0}, e.type, e.key, e.value});
    return rs;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error(kFailure, kSource, "cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The fields a list's template offers: its column aliases (FColName,
// compared ignoring case), those it offers for sorting, and the captions
// under which conditions name them (every language).
struct OfferedFields {
    std::set<std::string> columns, sortable, captions;
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
        "select t.FColName, t.FVisForOrder, t.FColCaption, t.FColCaption_CHT, t.FColCaption_EN "
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
        }
    }
    return out;
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
        const SchemeGrids grids = DecodeGrids(EntriesOf(*entries));
        const std::string where = "scheme " + std::to_string(id) + " \"" +
                                  heads->value("FSchemeName").toString("") + "\" (user " +
                                  std::to_string(user) + ", list " + std::to_string(list) + "): ";
        const auto report = [&](const char* what, std::size_t row, const std::string& field) {
            ++findings;
            std::cout << where << what << " " << row << " names " << field
                      << ", which the template no longer offers\n";
        };
        for (std::size_t i = 0; i < grids.conditions.size(); ++i) {
            const std::string field = Trimmed(grids.conditions[i][1]);
            if (!field.empty() && !offered.captions.count(field)) report("condition", i + 1, field);
        }
        for (std::size_t i = 0; i < grids.sortKeys.size(); ++i) {
            const std::string alias = Trimmed(grids.sortKeys[i][3]);
            if (!alias.empty() && !offered.sortable.count(Upper(alias)))
                report("sort key", i + 1, alias);
        }
        for (std::size_t i = 0; i < grids.columns.size(); ++i) {
            const std::string alias = Trimmed(grids.columns[i][3]);
            if (!alias.empty() && !offered.columns.count(Upper(alias)))
                report("column", i + 1, alias);
        }
    }
    if (findings > 0) return kFailure;
    std::cout << "ok: every stored scheme of " << sysName
              << " names only fields its template offers\n";
    return 0;
}

std::string SchemeKeyOf(const std::string& filter) {
    const auto eq = filter.find('=');
    if (eq != std::string::npos) return "(" + filter.substr(eq + 1) + ")";
    const auto paren = filter.find('(');
    return paren == std::string::npos ? filter : filter.substr(paren);
}

SchemesCommand::SchemesCommand(CLI::App& app) {
    schemes_ = app.add_subcommand("schemes", "list, export and import filter schemes");
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
    import_ = schemes_->add_subcommand("import", "save the schemes of an export file as new ones");
    import_->add_option("FILE", file_, "a file written by schemes export")->required();
    check_ = schemes_->add_subcommand(
        "check", "list stored schemes' fields that the list's template no longer offers");
    check_->add_option("--list", listId_, "list id (ICListTemplate.FID)")->required();
    check_->add_option("--filter", filter_, filterHelp);
}

bool SchemesCommand::parsed() const {
    return schemes_->parsed();
}

int SchemesCommand::run() const {
    const std::string props = PropsString();
    if (import_->parsed()) {
        const std::string text = ReadWhole(file_);
        std::vector<StoredScheme> schemes;
        try {
            schemes = ParseSchemeExport(text);
        } catch (const Error& e) {
            throw Error(e.number, e.source, file_ + " is " + e.description);
        }
        auto store = host::Create<host::IScheme>(host::progid::kScheme);
        for (const auto& s : schemes) {
            auto head = HeadSet(s);
            auto entries = EntrySet(s);
            auto saved = store->SaveSchemeProfile(PropsOf(s.userId), head, entries);
            std::cout << "imported\t" << saved->value("FSchemeID").toString("") << "\t" << s.name
                      << "\n";
        }
        return 0;
    }
    if (check_->parsed()) {
        RequireList(listId_);
        return runCheck(
            SchemeKeyOf(filter_.empty() ? kListFilterPrefix + std::to_string(listId_) : filter_));
    }
    if (props.empty())
        throw Error(kFailure, kSource,
                    "schemes list and export need the user's property string with UserID "
                    "(--props or QELT_PROPS)");
    RequireList(listId_);
    const std::string sysName =
        SchemeKeyOf(filter_.empty() ? kListFilterPrefix + std::to_string(listId_) : filter_);
    const auto schemes = LoadSchemes(props, sysName, export_->parsed() ? schemeName_ : "");
    if (export_->parsed()) {
        if (!schemeName_.empty() && schemes.empty())
            throw Error(kFailure, kSource,
                        "no scheme named \"" + schemeName_ + "\" of the scheme key " + sysName);
        std::cout << ToExportJson(sysName, schemes).dump(2) << "\n";
        return 0;
    }
    std::cout << "id\tname\tuser\tlist\tstatus\tshared\tconditions\tsortKeys\tcolumns\n";
    for (const auto& s : schemes) {
        const SchemeGrids grids = DecodeGrids(s.entries);
        std::cout << s.id << "\t" << s.name << "\t" << s.userId << "\t" << s.tranType << "\t"
                  << s.status << "\t" << s.share << "\t" << grids.conditions.size() << "\t"
                  << grids.sortKeys.size() << "\t" << grids.columns.size() << "\n";
    }
    return 0;
}

}  // namespace qelt::cli
