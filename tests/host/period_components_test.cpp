#include <gtest/gtest.h>

#include "common/test_env.h"
#include "host/prog_ids.h"
#include "qelt/error.h"
#include "qelt/host/components.h"

namespace qelt {
namespace {

using testing::TempDatabase;

constexpr const char* kCalendar = R"sql(
INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', 'CurrentYear', '2026');
INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', 'CurrentPeriod', '3');
INSERT INTO t_PeriodDate VALUES (2025, 12, '2025-12-01 00:00:00', '2025-12-31 00:00:00');
INSERT INTO t_PeriodDate VALUES (2026, 1, '2026-01-01 00:00:00', '2026-01-31 00:00:00');
INSERT INTO t_PeriodDate VALUES (2026, 2, '2026-02-01 00:00:00', '2026-02-28 00:00:00');
INSERT INTO t_PeriodDate VALUES (2026, 3, '2026-03-01 00:00:00', '2026-03-31 00:00:00');
)sql";

class PeriodComponents : public ::testing::Test {
protected:
    TempDatabase db;
    int32_t year = 0, period = 0;
    Date start, end;
};

TEST_F(PeriodComponents, ListServerAnswersTheCurrentPeriodAndItsDates) {
    db.exec(kCalendar);
    auto server = host::Create<host::IListServer>(host::progid::kListServer);
    ASSERT_TRUE(server->GetCurPeriod("", year, period, start, end));
    EXPECT_EQ(year, 2026);
    EXPECT_EQ(period, 3);
    EXPECT_EQ(start.isoText(), "2026-03-01 00:00:00");
    EXPECT_EQ(end.isoText(), "2026-03-31 00:00:00");
    EXPECT_EQ(server->GetExtFilter(""), "");
}

TEST_F(PeriodComponents, ListServerAnswersFalseWithoutACalendar) {
    auto server = host::Create<host::IListServer>(host::progid::kListServer);
    EXPECT_FALSE(server->GetCurPeriod("", year, period, start, end));
    db.exec(
        "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', 'CurrentYear', "
        "'2026');"
        "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', 'CurrentPeriod', "
        "'4');");
    EXPECT_FALSE(server->GetCurPeriod("", year, period, start, end));
    EXPECT_EQ(year, 0);
}

TEST_F(PeriodComponents, SystemDataCountsThePeriodsOfTheCurrentYear) {
    db.exec(kCalendar);
    auto ais = host::Create<host::IAisInfo>(host::progid::kAisInfo);
    ais->setPropsString("UserID=16394");
    EXPECT_EQ(ais->CBGetCurrYear(), 2026);
    EXPECT_EQ(ais->CBGetCurrPeriod(), 3);
    EXPECT_EQ(ais->CBGetPeriodCount(), 3);
    EXPECT_EQ(ais->GetPeriodDate(2026, 2).isoText(), "2026-02-01 00:00:00");
}

TEST_F(PeriodComponents, PeriodNotInTheCalendarStartsAfterTheLastOne) {
    db.exec(kCalendar);
    auto ais = host::Create<host::IAisInfo>(host::progid::kAisInfo);
    EXPECT_EQ(ais->GetPeriodDate(2026, 4).isoText(), "2026-04-01 00:00:00");
    EXPECT_EQ(ais->GetPeriodDate(2027, 1).isoText(), "2026-04-01 00:00:00");
    EXPECT_THROW(ais->GetPeriodDate(2025, 1), Error);
}

TEST_F(PeriodComponents, SystemDataRaisesWithoutCurrentYear) {
    auto ais = host::Create<host::IAisInfo>(host::progid::kAisInfo);
    EXPECT_THROW(ais->CBGetCurrYear(), Error);
    EXPECT_THROW(ais->CBGetPeriodCount(), Error);
}

}  // namespace
}  // namespace qelt
