#include "qelt/cfilter.h"

#include <gtest/gtest.h>

#include "common/test_env.h"
#include "qelt/error.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

// List 1 (template 501): head v1 joined to entries u1; two always-selected
// columns, one entry column that is selected only on demand.
constexpr const char* kFixture = R"sql(
INSERT INTO ICListTemplate (FID, FName, FName_CHT, FName_EN, FTemplateID, FFilter, FMasterTable)
VALUES (1, '采购订单', '採購訂單', 'Purchase orders', 501, 'v1.FStatus=1', 'v1,u1'),
       (2, '无模板', NULL, NULL, NULL, '', 'v1'),
       (3, '坏关联', NULL, NULL, 503, '', 'v1,u1');
INSERT INTO ICChatBillTitle (FInterID, FTypeID, FColCaption, FColCaption_CHT, FColCaption_EN,
  FHeadSecond, FColName, FTableName, FColType, FColWidth, FVisible, FItemClassID, FVisForQuest,
  FReturnDataType, FCountPriceType, FCtlIndex, FName, FTableAlias, FAction, FNeedCount, FIsPrimary,
  FLogicAction, FStatistical, FMergeable, FVisForOrder, FControl, FMode)
VALUES
 (1, 501, '单据编号', NULL, 'Bill no', '', 'FBillNo', 'TableA', 1, 1200, 1, 0, 1, 0, 0, 0, 'FBillNo', 'v1', '', 0, 1, '', 0, 0, 1, 0, 1),
 (2, 501, '日期', NULL, 'Date', '', 'FDate', 'TableA', 0, 900, 1, 0, 1, 0, 0, 0, 'FDate', 'v1', '', 0, 0, '', 0, 0, 1, 0, 1),
 (3, 501, '数量', NULL, 'Qty', '', 'FQty', 'TableB', 3, 900, 1, 0, 1, 0, 0, 0, 'FQty', 'u1', '', 1, 0, '', 0, 0, 1, 0, 0),
 (1, 503, '单据编号', NULL, NULL, '', 'FBillNo', 'TableA', 1, 1200, 1, 0, 1, 0, 0, 0, 'FBillNo', 'v1', '', 0, 1, '', 0, 0, 1, 0, 1);
INSERT INTO ICTableRelation (FTypeID, FInterID, FTableName, FTableNameAlias, FFieldName,
  FTableName11, FTableNameAlias11, FFieldName11, FIndex, FLogic, FLogicOperator, Fcondition,
  FLeftParentheses, FRightParentheses, FIsConst, FConstType, FSubFilter)
VALUES (501, 1, 'TableA', 'v1', 'FInterID', 'TableB', 'u1', 'FInterID', 0, '=', '=', '', '', '', 0, 0, ''),
       (503, 1, 'TableA', 'v1', 'FInterID', 'TableB', 'u1', 'FInterID', 0, '=>', '=', '', '', '', 0, 0, '');
)sql";

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
    EXPECT_EQ(filter.SQLWHERE(), "") << "the look-up path leaves the WHERE result alone";
    EXPECT_EQ(filter.MyListID, 1);
    EXPECT_EQ(filter.TemplateID(), 501);
    EXPECT_EQ(filter.CJName(), "采购订单");

    auto head = filter.getListHead();
    ASSERT_TRUE(head);
    ASSERT_EQ(head->size(), 2u);
    EXPECT_EQ(head->at(0)->keyAt(0), "FColCaption");
    EXPECT_EQ(head->at(0)->at("FColName").toString(), "FBillNo");
    EXPECT_EQ(head->at(1)->at("FColCaption").toString(), "日期");

    auto info = filter.getListTemplateInfo();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->at("FID").toLong(), 1);
    EXPECT_EQ(info->at("FMasterTable").toString(), "v1,u1");
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
    EXPECT_EQ(first.TemplateID(), 0);
    EXPECT_EQ(first.CJName(), "");
    EXPECT_EQ(support::Shared().Filter, "");
    EXPECT_FALSE(support::Shared().IsMakeVoucher);
    EXPECT_FALSE(second.OK());
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
