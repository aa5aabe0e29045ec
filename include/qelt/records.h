#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qelt {

// An element collection: ordered, walked in insertion order. It holds
// references, so a change made through one holder is seen by every holder.
template <class T>
using Collection = std::vector<std::shared_ptr<T>>;

// One column of a generated list, as the list SQL builder describes it to the
// WHERE and ORDER BY generators. The library fills and reads only sFieldName
// and sFieldAlias; the other members are carried for hosts.
struct clsSQLElement {
    std::string sTableName;
    std::string sTableAlias;
    std::string sFieldName;
    std::string sFieldAlias;
    int32_t lFieldType = 0;
    int32_t lIsAdd = 0;
    std::string sFilterValue;
    int32_t lFilterLogicOperator = 0;
    std::string sOrderValue;
};

// One condition row of the filter grid.
//   lFieldType      1 = quoted text or date literal, 2 = bare number
//   sAndOr          " AND ", " OR ", or three blanks on the first row
//   sLogicOperator  "1".."10": =, <>, >, >=, <, <=, is empty, is not empty,
//                   contains, does not contain
//   sValue          the value as an SQL literal, already quoted by the producer
struct clsFilterElement {
    std::string sFieldName;
    std::string sFieldAlias;
    std::string sTableName;
    std::string sTableAlias;
    int32_t lFieldType = 0;
    std::string sLeftParentheses;
    std::string sRightParentheses;
    std::string sAndOr;
    std::string sLogicOperator;
    std::string sValue;
    std::string sAction;
};

// One row of the sort grid. SortType is " ASC " or " DESC " (blanks included);
// empty writes the key with no direction.
struct clsSortElement {
    std::string sFieldName;
    std::string sFieldAlias;
    std::string sTableName;
    std::string sTableAlias;
    std::string SortType;
};

// One row of the column-visibility grid: a visible column with its width in
// twips (dColWidth), its 1-based display position (lIndex) and alignment index.
struct clsHidenElement {
    std::string sCaption;
    std::string sFieldName;
    std::string sFieldAlias;
    std::string sTableName;
    std::string sTableAlias;
    int32_t lIndex = 0;
    double dColWidth = 0.0;
    int32_t lVisible = 0;
    std::string FColWidth;
    std::string FColAlign;
};

// One column definition of a list template (a row of ICChatBillTitle).
struct clsChatTitle {
    int32_t InterID = 0;
    std::string ColCaption;
    std::string ColName;
    std::string FieldName;
    std::string TableName;
    std::string TableAlias;
    std::string Desc;
    int32_t ColType = 0;
    int32_t IsPrimary = 0;
    bool VisForQuery = false;
    int32_t LookUpClsID = 0;
    int32_t RetDataType = 0;
    bool Visible = false;
    bool VisForOrderBy = false;
    double FColWidth = 0.0;
    int32_t FIndex = 0;
    int32_t FUserVisible = 0;
    bool Mergeable = false;
    std::string sAction;
    int32_t ControlType = 0;
};

enum Enu_ShowMode : int32_t {
    ShowForEdit = 1,
    ShowForView = 2,
    ShowForCheck = 3,
};

enum Enu_SaleMode : int32_t {
    InSaleMode = 0,
    OutSaleMode = 1,
};

}  // namespace qelt
