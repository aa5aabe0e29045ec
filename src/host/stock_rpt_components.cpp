#include "host/db_session.h"
#include "host/default_components.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"

// The stock reports' data service: where the stock system started. The start
// year is a system option, the start period the caller's; the date is that
// period's first day in the accounting calendar.
namespace qelt::host {

namespace {

constexpr const char* kStartYearSql =
    "SELECT FValue FROM t_SystemProfile WHERE FCategory='IC' AND FKey='StartYear'";
constexpr const char* kPeriodStartSql = "SELECT FStartDate FROM t_PeriodDate WHERE FYear = ";

class StockRptData final : public IStockRptData {
public:
    std::string GetStartDate(const std::string&, int32_t& startPeriod) override {
        auto year = RunQuery(kStartYearSql);
        if (year->recordCount() < 1 || year->value(0).isNull()) return {};
        int32_t startYear = 0;
        try {
            startYear = year->value(0).toLong();
        } catch (const Error&) {
            return {};
        }
        auto period = RunQuery(kPeriodStartSql + text::Num(startYear) +
                               " And FPeriod = " + text::Num(startPeriod));
        if (period->recordCount() < 1 || period->value(0).isNull()) return {};
        return period->value(0).toDate().format();
    }
};

}  // namespace

namespace defaults {
std::shared_ptr<Component> NewStockRptData() {
    return std::make_shared<StockRptData>();
}
}  // namespace defaults

}  // namespace qelt::host
