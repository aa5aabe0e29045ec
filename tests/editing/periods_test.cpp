#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "common/host_fake.h"
#include "common/test_env.h"
#include "editing/fmaker.h"
#include "qelt/recordset.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

class Periods : public ::testing::Test {
protected:
    editing::FMaker maker;
    int32_t year = 0, period = 0;
    Date start, end;
};

// What the default components read from the session database, on every
// backend.
class PeriodsInTheDatabase : public ::testing::WithParamInterface<Backend>, public Periods {
protected:
    TempDatabase db{GetParam()};
};

// The current period from the list server, or for the cost system from its
// period dates; a refusal is reported, a failing component is not.
TEST_F(Periods, CurrentPeriodComesFromTheHostComponents) {
    const std::string cost = "成本(工业)系统";
    const std::string ais =
        "AisInfo.new; AisInfo.CBGetPeriodCount(); AisInfo.CBGetCurrYear(); "
        "AisInfo.CBGetCurrPeriod(); AisInfo.GetPeriodDate(";
    const struct {
        std::string system;
        bool allow;
        int32_t period;
        std::string expected;
    } cases[] = {
        {"", true, 12,
         "2026.7 2026/07/01-2026/07/31 clsListServer.new; clsListServer.GetCurPeriod()"},
        {"", false, 12,
         "false clsListServer.new; clsListServer.GetCurPeriod()|Vostrel提示|中间层调用失败！"},
        {cost, true, 12,
         "2026.12 2026/12/01-2027/01/01 " + ais + "2026,12); AisInfo.GetPeriodDate(2027,1)"},
        {cost, true, 4,
         "2026.4 2026/04/01-2026/05/01 " + ais + "2026,4); AisInfo.GetPeriodDate(2026,5)"},
        {cost, false, 4, "false AisInfo.new; AisInfo.CBGetPeriodCount()"},  // raising
    };
    TempDatabase db;
    auto host = HostFake::Install({"clsListServer", "AisInfo"});
    for (const auto& c : cases) {
        MessageRecorder messages;
        maker.SystemName = c.system;
        host->allow = c.allow;
        host->period = c.period;
        host->failing.clear();
        if (c.system == cost && !c.allow) host->failing = {"AisInfo"};
        std::string out = maker.GetCurPeriod(year, period, start, end)
                              ? std::to_string(year) + "." + std::to_string(period) + " " +
                                    start.format() + "-" + end.format()
                              : "false";
        out += " " + host->take();
        for (const auto& m : messages.messages) out += "|" + m.title + "|" + m.text;
        EXPECT_EQ(out, c.expected);
    }
}

TEST_P(PeriodsInTheDatabase, DefaultComponentsReadPeriodsFromTheDatabase) {
    db.exec(
        "DELETE FROM t_PeriodDate; DELETE FROM t_SystemProfile WHERE FCategory='IC' AND FKey IN "
        "('CurrentYear','CurrentPeriod');"
        "INSERT INTO t_PeriodDate (FYear, FPeriod, FStartDate, FEndDate) VALUES "
        "(2026, 11, '2026-11-01 00:00:00', '2026-11-30 00:00:00'),"
        "(2026, 12, '2026-12-01 00:00:00', '2026-12-31 00:00:00');"
        "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES "
        "('IC','CurrentYear','2026'), ('IC','CurrentPeriod','12');");
    ASSERT_TRUE(maker.GetPeriodDate(2026, 11, start, end));
    EXPECT_EQ(start.format() + "-" + end.format(), "2026/11/01-2026/11/30");
    ASSERT_TRUE(maker.GetCurPeriod(year, period, start, end));
    EXPECT_EQ(std::to_string(year) + "." + std::to_string(period) + " " + start.format() + "-" +
                  end.format(),
              "2026.12 2026/12/01-2026/12/31");

    Date untouched{1999, 1, 1};
    Date untouchedEnd = untouched;
    ASSERT_TRUE(maker.GetPeriodDate(2030, 1, untouched, untouchedEnd)) << "no row is no error";
    EXPECT_EQ(untouched, (Date{1999, 1, 1}));
}

TEST_P(PeriodsInTheDatabase, TodayComesFromTheServerOrIsEmpty) {
    const Date today = maker.GetToday();
    // getdate() is the server's own, or defined with the schema on PostgreSQL,
    // or registered on the library's SQLite handle: the SQLite ODBC driver's
    // connections have none.
    if (GetParam() == Backend::Odbc)
        EXPECT_TRUE(today.isEmpty());
    else
        EXPECT_EQ(today.format().substr(0, 7), Date::now().format().substr(0, 7));
}

TEST_P(PeriodsInTheDatabase, RedBlueBillsFollowTheTransactionTypeAndTemplate97) {
    db.exec(
        "INSERT INTO ICTransactionType (FID, FName, FROB) VALUES (1, 'in', 1), (2, 'out', 0);"
        "INSERT INTO ICListTemplate (FID, FName, FTemplateID, FBillTemplateID) VALUES "
        "(501, 'a', 501, 1), (502, 'b', 502, 2);");
    support::Shared().TemplateID = 501;
    EXPECT_TRUE(maker.IsROBBill());
    support::Shared().TemplateID = 502;
    EXPECT_FALSE(maker.IsROBBill());
    support::Shared().TemplateID = 97;
    EXPECT_TRUE(maker.IsROBBill()) << "97 is red/blue even without a row";
}

// Components that answer nothing, or too little, leave the dates alone: no
// row is no error, a missing column is a failed call; a failing one is no
// red/blue bill and no date.
TEST_F(Periods, MissingOrShortAnswersLeaveDatesUntouched) {
    TempDatabase db;
    auto data = HostFake::Install({"GetData", "GLData"});
    start = Date{1999, 1, 1};
    end = start;
    host::SetSharedProperty(host::kPropsStringProperty, "UserID=2");
    EXPECT_TRUE(maker.GetPeriodDate(2026, 11, start, end));
    EXPECT_TRUE(maker.GetToday().isEmpty());
    support::Shared().TemplateID = 501;
    EXPECT_FALSE(maker.IsROBBill());
    EXPECT_EQ(data->take(),
              "GetData.new; GetData.ExecuteSQL([UserID=2],[SELECT FStartDate, FEndDate FROM "
              "t_PeriodDate WHERE FYear = 2026 And FPeriod = 11]); GLData.new; "
              "GLData.getanyrecordset([Select getdate() ]); GLData.getanyrecordset([Select t1.FROB "
              "From ICTransactionType t1,ICListTemplate t2  Where t1.FID=t2.FBillTemplateID and "
              "t2.FTemplateID=501])");
    data->rows["GetData"] = std::make_shared<Recordset>();
    data->rows["GetData"]->appendField("FStartDate", adDate);
    data->rows["GetData"]->open();
    data->rows["GetData"]->appendRow({Variant(Date{2026, 1, 1})});
    EXPECT_FALSE(maker.GetPeriodDate(2026, 11, start, end));
    EXPECT_EQ(end, (Date{1999, 1, 1}));
    data->failing = {"GLData"};
    data->rows["GLData"] = Rows({{"FROB", 1}});
    EXPECT_TRUE(maker.GetToday().isEmpty());
    EXPECT_FALSE(maker.IsROBBill());
}

INSTANTIATE_TEST_SUITE_P(AllBackends, PeriodsInTheDatabase, ::testing::ValuesIn(AllBackends()),
                         [](const auto& info) { return BackendName(info.param); });

}  // namespace
}  // namespace qelt::testing
