#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/host_fake.h"
#include "common/test_env.h"
#include "editing/fmaker.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

class MoneyVisibility : public ::testing::Test {
protected:
    void TearDown() override { support::ResetProcessState(); }

    // The rights checks made since the last call, then whether money shows.
    std::string shown(bool visible) {
        std::erase(gl->calls, "GLData.new");
        return gl->take() + (visible ? " shown" : " hidden");
    }
    std::string stock(int type) {
        maker.CurTransType = type;
        EXPECT_TRUE(maker.GetMoneyVisForStock());
        EXPECT_EQ(maker.CurTransType, 0) << "the current type is reset after the check";
        return shown(maker.StockMoneyVisible());
    }

    std::shared_ptr<HostFake> gl = HostFake::Install({"GLData"});
    editing::FMaker maker;
};

// A rights check that raises hides the money, as a refusal does.
TEST_F(MoneyVisibility, StockMoneyIsDecidedByTheTypesRightsObjectAndFailsClosed) {
    gl->allow = false;
    gl->failing = {"GLData"};
    for (int type : {4, 14, 20, 22, 24, 25, 101, 102, 103, 137, 610, 630, 620, 36})
        EXPECT_EQ(stock(type), " shown") << type;
    const struct {
        int type;
        bool allow, fails;
        std::string expected;
    } cases[] = {
        {99, true, false, "GLData.AccessCheck(1089,1,4) shown"},
        {612, false, false, "GLData.AccessCheck(1023,19,4) hidden"},
        {702, true, false, "GLData.AccessCheck(64010,1,4) shown"},
        {5000, true, false, "GLData.AccessCheck(0,0,4) shown"},
        {0, true, false, "GLData.AccessCheck(1088,23,4) shown"},  // the default type 31
        {99, true, true, "GLData.AccessCheck(1089,1,4) hidden"},
    };
    maker.setDestBillTransType("31");
    for (const auto& c : cases) {
        gl->allow = c.allow;
        gl->failing.clear();
        if (c.fails) gl->failing = {"GLData"};
        EXPECT_EQ(stock(c.type), c.expected);
    }
    EXPECT_FALSE(maker.GetMoneyVis());
    maker.setDestBillTransType("abc");
    EXPECT_EQ(maker.DefaultTransType, 0);
    maker.setDestBillTransType(" 21 ");
    EXPECT_EQ(maker.DefaultTransType, 21);
}

TEST_F(MoneyVisibility, SystemNamesAndCalculateFlagShowMoney) {
    gl->allow = false;
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

// In order confirmation mode its own right decides, and a raising check hides.
TEST_F(MoneyVisibility, OrderConfirmationModeIsDecidedByItsOwnRight) {
    maker.SystemName = "Calculate";
    maker.setListShowStatus(2);
    maker.ModeText = " 70 ";
    support::Shared().TemplateID = 61;
    gl->allow = false;
    EXPECT_EQ(shown(maker.GetMoneyVis()), "GLData.AccessCheck(1088,21,4) hidden");
    gl->allow = true;
    gl->failing = {"GLData"};
    EXPECT_EQ(shown(maker.GetMoneyVis()), "GLData.AccessCheck(1088,21,4) hidden");
    support::Shared().TemplateID = 62;
    EXPECT_EQ(shown(maker.GetMoneyVis()), " shown");
}

}  // namespace
}  // namespace qelt::testing
