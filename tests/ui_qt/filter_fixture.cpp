#include "ui_qt/filter_fixture.h"

#include "editing/fmaker.h"
#include "qelt/template_data.h"
#include "support/shared_settings.h"

namespace qelt::testing {

FilterDialog::FilterDialog() : form_(std::make_unique<dialog::frmFilter>()) {
    auto& f = *form_;
    f.SetListID(1);
    f.setDialogTexts();
    f.cboTransType.addItem(dialog::TransTypeItem::Text("外购入库单序时簿", 1, 1, "v1.FTranType=1"));
    f.cboTransType.addItem(dialog::TransTypeItem::Text("产品入库单序时簿", 2, 1, "v1.FTranType=2"));
    f.cboTransType.setListIndex(0);
    f.cboCheck.setListIndex(2);
    f.cboTime.setListIndex(3);
    f.cboROB.setListIndex(2);
    f.lvwProject.addItem({"P0000", "默认方案", 1, 5});
    f.lvwProject.setSelectedKey("P0000");
    f.createModels();
    f.mTemplateData->InitData("");
    support::Shared().TemplateID = 1;
    f.mFMaker->InitField();
    f.mFMaker->InitHideColumns();
    f.mFMaker->LoadOrderFields(f.listOrderFields);
    auto* maker = f.mFMaker.get();
    f.VpFilter.onChange = [maker](int row, int col) { maker->ConditionCellChanged(row, col); };
    f.VpFilter.onEditEnd = [maker](int, int, bool) { maker->ConditionEditEnd(); };
    f.VpFilter.onLeaveCell = [maker](int row, int col, int newRow, int newCol, bool& cancel) {
        cancel = !maker->ConditionLeaveCell(col, row, newCol, newRow);
    };
    f.VpFilter.onKeyDown = [maker](int& key, int) { maker->ConditionKeyDown(key, 1); };
}

FilterDialog::~FilterDialog() = default;

}  // namespace qelt::testing
