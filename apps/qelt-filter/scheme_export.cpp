#include "scheme_export.h"

#include <limits>

#include "qelt/error.h"

namespace qelt::cli {

namespace {

constexpr const char* kFieldSeparator = "##<&";
constexpr const char* kRowTerminator = "||";
constexpr const char* kRelationKey = "Relation";
constexpr const char* kOrderByKey = "OrderBy";
constexpr const char* kHideColumnsKey = "HideColumns";
constexpr const char* kSource = "qelt-filter";
constexpr int kNotAnExport = 1;

using Json = nlohmann::ordered_json;

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(separator, from);
        out.push_back(text.substr(from, at == std::string::npos ? at : at - from));
        if (at == std::string::npos) return out;
        from = at + separator.size();
    }
}

bool IsBlank(const std::string& s) {
    return s.find_first_not_of(' ') == std::string::npos;
}

std::string EntryValue(const std::vector<SchemeEntry>& entries, const char* key) {
    for (const auto& e : entries)
        if (e.key == key) return e.value;
    return {};
}

Json Rows(const std::vector<std::vector<std::string>>& rows) {
    Json out = Json::array();
    for (const auto& row : rows) out.push_back(row);
    return out;
}

[[noreturn]] void NotAnExport(const std::string& why) {
    throw Error(kNotAnExport, kSource, "not a scheme export: " + why);
}

const Json& Member(const Json& object, const char* name, const std::string& where) {
    auto it = object.find(name);
    if (it == object.end()) NotAnExport(where + " has no \"" + name + "\"");
    return *it;
}

std::string Text(const Json& object, const char* name, const std::string& where) {
    const Json& v = Member(object, name, where);
    if (!v.is_string()) NotAnExport(where + " \"" + name + "\" is not a text");
    return v.get<std::string>();
}

int32_t Whole(const Json& object, const char* name, const std::string& where) {
    const Json& v = Member(object, name, where);
    if (!v.is_number_integer()) NotAnExport(where + " \"" + name + "\" is not a whole number");
    if (v.is_number_unsigned()) {
        const auto u = v.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(std::numeric_limits<int32_t>::max()))
            NotAnExport(where + " \"" + name + "\" is out of range");
        return static_cast<int32_t>(u);
    }
    const auto n = v.get<std::int64_t>();
    if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
        NotAnExport(where + " \"" + name + "\" is out of range");
    return static_cast<int32_t>(n);
}

StoredScheme ParseScheme(const Json& item, std::size_t index) {
    const std::string where = "scheme " + std::to_string(index + 1);
    if (!item.is_object()) NotAnExport(where + " is not an object");
    const Json& head = Member(item, "head", where);
    if (!head.is_object()) NotAnExport(where + " \"head\" is not an object");
    const std::string headWhere = where + " head";
    StoredScheme s;
    s.id = Whole(head, "FSchemeID", headWhere);
    s.name = Text(head, "FSchemeName", headWhere);
    s.userId = Whole(head, "FUserID", headWhere);
    s.tranType = Whole(head, "FTranType", headWhere);
    s.sysName = Text(head, "FSysName", headWhere);
    s.status = Whole(head, "FStatus", headWhere);
    s.share = Whole(head, "FISShare", headWhere);
    const Json& entries = Member(item, "entries", where);
    if (!entries.is_array()) NotAnExport(where + " \"entries\" is not a list");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string entryWhere = where + " entry " + std::to_string(i + 1);
        if (!entries[i].is_object()) NotAnExport(entryWhere + " is not an object");
        s.entries.push_back({Whole(entries[i], "FType", entryWhere),
                             Text(entries[i], "FKey", entryWhere),
                             Text(entries[i], "FValue", entryWhere)});
    }
    return s;
}

}  // namespace

std::vector<std::vector<std::string>> DecodeGridRows(const std::string& value,
                                                     std::size_t fieldCount) {
    std::vector<std::vector<std::string>> rows;
    if (IsBlank(value)) return rows;
    std::vector<std::string> pieces = Split(value, kRowTerminator);
    // The last row ends in "||" too: what follows it is no row.
    if (pieces.size() > 1 && IsBlank(pieces.back())) pieces.pop_back();
    for (const auto& piece : pieces) {
        std::vector<std::string> fields = Split(piece, kFieldSeparator);
        fields.resize(fieldCount);
        rows.push_back(std::move(fields));
    }
    return rows;
}

SchemeGrids DecodeGrids(const std::vector<SchemeEntry>& entries) {
    return {DecodeGridRows(EntryValue(entries, kRelationKey), kConditionFields),
            DecodeGridRows(EntryValue(entries, kOrderByKey), kSortFields),
            DecodeGridRows(EntryValue(entries, kHideColumnsKey), kColumnFields)};
}

Json ToExportJson(const std::string& sysName, const std::vector<StoredScheme>& schemes) {
    Json doc;
    doc["format"] = kSchemeExportFormat;
    doc["version"] = kSchemeExportVersion;
    doc["sysName"] = sysName;
    Json list = Json::array();
    for (const auto& s : schemes) {
        Json head;
        head["FSchemeID"] = s.id;
        head["FSchemeName"] = s.name;
        head["FUserID"] = s.userId;
        head["FTranType"] = s.tranType;
        head["FSysName"] = s.sysName;
        head["FStatus"] = s.status;
        head["FISShare"] = s.share;
        Json entries = Json::array();
        for (const auto& e : s.entries)
            entries.push_back(Json{{"FType", e.type}, {"FKey", e.key}, {"FValue", e.value}});
        const SchemeGrids grids = DecodeGrids(s.entries);
        Json item;
        item["head"] = head;
        item["entries"] = entries;
        item["grids"] = Json{{"conditions", Rows(grids.conditions)},
                             {"sortKeys", Rows(grids.sortKeys)},
                             {"columns", Rows(grids.columns)}};
        list.push_back(item);
    }
    doc["schemes"] = list;
    return doc;
}

std::vector<StoredScheme> ParseSchemeExport(const std::string& text) {
    // The parser is iterative: malformed or deeply nested text becomes a
    // discarded value or a document of the wrong shape, never a crash.
    const Json doc = Json::parse(text, nullptr, false);
    if (doc.is_discarded()) NotAnExport("the text is not valid JSON");
    if (!doc.is_object()) NotAnExport("the document is not an object");
    auto format = doc.find("format");
    if (format == doc.end() || !format->is_string() ||
        format->get<std::string>() != kSchemeExportFormat)
        NotAnExport(std::string("\"format\" is not \"") + kSchemeExportFormat + "\"");
    auto version = doc.find("version");
    if (version == doc.end() || !version->is_number_integer() ||
        version->get<std::int64_t>() != kSchemeExportVersion)
        NotAnExport("\"version\" is not " + std::to_string(kSchemeExportVersion));
    const Json& schemes = Member(doc, "schemes", "the document");
    if (!schemes.is_array()) NotAnExport("\"schemes\" is not a list");
    std::vector<StoredScheme> out;
    for (std::size_t i = 0; i < schemes.size(); ++i) out.push_back(ParseScheme(schemes[i], i));
    return out;
}

}  // namespace qelt::cli
