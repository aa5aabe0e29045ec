#include <string>

#include "platform/text.h"
#include "qelt/template_data.h"
#include "template/template_internal.h"

namespace qelt::tpl {

namespace {

constexpr const char* kBaseMarker = "##BASE##";
constexpr const char* kKeyPlaceholder = "=####";
constexpr const char* kAs = " As ";

struct RelationFilters {
    std::string asSecond;
    std::string marker;
    std::string asFirst;
};

RelationFilters FiltersFor(int32_t templateId, const std::string& tableAlias) {
    const std::string type = TypeFilter(templateId);
    const std::string alias = text::SqlQuote(tableAlias);
    const std::string marker = text::SqlQuote(kBaseMarker);
    return {type + " and FTableNameAlias11=" + alias,
            type + " and FTableNameAlias=" + alias + " and FTableNameAlias11=" + marker,
            type + " and FTableNameAlias=" + alias + " and FTableNameAlias11<>" + marker};
}

struct ColumnRow {
    std::string name;
    std::string colName;
};

// The flag field of a marker row and the table it belongs to; empty when the
// table carries no marker.
struct Marker {
    bool found = false;
    std::string field;
    std::string table;
};

Marker FindMarker(Recordset& rel, const RelationFilters& filters) {
    rel.setFilter(filters.marker);
    Marker m;
    if (rel.recordCount() > 0) {
        m.found = true;
        m.field = tpl::FieldText(rel, "FFieldName");
        m.table = tpl::FieldText(rel, "FTableName");
    }
    return m;
}

// Another table refers to the column's table: the list selects the referring key.
void LookupAsSecond(const Recordset& r, const ColumnRow& col, const Marker& m,
                    BaseDataLookup& out) {
    const std::string key = tpl::FieldText(r, "FFieldName11");
    const std::string table = tpl::FieldText(r, "FTableName11");
    out.fieldName = col.name;
    out.fieldKey = key;
    if (!m.found) {
        out.sql = "select " + col.name + " from " + table + " where " + key + kKeyPlaceholder;
        out.tableName = table;
        return;
    }
    out.sql = "select " + col.name + " from " + m.table + " where " + m.field + "=1" + " And " +
              key + kKeyPlaceholder + " ";
    out.tableName = "(Select " + col.name + "," + key + " From " + table +
                    " UnitTb1 Where UnitTb1." + m.field + "=1 )";
}

// The column's table refers to another table: the list selects its own key.
void LookupAsFirst(const Recordset& r, const ColumnRow& col, BaseDataLookup& out) {
    const std::string key = tpl::FieldText(r, "FFieldName");
    const std::string table = tpl::FieldText(r, "FTableName");
    out.sql = "select " + col.name + " from " + table + " where " + key + kKeyPlaceholder;
    out.fieldName = col.name;
    out.fieldKey = key;
    out.tableName = table;
}

}  // namespace

std::string BaseDataColumn(const TemplateData& t, ListBuild& build, BaseDataLookup& lookup) {
    if (!t.mRsChatBillTitle || !build.relations) return {};
    const Recordset& column = *t.mRsChatBillTitle;
    const ColumnRow col{FieldText(column, "FName"), FieldText(column, "FColName")};
    const RelationFilters filters = FiltersFor(t.mTemplateID, FieldText(column, "FTableAlias"));
    Recordset& rel = *build.relations;
    rel.setFilter("");
    rel.moveFirst();

    std::string alias;
    std::string field;
    rel.setFilter(filters.asSecond);
    if (rel.recordCount() > 0) {
        const Marker m = FindMarker(rel, filters);
        rel.setFilter(filters.asSecond);
        LookupAsSecond(rel, col, m, lookup);
        alias = tpl::FieldText(rel, "FTableNameAlias");
        field = tpl::FieldText(rel, "FFieldName");
    } else {
        rel.setFilter(filters.asFirst);
        // A table the template relates to nothing cannot be shown.
        if (rel.recordCount() == 0) return {};
        LookupAsFirst(rel, col, lookup);
        alias = tpl::FieldText(rel, "FTableNameAlias11");
        field = tpl::FieldText(rel, "FFieldName11");
        const Marker m = FindMarker(rel, filters);
        if (m.found) {
            lookup.sql += " AND " + m.field + "=1";
            lookup.extFilter = m.field + "=1";
        }
    }
    build.addNeeded(alias);
    tpl::AddSqlElement(build.elements, alias + "." + field, col.colName);
    return alias + "." + field + kAs + col.colName;
}

}  // namespace qelt::tpl
