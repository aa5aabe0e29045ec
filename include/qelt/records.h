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
// WHERE and ORDER BY generators (TemplateData::GetWhereSQL, GetSortSQL).
struct clsSQLElement {
    // Carried for hosts; the library neither fills nor reads them.
    // @{
    std::string sTableName;
    std::string sTableAlias;
    // @}
    std::string sFieldName;   // the expression the column selects ("v1.FBillNo", or its action)
    std::string sFieldAlias;  // the column's alias (FColName)
    // Carried for hosts; the library neither fills nor reads them.
    // @{
    int32_t lFieldType = 0;
    int32_t lIsAdd = 0;
    std::string sFilterValue;
    int32_t lFilterLogicOperator = 0;
    std::string sOrderValue;
    // @}
};

// One condition row of the filter grid. The WHERE generator writes
// sAndOr, sLeftParentheses, sFieldName, the comparison of sLogicOperator
// with sValue, and sRightParentheses, as they are: the producer (the filter
// dialog, or a host) vouches for them.
struct clsFilterElement {
    // The column's expression; GetWhereSQL replaces it with the expression of
    // the column whose alias is sFieldAlias.
    std::string sFieldName;
    std::string sFieldAlias;  // the column's alias (FColName), matched ignoring case
    std::string sTableName;   // the field's table; carried, never read
    // The table's alias; a cross report's condition names the field as
    // sTableAlias.sFieldName.
    std::string sTableAlias;
    int32_t lFieldType = 0;  // 1 = quoted text or date literal, 2 = bare number
    // "", " " or one to four parentheses, as the grid's pick lists offer.
    // @{
    std::string sLeftParentheses;
    std::string sRightParentheses;
    // @}
    std::string sAndOr;          // " AND ", " OR ", or three blanks on the first row
    std::string sLogicOperator;  // "1".."10": =, <>, >, >=, <, <=, is empty, is not empty,
                                 // contains, does not contain
    std::string sValue;          // the value as an SQL literal, already quoted by the producer
    // The field's computed expression (FAction) when it has one: a cross
    // report's condition compares "(sAction)" instead of the field.
    std::string sAction;
};

// One row of the sort grid. The ORDER BY generator writes sFieldName (the
// expression of the column whose alias is sFieldAlias) and SortType.
struct clsSortElement {
    std::string sFieldName;   // the column's expression, replaced as for a condition
    std::string sFieldAlias;  // the column's alias (FColName), matched ignoring case
    // Carried; the generator does not read them.
    // @{
    std::string sTableName;
    std::string sTableAlias;
    // @}
    // " ASC " or " DESC " (blanks included); empty writes the key with no
    // direction.
    std::string SortType;
};

// One row of the column-visibility grid: a visible column with its width,
// display position and alignment. GetListSQL finds a column's row by
// sFieldAlias (ignoring case; the first row wins).
struct clsHidenElement {
    std::string sCaption;     // the caption in the grid; carried
    std::string sFieldName;   // the column's field; carried
    std::string sFieldAlias;  // the column's alias (FColName)
    // Carried; GetListSQL does not read them.
    // @{
    std::string sTableName;
    std::string sTableAlias;
    // @}
    int32_t lIndex = 0;      // the 1-based display position
    double dColWidth = 0.0;  // the width in twips
    int32_t lVisible = 0;    // 1; the dialog hands over visible columns only
    std::string FColWidth;   // the width in whole twips as text, for the list head
    std::string FColAlign;   // "0" default, "1" left, "2" right, "3" centre, for the list head
};

// One column definition of a list template (a row of ICChatBillTitle): a
// field the filter dialog offers as a condition or sort key. No public call
// takes or returns it.
struct clsChatTitle {
    int32_t InterID = 0;         // FInterID, the column's id
    std::string ColCaption;      // FColCaption
    std::string ColName;         // FColName, the column's alias
    std::string FieldName;       // FName, the field in its table
    std::string TableName;       // FTableName
    std::string TableAlias;      // FTableAlias
    std::string Desc;            // the caption as the dialog shows it
    int32_t ColType = 0;         // FColType, the kind of value (text, number, date, money, ...)
    int32_t IsPrimary = 0;       // FIsPrimary: 1 the first key, 2 the second, 0 none
    bool VisForQuery = false;    // FVisForQuest: offered as a condition
    int32_t LookUpClsID = 0;     // FItemClassID: the base-data class F7 looks up
    int32_t RetDataType = 0;     // FReturnDataType: what F7 writes, 1 the item's code, 2 its name
    bool Visible = false;        // FVisible is 1
    bool VisForOrderBy = false;  // FVisForOrder: offered as a sort key
    double FColWidth = 0.0;      // FColWidth
    int32_t FIndex = 0;          // FIndex
    int32_t FUserVisible = 0;    // FUserVisible
    bool Mergeable = false;      // FMergeable
    std::string sAction;         // FAction, the computed expression
    int32_t ControlType = 0;     // FControl; 2 makes sAction the condition's expression
};

// How the host shows a document; setShowMode keeps it for the host.
enum Enu_ShowMode : int32_t {
    ShowForEdit = 1,   // for editing
    ShowForView = 2,   // for viewing
    ShowForCheck = 3,  // for auditing
};

// Whether sale transaction types are named as sales or as out-sales
// (CFilter::setSaleMode).
enum Enu_SaleMode : int32_t {
    InSaleMode = 0,   // as sales, the default
    OutSaleMode = 1,  // as out-sales
};

}  // namespace qelt
