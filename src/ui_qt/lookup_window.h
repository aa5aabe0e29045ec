#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "qelt/recordset.h"

class QLineEdit;
class QTableView;
class QStandardItemModel;

namespace qelt::qt {

// Where the items of one base-data class live.
struct BaseTable {
    std::string table;
    std::string keyField;
    std::string numberField = "FNumber";
    std::string nameField = "FName";
};

// The base table of class `classId` from the session database's class
// catalogue (t_ItemClass), or nothing when the class has none.
std::optional<BaseTable> FindBaseTable(int32_t classId);

// The rows of `table` whose number or name contains `text` (every row for an
// empty text), by number. The text reaches the SQL through the quoting
// helper; '%' and '_' in it keep their LIKE meaning.
RecordsetPtr QueryBaseItems(const BaseTable& table, const std::string& text);

// The chosen row of a look-up: every field of the row by name.
struct ChosenItem {
    std::vector<std::pair<std::string, Variant>> fields;
    Variant value(const std::string& name) const;
};

// The F7 window: a search line over a table of code, name and (where the
// table has one) short number. Typing narrows the list; Enter or a double
// click chooses the current row, Escape chooses nothing.
class LookupWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kObjectName = "qeltLookupWindow";

    LookupWindow(BaseTable table, const std::string& caption, const std::string& text,
                 QWidget* parent = nullptr);
    // Shows the window modally; the chosen row, or nothing.
    std::optional<ChosenItem> choose();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void reload();
    BaseTable table_;
    QLineEdit* search_;
    QTableView* view_;
    QStandardItemModel* model_;
    RecordsetPtr rows_;
};

// Registers the look-up windows as the ledger view object and the single-bill
// class look-up.
void RegisterLookupWindows();

}  // namespace qelt::qt
