#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qelt/error.h"
#include "support/language.h"
#include "template/template_fixture.h"

namespace qelt::testing {
namespace {

const std::string kHeadQuery =
    "Select FID,FName As FName ,FTemplateID,FFontID,FLogicStr,FToolBarVis,FHeadVis,FBottomVis,"
    "FSourceType,FSourceSql,FGroupID,FBillTemplateID,FNeedCount,FHeadHeight,FBottomHeight,FType,"
    "FGetDataType,FMenuID,FBillCls,FFilter,FRptTemplateID,FMasterTable,FNeedStatistic "
    "From ICListtemplate ";
const std::string kColumnQuery =
    "Select FInterID,FTypeID,FColCaption as FColCaption_CHS,FColCaption As FColCaption "
    ",FHeadSecond,FColName,FTableName,FColType, FColWidth,FVisible,FItemClassID,FVisForQuest,"
    "FReturnDataType,FCountPriceType, FCtlIndex,FName,FTableAlias,FAction,FNeedCount,FIsPrimary,"
    "FLogicAction,FStatistical,FMergeable,FVisForOrder,FControl,FMode From ICChatBillTitle"
    " Where FTypeID IN (select FTemplateID From ICListtemplate ";
const std::string kRelationQuery =
    "Select * from ICTableRelation where  FIndex=0 AND FTypeID IN "
    "(select FTemplateID From ICListtemplate";

class TemplateLoading : public TemplateTest {
protected:
    void SetUp() override {
        addList(1, 7, "v1,u1", "采购订单");
        addList(2, 8, "v1", "Other");
        addColumn(7, "2 v1.FDate AS FDate");
        addColumn(7, "1 v1.FBillNo AS FBillNo | FColCaption='单据号'");
        addColumn(8, "1 v1.FOther AS FOther");
        addRelation(7, "ICStockBill v1.FInterID = ICStockBillEntry u1.FInterID");
        addRelation(7, "ICStockBill v1.FTranType = ICStockBillEntry u1.FTranType | FIndex=1");
    }
};

// The relation set keeps only the first comparison of each pair (FIndex 0).
TEST_F(TemplateLoading, QueriesSelectTheFilteredTemplatesOrAll) {
    const struct {
        std::string filter, where;
        int lists, columns;
    } cases[] = {{"", "", 2, 3}, {"FID in (1)", " Where FID in (1)", 1, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        queries->clear();
        EXPECT_FALSE(t.InitData(c.filter));
        EXPECT_EQ(*queries,
                  (std::vector<std::string>{kHeadQuery + c.where,
                                            kColumnQuery + c.where + ") order by FInterID",
                                            kRelationQuery + c.where + ") order by FInterID"}));
        EXPECT_EQ(t.mRsTemplete->recordCount(), c.lists);
        EXPECT_EQ(t.mRsChatBillTitle->recordCount(), c.columns);
        EXPECT_EQ(t.mRsTableRelation->recordCount(), 1);
    }
    EXPECT_EQ(t.mRsTemplete->value("FName").toString(), "采购订单");
    EXPECT_EQ(t.mRsChatBillTitle->value("FColCaption_CHS").toString(), "单据号");
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(TemplateLoading, EnglishSessionReadsEnglishColumns) {
    support::SetLanguageCode("EN");
    t.InitData("FID in (1)");
    EXPECT_EQ((*queries)[0].rfind("Select FID,FName_EN As FName ,FTemplateID,", 0), 0u);
    EXPECT_EQ((*queries)[1].rfind("Select FInterID,FTypeID,FColCaption as FColCaption_CHS,"
                                  "FColCaption_EN As FColCaption ,",
                                  0),
              0u);
    EXPECT_EQ(t.mRsTemplete->value("FName").toString(), "采购订单 EN");
}

// A failed query leaves its record set as it was: unset on a new object, which
// shows the message; a reload keeps the sets of the previous load, silently.
TEST_F(TemplateLoading, FailedQueryStopsTheChainWithItsMessage) {
    t.InitData("FID in (1)");
    const RecordsetPtr columns = t.mRsChatBillTitle;
    const struct {
        std::string statement, filter, expected;
    } cases[] = {
        {"DROP TABLE ICTableRelation", "FID in (1)", "110|模板关联信息有误!|Vostrel提示：|64|0"},
        {"DROP TABLE ICChatBillTitle", "FID in (1)", "100|模板详细数据有误!|Vostrel提示：|64|0"},
        {"SELECT 1", "no such column = 1", "000|模板数据有误!|Vostrel提示：|64|0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        db.exec(c.statement);
        messages();
        TemplateData fresh;
        fresh.InitData(c.filter);
        EXPECT_EQ(std::to_string(!!fresh.mRsTemplete) + std::to_string(!!fresh.mRsChatBillTitle) +
                      std::to_string(!!fresh.mRsTableRelation) + messages(),
                  c.expected);
    }
    t.InitData("FID in (2)");
    EXPECT_EQ(t.mRsChatBillTitle, columns);
    EXPECT_EQ(t.mRsTemplete->value("FName").toString() + messages(), "Other");
}

TEST_F(TemplateLoading, TemplateInfoHoldsTheHeadRowOfTheListInFieldOrder) {
    EXPECT_THROW(t.GetTemplateInfo(), Error);
    t.InitData("FID in (1)");
    t.mListID = 1;
    const Dictionary info = t.GetTemplateInfo();
    std::string dump;
    for (std::size_t i = 0; i < info.size(); ++i)
        dump += info.keyAt(i) + "=" + info.at(info.keyAt(i)).toString("") + ",";
    EXPECT_EQ(dump,
              "FID=1,FName=采购订单,FTemplateID=7,FFontID=0,FLogicStr=,FToolBarVis=1,FHeadVis=1,"
              "FBottomVis=1,FSourceType=0,FSourceSql=,FGroupID=0,FBillTemplateID=0,FNeedCount=0,"
              "FHeadHeight=0,FBottomHeight=0,FType=0,FGetDataType=0,FMenuID=0,FBillCls=0,"
              "FFilter=,FRptTemplateID=0,FMasterTable=v1,u1,FNeedStatistic=0,");
    EXPECT_EQ(t.mRsTemplete->filter(), "FID=1");
    t.mListID = 2;
    EXPECT_EQ(t.GetTemplateInfo().size(), 0u);
}

}  // namespace
}  // namespace qelt::testing
