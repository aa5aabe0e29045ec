#include "qelt/host/lookup_query.h"

#include "host/connection_query.h"
#include "platform/text.h"

namespace qelt::host {

namespace {

constexpr const char* kShortNumberField = "FShortNumber";
constexpr const char* kDeletedField = "FDeleted";

std::string Field(const Recordset& rs, const std::string& name) {
    return rs.fieldIndex(name) >= 0 ? rs.value(name).toString("") : std::string();
}

std::string NameOr(const Recordset& rs, const char* field, const char* fallback) {
    std::string name = text::Trim(rs.value(field).toString(""));
    return name.empty() ? fallback : name;
}

}  // namespace

std::optional<LookupQuery> LookupQuery::ForClass(int32_t classId) {
    auto rs = QueryThroughConnection(
        "SELECT FName, FSQLTableName, FKeyField, FNumberField, FNameField FROM t_ItemClass "
        "WHERE FItemClassID = " +
        text::Num(classId));
    if (rs->recordCount() < 1) return std::nullopt;
    rs->moveFirst();
    BaseTable t;
    t.caption = rs->value("FName").toString("");
    t.table = text::Trim(rs->value("FSQLTableName").toString(""));
    t.keyField = text::Trim(rs->value("FKeyField").toString(""));
    t.numberField = NameOr(*rs, "FNumberField", "FNumber");
    t.nameField = NameOr(*rs, "FNameField", "FName");
    if (t.table.empty()) return std::nullopt;
    return LookupQuery(std::move(t));
}

LookupRows LookupQuery::search(const std::string& typed) const {
    const BaseTable& t = table_;
    std::string sql = "SELECT * FROM " + t.table;
    if (!typed.empty()) {
        const std::string pattern = text::SqlQuote("%" + typed + "%");
        sql += " WHERE (" + t.numberField + " LIKE " + pattern + " OR " + t.nameField + " LIKE " +
               pattern + ")";
    }
    sql += " ORDER BY " + t.numberField;
    auto rs = QueryThroughConnection(sql);
    if (rs->fieldIndex(kDeletedField) >= 0 && rs->recordCount() > 0)
        rs->setFilter(std::string(kDeletedField) + " = 0");

    LookupRows out;
    out.hasShortNumbers = rs->fieldIndex(kShortNumberField) >= 0;
    const bool hasKey = rs->fieldIndex(t.keyField) >= 0;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        out.rows.push_back({hasKey ? rs->value(t.keyField) : Variant(), Field(*rs, t.numberField),
                            Field(*rs, t.nameField), Field(*rs, kShortNumberField)});
    return out;
}

}  // namespace qelt::host
