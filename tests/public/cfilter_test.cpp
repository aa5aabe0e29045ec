#include "qelt/cfilter.h"

#include <gtest/gtest.h>

#include "common/test_env.h"
#include "qelt/error.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

// List 1 (template 501): head v1 joined to entries u1; two always-selected
// columns, one entry column that is selected only on demand.
const std::string kFixture =
    ReadFile(std::string(QELT_TEST_SOURCE_DIR) + "/tests/public/golden/facade_lists.sql");

constexpr const char* kList1Sql =
    "SELECT TOP 5000 v1.FBillNo AS FBillNo,v1.FDate AS FDate\r\n"
    "  from TableA v1 WITH (READPAST)  INNER JOIN TableB u1 WITH (READPAST)  ON   "
    "v1.FInterID = u1.FInterID\r\n\r\n"
    " where 1=1 AND  (v1.FStatus=1)  ORDER BY v1.FBillNo";

class Facade : public ::testing::Test {
protected:
    void SetUp() override {
        db.exec(kFixture);
        qelt::host::SetSharedProperty("PropsString", "UserID=7;UserName=li");
    }
    std::string WhereOf(const std::string& sql) {
        auto at = sql.find(" where ");
        return at == std::string::npos ? "" : sql.substr(at);
    }
    TempDatabase db;
    MessageRecorder messages;
};

TEST_F(Facade, LookupPathBuildsTheWholeListSelect) {
    CFilter filter;
    filter.setListID(1);
    EXPECT_TRUE(filter.getInfoByF7Key("").isEmpty());
    ASSERT_TRUE(filter.OK());
    EXPECT_EQ(filter.Datasql(), kList1Sql);
    // The look-up path leaves the WHERE result alone.
    EXPECT_EQ("[" + filter.SQLWHERE() + "]" + std::to_string(filter.MyListID) + "|" +
                  std::to_string(filter.TemplateID()) + "|" + filter.CJName(),
              "[]1|501|采购订单");
    auto head = filter.getListHead();
    auto info = filter.getListTemplateInfo();
    ASSERT_TRUE(head && info);
    ASSERT_EQ(head->size(), 2u);
    EXPECT_EQ(head->at(0)->keyAt(0) + "|" + head->at(0)->at("FColName").toString() + "|" +
                  head->at(1)->at("FColCaption").toString() + "|" + info->at("FID").toString() +
                  "|" + info->at("FMasterTable").toString(),
              "FColCaption|FBillNo|日期|1|v1,u1");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(Facade, ExtraFilterCombinesWithTheTemplateFilterUnlessTold) {
    CFilter filter;
    filter.setListID(1);
    filter.getInfoByF7Key("v1.FQty>0");
    EXPECT_EQ(WhereOf(filter.Datasql()),
              " where 1=1 AND  (v1.FQty>0 AND v1.FStatus=1)  ORDER BY v1.FBillNo");

    filter.getInfoByF7Key("v1.FQty>0", false, true);
    EXPECT_EQ(WhereOf(filter.Datasql()), " where 1=1 AND  (v1.FQty>0)  ORDER BY v1.FBillNo");

    filter.getInfoByF7Key("  ", false, true);
    EXPECT_EQ(WhereOf(filter.Datasql()), " where 1=1 AND  (v1.FStatus=1)  ORDER BY v1.FBillNo")
        << "a blank extra filter takes the template's even when not needed";
}

TEST_F(Facade, NothingFoundLeavesResultsAsTheyWere) {
    CFilter filter;
    filter.setListID(1);
    filter.getInfoByF7Key("");
    ASSERT_TRUE(filter.OK());

    filter.setListID(999);
    filter.getInfoByF7Key("");
    EXPECT_TRUE(filter.OK());
    EXPECT_EQ(filter.Datasql(), kList1Sql);
    EXPECT_EQ(filter.MyListID, 1);

    filter.setListID(2);  // a list row whose template id is absent
    filter.getInfoByF7Key("");
    EXPECT_TRUE(filter.OK());
    EXPECT_EQ(filter.Datasql(), kList1Sql);
    EXPECT_EQ(filter.CJName(), "无模板");
}

TEST_F(Facade, TemplateThatCannotBecomeSqlIsNoSuccess) {
    CFilter filter;
    filter.setListID(3);
    filter.getInfoByF7Key("");
    EXPECT_FALSE(filter.OK());
    EXPECT_EQ(filter.Datasql(), "");
}

TEST_F(Facade, NewFilterResetsSharedSettingsForAll) {
    CFilter first;
    first.setListID(1);
    first.setFilter("FID in (1)");
    first.setIsMakeVoucher(true);
    first.getInfoByF7Key("");
    EXPECT_EQ(first.Datasql().rfind("SELECT v1.FBillNo", 0), 0u) << "no TOP when making vouchers";
    ASSERT_EQ(first.TemplateID(), 501);

    CFilter second;
    EXPECT_EQ(std::to_string(first.TemplateID()) + "[" + first.CJName() + "][" +
                  support::Shared().Filter + "]" + std::to_string(support::Shared().IsMakeVoucher) +
                  std::to_string(second.OK()),
              "0[][]00");
}

TEST_F(Facade, AuditChoiceLastsOnlyUntilTheNextLookup) {
    CFilter filter;
    filter.SetAuditChoice(0);
    EXPECT_EQ(support::Shared().AuditChoice, 0);
    filter.setListID(1);
    filter.getInfoByF7Key("");
    EXPECT_EQ(support::Shared().AuditChoice, -1) << "re-read from the options, default true";

    db.exec(
        "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC','AuditChoice','0')");
    filter.getInfoByF7Key("");
    EXPECT_EQ(support::Shared().AuditChoice, 0);
}

TEST_F(Facade, ConnectionFailureReachesTheHostAsAnError) {
    CFilter filter;
    EXPECT_NO_THROW(filter.setLocalConnectingString(db.sociConnectionString()));
    EXPECT_THROW(filter.setLocalConnectingString("nosuchbackend://x"), Error);
}

TEST_F(Facade, VariantFormsOfSwitchesConvertToWholeNumbers) {
    CFilter filter;
    filter.setCROSSRPT(Variant("1"));
    filter.setCheckSwitch(Variant(true));
    EXPECT_EQ(filter.CROSSRPT(), 1);
    EXPECT_EQ(filter.CheckSwitch(), -1);
    EXPECT_THROW(filter.setCROSSRPT(Variant("x")), Error);
    EXPECT_TRUE(filter.CanSelTrantype());
}

TEST(FacadeDatabase, UnreadableDatabaseRaisesWithTheListId) {
    TempDatabase db(false);  // no tables at all
    CFilter filter;
    filter.setListID(5);
    try {
        filter.getInfoByF7Key("");
        FAIL() << "expected an error";
    } catch (const Error& e) {
        EXPECT_NE(e.description.find("list 5"), std::string::npos) << e.description;
    }
    EXPECT_FALSE(filter.OK());
}

}  // namespace
}  // namespace qelt::testing
