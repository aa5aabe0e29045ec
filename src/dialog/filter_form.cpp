#include "dialog/filter_form.h"

#include <initializer_list>

#include "editing/grid_columns.h"

namespace qelt::dialog {

namespace {

constexpr int kTabs = 3;
constexpr int kConditionTab = 0;
constexpr int kSortTab = 1;
constexpr int kColumnTab = 2;
// The scheme list shows its one column as a report; the view button counts
// on from there.
constexpr int kReportView = 3;

template <std::size_t N>
void SetColumns(ui::Grid& grid, const std::array<editing::GridColumn, N>& columns, int rows) {
    grid.setMaxCols(static_cast<int>(N));
    grid.setMaxRows(rows);
    for (std::size_t c = 0; c < N; ++c) {
        if (columns[c].hidden) grid.setColHidden(static_cast<int>(c) + 1, true);
        if (columns[c].wide) grid.setColTakesSpareWidth(static_cast<int>(c) + 1, true);
    }
}

}  // namespace

FilterForm::FilterForm()
    : ui::Form(kName),
      Label1_0(add<ui::Label>("Label1(0)")),
      cboTransType(add<ui::ComboBox>("cboTransType")),
      lblTime(add<ui::Label>("lblTime")),
      cboTime(add<ui::ComboBox>("cboTime")),
      lblCheck(add<ui::Label>("lblCheck")),
      cboCheck(add<ui::ComboBox>("cboCheck")),
      lblICMO(add<ui::Label>("lblICMO")),
      cboICMO(add<ui::ComboBox>("cboICMO")),
      lblROB(add<ui::Label>("lblROB")),
      cboROB(add<ui::ComboBox>("cboROB")),
      lblPost(add<ui::Label>("lblPost")),
      cboPost(add<ui::ComboBox>("cboPost")),
      lblKickBack(add<ui::Label>("lblKickBack")),
      cboKickBack(add<ui::ComboBox>("cboKickBack")),
      lblCancel(add<ui::Label>("lblCancel")),
      cboCancel(add<ui::ComboBox>("cboCancel")),
      lblConnect(add<ui::Label>("lblConnect")),
      cboConnect(add<ui::ComboBox>("cboConnect")),
      chkFastMode(add<ui::CheckBox>("chkFastMode")),
      framePlanOrder(add<ui::Frame>("framePlanOrder")),
      Label1_5(add<ui::Label>("Label1(5)")),
      txtRunNoFrom(add<ui::TextBox>("txtRunNoFrom")),
      Label2_2(add<ui::Label>("Label2(2)")),
      txtRunNoTO(add<ui::TextBox>("txtRunNoTO")),
      fraOrderStatus(add<ui::Frame>("fraOrderStatus")),
      chkPlan(add<ui::CheckBox>("chkPlan")),
      chkChecked(add<ui::CheckBox>("chkChecked")),
      chkClose(add<ui::CheckBox>("chkClose")),
      lblProject(add<ui::Label>("lblProject")),
      tlbProject(add<ui::Toolbar>("tlbProject")),
      lvwProject(add<ui::ListView>("lvwProject")),
      chkShowByBeforeProject(add<ui::CheckBox>("chkShowByBeforeProject")),
      SSTab1(add<ui::TabControl>("SSTab1")),
      PicPan(add<ui::Frame>("PicPan")),
      VpFilter(add<ui::Grid>("VpFilter")),
      cmdInsert(add<ui::CommandButton>("cmdInsert")),
      cmdDel(add<ui::CommandButton>("cmdDel")),
      cmdDelAll(add<ui::CommandButton>("cmdDelAll")),
      listOrderFields(add<ui::ListBox>("listOrderFields")),
      cmdAdd(add<ui::CommandButton>("cmdAdd")),
      vsOrder(add<ui::Grid>("vsOrder")),
      cmdDelOrder(add<ui::CommandButton>("cmdDelOrder")),
      cmdUp(add<ui::CommandButton>("cmdUp")),
      cmdDown(add<ui::CommandButton>("cmdDown")),
      Label3(add<ui::Label>("Label3")),
      vaHideColumn(add<ui::Grid>("vaHideColumn")),
      cmdHideUp(add<ui::CommandButton>("cmdHideUp")),
      cmdHideDown(add<ui::CommandButton>("cmdHideDown")),
      cmdHideDefault(add<ui::CommandButton>("cmdHideDefault")),
      cmdHideSelectAll(add<ui::CommandButton>("cmdHideSelectAll")),
      cmdHideClearAll(add<ui::CommandButton>("cmdHideClearAll")),
      cmdOk(add<ui::CommandButton>("cmdOk")),
      cmdCancel(add<ui::CommandButton>("cmdCancel")) {
    // The dialog sees every key first: its rules discard quotes and turn
    // Enter and Escape into OK and Cancel wherever the focus is.
    setKeyPreview(true);

    framePlanOrder.setVisible(false);

    for (const char* key : {kSaveButton, kDeleteButton, kClearButton, kViewButton})
        tlbProject.addButton(key);
    for (int i = 0; i < kViewMenuEntries; ++i) tlbProject.addMenuItem(kViewButton, {});
    lvwProject.addColumnHeader({});
    lvwProject.setView(kReportView);
    tlbProject.setButtonTag(kViewButton, std::to_string(kReportView));

    for (int i = 0; i < kTabs; ++i) SSTab1.addTab({});

    SetColumns(VpFilter, editing::kConditionColumns, kConditionRows);
    SetColumns(vsOrder, editing::kSortColumns, kSortRows);
    SetColumns(vaHideColumn, editing::kColumnColumns, 0);

    placeControls();
}

FilterForm::~FilterForm() = default;

void FilterForm::placeControls() {
    const auto into = [this](const ui::Control& container, int tab,
                             std::initializer_list<const ui::Control*> controls) {
        for (const ui::Control* c : controls) Form::place(c->name(), container.name(), tab);
    };
    into(framePlanOrder, -1, {&Label1_5, &txtRunNoFrom, &Label2_2, &txtRunNoTO, &fraOrderStatus});
    into(fraOrderStatus, -1, {&chkPlan, &chkChecked, &chkClose});
    into(SSTab1, kConditionTab, {&PicPan, &cmdInsert, &cmdDel, &cmdDelAll});
    into(PicPan, -1, {&VpFilter});
    into(SSTab1, kSortTab, {&listOrderFields, &cmdAdd, &vsOrder, &cmdDelOrder, &cmdUp, &cmdDown});
    into(SSTab1, kColumnTab,
         {&Label3, &vaHideColumn, &cmdHideUp, &cmdHideDown, &cmdHideDefault, &cmdHideSelectAll,
          &cmdHideClearAll});
}

}  // namespace qelt::dialog
