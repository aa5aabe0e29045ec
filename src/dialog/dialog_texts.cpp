#include <iterator>

#include "dialog/filter_form.h"
#include "editing/grid_columns.h"

// The fixed texts of the filter dialog. Other rules address the selector
// items by position and the grid columns by number, so the order of every
// list here is part of the dialog's contract.
namespace qelt::dialog {

namespace {

constexpr const char* kFormCaption = "过滤";
constexpr const char* kOkCaption = "确定(&O)";
constexpr const char* kCancelCaption = "取消(&C)";
constexpr const char* kTabCaptions[] = {"条件", "排序", "表格设置"};
constexpr const char* kOrderStatusCaption = "选单状态";
constexpr const char* kCheckedCaption = "审核";
constexpr const char* kPlanCaption = "计划";
constexpr const char* kCloseCaption = "关闭";
constexpr const char* kRunNoToCaption = "至:";
constexpr const char* kRunNoCaption = "运算编号：";
constexpr const char* kHideUpCaption = "上移";
constexpr const char* kHideDownCaption = "下移";
constexpr const char* kHideDefaultCaption = "默认值";
constexpr const char* kHideSelectAllCaption = "全选";
constexpr const char* kHideClearAllCaption = "全清";
constexpr const char* kFastModeCaption = "快速模式";
constexpr const char* kFastModeToolTip = "快速模式只显示单据表头信息";

constexpr const char* kKickBackItems[] = {"已核销", "未核销", "全部"};
constexpr const char* kConnectItems[] = {"已关闭", "未关闭", "全部"};
constexpr const char* kCheckItems[] = {"已审核", "未审核", "全部"};
constexpr const char* kPostItems[] = {"已记账", "未记账", "全部"};
constexpr const char* kROBItems[] = {"蓝字", "红字", "全部"};
constexpr const char* kTimeItems[] = {"当天", "本周", "本期", "全部", "本年"};

constexpr const char* kCancelItems[] = {"已作废", "正常", "全部"};

constexpr const char* kDelOrderCaption = "删除(&R)";
constexpr const char* kDownCaption = "下移";
constexpr const char* kUpCaption = "上移";
constexpr const char* kAddCaption = "添加(&A)";
constexpr const char* kICMOItems[] = {"计划", "下达", "结案", "全部"};

constexpr const char* kTableSettingsCaption = "表格设置:";
constexpr const char* kTransTypeCaption = "事务类型:";
constexpr const char* kKickBackCaption = "核销标志";
constexpr const char* kConnectCaption = "关闭标志:";
constexpr const char* kCheckCaption = "审核标志:";
constexpr const char* kPostCaption = "记账标志:";
constexpr const char* kROBCaption = "红蓝标志:";
constexpr const char* kTimeCaption = "时间:";
constexpr const char* kCancelFlagCaption = "作废标志:";
constexpr const char* kICMOCaption = "订单状态:";
constexpr const char* kSchemeColumnHeader = "方案";
constexpr const char* kToolTips[] = {"保存", "删除", "清除", "查看"};
constexpr const char* kViewMenu[] = {"大图标(&G)", "小图表(&M)", "列表(&L)", "详细资料(&D)"};
constexpr const char* kSchemeCaption = "方案:";

// Controls the dialog has always shown without a text, and what the two
// grids that start empty say in their first free row.
constexpr const char* kInsertCaption = "插入行(&I)";
constexpr const char* kInsertToolTip = "在当前条件行的位置插入一个空行，下面的条件下移";
constexpr const char* kDeleteCaption = "删除行(&D)";
constexpr const char* kDeleteToolTip = "删除当前条件行，下面的条件上移";
constexpr const char* kDeleteAllCaption = "清空条件(&L)";
constexpr const char* kDeleteAllToolTip = "清空全部条件行";
constexpr const char* kAutoAcceptCaption = "下次打开时直接确定，不再显示本窗口(&N)";
constexpr const char* kAutoAcceptToolTip =
    "随方案保存。勾选后，下次打开过滤窗口时直接按此方案确定，不再显示本窗口。";
constexpr const char* kConditionHint = "在此行选择“名称”，添加一个条件";
constexpr const char* kSortHint = "从左侧列表选择字段，按“添加”加入排序";

static_assert(std::size(kViewMenu) == FilterForm::kViewMenuEntries);

template <std::size_t N>
void SetItems(ui::ComboBox& combo, const char* const (&items)[N]) {
    combo.clear();
    for (const char* item : items) combo.addItem(item);
}

template <std::size_t N>
void SetHeaders(ui::Grid& grid, const std::array<editing::GridColumn, N>& columns) {
    for (std::size_t c = 0; c < N; ++c) grid.setText(0, static_cast<int>(c) + 1, columns[c].header);
}

}  // namespace

void FilterForm::setDialogTexts() {
    setCaption(kFormCaption);
    cmdOk.setCaption(kOkCaption);
    cmdCancel.setCaption(kCancelCaption);
    for (int tab = 0; tab < static_cast<int>(std::size(kTabCaptions)); ++tab)
        SSTab1.setTabCaption(tab, kTabCaptions[tab]);
    fraOrderStatus.setCaption(kOrderStatusCaption);
    chkChecked.setCaption(kCheckedCaption);
    chkPlan.setCaption(kPlanCaption);
    chkClose.setCaption(kCloseCaption);
    Label2_2.setCaption(kRunNoToCaption);
    Label1_5.setCaption(kRunNoCaption);
    cmdHideUp.setCaption(kHideUpCaption);
    cmdHideDown.setCaption(kHideDownCaption);
    cmdHideDefault.setCaption(kHideDefaultCaption);
    cmdHideSelectAll.setCaption(kHideSelectAllCaption);
    cmdHideClearAll.setCaption(kHideClearAllCaption);
    chkFastMode.setCaption(kFastModeCaption);
    chkFastMode.setToolTip(kFastModeToolTip);

    SetItems(cboKickBack, kKickBackItems);
    SetItems(cboConnect, kConnectItems);
    SetItems(cboCheck, kCheckItems);
    SetItems(cboPost, kPostItems);
    SetItems(cboROB, kROBItems);
    SetItems(cboTime, kTimeItems);

    SetHeaders(VpFilter, editing::kConditionColumns);
    SetItems(cboCancel, kCancelItems);

    cmdDelOrder.setCaption(kDelOrderCaption);
    cmdDown.setCaption(kDownCaption);
    cmdUp.setCaption(kUpCaption);
    SetHeaders(vsOrder, editing::kSortColumns);
    cmdAdd.setCaption(kAddCaption);
    SetItems(cboICMO, kICMOItems);

    SetHeaders(vaHideColumn, editing::kColumnColumns);

    Label3.setCaption(kTableSettingsCaption);
    Label1_0.setCaption(kTransTypeCaption);
    lblKickBack.setCaption(kKickBackCaption);
    lblConnect.setCaption(kConnectCaption);
    lblCheck.setCaption(kCheckCaption);
    lblPost.setCaption(kPostCaption);
    lblROB.setCaption(kROBCaption);
    lblTime.setCaption(kTimeCaption);
    lblCancel.setCaption(kCancelFlagCaption);
    lblICMO.setCaption(kICMOCaption);
    lvwProject.setColumnHeader(0, kSchemeColumnHeader);
    const char* const buttons[] = {kSaveButton, kDeleteButton, kClearButton, kViewButton};
    for (std::size_t i = 0; i < std::size(buttons); ++i)
        tlbProject.setToolTip(buttons[i], kToolTips[i]);
    for (int i = 0; i < kViewMenuEntries; ++i) tlbProject.setMenuItem(kViewButton, i, kViewMenu[i]);
    lblProject.setCaption(kSchemeCaption);

    cmdInsert.setCaption(kInsertCaption);
    cmdInsert.setToolTip(kInsertToolTip);
    cmdDel.setCaption(kDeleteCaption);
    cmdDel.setToolTip(kDeleteToolTip);
    cmdDelAll.setCaption(kDeleteAllCaption);
    cmdDelAll.setToolTip(kDeleteAllToolTip);
    chkShowByBeforeProject.setCaption(kAutoAcceptCaption);
    chkShowByBeforeProject.setToolTip(kAutoAcceptToolTip);
    VpFilter.setHint(kConditionHint);
    vsOrder.setHint(kSortHint);
}

}  // namespace qelt::dialog
