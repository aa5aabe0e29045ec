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
// The open pop-up window (a drop-down list, a calendar), or null.
QWidget* OpenPopup();
// The focus widget's object name or that of its nearest named ancestor.
std::string FocusName();

// Runs a person's steps, separated by ";", on `dialog`; W names a widget,
// V a grid view, r,c are grid coordinates:
//   "click V r,c"       a click on a cell
//   "pick V r,c,i"      a click on the cell, then on item i of its list
//   "cell V r,c text"   a click on the cell, F2, the text over the old one, Enter
//   "key [A-|S-]K"      key K (F2, Down, Return, a letter...), with Alt or Shift,
//                       to the open pop-up if there is one, else the focus
//   "type text"         the text, key by key, the same way
//   "press W"           a click on W (on a check box, on its box)
//   "combo W i", "tab W i", "item W i"
//                       item i of a drop-down, a tab's title, a list's row
//   "focus W"
// Any other step goes to `other`; returns what `other` returned, in order.
std::string RunSteps(QWidget& dialog, const std::string& script,
                     const std::function<std::string(const std::string& step)>& other = {});

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
