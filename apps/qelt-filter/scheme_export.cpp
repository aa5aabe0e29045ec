#include "scheme_export.h"

#include <limits>

#include "qelt/error.h"
#include "qelt/scheme_content.h"

namespace qelt::cli {

namespace {

constexpr const char* kSource = "qelt-filter";
constexpr int kNotAnExport = 1;

using Json = nlohmann::ordered_json;

// Thrown from the parser's callback to stop at the first level too deep.
struct TooDeep {};

std::string EntryValue(const std::vector<SchemeEntry>& entries, const char* key) {
    for (const auto& e : entries)
        if (e.key == key) return e.value;
    return {};
}

// The grids as arrays of their stored fields: a condition row is logic,
// field, comparison, code, value, value again, field id, "(", ")" and three
// empty fields; a sort row seven fields, a column row five.
Json Grids(const std::vector<SchemeEntry>& entries) {
    Json conditions = Json::array(), sortKeys = Json::array(), columns = Json::array();
    for (const auto& r : schemes::DecodeConditionRows(EntryValue(entries, schemes::kRelationKey)))
        conditions.push_back(
            Json::array({r.logic, r.field, r.comparison, r.code, r.value, r.value, r.fieldId,
                         r.leftParentheses, r.rightParentheses, "", "", ""}));
    for (const auto& r : schemes::DecodeSortKeyRows(EntryValue(entries, schemes::kOrderByKey)))
        sortKeys.push_back(Json::array({r.caption, r.ascending, r.descending, r.alias, r.tableAlias,
                                        r.fieldName, r.tableName}));
    for (const auto& r : schemes::DecodeColumnRows(EntryValue(entries, schemes::kHideColumnsKey)))
        columns.push_back(Json::array({r.visible, r.widthTwips, r.position, r.alias, r.alignment}));
    return Json{{"conditions", conditions}, {"sortKeys", sortKeys}, {"columns", columns}};
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

StoredScheme ParseScheme(const Json& item, std::size_t index, int version) {
    const std::string where = "scheme " + std::to_string(index + 1);
    if (!item.is_object()) NotAnExport(where + " is not an object");
    const Json& head = Member(item, "head", where);
    if (!head.is_object()) NotAnExport(where + " \"head\" is not an object");
    const std::string headWhere = where + " head";
    StoredScheme s;
    s.id = Whole(head, "FSchemeID", headWhere);
    s.name = Text(head, "FSchemeName", headWhere);
    s.userId = Whole(head, "FUserID", headWhere);
    if (version >= 2) s.userName = Text(head, "FUserName", headWhere);
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
        head["FUserName"] = s.userName;
        head["FTranType"] = s.tranType;
        head["FSysName"] = s.sysName;
        head["FStatus"] = s.status;
        head["FISShare"] = s.share;
        Json entries = Json::array();
        for (const auto& e : s.entries)
            entries.push_back(Json{{"FType", e.type}, {"FKey", e.key}, {"FValue", e.value}});
        Json item;
        item["head"] = head;
        item["entries"] = entries;
        item["grids"] = Grids(s.entries);
        list.push_back(item);
    }
    doc["schemes"] = list;
    return doc;
}

SchemeExport ParseSchemeExport(const std::string& text) {
    if (text.size() > kMaxExportBytes)
        NotAnExport("it is larger than " + std::to_string(kMaxExportBytes >> 20) + " MiB");
    const Json::parser_callback_t depthLimit = [](int depth, Json::parse_event_t event, Json&) {
        if ((event == Json::parse_event_t::object_start ||
             event == Json::parse_event_t::array_start) &&
            depth >= kMaxExportDepth)
            throw TooDeep{};
        return true;
    };
    Json doc;
    try {
        doc = Json::parse(text, depthLimit, false);
    } catch (const TooDeep&) {
        NotAnExport("it nests deeper than " + std::to_string(kMaxExportDepth) + " levels");
    }
    if (doc.is_discarded()) NotAnExport("the text is not valid JSON");
    if (!doc.is_object()) NotAnExport("the document is not an object");
    auto format = doc.find("format");
    if (format == doc.end() || !format->is_string() ||
        format->get<std::string>() != kSchemeExportFormat)
        NotAnExport(std::string("\"format\" is not \"") + kSchemeExportFormat + "\"");
    auto version = doc.find("version");
    if (version == doc.end() || !version->is_number_integer() ||
        version->get<std::int64_t>() < kOldestSchemeExportVersion ||
        version->get<std::int64_t>() > kSchemeExportVersion)
        NotAnExport("\"version\" is not " + std::to_string(kOldestSchemeExportVersion) + " to " +
                    std::to_string(kSchemeExportVersion));
    SchemeExport out;
    out.version = static_cast<int>(version->get<std::int64_t>());
    const Json& schemes = Member(doc, "schemes", "the document");
    if (!schemes.is_array()) NotAnExport("\"schemes\" is not a list");
    for (std::size_t i = 0; i < schemes.size(); ++i)
        out.schemes.push_back(ParseScheme(schemes[i], i, out.version));
    return out;
}

}  // namespace qelt::cli
