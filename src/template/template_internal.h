#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "qelt/records.h"
#include "qelt/recordset.h"
#include "qelt/template_data.h"
#include "qelt/variant.h"

// Helpers shared by the TemplateData generators.
namespace qelt::tpl {

inline constexpr const char* kCrLf = "\r\n";

// Template columns may hold NULL; the generators read NULL as empty text or
// as the given number rather than failing the whole list.
std::string Text(const Variant& v);
int32_t Long(const Variant& v, int32_t fallback = 0);
double Dbl(const Variant& v, double fallback = 0.0);
std::string FieldText(const Recordset& rs, const std::string& name);
int32_t FieldLong(const Recordset& rs, const std::string& name, int32_t fallback = 0);

// Adds `alias` unless it is present ignoring case.
void AddAlias(std::vector<std::string>& aliases, const std::string& alias);

void AddSqlElement(Collection<clsSQLElement>& elements, const std::string& fieldName,
                   const std::string& fieldAlias);

}  // namespace qelt::tpl

namespace qelt::detail {

struct ListHeadColumn {
    std::string caption;
    std::string typeCode;
    std::string alias;
    int16_t visible = 0;
    int32_t userWidth = 0;
    std::string logicAction;
    int32_t interId = 0;
    int32_t index = 0;
    bool mergeable = false;
    int16_t isPrimary = 0;
    bool needCount = false;
    bool userVisible = true;
    std::string srcSql;
    std::string srcFieldName;
    std::string srcFieldKey;
    std::string srcTableName;
    std::string extFilter;
};

struct BaseDataLookup {
    std::string sql;
    std::string fieldName;
    std::string fieldKey;
    std::string tableName;
    std::string extFilter;
};

struct ListBuild {
    int32_t maxRows = 5000;
    int32_t startBranchSale = 1;
    int32_t showRelationSign = 1;
    // Unset when the session carries no usable "UserID".
    std::optional<int16_t> userId;
    std::string sFieldAlias;
    std::string columns;
    // Comma list of the aliases whose columns are selected directly.
    std::string mandatory;
    std::vector<std::string> needed;
    Collection<clsSQLElement> elements;
    std::string key1;
    std::string key2;
    // An own cursor over mRsTableRelation for the base-data look-ups.
    RecordsetPtr relations;
};

}  // namespace qelt::detail
