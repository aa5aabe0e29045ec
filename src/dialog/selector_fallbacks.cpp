// The least of the transaction-type and selector rules the dialog needs to
// run: the selected type's list and template, its grids and sort fields.
// Every definition here is weak: the complete selector, configuration and
// grid-editing rules replace them when they are linked in.
#include "dialog/frm_filter.h"
#include "editing/fmaker.h"
#include "support/shared_settings.h"

namespace qelt::dialog {

[[gnu::weak]] std::string frmFilter::StatusText() {
    return {};
}

[[gnu::weak]] void frmFilter::cboTransType_Click() {
    const std::string item = cboTransType.text();
    MyListID = std::atoi(TransTypeItem::Part(item, 1).c_str());
    if (!mFMaker) return;
    mFMaker->MyListID = MyListID;
    const int32_t templateId = std::atoi(TransTypeItem::Part(item, 2).c_str());
    if (templateId != support::Shared().TemplateID) {
        support::Shared().TemplateID = templateId;
        mFMaker->InitField();
        mFMaker->InitHideColumns();
    }
    mFMaker->LoadOrderFields(listOrderFields);
    if (listOrderFields.listCount() > 0) listOrderFields.setListIndex(0);
}

[[gnu::weak]] void frmFilter::chkFastMode_Click() {}
[[gnu::weak]] void frmFilter::PresetSelectors() {}
[[gnu::weak]] void frmFilter::ConfigureSelectors(int32_t, int32_t, int32_t, int32_t, int32_t) {}
[[gnu::weak]] bool frmFilter::PostingApplies() const {
    return false;
}
[[gnu::weak]] bool frmFilter::CancellationApplies(int32_t) const {
    return false;
}
[[gnu::weak]] bool frmFilter::ClosingApplies(int32_t) const {
    return false;
}
[[gnu::weak]] void frmFilter::HighlightSortRow(int32_t) {}

}  // namespace qelt::dialog
