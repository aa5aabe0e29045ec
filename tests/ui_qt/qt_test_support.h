#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "common/test_env.h"
#include "dialog/frm_filter.h"
#include "qelt/cfilter.h"
#include "qelt/qt/qt_dialogs.h"
#include "qelt/ui/form.h"

class QComboBox;
class QTabWidget;
class QTableView;

// A person's clicks and keys on the Qt dialogs, as QTest events.
namespace qelt::testing {

// Shows `form` through a QtPresenter and runs `drive` on the dialog once it
// is on screen; a form still shown afterwards is closed (and, if it refuses,
// hidden).
void RunShown(ui::Form& form, const std::function<void(QWidget& dialog)>& drive);

// The widget of control `name` in `dialog` (its object name), or null.
template <class W = QWidget>
W* Widget(QWidget& dialog, const std::string& name) {
    return dialog.findChild<W*>(QString::fromStdString(name));
}

// Key presses that carry `text`, one character at a time, to `widget`
// (QTest::keyClicks takes ASCII only).
void TypeText(QWidget* widget, const QString& text);
// A key or typed text goes where a person's keys go: the open pop-up (a
// drop-down list, a calendar) when there is one, else the focus widget.
void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void TypeKeys(const QString& text);
// The open pop-up window, or null.
QWidget* OpenPopup();
// The focus widget's object name or that of its nearest named ancestor.
std::string FocusName();

// Mouse actions: the box of a check box, a drop-down's item, a tab's title,
// a cell of a grid view (1-based grid coordinates), a pick-list cell's item.
void ClickCheckBox(QWidget& box);
void PickInCombo(QComboBox& combo, int index);
void ClickTab(QTabWidget& tabs, int tab);
void ClickCell(QTableView& view, int row, int col);
void PickInCell(QTableView& view, int row, int col, int index);
// Clicks the cell, opens its editor (F2), types `text` and presses Enter.
void TypeIntoCell(QTableView& view, int row, int col, const QString& text);

// Runs `action` on the next modal window that opens (message boxes and
// look-up windows block in exec()).
void OnNextModal(const std::function<void(QWidget& window)>& action);

// A private copy of the demo database, a user (id 1), a recorder that
// answers the library's messages, and no window size remembered.
class FilterSession {
public:
    FilterSession();
    ~FilterSession();
    TempDatabase db;
    MessageRecorder messages;
};

// CFilter::Show of list `listId` through a QtPresenter: `drive` acts on the
// filter dialog once it is on screen; a dialog still open afterwards is
// cancelled with Escape. Returns the filter after Show.
std::unique_ptr<CFilter> ShowWithQt(
    int listId, const std::function<void(QWidget& dialog, dialog::frmFilter& form)>& drive);

}  // namespace qelt::testing
