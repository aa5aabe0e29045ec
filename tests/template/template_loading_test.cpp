#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/host_fake.h"
#include "common/template_rows.h"
#include "host/default_components.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "support/language.h"

namespace qelt::testing {
namespace {

// The library's own connection, answering `sql` unless `missing` names its table.
RecordsetPtr Library(const std::string& sql, const std::string& missing = "") {
    if (!missing.empty() && sql.find(missing) != std::string::npos) return nullptr;
    return std::dynamic_pointer_cast<host::IAppConnection>(host::defaults::NewAppConnection())
        ->getanyrecordset(sql);
}

// The head, column and relation statements for a " Where " clause and the
// suffix of the session language's columns.
std::vector<std::string> LoadQueries(const std::string& where, const std::string& lang) {
    return {"Select FID,FName" + lang +
                " As FName ,FTemplateID,FFontID,FLogicStr,FToolBarVis,FHeadVis,FBottomVis,"
                "FSourceType,FSourceSql,FGroupID,FBillTemplateID,FNeedCount,FHeadHeight,"
                "FBottomHeight,FType,FGetDataType,FMenuID,FBillCls,FFilter,FRptTemplateID,"
                "FMasterTable,FNeedStatistic From ICListtemplate " +
                where,
            "Select FInterID,FTypeID,FColCaption as FColCaption_CHS,FColCaption" + lang +
                " As FColCaption ,FHeadSecond,FColName,FTableName,FColType, FColWidth,FVisible,"
                "FItemClassID,FVisForQuest,FReturnDataType,FCountPriceType, FCtlIndex,FName,"
                "FTableAlias,FAction,FNeedCount,FIsPrimary,FLogicAction,FStatistical,FMergeable,"
                "FVisForOrder,FControl,FMode From ICChatBillTitle Where FTypeID IN (select "
                "FTemplateID From ICListtemplate " +
                where + ") order by FInterID",
            "Select * from ICTableRelation where  FIndex=0 AND FTypeID IN (select FTemplateID "
            "From ICListtemplate" +
                where + ") order by FInterID"};
}

class TemplateLoading : public ::testing::WithParamInterface<Backend>, public TemplateTest {
protected:
    TemplateLoading() : TemplateTest(GetParam()) {}
    void SetUp() override {
        connection->query = [](const std::string& sql) { return Library(sql); };
        addList(1, 7, "v1,u1", "采购订单");
        addList(2, 8, "v1", "Other");
        addColumn(7, "2 v1.FDate AS FDate");
        addColumn(7, "1 v1.FBillNo AS FBillNo | FColCaption='单据号'");
        addRelation(7, "ICStockBill v1.FInterID = ICStockBillEntry u1.FInterID");
    }
    // The statements given to the connection since the last call.
    std::vector<std::string> queries() {
        std::vector<std::string> out;
        for (const auto& c : connection->calls)
            if (c.rfind("AppConnection.getanyrecordset([", 0) == 0)
                out.push_back(c.substr(31, c.size() - 33));
        connection->calls.clear();
        return out;
    }
    std::shared_ptr<HostFake> connection = HostFake::Install({"AppConnection"});
};

TEST_P(TemplateLoading, QueriesSelectTheFilteredTemplatesOrAllInTheSessionLanguage) {
    const struct {
        std::string language, filter, where, name;
    } cases[] = {{"", "", "", "采购订单"},
                 {"", "FID in (1)", " Where FID in (1)", "采购订单"},
                 {"EN", "FID in (1)", " Where FID in (1)", "采购订单 EN"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language + c.filter);
        support::SetLanguageCode(c.language);
        queries();
        EXPECT_FALSE(t.InitData(c.filter));
        EXPECT_EQ(queries(), LoadQueries(c.where, c.language.empty() ? "" : "_" + c.language));
        EXPECT_EQ(t.mRsTemplete->value("FName").toString(), c.name);
    }
    EXPECT_EQ(t.mRsChatBillTitle->value("FColCaption_CHS").toString(), "单据号");
    EXPECT_TRUE(recorder.messages.empty());
}

// A failed query leaves its record set as it was: unset on a new object.
TEST_P(TemplateLoading, FailedQueryStopsTheChainWithItsMessage) {
    const struct {
        std::string statement, expected;
    } cases[] = {{"DROP TABLE ICTableRelation", "110|模板关联信息有误!|Vostrel提示：|64|0"},
                 {"DROP TABLE ICChatBillTitle", "100|模板详细数据有误!|Vostrel提示：|64|0"},
                 {"DROP TABLE ICListtemplate", "000|模板数据有误!|Vostrel提示：|64|0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        db.exec(c.statement);
        TemplateData fresh;
        fresh.InitData("FID in (1)");
        EXPECT_EQ(std::to_string(!!fresh.mRsTemplete) + std::to_string(!!fresh.mRsChatBillTitle) +
                      std::to_string(!!fresh.mRsTableRelation) + messages(),
                  c.expected);
    }
}

// A host connection that answers a query with no record set at all is a
// failed query.
TEST_P(TemplateLoading, MissingAnswerIsAFailedQuery) {
    connection->query = [](const std::string& sql) { return Library(sql, "ICChatBillTitle"); };
    TemplateData fresh;
    fresh.InitData("");
    EXPECT_EQ(
        std::to_string(!!fresh.mRsTemplete) + std::to_string(!!fresh.mRsChatBillTitle) + messages(),
        "10|模板详细数据有误!|Vostrel提示：|64|0");
}

// Field order and values come straight from the head row of the loading query.
TEST_P(TemplateLoading, TemplateInfoHoldsTheHeadRowOfTheList) {
    try {
        t.GetTemplateInfo();
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number, err::kObjectNotSet);
    }
    t.InitData("FID in (1)");
    t.mListID = 1;
    const Dictionary info = t.GetTemplateInfo();
    // The keys are the database's names: PostgreSQL gives them in lower case.
    EXPECT_EQ(std::to_string(info.size()) + text::ToLower(info.keyAt(1)) + "=" +
                  info.at(info.keyAt(1)).toString() + " " + text::ToLower(info.keyAt(22)) + " " +
                  t.mRsTemplete->filter(),
              "23fname=采购订单 fneedstatistic FID=1");
    t.mListID = 2;
    EXPECT_EQ(t.GetTemplateInfo().size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(AllBackends, TemplateLoading, ::testing::ValuesIn(AllBackends()),
                         [](const auto& info) { return BackendName(info.param); });

}  // namespace
}  // namespace qelt::testing
