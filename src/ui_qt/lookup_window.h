#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "qelt/host/lookup_query.h"

class QLineEdit;
class QTableView;
class QStandardItemModel;

namespace qelt::qt {

// The F7 window: a search line (with a hint) over a table of code, name and
// (where the table has one) short number, rows as high as a grid's, and 确定
// and 取消 buttons. Typing narrows the list; Enter, a double click or 确定
// chooses the current row, Escape or 取消 chooses nothing. What is listed is
// the query's; the window only draws it.
class LookupWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kObjectName = "qeltLookupWindow";

    LookupWindow(host::LookupQuery query, const std::string& text, QWidget* parent = nullptr);
    // Shows the window modally; the chosen row, or nothing.
    std::optional<host::LookupRow> choose();
    // Whether the rows carry short numbers.
    bool hasShortNumbers() const { return found_.hasShortNumbers; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void reload();
    host::LookupQuery query_;
    QLineEdit* search_;
    QTableView* view_;
    QStandardItemModel* model_;
    host::LookupRows found_;
};

// Registers the look-up windows as the ledger view object and the single-bill
// class look-up.
void RegisterLookupWindows();

}  // namespace qelt::qt
