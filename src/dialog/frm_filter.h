#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "qelt/dictionary.h"
#include "qelt/host/components.h"
#include "qelt/records.h"
#include "qelt/recordset.h"
#include "qelt/scheme_content.h"
#include "qelt/ui/controls.h"
#include "qelt/ui/form.h"
#include "qelt/ui/grid.h"

namespace qelt {
class TemplateData;
namespace editing {
class FMaker;
}
}  // namespace qelt

namespace qelt::dialog {

// One item of the transaction-type box: the display name, exactly 100
// blanks, then the hidden code "FID||FTemplateID||FFilter".
struct TransTypeItem {
    static constexpr int kBlanks = 100;
    // The item text for a template row.
    static std::string Text(const std::string& name, int32_t listId, int32_t templateId,
                            const std::string& filter);
    // The first 100 characters, trimmed: what the person sees.
    static std::string DisplayName(const std::string& itemText);
    // The text after the first run of 100 blanks, trimmed.
    static std::string HiddenCode(const std::string& itemText);
    // Part n (1-based, "||"-separated) of the hidden code; empty beyond the
    // last separator. Part 1 is the list id, 2 the template id, 3 the
    // template filter.
    static std::string Part(const std::string& itemText, int n);
};

// The filter dialog as a form of control models. The constructor creates
// every control in the order a front end lays them out and the Tab key
// walks them: the transaction type and the status selectors on top, the
// scheme list with its toolbar, the three tabs with their grids and buttons,
// then OK and Cancel. setDialogTexts() writes the fixed texts. The dialog's
// rules live in their own files and reach the controls through the members
// below (or by name through Form).
//
// Control arrays: element i of the array A is named "A(i)" (for example
// "Label1(5)") and is the member A_i.
class frmFilter : public ui::Form {
public:
    static constexpr const char* kName = "frmFilter";
    // The scheme every kind of list has, which no one may delete.
    static constexpr const char* kDefaultSchemeName = host::kDefaultSchemeName;

    // Grid sizes the dialog is designed with. The editing model resizes the
    // rows of the condition and column grids to the template it loads; the
    // sort grid keeps its rows.
    static constexpr int kConditionCols = 12;
    static constexpr int kConditionRows = 20;
    static constexpr int kSortCols = 7;
    static constexpr int kSortRows = 20;
    static constexpr int kColumnCols = 10;

    // Buttons of the scheme toolbar, in order, and the entries of the view
    // button's menu.
    static constexpr const char* kSaveButton = "TLBSAVE";
    static constexpr const char* kDeleteButton = "TLBDEL";
    static constexpr const char* kClearButton = "TLBCLEAR";
    static constexpr const char* kViewButton = "TLBVIEW";
    static constexpr int kViewMenuEntries = 4;

    frmFilter();
    ~frmFilter() override;

    // Writes every fixed caption, tab name, tool tip, menu text, selector
    // item list and grid header, in the order the dialog has always written
    // them (observers see the changes in that order). Item lists are
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

    // =====================================================================
    // Lifecycle and result assembly (frm_filter_lifecycle.cpp)
    // =====================================================================
    // Public fields the facade reads and writes.
    int32_t glFastMode = 0;
    std::string SystemName;
    // The list id of the selected transaction type.
    int32_t MyListID = 0;
    bool blBeforeStart = false;

    void setIsCrossRpt(int32_t v) { isCrossRpt_ = v; }
    int32_t IsCrossRpt() const { return isCrossRpt_; }
    // The data SQL: the whole SELECT of an ordinary list.
    const std::string& SQLWHERE() const { return dataSql_; }
    void setIsFromListShow(int32_t v) { isFromListShow_ = v != 0; }
    int32_t CheckSwitch() const { return checkSwitch_; }
    void setCheckSwitch(int32_t v) { checkSwitch_ = v; }
    int32_t SchemeID() const { return schemeId_; }
    void setSchemeID(int32_t v) { schemeId_ = v; }
    const std::string& DestBillTransType() const { return destBillTransType_; }
    void setDestBillTransType(const std::string& v) { destBillTransType_ = v; }
    bool ShowCancel() const { return showCancel_; }
    void setShowCancel(bool v) { showCancel_ = v; }
    int32_t ListID() const { return listId_; }
    bool ShowConnect() const { return showConnect_; }
    void setShowConnect(bool v) { showConnect_ = v; }
    bool CanSelTrantype() const { return canSelTrantype_; }
    void setCanSelTrantype(bool v) { canSelTrantype_ = v; }
    int32_t ListShowStatus() const { return listShowStatus_; }
    void setListShowStatus(int32_t v) { listShowStatus_ = v; }
    void SetDataFilter(const std::string& SFilter) { dataFilter_ = SFilter; }
    void setSaleMode(int32_t v) { saleMode_ = v; }
    bool OK() const { return ok_; }
    void SetListID(int32_t lListID) { listId_ = lListID; }
    // The WHERE text of a cross report.
    const std::string& WHERE() const { return where_; }

    std::string getFilterExt();
    int32_t GetStartPeriod();
    std::string GetStartDate();
    std::string GetPlanValueByKey(const RecordsetPtr& Rs, const std::string& KEY,
                                  const std::string& Default = "");
    Variant DelPlan(int32_t RptID, const std::string& Plan);
    std::shared_ptr<List> getListHead();
    Dictionary GetTemplateInfo();
    double GetTheColWidthByColName(const std::string& strColName, int32_t& theIndex);

    // The models the dialog owns from its initialisation to its end.
    std::shared_ptr<TemplateData> mTemplateData;
    std::unique_ptr<editing::FMaker> mFMaker;
    // Creates the TemplateData and the FMaker and hands the FMaker its
    // inputs and grids (the first step of the initialisation).
    void createModels();

    // =====================================================================
    // Status selectors and their configuration (status_selectors.cpp,
    // selector_configuration.cpp)
    // =====================================================================
    // The selectors' SQL fragments joined into the status text.
    std::string StatusText();
    // The transaction-type box's click handler; the dialog also runs it
    // whenever it selects an item by code.
    void cboTransType_Click();
    void chkFastMode_Click();
    // The presets from the destination type, the list show status and the
    // data filter (initialisation); records the red/blue value found.
    void PresetSelectors();
    // Configures the selectors from ICListFilter.
    void ConfigureSelectors(int32_t listId, int32_t destBillTranType, int32_t listShowStatus,
                            int32_t billROB, int32_t checkSwitch);
    // Whether the posting selector applies to the selected transaction type.
    bool PostingApplies() const;
    bool CancellationApplies(int32_t templateId) const;
    bool ClosingApplies(int32_t templateId) const;
    // The red/blue value the presets found in the data filter (0 for none).
    int32_t PresetROB() const { return presetROB_; }
    // Records which selectors are in use (visible) for StatusText; OK calls
    // it before it builds the extra filter.
    void recordSelectorsInUse();
    // The host's data filter once the presets took their conditions out.
    const std::string& DataFilterAfterPresets() const { return dataFilter_; }

    // =====================================================================
    // Grid editing (grid_editing.cpp)
    // =====================================================================
    int16_t SortRowCount() const { return sortRowCount_; }
    void setSortRowCount(int16_t n) { sortRowCount_ = n; }
    int32_t CurrentSortRow() const { return currentSortRow_; }
    int32_t CurrentColumnRow() const { return currentColumnRow_; }
    // Paints the caption cell of a sort row (0: none) as the selection of
    // the sort grid and makes it the active cell; the caption cells of the
    // other filled rows get the plain colours. The current sort row is not
    // changed.
    void HighlightSortRow(int32_t row);

private:
    void placeControls();
    // Connects the controls' events to the rules of each concern; called
    // once by the constructor.
    void wireLifecycle();
    void wireSelectors();
    void wireGridEditing();

    // --- lifecycle state -------------------------------------------------
    bool ok_ = false;
    int32_t saleMode_ = 0;
    std::string dataFilter_;
    int32_t listId_ = 0;
    int32_t listShowStatus_ = 0;
    bool canSelTrantype_ = true;
    bool showCancel_ = true;
    bool showConnect_ = true;
    std::string destBillTransType_;
    int32_t schemeId_ = 0;
    std::string schemeName_;
    int32_t selectedListCode_ = 0;
    int32_t checkSwitch_ = 0;
    std::string dataSql_;
    int32_t isCrossRpt_ = 0;
    std::string where_;
    bool isFromListShow_ = false;
    bool autoAccept_ = false;
    bool loading_ = false;
    bool abort_ = false;
    // Whether each selector was visible at OK, in this order: cboCheck,
    // cboICMO, cboROB, cboPost, cboConnect, cboTime, cboKickBack, cboCancel.
    enum InUse { kCheck, kICMO, kROB, kPost, kConnect, kTime, kKickBack, kCancel, kInUseCount };
    std::array<bool, kInUseCount> inUse_{};
    // Set when the dialog accepted itself while loading, so that the
    // activation that follows only closes it.
    bool acceptedOnLoad_ = false;
    // Position of the host's list among the transaction types; -1 when none.
    int hostItem_ = -1;

    void Form_Load();
    void Form_Activate();
    void Form_KeyPress(int& keyAscii);
    void cmdOk_Click();
    void cmdCancel_Click();
    // The initialisation the load runs; false when it failed.
    bool initialise();
    void fillTransTypes(Recordset& templates);
    // The item of the list the host asked for: the one fixed selection.
    void selectFixedTransType();
    void showDefaultSchemeOnly();
    bool buildDataSql();
    bool buildCrossWhere();
    std::string conditionText(const Collection<clsFilterElement>& elements) const;
    // Scheme handling (src/schemes/): the list of the user's schemes for
    // this list (null: none), the initial choice among them, picking and
    // applying the start scheme, and saving the settings on OK.
    RecordsetPtr loadSchemeList();
    void chooseInitialScheme(Recordset& schemes);
    void applyScheme();
    void saveScheme(bool ask, int mark);

    // --- selector state ----------------------------------------------------
    int32_t presetROB_ = 0;
    // The pieces of StatusText, in the order they join.
    void appendCheckOrOrderState(std::string& status);
    // False when the periods cannot be read: the status text is then empty.
    bool appendDateRange(std::string& status);
    void appendPlanOrder(std::string& status);
    void showSelector(ui::ComboBox& combo, ui::Label& label, bool show);
    void applySelectorDefaults();
    void runNoKeyPress(int& keyAscii);

    // --- grid editing state ------------------------------------------------
    int16_t sortRowCount_ = 0;
    int32_t currentSortRow_ = 0;
    int32_t currentColumnRow_ = 0;
    bool sortUpdating_ = false;
    bool checkReentry_ = false;
    bool widthReentry_ = false;

    // --- grid editing handlers ---------------------------------------------
    // One sortable field as listOrderFields carries it.
    struct OrderField {
        std::string caption, colName, fieldName, tableName, tableAlias;
    };
    // Splits an item of listOrderFields; false when it is not one.
    static bool ParseOrderField(const std::string& item, OrderField& field);
    void cmdInsert_Click();
    void cmdDel_Click();
    void cmdDelAll_Click();
    void cmdAdd_Click();
    void cmdDelOrder_Click();
    void cmdUp_Click();
    void cmdDown_Click();
    void vsOrder_Click(int row, int col);
    void vsOrder_ButtonClicked(int row, int col, int value);
    void vsOrder_KeyDown(int keyCode);
    void vaHideColumn_Click(int row, int col);
    void vaHideColumn_LeaveCell(int row, int col, bool& cancel);
    void cmdHideMove(int step);
    void setAllShown(bool shown);
    // Sets up a condition row the way the editing model prepares a fresh
    // grid: pick lists, unlocked cells, the logic cell by position.
    void prepareConditionRow(int row);
    void setLogicCell(int row);
    // Writes a filled sort row (types included) with the given direction.
    void writeSortRow(int row, const OrderField& field, bool ascending);
    // Exchanges the texts of two sort rows (every column).
    void exchangeSortRows(int a, int b);
    void enableSortButtons(bool enabled);

    // =====================================================================
    // Schemes (src/schemes/)
    // =====================================================================
public:
    // The scheme key of the list (computed when the scheme list loads).
    const std::string& SchemeKey() const { return schemeKey_; }
    const std::string& SchemeName() const { return schemeName_; }
    // The entries of the current state, in the order they are stored:
    // FSchemeID, FType, FKey, FValue.
    RecordsetPtr BuildSchemeEntries();
    // Writes stored entries (FKey/FValue rows) into the selectors, the
    // run-number boxes and the three grids; missing keys take defaults.
    void ApplySchemeEntries(Recordset& entries);
    std::string EncodeConditionGrid();
    std::string EncodeSortGrid();
    std::string EncodeColumnGrid();
    void DecodeConditionGrid(const std::string& value);
    void DecodeSortGrid(const std::string& value);
    void DecodeColumnGrid(const std::string& value);

private:
    std::string schemeKey_;
    int16_t shareFlag_ = 0;
    // The user's own scheme in use when the list loaded (0 for none).
    int32_t inUseSchemeId_ = 0;
    // The scheme applied last and its content right after applying, to tell
    // whether the person changed it.
    int32_t appliedSchemeId_ = 0;
    std::string appliedContent_;
    // The current state as one text, for comparing contents.
    std::string schemeContent();
    // Writes a stored condition row into grid row `row`; false (row partly
    // written) when a cell could not hold what the row stores.
    bool placeConditionRow(int row, const schemes::ConditionRow& stored);
    void wireSchemes();
    RecordsetPtr loadStoredSchemes();
    // Saves the current state under `name`; the stored head, or raises Error.
    RecordsetPtr saveSchemeContent(const std::string& name, int mark, int32_t schemeId);
    void lvwProject_ItemClick(const std::string& key);
    void tlbProject_ButtonClick(const std::string& key);
    void tlbProject_ButtonMenuClick(const std::string& key, int index);
    void deleteScheme();
    void clearScheme();
    // The owner's name of a stored scheme; empty for none.
    std::string schemeOwner(int32_t schemeId);
    int32_t selectedSchemeId() const;
    std::string selectedSchemeText() const;
    std::string schemeValue(Recordset& entries, const std::string& key, const std::string& def);
};

}  // namespace qelt::dialog
