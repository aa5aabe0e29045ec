#pragma once

#include <cstdint>
#include <string>

namespace qelt::dialog {

class frmFilter;

// The buttons and notifications of the dialog's three grids: inserting and
// deleting condition rows (the conditions' own rules are the editing
// model's), adding, deleting, moving and ticking sort keys, and moving,
// showing and sizing list columns.
class GridEditing {
public:
    explicit GridEditing(frmFilter& dialog);

    // One sortable field as listOrderFields carries it: the caption, 500
    // blanks, then InterID, ColName, FieldName, TableName and TableAlias
    // each after "|*|".
    struct OrderField {
        std::string caption, colName, fieldName, tableName, tableAlias;
    };
    // Splits an item of listOrderFields; false when it is not one.
    static bool ParseOrderField(const std::string& item, OrderField& field);

    // The number of filled sort rows.
    int16_t sortRowCount() const { return sortRowCount_; }
    void setSortRowCount(int16_t n) { sortRowCount_ = n; }
    int32_t currentSortRow() const { return currentSortRow_; }
    int32_t currentColumnRow() const { return currentColumnRow_; }
    // Paints the caption cell of a sort row (0: none) as the selection of
    // the sort grid and makes it the active cell; the caption cells of the
    // other filled rows get the plain colours. The current sort row is not
    // changed.
    void highlightSortRow(int32_t row);

    // Sets up a condition row the way the editing model prepares a fresh
    // grid: pick lists, unlocked cells, the logic cell by position.
    void prepareConditionRow(int row);
    // Refills the sortable fields for the selected list, selects the first
    // and disables the buttons that need a sort row.
    void reloadOrderFields();
    // Empties every sort row.
    void clearSortKeys();

private:
    frmFilter& d_;
    int16_t sortRowCount_ = 0;
    int32_t currentSortRow_ = 0;
    int32_t currentColumnRow_ = 0;
    bool sortUpdating_ = false;
    bool checkReentry_ = false;
    bool widthReentry_ = false;

    void insertCondition();
    void deleteCondition();
    void deleteAllConditions();
    void setLogicCell(int row);
    void addSortKey();
    void deleteSortKey();
    void moveSortKey(int step);
    void sortClicked(int row);
    void sortChecked(int row, int col, int value);
    void sortKeyDown(int keyCode);
    void writeSortRow(int row, const OrderField& field, bool ascending);
    void exchangeSortRows(int a, int b);
    void enableSortButtons(bool enabled);
    void columnClicked(int row, int col);
    void columnLeft(int row, int col, bool& cancel);
    void moveColumn(int step);
    void showAllColumns(bool shown);
};

}  // namespace qelt::dialog
