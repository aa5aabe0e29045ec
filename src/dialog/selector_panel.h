#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qelt::ui {
class ComboBox;
class Label;
}  // namespace qelt::ui

namespace qelt::dialog {

class frmFilter;

// One status selector: its combo box (whose name is also its scheme entry
// key), its label, the stem of its ICListFilter columns, and its defaults.
struct SelectorInfo {
    const char* combo;
    const char* label;
    // ICListFilter's columns are "F" + stem + "Visible", "Caption", "List",
    // "Value", "Enable".
    const char* configStem;
    // The item the transaction-type selection gives a box left without a
    // selection (-1: none); for the order state, on list 621 the other one.
    int unselectedDefault;
    int unselectedDefault621;
    // The item a scheme without the box's key gives it (when the box has
    // more items; else the first); for the order state, on list 621 the
    // other one.
    int missingDefault;
    int missingDefault621;
};

// The eight status selectors, in the order ICListFilter configures them.
//
// The order-state box has two defaults that differ on purpose. A box left
// without a selection shows "全部", the last item of the set its list offers
// (index 3 of the four-item sets, 4 of list 621's five). A scheme written
// while the box was hidden has no key for it, and applying it gives the box
// the index stored schemes have always been applied with (4, which a
// four-item set lacks, so its first item; 3 on list 621), so that existing
// schemes keep giving the lists they gave.
inline constexpr std::array<SelectorInfo, 8> kSelectors{{
    {"cboTime", "lblTime", "CboTime", 2, 2, 2, 2},
    {"cboCheck", "lblCheck", "CboCheck", 2, 2, 2, 2},
    {"cboCancel", "lblCancel", "CboCancel", -1, -1, 1, 1},
    {"cboKickBack", "lblKickBack", "CboKickBack", 2, 2, 2, 2},
    {"cboROB", "lblROB", "CboROB", 0, 0, 0, 0},
    {"cboPost", "lblPost", "CboPost", 2, 2, 2, 2},
    {"cboICMO", "lblICMO", "CboICMO", 3, 4, 4, 3},
    {"cboConnect", "lblConnect", "CboConnect", -1, -1, 2, 2},
}};

// The planned-order lists (604, 605): their run numbers and order states
// replace the date and audit selectors.
inline bool PlanOrderList(int32_t listId) {
    return listId == 604 || listId == 605;
}

// The selector block of the filter dialog: which selectors a list shows,
// their presets and ICListFilter configuration, fast mode and the
// run-number boxes, and the status text their choices give. Every
// visibility rule of a selector is in this object.
class SelectorPanel {
public:
    explicit SelectorPanel(frmFilter& dialog);

    // The host's switches for the cancellation and closing selectors; the
    // rules switch cancellation off for lists that have none.
    bool showCancel() const { return showCancel_; }
    void setShowCancel(bool v) { showCancel_ = v; }
    bool showConnect() const { return showConnect_; }
    void setShowConnect(bool v) { showConnect_ = v; }
    // The host's data filter; the presets take their conditions out of it.
    const std::string& dataFilter() const { return dataFilter_; }
    void setDataFilter(const std::string& filter) { dataFilter_ = filter; }

    // Shows and fills the selectors for the selected transaction type (its
    // template id): the selection handler calls it after the dialog took
    // the type's list id.
    void showForTransType(int32_t templateId);
    // The presets from the destination type, the list show status and the
    // data filter, then the host's cancellation and closing items
    // (initialisation).
    void preset();
    // The red/blue value the presets found in the data filter (0 for none).
    int32_t presetROB() const { return presetROB_; }
    // Configures the selectors from ICListFilter.
    void configure(int32_t listId, int32_t destBillTranType, int32_t listShowStatus,
                   int32_t billROB, int32_t checkSwitch);
    // What the load does last: an installation of application type 1 has
    // no posting.
    void afterLoad();

    // Records which selectors are in use (visible) for statusText; OK calls
    // it before it builds the extra filter.
    void recordInUse();
    // The selectors' SQL fragments joined into the status text.
    std::string statusText();

    // Whether the posting selector applies to the selected transaction type.
    bool postingApplies() const;
    bool cancellationApplies(int32_t templateId) const;
    bool closingApplies(int32_t templateId) const;

private:
    frmFilter& d_;
    bool showCancel_ = true;
    bool showConnect_ = true;
    std::string dataFilter_;
    int32_t presetROB_ = 0;
    // Whether each selector was visible at OK, in kSelectors order.
    std::array<bool, kSelectors.size()> inUse_{};

    bool inUse(const char* combo) const;
    void show(ui::ComboBox& combo, ui::Label& label, bool visible);
    void applyDefaults();
    void showForCalculation(int32_t templateId);
    void showForPlanOrders();
    void presetFromDataFilter();
    void fastModeClicked();
    void runNumberKey(int& keyAscii);
    // The pieces of statusText, in the order they join.
    void appendCheckOrOrderState(std::string& status);
    // False when the periods cannot be read: the status text is then empty.
    bool appendDateRange(std::string& status);
    void appendPlanOrder(std::string& status);
};

}  // namespace qelt::dialog
