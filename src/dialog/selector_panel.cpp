#include "dialog/selector_panel.h"

#include <charconv>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

#include "dialog/frm_filter.h"
#include "editing/fmaker.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "support/language.h"
#include "support/session_env.h"
#include "support/shared_settings.h"

namespace qelt::dialog {

namespace {

constexpr const char* kSuspendCaption = "挂起标志:";
constexpr const char* kSuspendItems[] = {"已挂起", "未挂起", "全部"};
constexpr const char* kDocumentStateCaption = "单据状态:";
constexpr const char* kPlanCloseCaption = "计划关闭:";
constexpr const char* kOrderItemsAudit[] = {"计划", "审核", "关闭", "全部"};
constexpr const char* kOrderItemsRelease[] = {"计划", "下达", "结案", "全部"};
constexpr const char* kOrderItems621[] = {"计划", "审核", "手工关闭", "业务关闭", "全部"};
constexpr const char* kCancellationSql = "Select FInterID From ICChatBillTitle where FTypeID = ";
constexpr const char* kCancellationColumn = "FCancellation";

constexpr const char* kCrLf = "\r\n";
constexpr const char* kListFilterTable = "ICListFilter";
// VB's "Invalid use of Null", raised for a configuration value that must be set.
constexpr int kInvalidUseOfNull = 94;

// A whole number written as text (blanks around it allowed); 0 for anything
// else.
int32_t WholeNumber(std::string_view s) {
    s = text::TrimView(s);
    int32_t n = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    return ec == std::errc{} && end == s.data() + s.size() ? n : 0;
}

bool OneOf(int32_t v, std::initializer_list<int32_t> set) {
    for (int32_t x : set)
        if (v == x) return true;
    return false;
}

bool AROrAP(const std::string& systemName) {
    const std::string upper = text::ToUpper(systemName);
    return upper == "AR" || upper == "AP";
}

bool SuspendList(int32_t listId) {
    return listId == 36 || listId == 620;
}

template <std::size_t N>
void SetItems(ui::ComboBox& combo, const char* const (&items)[N]) {
    combo.clear();
    for (const char* item : items) combo.addItem(item);
}

// Selects `index` when the box has such an item.
void SelectIfPresent(ui::ComboBox& combo, int index) {
    if (index >= 0 && index < combo.listCount()) combo.setListIndex(index);
}

std::string Column(const SelectorInfo& s, const char* suffix) {
    return std::string("F") + s.configStem + suffix;
}

// The text of a column that must hold one, naming the column when it is NULL.
std::string RequiredText(const Recordset& rs, const std::string& column) {
    const Variant& v = rs.value(column);
    if (v.isNull())
        throw Error(kInvalidUseOfNull, kListFilterTable, "Invalid use of Null: " + column);
    return v.toString();
}

// Visible and Enable: only an explicit 0 turns the selector off.
bool Flag(const Recordset& rs, const std::string& column) {
    const Variant& v = rs.value(column);
    return v.isNull() || v.isEmpty() || v.toLong() != 0;
}

// The items of a list text "a;b;c": up to the first part that is blank.
void LoadItems(ui::ComboBox& combo, const std::string& list) {
    combo.clear();
    for (int n = 1;; ++n) {
        const std::string part = text::Piece(list, n, ";", false);
        if (text::IsBlank(part)) break;
        combo.addItem(part);
    }
}

// --- presets from the host's data filter ----------------------------------------

bool IdentifierChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Position of the column `name` in `filter` as a whole word (an alias prefix
// such as "v1." may precede it), or npos.
std::size_t FindColumn(const std::string& filter, std::string_view name) {
    for (std::size_t at = text::IFind(filter, name); at != std::string::npos;
         at = text::IFind(filter, name, at + 1)) {
        const std::size_t end = at + name.size();
        if ((at == 0 || !IdentifierChar(filter[at - 1])) &&
            (end == filter.size() || !IdentifierChar(filter[end])))
            return at;
    }
    return std::string::npos;
}

std::size_t SkipBlanks(const std::string& s, std::size_t at) {
    while (at < s.size() && s[at] == ' ') ++at;
    return at;
}

// The whole number at `at` ("-1", "3"); 0 when there is none.
int32_t NumberAt(const std::string& s, std::size_t at, std::size_t* end = nullptr) {
    std::size_t i = at;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    const std::size_t digits = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    if (end) *end = i;
    if (i == digits) return 0;
    return WholeNumber(std::string_view(s).substr(at, i - at));
}

// The operator at `at`, longest first; empty when there is none.
std::string_view OperatorAt(const std::string& s, std::size_t at) {
    for (std::string_view op : {">=", "<=", "=", ">", "<"})
        if (s.compare(at, op.size(), op) == 0) return op;
    return {};
}

// Index of cboCheck for a condition "FStatus <op> n": audited bills only
// (status 1 and above) select "已审核", unaudited ones (status 0) "未审核",
// anything else "全部".
int CheckIndexFor(std::string_view op, int32_t n) {
    const bool onlyAudited =
        (op == ">=" && n >= 1) || (op == ">" && n >= 0) || (op == "=" && n >= 1);
    const bool onlyOpen = (op == "=" && n == 0) || (op == "<" && n == 1) || (op == "<=" && n == 0);
    return onlyAudited ? 0 : onlyOpen ? 1 : 2;
}

constexpr std::string_view kJoin = " And ";

}  // namespace

SelectorPanel::SelectorPanel(frmFilter& dialog) : d_(dialog) {
    d_.chkFastMode.onClick = [this] { fastModeClicked(); };
    d_.txtRunNoFrom.onKeyPress = [this](int& key) { runNumberKey(key); };
    d_.txtRunNoTO.onKeyPress = [this](int& key) { runNumberKey(key); };
}

void SelectorPanel::show(ui::ComboBox& combo, ui::Label& label, bool visible) {
    combo.setVisible(visible);
    label.setVisible(visible);
}

// --- visibility by the transaction type -------------------------------------------

void SelectorPanel::showForTransType(int32_t templateId) {
    frmFilter& f = d_;
    const auto& shared = support::Shared();
    const int32_t myList = f.MyListID;
    editing::FMaker* maker = f.models.maker.get();

    if (SuspendList(myList)) {
        f.lblPost.setCaption(kSuspendCaption);
        SetItems(f.cboPost, kSuspendItems);
    }

    const bool orderTemplates = templateId >= 902 && templateId <= 911;
    show(f.cboICMO, f.lblICMO, orderTemplates);
    show(f.cboCheck, f.lblCheck, orderTemplates);
    show(f.cboROB, f.lblROB, maker && maker->IsROBBill());
    show(f.cboPost, f.lblPost, postingApplies());

    if (showCancel_ && cancellationApplies(templateId)) {
        show(f.cboCancel, f.lblCancel, true);
    } else {
        show(f.cboCancel, f.lblCancel, false);
        showCancel_ = false;
    }
    show(f.cboConnect, f.lblConnect, showConnect_ && closingApplies(templateId));
    show(f.cboKickBack, f.lblKickBack, AROrAP(f.SystemName));

    if (OneOf(templateId, {600, 611, 601, 90, 620, 621})) {
        if (templateId == 621)
            SetItems(f.cboICMO, kOrderItems621);
        else if (templateId == 90 || templateId == 620)
            SetItems(f.cboICMO, kOrderItemsRelease);
        else
            SetItems(f.cboICMO, kOrderItemsAudit);
        if (templateId == 90 || templateId == 620) f.lblConnect.setCaption(kPlanCloseCaption);
        show(f.cboICMO, f.lblICMO, true);
        f.lblICMO.setCaption(kDocumentStateCaption);
        show(f.cboCheck, f.lblCheck, false);
        show(f.cboTime, f.lblTime, true);
    }
    if (templateId == 603) show(f.cboCheck, f.lblCheck, false);
    if (f.inputs().listId == 69) {
        show(f.cboCheck, f.lblCheck, false);
        f.cboCheck.setEnabled(false);
        show(f.cboCancel, f.lblCancel, false);
        showCancel_ = false;
    }

    if (shared.IsCalculate || templateId == 88) showForCalculation(templateId);

    applyDefaults();

    if (f.blBeforeStart) {
        show(f.cboTime, f.lblTime, false);
        show(f.cboPost, f.lblPost, false);
    }

    // The run-number frame belongs to the planned-order lists only; it goes
    // again when the person switches to another transaction type.
    f.framePlanOrder.setVisible(PlanOrderList(myList));
    if (PlanOrderList(myList)) showForPlanOrders();

    if (support::IsAppType1()) show(f.cboPost, f.lblPost, false);
}

// Cost calculation (and template 88) lists neither date, audit, red/blue
// nor cancellation; their choices are fixed to take every document.
void SelectorPanel::showForCalculation(int32_t templateId) {
    frmFilter& f = d_;
    show(f.cboROB, f.lblROB, false);
    SelectIfPresent(f.cboROB, 2);
    show(f.cboTime, f.lblTime, false);
    show(f.cboCheck, f.lblCheck, false);
    if (support::Shared().IsMakeVoucher)
        f.chkFastMode.setVisible(false);
    else
        show(f.cboPost, f.lblPost, false);
    show(f.cboCancel, f.lblCancel, false);
    SelectIfPresent(f.cboTime, templateId == 88 ? 3 : 2);
    SelectIfPresent(f.cboCheck, 2);
    SelectIfPresent(f.cboPost, 2);
}

// Planned orders choose by run number and order state instead of date and
// audit; audit and posting are fixed.
void SelectorPanel::showForPlanOrders() {
    frmFilter& f = d_;
    show(f.cboTime, f.lblTime, false);
    show(f.cboCheck, f.lblCheck, false);
    SelectIfPresent(f.cboCheck, 1);
    SelectIfPresent(f.cboPost, 1);
    f.cboCheck.setEnabled(false);
    f.cboPost.setEnabled(false);
}

void SelectorPanel::afterLoad() {
    if (support::IsAppType1()) show(d_.cboPost, d_.lblPost, false);
}

void SelectorPanel::applyDefaults() {
    const bool list621 = d_.MyListID == 621;
    for (const SelectorInfo& s : kSelectors) {
        const int index = list621 ? s.unselectedDefault621 : s.unselectedDefault;
        ui::ComboBox& combo = d_.combo(s.combo);
        if (index < 0 || combo.listIndex() != -1 || combo.listCount() == 0) continue;
        // An item set shorter than the default (order states of another
        // template) falls back to its last item, "全部".
        combo.setListIndex(index < combo.listCount() ? index : combo.listCount() - 1);
    }
}

// --- applicability -------------------------------------------------------------------

bool SelectorPanel::postingApplies() const {
    return OneOf(TransTypeItem::ListId(d_.cboTransType.text()),
                 {1,  2,  5,  7,  8,  11, 15, 16, 17, 18, 19,  20,  21,   24,
                  29, 30, 31, 36, 37, 39, 40, 41, 42, 43, 100, 620, 2001, 2002});
}

bool SelectorPanel::cancellationApplies(int32_t templateId) const {
    auto connection = host::Create<host::IAppConnection>(host::progid::kAppConnection);
    auto rs = connection->getanyrecordset(kCancellationSql + text::Num(templateId) +
                                          " And FColName = " + text::SqlQuote(kCancellationColumn));
    return rs && !rs->eof();
}

bool SelectorPanel::closingApplies(int32_t templateId) const {
    if (d_.inputs().listId == 6 && templateId == 69) return false;
    return OneOf(templateId, {61, 63, 64, 69, 80, 81, 82, 83, 90, 620});
}

// --- presets from the list show status --------------------------------------------------

void SelectorPanel::preset() {
    presetFromDataFilter();
    if (showCancel_) d_.cboCancel.setListIndex(1);
    if (showConnect_) d_.cboConnect.setListIndex(2);
}

void SelectorPanel::presetFromDataFilter() {
    presetROB_ = 0;
    if (!OneOf(d_.inputs().listShowStatus, {2, 4, 6})) return;

    if (const std::size_t at = FindColumn(dataFilter_, "FROB"); at != std::string::npos) {
        if (const std::size_t eq = dataFilter_.find('=', at); eq != std::string::npos)
            presetROB_ = NumberAt(dataFilter_, SkipBlanks(dataFilter_, eq + 1));
    }
    if (d_.cboROB.visible()) {
        SelectIfPresent(d_.cboROB, presetROB_ == 0 ? 2 : presetROB_ == 1 ? 0 : 1);
        d_.cboROB.setEnabled(false);
    }

    const std::size_t at = FindColumn(dataFilter_, "FStatus");
    if (at == std::string::npos) return;
    const std::size_t opAt = SkipBlanks(dataFilter_, at + 7);
    const std::string_view op = OperatorAt(dataFilter_, opAt);
    if (op.empty()) return;
    std::size_t valueEnd = 0;
    const int32_t n = NumberAt(dataFilter_, SkipBlanks(dataFilter_, opAt + op.size()), &valueEnd);
    SelectIfPresent(d_.cboCheck, CheckIndexFor(op, n));
    d_.cboCheck.setEnabled(false);

    // The condition goes from the data filter together with one "And" that
    // joins it (the next one, else the one before), so the rest stays a
    // valid condition.
    std::size_t start = at;
    while (start > 0 && (IdentifierChar(dataFilter_[start - 1]) || dataFilter_[start - 1] == '.'))
        --start;
    std::string before = dataFilter_.substr(0, start);
    std::string after;
    if (const std::size_t next = text::IFind(dataFilter_, kJoin, valueEnd);
        next != std::string::npos) {
        after = dataFilter_.substr(next + kJoin.size());
    } else {
        after = dataFilter_.substr(valueEnd);
        if (before.size() >= kJoin.size() &&
            text::IEquals(std::string_view(before).substr(before.size() - kJoin.size()), kJoin))
            before.resize(before.size() - kJoin.size());
    }
    dataFilter_ = before + after;
}

// --- configuration from ICListFilter ----------------------------------------------------

void SelectorPanel::configure(int32_t listId, int32_t destBillTranType, int32_t listShowStatus,
                              int32_t billROB, int32_t checkSwitch) {
    // Captions and item lists are read from the column of the user's language.
    std::map<std::string, std::string> languageColumn;
    for (const SelectorInfo& s : kSelectors)
        for (const char* suffix : {"Caption", "List"})
            languageColumn[Column(s, suffix)] = support::LanguageColumn(Column(s, suffix));

    const std::string sql = std::string("SELECT * FROM ICListFilter ") + kCrLf +
                            "WHERE FListID = " + text::Num(listId) +
                            " And FListShowStatus = " + text::Num(listShowStatus) + kCrLf +
                            " AND FDestBillTranType=" + text::Num(destBillTranType) +
                            " AND FBillROB=" + text::Num(billROB) + kCrLf +
                            " AND FCheckSwitch=" + text::Num(checkSwitch);
    auto connection = host::Create<host::IAppConnection>(host::progid::kAppConnection);
    RecordsetPtr rs = connection->Execute(sql);
    if (!rs || (rs->bof() && rs->eof())) return;
    rs->moveFirst();

    for (const SelectorInfo& s : kSelectors) {
        ui::ComboBox& combo = d_.combo(s.combo);
        ui::Label& label = d_.label(s.label);
        if (!Flag(*rs, Column(s, "Visible"))) {
            combo.setVisible(false);
            label.setVisible(false);
            continue;
        }
        label.setVisible(true);
        label.setCaption(RequiredText(*rs, languageColumn[Column(s, "Caption")]));
        combo.setVisible(true);
        LoadItems(combo, RequiredText(*rs, languageColumn[Column(s, "List")]));
        const std::string valueColumn = Column(s, "Value");
        if (rs->value(valueColumn).isNull())
            throw Error(kInvalidUseOfNull, kListFilterTable, "Invalid use of Null: " + valueColumn);
        // An index beyond the loaded items raises the box's own error.
        combo.setListIndex(rs->value(valueColumn).toLong());
        combo.setEnabled(Flag(*rs, Column(s, "Enable")));
    }
    rs->close();
}

// --- in use at OK, fast mode, run numbers -----------------------------------------------

void SelectorPanel::recordInUse() {
    for (std::size_t i = 0; i < kSelectors.size(); ++i)
        inUse_[i] = d_.combo(kSelectors[i].combo).visible();
}

bool SelectorPanel::inUse(const char* combo) const {
    for (std::size_t i = 0; i < kSelectors.size(); ++i)
        if (std::string_view(kSelectors[i].combo) == combo) return inUse_[i];
    return false;
}

void SelectorPanel::fastModeClicked() {
    d_.glFastMode = d_.chkFastMode.value();
    editing::FMaker* maker = d_.models.maker.get();
    if (!maker) return;
    int16_t mode = static_cast<int16_t>(d_.glFastMode);
    maker->InitField(&mode);
    maker->LoadOrderFields(d_.listOrderFields);
}

void SelectorPanel::runNumberKey(int& keyAscii) {
    if (keyAscii == '\'') {
        keyAscii = 0;
    } else if (keyAscii == ui::kKeyEnter) {
        keyAscii = 0;
        d_.focusNext();
    }
}

}  // namespace qelt::dialog
