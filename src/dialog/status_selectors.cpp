#include <charconv>
#include <chrono>
#include <initializer_list>
#include <string>
#include <string_view>

#include "dialog/frm_filter.h"
#include "editing/fmaker.h"
#include "host/prog_ids.h"
#include "platform/text.h"
#include "qelt/host/components.h"
#include "support/session_env.h"
#include "support/shared_settings.h"

namespace qelt::dialog {

namespace {

// A whole number written as text (blanks around it allowed); 0 for anything
// else, as a part of an item code that is not a number names no list.
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

// Appends `fragment` to the status text, preceded by `joiner` unless the
// text is still empty. An empty fragment adds nothing, not even the joiner.
void Append(std::string& status, std::string_view joiner, std::string_view fragment) {
    if (fragment.empty()) return;
    if (!status.empty()) status += joiner;
    status += fragment;
}

// The fragment at a selector's index; an index outside the table (nothing
// selected) gives nothing.
template <std::size_t N>
const char* At(const char* const (&table)[N], int index) {
    return index >= 0 && index < static_cast<int>(N) ? table[index] : "";
}

constexpr const char* kAnd = " and ";
constexpr const char* kAndUpper = " AND ";

// --- check status and order state --------------------------------------------
constexpr const char* kStatusTemplateFragments[] = {" (v1.FStatus=0) ", " (v1.FStatus=1) ",
                                                    " (v1.FStatus=2) "};
constexpr const char* kCheckFragments[] = {" (v1.FCheckerID>0) ",
                                           " (v1.FCheckerID<=0 OR v1.FCheckerID  IS NULL) "};
constexpr const char* kCheckBitFragments[] = {"  v1.FStatus%2=1 ", "  v1.FStatus%2=0 "};
constexpr const char* kOrderState601[] = {
    "u1.FStatus=0", "(u1.FStatus=1 OR u1.FStatus=2)", "u1.FStatus=3",
    "(u1.FStatus=0 OR u1.FStatus=1 OR u1.FStatus=2 OR u1.FStatus=3)"};
constexpr const char* kOrderState621[] = {
    "v1.FStatus=0", "v1.FStatus=1", "v1.FStatus=3", "v1.FStatus=7",
    "(v1.FStatus=0 OR v1.FStatus=1 OR v1.FStatus=3 OR v1.FStatus=7)"};
constexpr const char* kOrderState691[] = {"u1.FStatus=0", "u1.FStatus=1", "u1.FStatus=3", ""};
constexpr const char* kOrderStateOther[] = {
    "v1.FStatus=0", "(v1.FStatus=1 OR v1.FStatus=2)", "v1.FStatus=3",
    "(v1.FStatus=0 OR v1.FStatus=1 OR v1.FStatus=2 OR v1.FStatus=3)"};
constexpr int32_t kStatusTemplate = 630;

// --- date range ---------------------------------------------------------------
constexpr const char* kDayOf = "convert(datetime,convert(varchar(30),";
constexpr const char* kDayOfEnd = ",111))";
constexpr const char* kFDate = "v1.FDate";
constexpr const char* kFCheckDate = "v1.FCheckDate";
constexpr int32_t kCalculationTemplate = 84;
constexpr const char* kCostSystemName = "成本(工业)系统";

// --- red/blue, posting, write-off, cancellation, closing ----------------------
constexpr const char* kROBFragments[] = {"v1.FROB=1", "v1.FROB=-1"};
constexpr const char* kSuspendFragments[] = {" v1.FSuspend <> 0", " v1.FSuspend = 0"};
constexpr const char* kPostFragments[] = {" (v1.FPosterID<0 OR v1.FPosterID>0) ",
                                          " (v1.FPosterID=0 OR v1.FPosterID  IS NULL) "};
constexpr const char* kVoucherFragments[] = {"  v1.FVoucherID>0  ", " v1.FVoucherID<=0  "};
constexpr const char* kARPFragments[] = {"  (v1.FARPStatus/2)%2=1 ", "  (v1.FARPStatus/2)%2=0 "};
constexpr const char* kARPBitFragments[] = {"  (v1.FStatus/2)%2=1 ", "  (v1.FStatus/2)%2=0 "};
constexpr const char* kHookFragments[] = {" (v1.FHookerID>0) ",
                                          " (v1.FHookerID<=0 OR v1.FHookerID IS NULL) "};
constexpr const char* kCancelFragments[] = {" v1.FCancellation <> 0", " v1.FCancellation = 0"};
constexpr const char* kCloseFragments[] = {" v1.FStatus > 2 ", " v1.Fstatus < 3 "};
constexpr const char* kMRPCloseFragments[] = {" v1.FMRPClosed <> 0 ", " v1.FMRPClosed = 0 "};
constexpr const char* kBeforeStart = " v1.FDate<";

// --- plan order -----------------------------------------------------------------
constexpr const char* kRunFrom = " v2.FNumber>=";
constexpr const char* kRunTo = " v2.FNumber<=";
constexpr const char* kStateIn = "  v1.FStatus in (";
constexpr const char* kStateInEnd = ") ";

// --- transaction-type selection ----------------------------------------------------
constexpr const char* kSuspendCaption = "挂起标志:";
constexpr const char* kSuspendItems[] = {"已挂起", "未挂起", "全部"};
constexpr const char* kDocumentStateCaption = "单据状态:";
constexpr const char* kPlanCloseCaption = "计划关闭:";
constexpr const char* kOrderItemsAudit[] = {"计划", "审核", "关闭", "全部"};
constexpr const char* kOrderItemsRelease[] = {"计划", "下达", "结案", "全部"};
constexpr const char* kOrderItems621[] = {"计划", "审核", "手工关闭", "业务关闭", "全部"};
constexpr const char* kCancellationSql = "Select FInterID From ICChatBillTitle where FTypeID = ";
constexpr const char* kCancellationColumn = "FCancellation";

bool AROrAP(const std::string& systemName) {
    const std::string upper = text::ToUpper(systemName);
    return upper == "AR" || upper == "AP";
}

bool BitStatusList(int32_t listId) {
    return listId == 2001 || listId == 2002;
}
bool PlanOrderList(int32_t listId) {
    return listId == 604 || listId == 605;
}
bool SuspendList(int32_t listId) {
    return listId == 36 || listId == 620;
}

std::chrono::sys_days Days(const Date& d) {
    using namespace std::chrono;
    return sys_days{year{d.year} / month{static_cast<unsigned>(d.month)} /
                    day{static_cast<unsigned>(d.day)}};
}

Date DateOf(std::chrono::sys_days days) {
    const std::chrono::year_month_day ymd{days};
    return Date{int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day()))};
}

// The quoted "yyyy/mm/dd" text of a date.
std::string Quoted(const Date& d) {
    return text::SqlQuote(d.format());
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

}  // namespace

void frmFilter::wireSelectors() {
    cboTransType.onClick = [this] { cboTransType_Click(); };
    chkFastMode.onClick = [this] { chkFastMode_Click(); };
    txtRunNoFrom.onKeyPress = [this](int& key) { runNoKeyPress(key); };
    txtRunNoTO.onKeyPress = [this](int& key) { runNoKeyPress(key); };
}

void frmFilter::runNoKeyPress(int& keyAscii) {
    if (keyAscii == '\'') {
        keyAscii = 0;
    } else if (keyAscii == ui::kKeyEnter) {
        keyAscii = 0;
        focusNext();
    }
}

void frmFilter::recordSelectorsInUse() {
    inUse_[kTime] = cboTime.visible();
    inUse_[kCheck] = cboCheck.visible();
    inUse_[kICMO] = cboICMO.visible();
    inUse_[kROB] = cboROB.visible();
    inUse_[kPost] = cboPost.visible();
    inUse_[kConnect] = cboConnect.visible();
    inUse_[kKickBack] = cboKickBack.visible();
    inUse_[kCancel] = cboCancel.visible();
}

// --- status text ---------------------------------------------------------------

std::string frmFilter::StatusText() {
    const auto& shared = support::Shared();
    const int32_t templateId = shared.TemplateID;
    std::string status;

    appendCheckOrOrderState(status);
    if (listId_ != 9 && listId_ != 10 && inUse_[kTime] && !appendDateRange(status)) return {};

    if (inUse_[kROB] && mFMaker && mFMaker->IsROBBill())
        Append(status, kAnd, At(kROBFragments, cboROB.listIndex()));

    if (PostingApplies()) {
        if (SuspendList(MyListID))
            Append(status, kAnd, At(kSuspendFragments, cboPost.listIndex()));
        else if (inUse_[kPost])
            Append(status, kAnd,
                   At(BitStatusList(MyListID) ? kVoucherFragments : kPostFragments,
                      cboPost.listIndex()));
    }

    if (inUse_[kKickBack]) {
        if (!OneOf(templateId, {84, 62, 89, 91})) {
            if (mFMaker && AROrAP(mFMaker->SystemName) && cboKickBack.listIndex() != 2)
                Append(status, kAndUpper,
                       At(BitStatusList(MyListID) ? kARPBitFragments : kARPFragments,
                          cboKickBack.listIndex()));
        } else {
            Append(status, kAndUpper, At(kHookFragments, cboKickBack.listIndex()));
        }
    }

    if (showCancel_ && inUse_[kCancel])
        Append(status, kAnd, At(kCancelFragments, cboCancel.listIndex()));

    if (showConnect_ && inUse_[kConnect])
        Append(status, kAnd,
               At(SuspendList(listId_) ? kMRPCloseFragments : kCloseFragments,
                  cboConnect.listIndex()));

    if (blBeforeStart) Append(status, kAnd, kBeforeStart + text::SqlQuote(GetStartDate()));

    if (framePlanOrder.visible() && PlanOrderList(MyListID)) appendPlanOrder(status);
    return status;
}

void frmFilter::appendCheckOrOrderState(std::string& status) {
    const int32_t templateId = support::Shared().TemplateID;
    if (!OneOf(templateId, {90, 600, 601, 611, 620, 621, 691})) {
        if (templateId == kStatusTemplate)
            Append(status, "", At(kStatusTemplateFragments, cboCheck.listIndex()));
        else if (inUse_[kCheck])
            Append(status, "",
                   At(BitStatusList(MyListID) ? kCheckBitFragments : kCheckFragments,
                      cboCheck.listIndex()));
        return;
    }
    if (!inUse_[kICMO]) return;
    const int index = cboICMO.listIndex();
    status = MyListID == 601   ? At(kOrderState601, index)
             : MyListID == 621 ? At(kOrderState621, index)
             : MyListID == 691 ? At(kOrderState691, index)
                               : At(kOrderStateOther, index);
    if (text::IFind(status, "OR") != std::string::npos) status = "(" + status + ") ";
}

bool frmFilter::appendDateRange(std::string& status) {
    const auto& shared = support::Shared();
    const int32_t templateId = shared.TemplateID;
    const std::string column = OneOf(templateId, {90, 611, 620}) ? kFCheckDate : kFDate;
    const std::string dayOf = kDayOf + column + kDayOfEnd;

    switch (cboTime.listIndex()) {
        case 0: {
            // A server that cannot tell its date leaves the list unrestricted
            // rather than comparing with an empty date.
            const Date today = mFMaker ? mFMaker->GetToday() : Date{};
            if (today.isEmpty()) return true;
            if (status.empty())
                status += "( " + dayOf + "=" + Quoted(today) + ")";
            else
                status += std::string(kAndUpper) + "(" + dayOf + "=" + Quoted(today) + ")";
            return true;
        }
        case 1: {
            const Date today = mFMaker ? mFMaker->GetToday() : Date{};
            if (today.isEmpty()) return true;
            const std::chrono::sys_days day = Days(today);
            const unsigned fromMonday = std::chrono::weekday{day}.iso_encoding() - 1;
            const auto monday = day - std::chrono::days{fromMonday};
            if (!status.empty()) status += " AND";
            status += "(" + dayOf + " >=" + Quoted(DateOf(monday)) + "  AND " + " " + dayOf +
                      " < " + Quoted(DateOf(monday + std::chrono::days{7})) + ")";
            return true;
        }
        case 2: {
            if (shared.IsCalculate && templateId == kCalculationTemplate) return true;
            int32_t year = 0, period = 0;
            Date start, end;
            if (!mFMaker || !mFMaker->GetCurPeriod(year, period, start, end)) return false;
            if (period <= 0) return true;
            if (start.isEmpty() || end.isEmpty()) return false;
            // t_PeriodDate holds a period's last day at midnight, while
            // documents carry times (audit dates) or midnight (bill dates): the
            // exclusive bound is the day after. The cost system's calendar
            // already answers the next period's start.
            const Date bound = mFMaker->SystemName == kCostSystemName
                                   ? end
                                   : DateOf(Days(end) + std::chrono::days{1});
            if (!status.empty()) status += "AND";
            status += "(" + column + ">=" + Quoted(start) + kAndUpper + " " + column + "<" +
                      Quoted(bound) + ")";
            return true;
        }
        case 4: {
            if (shared.IsCalculate && templateId == kCalculationTemplate) return true;
            int32_t year = 0, period = 0;
            Date start, end, yearStart, nextYearStart, ignored;
            if (!mFMaker || !mFMaker->GetCurPeriod(year, period, start, end) ||
                !mFMaker->GetPeriodDate(year, 1, yearStart, ignored) ||
                !mFMaker->GetPeriodDate(year + 1, 1, nextYearStart, ignored))
                return false;
            if (period <= 0) return true;
            // A calendar without the first period of either year cannot bound
            // the year.
            if (yearStart.isEmpty() || nextYearStart.isEmpty()) return false;
            if (!status.empty()) status += "AND";
            status += "(" + column + ">=" + Quoted(yearStart) + kAndUpper + " " + column + "<" +
                      Quoted(nextYearStart) + ")";
            return true;
        }
        default:
            return true;
    }
}

void frmFilter::appendPlanOrder(std::string& status) {
    std::string run;
    if (!text::IsBlank(txtRunNoFrom.text()))
        Append(run, kAnd, kRunFrom + text::SqlQuote(txtRunNoFrom.text()));
    if (!text::IsBlank(txtRunNoTO.text()))
        Append(run, kAnd, kRunTo + text::SqlQuote(txtRunNoTO.text()));
    std::string states;
    if (chkPlan.value() == 1) states = "0";
    if (chkChecked.value() == 1) states += states.empty() ? "1" : ",1";
    if (chkClose.value() == 1) states += states.empty() ? "3" : ",3";
    // OK refuses a planned-order list without a state, so the list is never
    // empty there; without one the piece is left out rather than "in ()".
    if (!states.empty()) Append(run, kAnd, kStateIn + states + kStateInEnd);
    Append(status, kAnd, run);
}

// --- applicability -------------------------------------------------------------------

bool frmFilter::PostingApplies() const {
    const int32_t listId = WholeNumber(TransTypeItem::Part(cboTransType.text(), 1));
    return OneOf(listId, {1,  2,  5,  7,  8,  11, 15, 16, 17, 18, 19,  20,  21,   24,
                          29, 30, 31, 36, 37, 39, 40, 41, 42, 43, 100, 620, 2001, 2002});
}

bool frmFilter::CancellationApplies(int32_t templateId) const {
    auto connection = host::Create<host::IAppConnection>(host::progid::kAppConnection);
    auto rs = connection->getanyrecordset(kCancellationSql + text::Num(templateId) +
                                          " And FColName = " + text::SqlQuote(kCancellationColumn));
    return rs && !rs->eof();
}

bool frmFilter::ClosingApplies(int32_t templateId) const {
    if (listId_ == 6 && templateId == 69) return false;
    return OneOf(templateId, {61, 63, 64, 69, 80, 81, 82, 83, 90, 620});
}

// --- transaction-type selection ------------------------------------------------------

void frmFilter::showSelector(ui::ComboBox& combo, ui::Label& label, bool show) {
    combo.setVisible(show);
    label.setVisible(show);
}

void frmFilter::cboTransType_Click() {
    if (cboTransType.listIndex() < 0 || !mFMaker) return;
    auto& shared = support::Shared();
    const std::string item = cboTransType.text();
    MyListID = WholeNumber(TransTypeItem::Part(item, 1));
    const int32_t templateId = WholeNumber(TransTypeItem::Part(item, 2));
    mFMaker->MyListID = MyListID;
    // Every dialog builds its own catalogue: the shared template id may
    // already name this template (an earlier dialog or look-up), while this
    // dialog's FMaker has none yet.
    if (templateId != shared.TemplateID || !mFMaker->Catalogue()) {
        shared.TemplateID = templateId;
        mFMaker->InitField();
        mFMaker->InitHideColumns();
    }

    if (SuspendList(MyListID)) {
        lblPost.setCaption(kSuspendCaption);
        SetItems(cboPost, kSuspendItems);
    }

    mFMaker->LoadOrderFields(listOrderFields);
    if (listOrderFields.listCount() > 0) listOrderFields.setListIndex(0);
    cmdUp.setEnabled(false);
    cmdDown.setEnabled(false);
    cmdDelOrder.setEnabled(false);

    const bool orderTemplates = templateId >= 902 && templateId <= 911;
    showSelector(cboICMO, lblICMO, orderTemplates);
    showSelector(cboCheck, lblCheck, orderTemplates);
    showSelector(cboROB, lblROB, mFMaker->IsROBBill());
    showSelector(cboPost, lblPost, PostingApplies());

    if (showCancel_ && CancellationApplies(templateId)) {
        showSelector(cboCancel, lblCancel, true);
    } else {
        showSelector(cboCancel, lblCancel, false);
        showCancel_ = false;
    }
    showSelector(cboConnect, lblConnect, showConnect_ && ClosingApplies(templateId));
    showSelector(cboKickBack, lblKickBack, AROrAP(SystemName));

    if (OneOf(templateId, {600, 611, 601, 90, 620, 621})) {
        if (templateId == 621)
            SetItems(cboICMO, kOrderItems621);
        else if (templateId == 90 || templateId == 620)
            SetItems(cboICMO, kOrderItemsRelease);
        else
            SetItems(cboICMO, kOrderItemsAudit);
        if (templateId == 90 || templateId == 620) lblConnect.setCaption(kPlanCloseCaption);
        showSelector(cboICMO, lblICMO, true);
        lblICMO.setCaption(kDocumentStateCaption);
        showSelector(cboCheck, lblCheck, false);
        showSelector(cboTime, lblTime, true);
    }
    if (templateId == 603) showSelector(cboCheck, lblCheck, false);
    if (listId_ == 69) {
        showSelector(cboCheck, lblCheck, false);
        cboCheck.setEnabled(false);
        showSelector(cboCancel, lblCancel, false);
        showCancel_ = false;
    }

    if (shared.IsCalculate || templateId == 88) {
        showSelector(cboROB, lblROB, false);
        SelectIfPresent(cboROB, 2);
        showSelector(cboTime, lblTime, false);
        showSelector(cboCheck, lblCheck, false);
        if (shared.IsMakeVoucher)
            chkFastMode.setVisible(false);
        else
            showSelector(cboPost, lblPost, false);
        showSelector(cboCancel, lblCancel, false);
        SelectIfPresent(cboTime, templateId == 88 ? 3 : 2);
        SelectIfPresent(cboCheck, 2);
        SelectIfPresent(cboPost, 2);
    }

    applySelectorDefaults();

    if (blBeforeStart) {
        showSelector(cboTime, lblTime, false);
        showSelector(cboPost, lblPost, false);
    }

    // The run-number frame belongs to the planned-order lists only; it goes
    // again when the person switches to another transaction type.
    framePlanOrder.setVisible(PlanOrderList(MyListID));
    if (PlanOrderList(MyListID)) {
        showSelector(cboTime, lblTime, false);
        showSelector(cboCheck, lblCheck, false);
        SelectIfPresent(cboCheck, 1);
        SelectIfPresent(cboPost, 1);
        cboCheck.setEnabled(false);
        cboPost.setEnabled(false);
    }

    if (support::IsAppType1()) showSelector(cboPost, lblPost, false);
}

void frmFilter::applySelectorDefaults() {
    const auto byDefault = [](ui::ComboBox& combo, int index) {
        if (combo.listIndex() != -1 || combo.listCount() == 0) return;
        // An item set shorter than the default (order states of another
        // template) falls back to its last item, "全部".
        combo.setListIndex(index < combo.listCount() ? index : combo.listCount() - 1);
    };
    byDefault(cboTime, 2);
    byDefault(cboCheck, 2);
    byDefault(cboPost, 2);
    byDefault(cboROB, 0);
    byDefault(cboICMO, MyListID == 621 ? 4 : 3);
    byDefault(cboKickBack, 2);
}

void frmFilter::chkFastMode_Click() {
    glFastMode = chkFastMode.value();
    if (!mFMaker) return;
    int16_t mode = static_cast<int16_t>(glFastMode);
    mFMaker->InitField(&mode);
    mFMaker->LoadOrderFields(listOrderFields);
}

// --- presets from the list show status --------------------------------------------------

namespace {

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

void frmFilter::PresetSelectors() {
    presetROB_ = 0;
    if (!OneOf(listShowStatus_, {2, 4, 6})) return;

    if (const std::size_t at = FindColumn(dataFilter_, "FROB"); at != std::string::npos) {
        if (const std::size_t eq = dataFilter_.find('=', at); eq != std::string::npos)
            presetROB_ = NumberAt(dataFilter_, SkipBlanks(dataFilter_, eq + 1));
    }
    if (cboROB.visible()) {
        SelectIfPresent(cboROB, presetROB_ == 0 ? 2 : presetROB_ == 1 ? 0 : 1);
        cboROB.setEnabled(false);
    }

    const std::size_t at = FindColumn(dataFilter_, "FStatus");
    if (at == std::string::npos) return;
    const std::size_t opAt = SkipBlanks(dataFilter_, at + 7);
    const std::string_view op = OperatorAt(dataFilter_, opAt);
    if (op.empty()) return;
    std::size_t valueEnd = 0;
    const int32_t n = NumberAt(dataFilter_, SkipBlanks(dataFilter_, opAt + op.size()), &valueEnd);
    SelectIfPresent(cboCheck, CheckIndexFor(op, n));
    cboCheck.setEnabled(false);

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

}  // namespace qelt::dialog
