#include <gtest/gtest.h>

#include <tuple>

#include "common/test_env.h"
#include "editing/fakes.h"
#include "editing/fmaker.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

using Check = std::tuple<int, int, int>;

class MoneyVisibility : public ::testing::Test {
protected:
    void SetUp() override { gl = InstallFakeGLData(); }
    void TearDown() override { support::ResetProcessState(); }
    std::shared_ptr<FakeGLData> gl;
    editing::FMaker maker;
};

TEST_F(MoneyVisibility, AlwaysVisibleTypesNeverAskTheRightsCheck) {
    for (int type : {4, 14, 20, 22, 24, 25, 101, 102, 103, 137, 610, 630, 620, 36}) {
        maker.CurTransType = type;
        EXPECT_TRUE(maker.GetMoneyVisForStock());
        EXPECT_TRUE(maker.StockMoneyVisible()) << type;
        EXPECT_TRUE(maker.GetMoneyVis()) << type;
    }
    EXPECT_TRUE(gl->checks.empty());
}

TEST_F(MoneyVisibility, OtherTypesAskTheirRightsObjectForViewRight) {
    gl->answer = false;
    maker.CurTransType = 99;
    maker.GetMoneyVisForStock();
    maker.CurTransType = 612;
    maker.GetMoneyVisForStock();
    maker.CurTransType = 702;
    maker.GetMoneyVisForStock();
    EXPECT_EQ(gl->checks, (std::vector<Check>{{1089, 1, 4}, {1023, 19, 4}, {64010, 1, 4}}));
    EXPECT_FALSE(maker.StockMoneyVisible());
    EXPECT_FALSE(maker.GetMoneyVis());
}

TEST_F(MoneyVisibility, UnknownTypeChecksObjectZeroAndCurrentTypeFallsBackToDefault) {
    maker.setDestBillTransType("31");
    maker.GetMoneyVisForStock();  // current 0: the default type 31 applies
    maker.CurTransType = 5000;
    maker.GetMoneyVisForStock();
    EXPECT_EQ(gl->checks, (std::vector<Check>{{1088, 23, 4}, {0, 0, 4}}));
    EXPECT_EQ(maker.CurTransType, 0) << "the current type is reset after the check";
}

TEST_F(MoneyVisibility, SystemNamesAndCalculateFlagShowMoney) {
    gl->answer = false;
    maker.GetMoneyVisForStock();
    EXPECT_FALSE(maker.GetMoneyVis());
    for (const char* name :
         {"Calculate", "plan", "ShopFloor", "REPM", "opermanage", "Subcontractor"}) {
        maker.SystemName = name;
        EXPECT_TRUE(maker.GetMoneyVis()) << name;
    }
    maker.SystemName = "calculate";  // only the exact spelling counts for this one
    EXPECT_FALSE(maker.GetMoneyVis());
    support::Shared().IsCalculate = true;
    EXPECT_TRUE(maker.GetMoneyVis());
}

TEST_F(MoneyVisibility, OrderConfirmationModeIsDecidedByItsOwnRight) {
    maker.SystemName = "Calculate";
    maker.setListShowStatus(2);
    maker.ModeText = " 70 ";
    support::Shared().TemplateID = 61;
    gl->answer = false;
    EXPECT_FALSE(maker.GetMoneyVis());
    EXPECT_EQ(gl->checks, (std::vector<Check>{{1088, 21, 4}}));

    support::Shared().TemplateID = 62;
    EXPECT_TRUE(maker.GetMoneyVis());
    EXPECT_EQ(gl->checks.size(), 1u);
}

TEST_F(MoneyVisibility, BadDestinationTypeTextLeavesNoDefault) {
    maker.setDestBillTransType("abc");
    EXPECT_EQ(maker.DefaultTransType, 0);
    maker.setDestBillTransType(" 21 ");
    EXPECT_EQ(maker.DefaultTransType, 21);
}

}  // namespace
}  // namespace qelt::testing
