#pragma once

#include "qelt/ui/controls.h"
#include "qelt/ui/form.h"
#include "qelt/ui/grid.h"

namespace qelt::dialog {

// The filter dialog's controls and nothing else: created in the order a
// front end lays them out and the Tab key walks them (the transaction type
// and the status selectors on top, the scheme list with its toolbar, the
// three tabs with their grids and buttons, then OK and Cancel), placed in
// their frames and tabs, the grids sized with their columns. The rules live
// in the objects frmFilter composes.
//
// Control arrays: element i of the array A is named "A(i)" (for example
// "Label1(5)") and is the member A_i.
class FilterForm : public ui::Form {
public:
    static constexpr const char* kName = "frmFilter";

    // Rows the condition and sort grids are designed with; the editing
    // model resizes the condition and column grids to the template it loads.
    static constexpr int kConditionRows = 20;
    static constexpr int kSortRows = 20;

    // Buttons of the scheme toolbar, in order, and the entries of the view
    // button's menu.
    static constexpr const char* kSaveButton = "TLBSAVE";
    static constexpr const char* kDeleteButton = "TLBDEL";
    static constexpr const char* kClearButton = "TLBCLEAR";
    static constexpr const char* kViewButton = "TLBVIEW";
    static constexpr int kViewMenuEntries = 4;

    FilterForm();
    ~FilterForm() override;

    // Writes every fixed caption, tab name, tool tip, menu text, selector
    // item list and grid header, in the order the dialog has always written
    // them (observers see the changes in that order), then the captions and
    // tool tips of the condition buttons and the auto-accept box and the
    // hints of the condition and sort grids. Item lists are
    // replaced, so the selectors lose their selection. Called by the load.
    void setDialogTexts();

    // --- transaction type and status selectors --------------------------
    ui::Label& Label1_0;
    ui::ComboBox& cboTransType;
    ui::Label& lblTime;
    ui::ComboBox& cboTime;
    ui::Label& lblCheck;
    ui::ComboBox& cboCheck;
    ui::Label& lblICMO;
    ui::ComboBox& cboICMO;
    ui::Label& lblROB;
    ui::ComboBox& cboROB;
    ui::Label& lblPost;
    ui::ComboBox& cboPost;
    ui::Label& lblKickBack;
    ui::ComboBox& cboKickBack;
    ui::Label& lblCancel;
    ui::ComboBox& cboCancel;
    ui::Label& lblConnect;
    ui::ComboBox& cboConnect;
    ui::CheckBox& chkFastMode;
    // Planned orders: run-number range and order states (hidden until a
    // planned-order list is chosen).
    ui::Frame& framePlanOrder;
    ui::Label& Label1_5;
    ui::TextBox& txtRunNoFrom;
    ui::Label& Label2_2;
    ui::TextBox& txtRunNoTO;
    ui::Frame& fraOrderStatus;
    ui::CheckBox& chkPlan;
    ui::CheckBox& chkChecked;
    ui::CheckBox& chkClose;

    // --- schemes ------------------------------------------------------------
    ui::Label& lblProject;
    ui::Toolbar& tlbProject;
    ui::ListView& lvwProject;
    ui::CheckBox& chkShowByBeforeProject;

    // --- tabs: conditions, sort, columns --------------------------------
    ui::TabControl& SSTab1;
    // The picture panel holding the condition grid.
    ui::Frame& PicPan;
    ui::Grid& VpFilter;
    ui::CommandButton& cmdInsert;
    ui::CommandButton& cmdDel;
    ui::CommandButton& cmdDelAll;
    ui::ListBox& listOrderFields;
    ui::CommandButton& cmdAdd;
    ui::Grid& vsOrder;
    ui::CommandButton& cmdDelOrder;
    ui::CommandButton& cmdUp;
    ui::CommandButton& cmdDown;
    ui::Label& Label3;
    ui::Grid& vaHideColumn;
    ui::CommandButton& cmdHideUp;
    ui::CommandButton& cmdHideDown;
    ui::CommandButton& cmdHideDefault;
    ui::CommandButton& cmdHideSelectAll;
    ui::CommandButton& cmdHideClearAll;

    // --- accept, cancel -----------------------------------------------------
    ui::CommandButton& cmdOk;
    ui::CommandButton& cmdCancel;

private:
    void placeControls();
};

}  // namespace qelt::dialog
