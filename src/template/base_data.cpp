#include <string>
#include <string_view>

#include "platform/text.h"
#include "qelt/template_data.h"
#include "template/template_internal.h"

namespace qelt::tpl {

namespace {

constexpr const char* kBaseMarker = "##BASE##";
constexpr const char* kKeyPlaceholder = "=####";
constexpr const char* kAs = " As ";

struct ColumnRow {
    std::string name;
    std::string colName;
};

// The relation rows a base-data column looks at, each as the first row a
// record-set filter on aliases finds (a NULL alias equals no alias, so
// `<>` holds for it).
bool IsMarker(const RelationRow& r) {
    return !r.secondNull && text::IEquals(r.second, kBaseMarker);
}
const RelationRow* AsSecond(const std::vector<RelationRow>& rows, std::string_view table) {
    for (const RelationRow& r : rows)
        if (!r.secondNull && text::IEquals(r.second, table)) return &r;
    return nullptr;
}
const RelationRow* MarkerOf(const std::vector<RelationRow>& rows, std::string_view table) {
    for (const RelationRow& r : rows)
        if (!r.firstNull && text::IEquals(r.first, table) && IsMarker(r)) return &r;
    return nullptr;
}
const RelationRow* AsFirst(const std::vector<RelationRow>& rows, std::string_view table) {
    for (const RelationRow& r : rows)
        if (!r.firstNull && text::IEquals(r.first, table) && !IsMarker(r)) return &r;
    return nullptr;
}

// The flag field of a marker row and the table it belongs to; empty when the
// table carries no marker.
struct Marker {
    bool found = false;
    std::string field;
    std::string table;
};

Marker FindMarker(const std::vector<RelationRow>& rows, std::string_view table) {
    Marker m;
    if (const RelationRow* r = MarkerOf(rows, table)) {
        m.found = true;
        m.field = r->field;
        m.table = r->table;
    }
    return m;
}

// Another table refers to the column's table: the list selects the referring key.
void LookupAsSecond(const RelationRow& r, const ColumnRow& col, const Marker& m,
                    BaseDataLookup& out) {
    const std::string key(r.field11);
    const std::string table(r.table11);
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
void LookupAsFirst(const RelationRow& r, const ColumnRow& col, BaseDataLookup& out) {
    const std::string key(r.field);
    const std::string table(r.table);
    out.sql = "select " + col.name + " from " + table + " where " + key + kKeyPlaceholder;
    out.fieldName = col.name;
    out.fieldKey = key;
    out.tableName = table;
}

}  // namespace

const std::vector<RelationRow>& ListBuild::relationRows() {
    if (relationRowsRead) return relationRowsCache;
    const auto col = [&](const char* name) { return ColumnIndex(*relations, name); };
    const std::size_t first = col("FTableNameAlias"), second = col("FTableNameAlias11"),
                      table = col("FTableName"), table11 = col("FTableName11"),
                      field = col("FFieldName"), field11 = col("FFieldName11");
    const auto text = [&](const CurrentRow& row, std::size_t column) -> std::string_view {
        const Variant& v = row[column];
        if (const std::string* s = v.textIf()) return *s;
        if (v.isNull() || v.isEmpty()) return {};
        return relationTexts.emplace_back(Text(v));
    };
    for (relations->moveFirst(); !relations->eof(); relations->moveNext()) {
        const CurrentRow row(*relations);
        RelationRow r;
        r.first = text(row, first);
        r.second = text(row, second);
        r.firstNull = row[first].isNull();
        r.secondNull = row[second].isNull();
        r.table = text(row, table);
        r.table11 = text(row, table11);
        r.field = text(row, field);
        r.field11 = text(row, field11);
        relationRowsCache.push_back(r);
    }
    relationRowsRead = true;
    return relationRowsCache;
}

std::string BaseDataColumn(const TemplateData& t, ListBuild& build, BaseDataLookup& lookup) {
    if (!t.mRsChatBillTitle || !build.relations) return {};
    const Recordset& column = *t.mRsChatBillTitle;
    const ColumnRow col{FieldText(column, "FName"), FieldText(column, "FColName")};
    const std::string tableAlias = FieldText(column, "FTableAlias");
    const std::vector<RelationRow>& rows = build.relationRows();

    std::string alias;
    std::string field;
    if (const RelationRow* r = AsSecond(rows, tableAlias)) {
        LookupAsSecond(*r, col, FindMarker(rows, tableAlias), lookup);
        alias = r->first;
        field = r->field;
    } else {
        r = AsFirst(rows, tableAlias);
        // A table the template relates to nothing cannot be shown.
        if (!r) return {};
        LookupAsFirst(*r, col, lookup);
        alias = r->second;
        field = r->field11;
        const Marker m = FindMarker(rows, tableAlias);
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
