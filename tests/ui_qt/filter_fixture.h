#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "common/test_env.h"
#include "dialog/frm_filter.h"
#include "qelt/cfilter.h"
#include "ui_qt/qt_test_support.h"

namespace qelt::testing {

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
// The same with a scripted person.
std::unique_ptr<CFilter> ShowScripted(int listId,
                                      const std::function<void(dialog::frmFilter& form)>& user);

}  // namespace qelt::testing
