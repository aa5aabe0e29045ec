#pragma once

#include <memory>

#include "dialog/frm_filter.h"
#include "ui_qt/qt_test_support.h"

namespace qelt::testing {

// The filter dialog on the demo database, list 1 (purchase receipts): the
// fixed texts, two transaction types, a default scheme, the condition,
// sort-field and column lists from the template, and the condition grid's
// rules of the editing model connected as the dialog connects them.
class FilterDialog {
public:
    FilterDialog();
    ~FilterDialog();
    dialog::frmFilter& form() { return *form_; }

private:
    DemoSession session_;
    std::unique_ptr<dialog::frmFilter> form_;
};

}  // namespace qelt::testing
