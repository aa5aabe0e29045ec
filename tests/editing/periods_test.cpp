#include <gtest/gtest.h>

#include <string>

#include "common/host_fake.h"
#include "common/test_env.h"
#include "editing/fmaker.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

// The host components' answers as the editing model reads them; the default
// components' own reading of the database is tested with the host.
class Periods : public ::testing::Test {
protected:
    TempDatabase db;
    MessageRecorder messages;
    std::shared_ptr<HostFake> host =
        HostFake::Install({"clsListServer", "AisInfo", "GetData", "GLData"});
    editing::FMaker maker;
    int32_t year = 0, period = 0;
    Date start{1999, 1, 1}, end{1999, 1, 1};
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
        {"", false, 12, "false clsListServer.new; clsListServer.GetCurPeriod()|中间层调用失败！"},
        {cost, true, 12,
         "2026.12 2026/12/01-2027/01/01 " + ais + "2026,12); AisInfo.GetPeriodDate(2027,1)"},
        {cost, true, 4,
         "2026.4 2026/04/01-2026/05/01 " + ais + "2026,4); AisInfo.GetPeriodDate(2026,5)"},
        {cost, false, 4, "false AisInfo.new; AisInfo.CBGetPeriodCount()"},  // raising
    };
    for (const auto& c : cases) {
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
        for (const auto& m : messages.messages) out += "|" + m.text;
        messages.messages.clear();
        EXPECT_EQ(out, c.expected);
    }
}

// Period dates, today and the red/blue flag come from the host's statements:
// no row is no error and leaves the dates, a missing column is a failed call,
// a failing component gives no date and no red/blue bill; template 97 is
// red/blue whatever its transaction type says.
TEST_F(Periods, DatesAndRedBlueFlagComeFromTheHostsStatements) {
    host::SetSharedProperty(host::kPropsStringProperty, "UserID=2");
    support::Shared().TemplateID = 501;
    EXPECT_TRUE(maker.GetPeriodDate(2026, 11, start, end));
    EXPECT_EQ(end, (Date{1999, 1, 1}));
    EXPECT_TRUE(maker.GetToday().isEmpty());
    EXPECT_FALSE(maker.IsROBBill());
    EXPECT_EQ(host->take(),
              "GetData.new; GetData.ExecuteSQL([UserID=2],[SELECT FStartDate, FEndDate FROM "
              "t_PeriodDate WHERE FYear = 2026 And FPeriod = 11]); GLData.new; "
              "GLData.getanyrecordset([Select getdate() ]); GLData.getanyrecordset([Select t1.FROB "
              "From ICTransactionType t1,ICListTemplate t2  Where t1.FID=t2.FBillTemplateID and "
              "t2.FTemplateID=501])");
    host->rows["GetData"] = Rows({{"FStartDate", "2026-11-01"}, {"FEndDate", "2026-11-30"}});
    ASSERT_TRUE(maker.GetPeriodDate(2026, 11, start, end));
    EXPECT_EQ(start.format() + "-" + end.format(), "2026/11/01-2026/11/30");
    host->rows["GetData"] = Rows({{"FStartDate", "2026-01-01"}});
    EXPECT_FALSE(maker.GetPeriodDate(2026, 1, start, end));
    EXPECT_EQ(start.format(), "2026/01/01") << "the start is read before the end is missed";
    host->rows["GLData"] = Rows({{"FROB", 1}});
    EXPECT_TRUE(maker.IsROBBill());
    host->rows["GLData"] = Rows({{"FROB", 0}});
    EXPECT_FALSE(maker.IsROBBill());
    support::Shared().TemplateID = 97;
    EXPECT_TRUE(maker.IsROBBill());
    host->rows["GLData"] = Rows({{"getdate", "2026-12-07 10:00:00"}});
    EXPECT_EQ(maker.GetToday(), (Date{2026, 12, 7, 10, 0, 0}));
    host->failing = {"GLData"};
    host->rows["GLData"] = Rows({{"FROB", 1}});
    support::Shared().TemplateID = 501;
    EXPECT_TRUE(maker.GetToday().isEmpty());
    EXPECT_FALSE(maker.IsROBBill());
}

}  // namespace
}  // namespace qelt::testing
