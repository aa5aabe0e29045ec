// The status text: the SQL fragment each status selector's choice gives,
// joined in a fixed order into the condition that the extra filter wraps as
// " AND (" + text + ")".
#include <chrono>
#include <initializer_list>
#include <string>
#include <string_view>

#include "dialog/frm_filter.h"
#include "dialog/selector_panel.h"
#include "editing/fmaker.h"
#include "platform/text.h"
#include "support/shared_settings.h"

namespace qelt::dialog {

namespace {

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

bool AROrAP(const std::string& systemName) {
    const std::string upper = text::ToUpper(systemName);
    return upper == "AR" || upper == "AP";
}

// Lists 2001 and 2002 keep their states as bits of FStatus.
bool BitStatusList(int32_t listId) {
    return listId == 2001 || listId == 2002;
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

}  // namespace

std::string SelectorPanel::statusText() {
    const auto& shared = support::Shared();
    const int32_t templateId = shared.TemplateID;
    std::string status;

    appendCheckOrOrderState(status);
    if (d_.inputs().listId != 9 && d_.inputs().listId != 10 && inUse("cboTime") &&
        !appendDateRange(status))
        return {};

    if (inUse("cboROB") && d_.models.maker && d_.models.maker->IsROBBill())
        Append(status, kAnd, At(kROBFragments, d_.cboROB.listIndex()));

    if (postingApplies()) {
        if (SuspendList(d_.MyListID))
            Append(status, kAnd, At(kSuspendFragments, d_.cboPost.listIndex()));
        else if (inUse("cboPost"))
            Append(status, kAnd,
                   At(BitStatusList(d_.MyListID) ? kVoucherFragments : kPostFragments,
                      d_.cboPost.listIndex()));
    }

    if (inUse("cboKickBack")) {
        if (!OneOf(templateId, {84, 62, 89, 91})) {
            if (d_.models.maker && AROrAP(d_.models.maker->SystemName) &&
                d_.cboKickBack.listIndex() != 2)
                Append(status, kAndUpper,
                       At(BitStatusList(d_.MyListID) ? kARPBitFragments : kARPFragments,
                          d_.cboKickBack.listIndex()));
        } else {
            Append(status, kAndUpper, At(kHookFragments, d_.cboKickBack.listIndex()));
        }
    }

    if (showCancel_ && inUse("cboCancel"))
        Append(status, kAnd, At(kCancelFragments, d_.cboCancel.listIndex()));

    if (showConnect_ && inUse("cboConnect"))
        Append(status, kAnd,
               At(SuspendList(d_.inputs().listId) ? kMRPCloseFragments : kCloseFragments,
                  d_.cboConnect.listIndex()));

    if (d_.blBeforeStart) Append(status, kAnd, kBeforeStart + text::SqlQuote(d_.GetStartDate()));

    if (d_.framePlanOrder.visible() && PlanOrderList(d_.MyListID)) appendPlanOrder(status);
    return status;
}

void SelectorPanel::appendCheckOrOrderState(std::string& status) {
    const int32_t templateId = support::Shared().TemplateID;
    if (!OneOf(templateId, {90, 600, 601, 611, 620, 621, 691})) {
        if (templateId == kStatusTemplate)
            Append(status, "", At(kStatusTemplateFragments, d_.cboCheck.listIndex()));
        else if (inUse("cboCheck"))
            Append(status, "",
                   At(BitStatusList(d_.MyListID) ? kCheckBitFragments : kCheckFragments,
                      d_.cboCheck.listIndex()));
        return;
    }
    if (!inUse("cboICMO")) return;
    const int index = d_.cboICMO.listIndex();
    status = d_.MyListID == 601   ? At(kOrderState601, index)
             : d_.MyListID == 621 ? At(kOrderState621, index)
             : d_.MyListID == 691 ? At(kOrderState691, index)
                                  : At(kOrderStateOther, index);
    if (text::IFind(status, "OR") != std::string::npos) status = "(" + status + ") ";
}

bool SelectorPanel::appendDateRange(std::string& status) {
    const auto& shared = support::Shared();
    const int32_t templateId = shared.TemplateID;
    const std::string column = OneOf(templateId, {90, 611, 620}) ? kFCheckDate : kFDate;
    const std::string dayOf = kDayOf + column + kDayOfEnd;

    switch (d_.cboTime.listIndex()) {
        case 0: {
            // A server that cannot tell its date leaves the list unrestricted
            // rather than comparing with an empty date.
            const Date today = d_.models.maker ? d_.models.maker->GetToday() : Date{};
            if (today.isEmpty()) return true;
            if (status.empty())
                status += "( " + dayOf + "=" + Quoted(today) + ")";
            else
                status += std::string(kAndUpper) + "(" + dayOf + "=" + Quoted(today) + ")";
            return true;
        }
        case 1: {
            const Date today = d_.models.maker ? d_.models.maker->GetToday() : Date{};
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
            if (!d_.models.maker || !d_.models.maker->GetCurPeriod(year, period, start, end))
                return false;
            if (period <= 0) return true;
            if (start.isEmpty() || end.isEmpty()) return false;
            // t_PeriodDate holds a period's last day at midnight, while
            // documents carry times (audit dates) or midnight (bill dates): the
            // exclusive bound is the day after. The cost system's calendar
            // already answers the next period's start.
            const Date bound = d_.models.maker->SystemName == kCostSystemName
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
            if (!d_.models.maker || !d_.models.maker->GetCurPeriod(year, period, start, end) ||
                !d_.models.maker->GetPeriodDate(year, 1, yearStart, ignored) ||
                !d_.models.maker->GetPeriodDate(year + 1, 1, nextYearStart, ignored))
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

void SelectorPanel::appendPlanOrder(std::string& status) {
    std::string run;
    if (!text::IsBlank(d_.txtRunNoFrom.text()))
        Append(run, kAnd, kRunFrom + text::SqlQuote(d_.txtRunNoFrom.text()));
    if (!text::IsBlank(d_.txtRunNoTO.text()))
        Append(run, kAnd, kRunTo + text::SqlQuote(d_.txtRunNoTO.text()));
    std::string states;
    if (d_.chkPlan.value() == 1) states = "0";
    if (d_.chkChecked.value() == 1) states += states.empty() ? "1" : ",1";
    if (d_.chkClose.value() == 1) states += states.empty() ? "3" : ",3";
    // OK refuses a planned-order list without a state, so the list is never
    // empty there; without one the piece is left out rather than "in ()".
    if (!states.empty()) Append(run, kAnd, kStateIn + states + kStateInEnd);
    Append(status, kAnd, run);
}

}  // namespace qelt::dialog
