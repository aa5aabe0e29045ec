#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editing/vocabularies.h"
#include "qelt/records.h"
#include "qelt/recordset.h"
#include "qelt/variant.h"

namespace qelt {
class TemplateData;
}
namespace qelt::ui {
class Grid;
class ListBox;
}  // namespace qelt::ui

namespace qelt::editing {

// The fields of the catalogue record set (FMaker::Catalogue()), by position.
struct CatalogueField {
    enum : std::size_t {
        InterID,
        ColCaption,
        ColName,
        FieldName,
        TableName,
        TableAlias,
        Desc,
        ColType,
        IsPrimary,
        VisForQuery,
        LookUpClsID,
        RetDataType,
        Visible,
        VisForOrderBy,
        ColWidth,  // millimetres
        Index,
        Align,
        Count
    };
};

// The editing model between the filter dialog and the list template: the
// field catalogue of the current list and its vocabularies, the rules of the
// condition, sort and column grids and their conversion into element
// collections, and questions about the working environment (accounting
// periods, the server's date, red/blue bills, money columns).
//
// The dialog owns the grids; FMaker keeps plain pointers to them, which must
// stay valid while FMaker uses them. Rules that need a grid that was not
// given do nothing.
class FMaker {
public:
    FMaker();
    ~FMaker();
    FMaker(const FMaker&) = delete;
    FMaker& operator=(const FMaker&) = delete;

    // --- inputs given by the dialog or the facade ----------------------------
    std::string SystemName;
    // The dialog's mode text ("70" for the order-confirmation mode).
    std::string ModeText;
    // The transaction type of the current selection; 0 means "use the default".
    int32_t CurTransType = 0;
    // The host's destination bill transaction type, as a number (0 when none).
    int32_t DefaultTransType = 0;
    int32_t MyListID = 0;

    int32_t ListShowStatus() const { return listShowStatus_; }
    void setListShowStatus(int32_t v) { listShowStatus_ = v; }
    // Takes the facade's destination bill transaction type text; a text that
    // is not a whole number leaves no default.
    void setDestBillTransType(const std::string& text);

    // --- periods and dates ----------------------------------------------------
    // The current accounting year and period and their dates. A refused
    // list-server call is reported to the user; any error returns false.
    bool GetCurPeriod(int32_t& CurYear, int32_t& CurPeriod, Date& dStartDate, Date& dEndDate);
    // The dates of the given period; false on any error (dates then untouched).
    bool GetPeriodDate(int32_t CurYear, int32_t CurPeriod, Date& dStartDate, Date& dEndDate);
    // The database server's current date and time, or the empty date.
    Date GetToday();
    // Whether the current template's transaction type is marked red/blue.
    bool IsROBBill();

    // --- money columns --------------------------------------------------------
    bool GetMoneyVis();
    // Computes the stock-money flag from the rights of the transaction type.
    bool GetMoneyVisForStock();
    bool StockMoneyVisible() const { return stockMoney_; }

    // --- field catalogue and vocabularies ---------------------------------------
    // The condition grid (VpFilter).
    void setvasProperty(ui::Grid* grid) { conditionGrid_ = grid; }
    // The column-settings grid (vaHideColumn).
    ui::Grid* HideColumnsSpread() const { return columnGrid_; }
    void setHideColumnsSpread(ui::Grid* grid) { columnGrid_ = grid; }
    // The loaded list template whose mRsChatBillTitle feeds the catalogue.
    void setTemplate(std::shared_ptr<TemplateData> data) { template_ = std::move(data); }

    // Rebuilds the catalogue for the shared TemplateID (nothing when it is 0)
    // and prepares the condition grid: one row per condition field, pick
    // lists in every row, the first logic cell locked. FastMode is not read.
    // Always returns false.
    bool InitField(int16_t* FastMode = nullptr);
    // Empties every cell of the condition grid and prepares its rows again.
    void ClearAll();
    // Name maps. With CHStoOther true: the value stored under `Name`; with
    // false: the key of the first entry whose value is `Name`. Empty when
    // there is none.
    std::string GetMappingField(const std::string& Name, bool CHStoOther = false) const;
    std::string GetMappingCompare(const std::string& Name, bool CHStoOther = false) const;
    std::string GetMappingLogic(const std::string& Name, bool CHStoOther = false) const;
    // Always 0.
    int16_t getColumnsCount() const { return 0; }

    // The catalogue record set: one row per displayable column, with the
    // fields InterID, ColCaption, ColName, FieldName, TableName, TableAlias,
    // Desc, ColType, IsPrimary, VisForQuery, LookUpClsID, RetDataType,
    // Visible, VisForOrderBy, ColWidth (millimetres), Index, Align. Null
    // before the first InitField with a template.
    const RecordsetPtr& Catalogue() const { return catalogue_; }
    // The condition field table: entry 0 is the placeholder "(无)" (ColType
    // -1), entries 1..n the columns usable in conditions; an entry's index
    // is the selection index of the condition grid's field cell.
    const std::vector<clsChatTitle>& ConditionFields() const { return fields_; }
    int16_t ConditionFieldCount() const { return static_cast<int16_t>(fields_.size() - 1); }
    // "(无)" and the condition fields' captions, TAB-separated.
    const std::string& FieldList() const { return fieldList_; }
    const NameMap& FieldNameMap() const { return fieldNames_; }

    // --- condition rows -------------------------------------------------------
    // Reacts to a new field (Col 3: comparison list, default comparison,
    // internal columns, typed value cell) or comparison (Col 4: "0.0" for a
    // numeric field, code column follows). Always true.
    bool Changed(int32_t Row, int32_t Col);
    // 0 when the value cell of the row is acceptable; -1 (with the message in
    // sReturn) when it names a material of the feature or planning class.
    int32_t CheckData(int32_t Row, int32_t Col, std::string* sReturn = nullptr);
    // The condition rows that name a field, as filter elements (rows
    // without a field are skipped; the first element carries the blank
    // connective). On a row that cannot be converted (no comparison,
    // parentheses that are not pick-list items, a value its field cannot
    // take) a message is shown, the result is null and bReturn false; else
    // bReturn is true.
    std::shared_ptr<Collection<clsFilterElement>> getFilterElements(ui::Grid& ctlSpread,
                                                                    bool* bReturn = nullptr);
    // Whether the parentheses of the conditions balance; shows why not.
    // An absent or empty collection passes.
    static bool CheckParentheses(const Collection<clsFilterElement>* elements);

    // Handlers of the condition grid's notifications, for the dialog to wire.
    // A cell changed: Changed, then the value cell is locked and emptied for
    // an emptiness comparison of the active row, unlocked otherwise.
    void ConditionCellChanged(int32_t Row, int32_t Col);
    // The user leaves (Row, Col) for (NewRow, NewCol) (-1 when leaving the
    // grid), in the grid event's order. Runs the row checks; returns false
    // when the move is refused, in which case the handler has already made
    // the cell to correct active.
    bool ConditionLeaveCell(int32_t Row, int32_t Col, int32_t NewRow, int32_t NewCol);
    // Editing of the active cell ended: the material check with its message.
    void ConditionEditEnd();
    // The row the user last left in the condition grid; 0 before any.
    int32_t LastConditionRow() const { return lastConditionRow_; }
    void setLastConditionRow(int32_t row) { lastConditionRow_ = row; }

    // Opens the look-up that fits the row's field and writes the chosen
    // item into its value cell (defined with the value look-up).
    // m_ListID narrows some windows; null means MyListID. Nothing happens
    // for a row without a field.
    void KeyForHelpWin(int32_t Row, int16_t OptID = 0, int32_t* m_ListID = nullptr);
    // A key went down in the condition grid: F7 (118) on the value cell
    // (column 6) opens the look-up for the active row with `listId`.
    void ConditionKeyDown(int keyCode, int32_t listId);

    // --- sort and column settings ---------------------------------------------
    // Refills the list with the sortable condition fields: the caption, 500
    // blanks, then InterID, ColName, FieldName, TableName and TableAlias
    // each after "|*|" (the caption is what the list shows).
    void LoadOrderFields(ui::ListBox& cboOrderFields);
    // Refills the column-settings grid with the visible catalogue columns and
    // records their display positions in the catalogue. False (grid
    // untouched) when the catalogue has no rows.
    bool InitHideColumns();
    // The sort rows up to the first without an alias.
    std::shared_ptr<Collection<clsSortElement>> getOrderbyElements(ui::Grid& ctlSpread,
                                                                   bool* bReturn = nullptr);
    // The ticked rows of the column-settings grid, each with its row number
    // as lIndex. Null and bReturn false when a row cannot be read.
    std::shared_ptr<Collection<clsHidenElement>> getHidenElements(ui::Grid& ctlSpread,
                                                                  bool* bReturn = nullptr);

private:
    void buildCatalogue();
    void prepareConditionGrid();
    void prepareRow(int32_t row);
    // Sets the comparison word and code lists of a row for a column type;
    // with keepText false the type's default word is chosen.
    void setComparisonList(int32_t row, int colType, bool keepText);
    void setValueCell(int32_t row, int colType);
    // The condition field selected in a row, or null for none or "(无)"
    // when `allowPlaceholder` is false.
    const clsChatTitle* fieldOfRow(const ui::Grid& grid, int32_t row, bool allowPlaceholder) const;

    int32_t listShowStatus_ = 0;
    bool stockMoney_ = false;

    ui::Grid* conditionGrid_ = nullptr;
    ui::Grid* columnGrid_ = nullptr;
    std::shared_ptr<TemplateData> template_;
    RecordsetPtr catalogue_;
    std::vector<clsChatTitle> fields_;
    std::string fieldList_;
    NameMap fieldNames_;
    NameMap comparisonNames_;
    NameMap logicNames_;
    int32_t lastConditionRow_ = 0;
};

}  // namespace qelt::editing
