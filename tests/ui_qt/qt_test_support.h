#pragma once

#include <QModelIndex>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "qelt/qt/qt_dialogs.h"
#include "qelt/ui/form.h"

class QComboBox;
class QTabWidget;
class QTableView;

namespace qelt::testing {

// Shows `form` through a QtPresenter and runs `drive` on the dialog once it
// is on screen; returns when the form is hidden or unloaded. When `drive`
// leaves the form shown, the dialog is closed through the window's close
// button and, if the form refuses, the form is hidden.
void RunShown(ui::Form& form, const std::function<void(QWidget& dialog)>& drive);

// The widget of control `name` in `dialog` (its object name), or a failed
// expectation and null.
template <class W = QWidget>
W* Widget(QWidget& dialog, const std::string& name) {
    return dialog.findChild<W*>(QString::fromStdString(name));
}

// Types `text` into `widget` as key presses that carry the text, one
// character at a time (QTest::keyClicks takes ASCII only).
void TypeText(QWidget* widget, const QString& text);

// Clicks the box of a check box (a click beyond its caption misses it).
void ClickCheckBox(QWidget& box);

// A key pressed and released where a person's key goes: the open pop-up
// (a drop-down list, a calendar) when there is one, else the focus widget.
void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The open pop-up window, or null.
QWidget* OpenPopup();
// Types `text` where a person's keys go, one key at a time.
void TypeKeys(const QString& text);
// The control that has the focus: the object name of the focus widget or
// of the nearest ancestor named after a control; empty when none.
std::string FocusName();

// Clicks the drop-down, which opens its list, and then item `index`.
void PickInCombo(QComboBox& combo, int index);
// Clicks the tab's title in the tab bar.
void ClickTab(QTabWidget& tabs, int tab);

// Mouse actions on a cell of a grid view (1-based grid coordinates).
void ClickCell(QTableView& view, int row, int col);
// Opens the cell's editor (F2), types `text` and ends the edit with Enter.
void TypeIntoCell(QTableView& view, int row, int col, const QString& text);
// Clicks the pick-list cell, which opens its list, and clicks item `index`.
void PickInCell(QTableView& view, int row, int col, int index);

// Runs `action` on the next modal window that opens (polled from a timer),
// for message boxes and look-up windows that block in exec().
void OnNextModal(const std::function<void(QWidget& window)>& action);

// The lines of `a` and `b` that differ, as "-a line" / "+b line"; empty
// when equal (long dumps compare readably).
std::string LineDiff(const std::string& a, const std::string& b);

// The session database is the bundled demo database; process state is reset
// before and after.
class DemoSession {
public:
    DemoSession();
    ~DemoSession();
};

}  // namespace qelt::testing
