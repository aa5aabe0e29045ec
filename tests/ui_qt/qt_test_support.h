#pragma once

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>
#include <string>

#include "common/test_env.h"
#include "dialog/frm_filter.h"
#include "qelt/cfilter.h"
#include "qelt/qt/qt_dialogs.h"
#include "qelt/ui/form.h"

// A person's clicks and keys on the Qt dialogs, as QTest events.
namespace qelt::testing {

// Shows `form` through a QtPresenter, runs `drive` once it is on screen, then
// closes it (or hides it, if it refuses).
void RunShown(ui::Form& form, const std::function<void(QWidget& dialog)>& drive);

// The widget of control `name` in `dialog` (its object name), or null.
template <class W = QWidget>
W* Widget(QWidget& dialog, const std::string& name) {
    return dialog.findChild<W*>(QString::fromStdString(name));
}

std::string FocusName();  // of the focus widget or its nearest named ancestor

inline std::string Pair(int a, int b) {  // "a,b"
    return std::to_string(a) + "," + std::to_string(b);
}

// Runs a person's steps, separated by ";", on `dialog` (W a widget, V a grid
// view, r,c grid coordinates): "click V r,c"; "pick V r,c,i" (the cell, then
// item i of its list); "cell V r,c text" (the cell, F2, the text, Enter);
// "key [A-|S-]K" and "type text" (to the open pop-up, else the focus);
// "press W"; "combo W i", "tab W i", "item W i". Any other step
// goes to `other`; returns what `other` returned, in order.
std::string RunSteps(QWidget& dialog, const std::string& script,
                     const std::function<std::string(const std::string& step)>& other = {});

// Runs `action` on the next modal window that opens (they block in exec()).
void OnNextModal(const std::function<void(QWidget& window)>& action);

// A private copy of the demo database, user 1, a message recorder, no window
// size remembered.
struct DemoSession {
    DemoSession();
    TempDatabase db;
    MessageRecorder messages;
};

// CFilter::Show of list `listId` through a QtPresenter: `drive` acts on the
// dialog once shown, Escape cancels it if still open. Returns the filter.
std::unique_ptr<CFilter> ShowWithQt(
    int listId, const std::function<void(QWidget& dialog, dialog::frmFilter& form)>& drive);

}  // namespace qelt::testing
