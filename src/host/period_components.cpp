#include <chrono>
#include <optional>

#include "host/calendar_sql.h"
#include "host/db_session.h"
#include "host/default_components.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"

// The accounting calendar: the current year and period are the system
// options "CurrentYear" and "CurrentPeriod" (category "IC"), the periods are
// the rows of t_PeriodDate.
namespace qelt::host {

namespace {

constexpr int kValueAbsent = err::kNotFound;
constexpr const char* kCurrentYearKey = "CurrentYear";
constexpr const char* kCurrentPeriodKey = "CurrentPeriod";
constexpr const char* kOptionSql =
    "SELECT FValue FROM t_SystemProfile WHERE FCategory='IC' AND FKey=";
constexpr const char* kPeriodSql = "SELECT FStartDate, FEndDate FROM t_PeriodDate WHERE FYear = ";
constexpr const char* kPeriodSqlTail = " And FPeriod = ";
constexpr const char* kPeriodCountSql =
    "SELECT count(*) AS FCount FROM t_PeriodDate WHERE FYear = ";
constexpr const char* kEarlierPeriodEndSql = "SELECT FEndDate FROM t_PeriodDate WHERE FYear < ";

// The option as a whole number; nothing when the row, its value or its
// number is missing.
std::optional<int32_t> CalendarOption(const char* key) {
    auto rs = RunQuery(kOptionSql + text::SqlQuote(key));
    if (rs->recordCount() < 1 || rs->value(0).isNull()) return std::nullopt;
    try {
        return rs->value(0).toLong();
    } catch (const Error&) {
        return std::nullopt;
    }
}

int32_t RequiredOption(const char* key, const char* source) {
    auto v = CalendarOption(key);
    if (!v)
        throw Error(kValueAbsent, source, std::string("The system option ") + key + " is not set");
    return *v;
}

RecordsetPtr PeriodRow(int32_t year, int32_t period) {
    return RunQuery(PeriodDatesSql(year, period));
}

Date DayAfter(const Date& d) {
    using namespace std::chrono;
    year_month_day next{sys_days{year{d.year} / month{static_cast<unsigned>(d.month)} /
                                 day{static_cast<unsigned>(d.day)}} +
                        days{1}};
    return Date{int(next.year()), int(unsigned(next.month())), int(unsigned(next.day()))};
}

class ListServer final : public IListServer {
public:
    bool GetCurPeriod(const std::string&, int32_t& curYear, int32_t& curPeriod, Date& startDate,
                      Date& endDate) override {
        auto y = CalendarOption(kCurrentYearKey);
        auto p = CalendarOption(kCurrentPeriodKey);
        if (!y || !p) return false;
        auto rs = PeriodRow(*y, *p);
        if (rs->recordCount() < 1) return false;
        curYear = *y;
        curPeriod = *p;
        startDate = rs->value("FStartDate").toDate();
        endDate = rs->value("FEndDate").toDate();
        return true;
    }

    std::string GetExtFilter(const std::string&) override { return {}; }
};

class AisInfo final : public IAisInfo {
public:
    void setPropsString(const std::string& propsString) override { props_ = propsString; }

    int32_t CBGetPeriodCount() override {
        auto rs = RunQuery(kPeriodCountSql + text::Num(CBGetCurrYear()));
        return rs->recordCount() < 1 ? 0 : rs->value(0).toLong();
    }

    int32_t CBGetCurrYear() override { return RequiredOption(kCurrentYearKey, progid::kAisInfo); }

    int32_t CBGetCurrPeriod() override {
        return RequiredOption(kCurrentPeriodKey, progid::kAisInfo);
    }

    // The start of the period. A period not in the calendar yet (the first
    // one of next year, asked for as the end of the last period) starts the
    // day after the latest period before it ends.
    Date GetPeriodDate(int32_t year, int32_t period) override {
        auto rs = PeriodRow(year, period);
        if (rs->recordCount() > 0) return rs->value("FStartDate").toDate();
        auto earlier =
            RunQuery(kEarlierPeriodEndSql + text::Num(year) + " OR (FYear = " + text::Num(year) +
                     " AND FPeriod < " + text::Num(period) + ") ORDER BY FYear DESC, FPeriod DESC");
        if (earlier->recordCount() < 1 || earlier->value(0).isNull())
            throw Error(
                kValueAbsent, progid::kAisInfo,
                "No period " + text::Num(period) + " of " + text::Num(year) + " in t_PeriodDate");
        return DayAfter(earlier->value(0).toDate());
    }

private:
    std::string props_;
};

}  // namespace

std::string PeriodDatesSql(int32_t year, int32_t period) {
    return kPeriodSql + text::Num(year) + kPeriodSqlTail + text::Num(period);
}

namespace defaults {
std::shared_ptr<Component> NewListServer() {
    return std::make_shared<ListServer>();
}
std::shared_ptr<Component> NewAisInfo() {
    return std::make_shared<AisInfo>();
}
}  // namespace defaults

}  // namespace qelt::host
