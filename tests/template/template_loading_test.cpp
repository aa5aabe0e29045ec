#include <gtest/gtest.h>

#include <string>

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

class TemplateLoading : public TemplateTest {
protected:
    void SetUp() override {
        addList(1, 7, "v1,u1", "采购订单");
        addList(2, 8, "v1", "Other");
        addColumn(7, {.interId = 2, .colName = "FDate", .caption = "日期"});
        addColumn(7, {.interId = 1, .colName = "FBillNo", .caption = "单据号"});
        addColumn(8, {.interId = 1, .colName = "FOther"});
        addBillRelation(7, 1);
        addRelation(7, {.interId = 2, .table = "ICStockBill", .alias = "v1", .field = "FTranType",
                        .table11 = "ICStockBillEntry", .alias11 = "u1", .field11 = "FTranType",
                        .index = 1});
    }
};

TEST_F(TemplateLoading, QueriesSelectTheFilteredTemplates) {
    TemplateData t;
    EXPECT_FALSE(t.InitData("FID in (1)"));
    ASSERT_EQ(queries->size(), 3u);
    EXPECT_EQ((*queries)[0], kHeadQuery + " Where FID in (1)");
    EXPECT_EQ((*queries)[1], kColumnQuery + " Where FID in (1)) order by FInterID");
    EXPECT_EQ((*queries)[2],
              "Select * from ICTableRelation where  FIndex=0 AND FTypeID IN "
              "(select FTemplateID From ICListtemplate Where FID in (1)) order by FInterID");
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(t.mRsTemplete->recordCount(), 1);
    EXPECT_EQ(t.mRsTemplete->value("FName").toString(), "采购订单");
    EXPECT_EQ(t.mRsChatBillTitle->recordCount(), 2);
    EXPECT_EQ(t.mRsChatBillTitle->value("FColName").toString(), "FBillNo");
    EXPECT_EQ(t.mRsChatBillTitle->value("FColCaption_CHS").toString(), "单据号");
}

TEST_F(TemplateLoading, RelationSetKeepsOnlyFirstComparisons) {
    TemplateData t;
    t.InitData("FID in (1)");
    ASSERT_EQ(t.mRsTableRelation->recordCount(), 1);
    EXPECT_EQ(t.mRsTableRelation->value("FFieldName").toString(), "FInterID");
}

TEST_F(TemplateLoading, EmptyFilterSelectsEveryTemplate) {
    TemplateData t;
    t.InitData("");
    ASSERT_EQ(queries->size(), 3u);
    EXPECT_EQ((*queries)[0], kHeadQuery);
    EXPECT_EQ((*queries)[1], kColumnQuery + ") order by FInterID");
    EXPECT_NE((*queries)[1].find("(select FTemplateID From ICListtemplate )"), std::string::npos);
    EXPECT_NE((*queries)[2].find("(select FTemplateID From ICListtemplate)"), std::string::npos);
    EXPECT_EQ(t.mRsTemplete->recordCount(), 2);
    EXPECT_EQ(t.mRsChatBillTitle->recordCount(), 3);
}

TEST_F(TemplateLoading, EnglishSessionReadsEnglishColumns) {
    support::SetLanguageCode("EN");
    TemplateData t;
    t.InitData("FID in (1)");
    ASSERT_GE(queries->size(), 2u);
    EXPECT_EQ((*queries)[0].rfind("Select FID,FName_EN As FName ,FTemplateID,", 0), 0u);
    EXPECT_EQ((*queries)[1].rfind(
                  "Select FInterID,FTypeID,FColCaption as FColCaption_CHS,FColCaption_EN As "
                  "FColCaption ,",
                  0),
              0u);
    EXPECT_EQ(t.mRsTemplete->value("FName").toString(), "采购订单 EN");
}

void ExpectOneMessage(const MessageRecorder& r, const std::string& text) {
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, text);
    EXPECT_EQ(r.messages[0].title, "Vostrel提示：");
    EXPECT_EQ(r.messages[0].icon, 64);
    EXPECT_EQ(r.messages[0].buttons, 0);
}

TEST_F(TemplateLoading, FailedHeadQueryStopsWithTheTemplateMessage) {
    TemplateData t;
    t.InitData("no such column = 1");
    EXPECT_EQ(queries->size(), 1u);
    EXPECT_FALSE(t.mRsTemplete);
    ExpectOneMessage(recorder, "模板数据有误!");
}

TEST_F(TemplateLoading, FailedColumnQueryStopsWithTheDetailMessage) {
    db.exec("DROP TABLE ICChatBillTitle");
    TemplateData t;
    t.InitData("FID in (1)");
    EXPECT_EQ(queries->size(), 2u);
    EXPECT_TRUE(t.mRsTemplete);
    EXPECT_FALSE(t.mRsTableRelation);
    ExpectOneMessage(recorder, "模板详细数据有误!");
}

TEST_F(TemplateLoading, FailedRelationQueryShowsTheRelationMessage) {
    db.exec("DROP TABLE ICTableRelation");
    TemplateData t;
    t.InitData("FID in (1)");
    EXPECT_TRUE(t.mRsChatBillTitle);
    ExpectOneMessage(recorder, "模板关联信息有误!");
}

TEST_F(TemplateLoading, FailedReloadKeepsThePreviousRecordSet) {
    TemplateData t;
    t.InitData("FID in (1)");
    const RecordsetPtr columns = t.mRsChatBillTitle;
    db.exec("DROP TABLE ICChatBillTitle");
    t.InitData("FID in (2)");
    EXPECT_EQ(t.mRsChatBillTitle, columns);
    EXPECT_EQ(t.mRsTemplete->value("FName").toString(), "Other");
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(TemplateLoading, TemplateInfoHoldsTheHeadRowInFieldOrder) {
    TemplateData t;
    t.InitData("");
    t.mListID = 1;
    const Dictionary info = t.GetTemplateInfo();
    std::string keys;
    for (std::size_t i = 0; i < info.size(); ++i) keys += info.keyAt(i) + ",";
    EXPECT_EQ(keys,
              "FID,FName,FTemplateID,FFontID,FLogicStr,FToolBarVis,FHeadVis,FBottomVis,"
              "FSourceType,FSourceSql,FGroupID,FBillTemplateID,FNeedCount,FHeadHeight,"
              "FBottomHeight,FType,FGetDataType,FMenuID,FBillCls,FFilter,FRptTemplateID,"
              "FMasterTable,FNeedStatistic,");
    EXPECT_EQ(info.at("FName").toString(), "采购订单");
    EXPECT_EQ(info.at("FTemplateID").toLong(), 7);
    EXPECT_EQ(info.at("FMasterTable").toString(), "v1,u1");
    EXPECT_EQ(t.mRsTemplete->filter(), "FID=1");
}

TEST_F(TemplateLoading, TemplateInfoOfAListNotLoadedIsEmpty) {
    TemplateData t;
    t.InitData("FID in (1)");
    t.mListID = 2;
    EXPECT_EQ(t.GetTemplateInfo().size(), 0u);
}

TEST(TemplateInfo, BeforeLoadingRaises) {
    TemplateData t;
    EXPECT_THROW(t.GetTemplateInfo(), Error);
}

}  // namespace
}  // namespace qelt::testing
