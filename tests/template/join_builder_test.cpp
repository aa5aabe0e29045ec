#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "qelt/error.h"
#include "template/template_access.h"
#include "template/template_fixture.h"

namespace qelt::testing {
namespace {

const std::string kRP = " WITH (READPAST) ";
const std::string kFirstPair = "TableA v1" + kRP + " INNER JOIN TableB u1" + kRP +
                               " ON   v1.FInterID = u1.FInterID";

class JoinBuilder : public TemplateTest {
protected:
    std::string joins(const std::vector<std::string>& needed) {
        TemplateData t;
        t.mTemplateID = 7;
        return TemplateDataAccess::buildJoins(t, needed);
    }
    void pair(int interId, const std::string& a, const std::string& b, const std::string& f = "FInterID",
              int index = 0) {
        addRelation(7, {.interId = interId, .table = a == "v1" ? "TableA" : "TableB", .alias = a,
                        .field = f, .table11 = b == "v1" ? "TableA" : "TableB", .alias11 = b,
                        .field11 = f, .index = index});
    }
    void link(int interId, const std::string& a, const std::string& b, const std::string& field,
              const std::string& logic = "=") {
        addRelation(7, {.interId = interId, .table = "T_" + a, .alias = a, .field = field,
                        .table11 = "T_" + b, .alias11 = b, .field11 = field, .logic = logic});
    }
};

TEST_F(JoinBuilder, FirstPairJoinsBothTablesWithHints) {
    pair(1, "v1", "u1");
    EXPECT_EQ(joins({"v1", "u1"}), kFirstPair + "\r\n");
    ASSERT_EQ(queries->size(), 1u);
    EXPECT_EQ((*queries)[0],
              "SELECT * FROM ICTableRelation WHERE FTypeID=7 ORDER BY FInterID,FTableNameAlias,"
              "FFieldName,FTableNameAlias11,FFieldName11,FIndex");
}

TEST_F(JoinBuilder, NoRelationRowsGiveEmptyText) {
    EXPECT_EQ(joins({"v1", "u1"}), "");
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(JoinBuilder, OneNeededTableGivesEmptyText) {
    pair(1, "v1", "u1");
    EXPECT_EQ(joins({"v1"}), "");
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(JoinBuilder, PairsOfTablesNotNeededAreDropped) {
    pair(1, "v1", "u1");
    link(2, "u1", "t9", "FItemID");
    EXPECT_EQ(joins({"V1", "U1"}), kFirstPair + "\r\n");
}

TEST_F(JoinBuilder, ComparisonsOfAPairFollowTheirIndex) {
    addRelation(7, {.interId = 1, .table = "TableA", .alias = "v1", .field = "FTranType",
                    .table11 = "TableB", .alias11 = "u1", .field11 = "FTranType", .index = 1,
                    .condition = "AND"});
    pair(2, "v1", "u1");
    EXPECT_EQ(joins({"v1", "u1"}), kFirstPair + " AND v1.FTranType = u1.FTranType\r\n");
}

// Only the first pair and a pair that brings in its first table end in a line break.
TEST_F(JoinBuilder, WaitingPairIsTakenUpOnceConnected) {
    pair(1, "v1", "u1");
    link(2, "t2", "t3", "FX");
    link(3, "u1", "t2", "FItemID", "*=");
    EXPECT_EQ(joins({"v1", "u1", "t2", "t3"}),
              kFirstPair + "\r\n LEFT OUTER JOIN T_t2 t2 ON   u1.FItemID = t2.FItemID"
                           " INNER JOIN T_t3 t3 ON   t2.FX = t3.FX");
}

TEST_F(JoinBuilder, RightOuterJoinSign) {
    pair(1, "v1", "u1");
    link(2, "u1", "t2", "FItemID", "=*");
    EXPECT_EQ(joins({"v1", "u1", "t2"}),
              kFirstPair + "\r\n RIGHT OUTER JOIN T_t2 t2 ON   u1.FItemID = t2.FItemID");
}

TEST_F(JoinBuilder, HintNeedsExactLowerCaseAliasAfterTrim) {
    addRelation(7, {.interId = 1, .table = "TableA", .alias = "V1", .field = "FInterID",
                    .table11 = "TableB", .alias11 = "u1 ", .field11 = "FInterID"});
    EXPECT_EQ(joins({"v1", "u1 "}),
              "TableA V1 INNER JOIN TableB u1 " + kRP + " ON   V1.FInterID = u1 .FInterID\r\n");
}

TEST_F(JoinBuilder, ConstantsAreQuotedByTheirType) {
    pair(1, "v1", "u1");
    addRelation(7, {.interId = 2, .table = "TableA", .alias = "v1", .field = "FStatus",
                    .table11 = "TableB", .alias11 = "u1", .field11 = "it's", .index = 1,
                    .condition = "AND", .isConst = 1});
    addRelation(7, {.interId = 3, .table = "TableA", .alias = "v1", .field = "5",
                    .table11 = "TableB", .alias11 = "u1", .field11 = "FQty", .index = 2,
                    .logicOperator = ">", .condition = "AND", .isConst = 2, .constType = 1});
    addRelation(7, {.interId = 4, .table = "TableA", .alias = "v1", .field = "a",
                    .table11 = "TableB", .alias11 = "u1", .field11 = "b", .index = 3,
                    .logicOperator = "<>", .condition = "OR", .isConst = 4, .left = "(",
                    .right = ")"});
    addRelation(7, {.interId = 5, .table = "TableA", .alias = "v1", .field = "x",
                    .table11 = "TableB", .alias11 = "u1", .field11 = "y", .index = 4,
                    .condition = "OR", .isConst = 3, .left = "(", .right = ")"});
    EXPECT_EQ(joins({"v1", "u1"}), kFirstPair +
                                       " AND v1.FStatus = 'it''s' AND u1.FQty > 5 OR ('a' <> 'b')"
                                       "\r\n");
}

TEST_F(JoinBuilder, PurchasePrintCountUsesItsSubFilter) {
    addRelation(7, {.interId = 1, .table = "ICPurchase", .alias = "v1", .field = "FInterID",
                    .table11 = "ICPurchaseEntry", .alias11 = "u1", .field11 = "FInterID"});
    addRelation(7, {.interId = 2, .table = "icpurchase", .alias = "v1", .field = "FInterID",
                    .table11 = "ICPrintCount", .alias11 = "T562", .field11 = "FInterID",
                    .logic = "*=", .subFilter = "v1.FInterID=T562.FInterID AND T562.FType=1"});
    EXPECT_EQ(joins({"v1", "u1", "t562"}),
              "ICPurchase v1" + kRP + " INNER JOIN ICPurchaseEntry u1" + kRP +
                  " ON   v1.FInterID = u1.FInterID\r\n LEFT OUTER JOIN ICPrintCount T562 ON  "
                  "v1.FInterID=T562.FInterID AND T562.FType=1");
}

TEST_F(JoinBuilder, PrintCountAsFirstPairIsAnOrdinaryJoin) {
    addRelation(7, {.interId = 1, .table = "ICPurchase", .alias = "v1", .field = "FInterID",
                    .table11 = "ICPrintCount", .alias11 = "t562", .field11 = "FInterID",
                    .subFilter = "ignored"});
    EXPECT_EQ(joins({"v1", "t562"}),
              "ICPurchase v1" + kRP + " INNER JOIN ICPrintCount t562 ON   v1.FInterID = "
                                      "t562.FInterID\r\n");
}

TEST_F(JoinBuilder, PairOfTwoJoinedTablesRepeatsTheSecondWithoutLineBreak) {
    pair(1, "v1", "u1");
    pair(2, "u1", "v1", "FBillNo");
    EXPECT_EQ(joins({"v1", "u1"}),
              kFirstPair + "\r\n INNER JOIN TableA v1" + kRP + " ON   u1.FBillNo = v1.FBillNo");
}

TEST_F(JoinBuilder, PairWithNewFirstTableJoinsIt) {
    pair(1, "v1", "u1");
    addRelation(7, {.interId = 2, .table = "T_t3", .alias = "t3", .field = "FA",
                    .table11 = "TableB", .alias11 = "u1", .field11 = "FA"});
    link(3, "t3", "t4", "FB");
    EXPECT_EQ(joins({"v1", "u1", "t3", "t4"}),
              kFirstPair + "\r\n INNER JOIN TableB u1" + kRP +
                  " ON   t3.FA = u1.FA\r\n INNER JOIN T_t4 t4 ON   t3.FB = t4.FB");
}

TEST_F(JoinBuilder, IllegalJoinSignRaises) {
    addRelation(7, {.interId = 1, .table = "TableA", .alias = "v1", .field = "FInterID",
                    .table11 = "TableB", .alias11 = "u1", .field11 = "FInterID", .logic = "=="});
    EXPECT_THROW(joins({"v1", "u1"}), Error);
}

TEST_F(JoinBuilder, IllegalComparisonSignRaises) {
    addRelation(7, {.interId = 1, .table = "TableA", .alias = "v1", .field = "FInterID",
                    .table11 = "TableB", .alias11 = "u1", .field11 = "FInterID",
                    .logicOperator = ">="});
    EXPECT_THROW(joins({"v1", "u1"}), Error);
}

// A chain v1 - t1 - t2 - ... needs one pass per pair.
class JoinPassLimit : public JoinBuilder {
protected:
    std::vector<std::string> chain(int pairs) {
        std::vector<std::string> needed{"v1"};
        for (int i = 1; i <= pairs; ++i) {
            const std::string a = i == 1 ? "v1" : "t" + std::to_string(i - 1);
            const std::string b = "t" + std::to_string(i);
            link(i, a, b, "FID");
            needed.push_back(b);
        }
        return needed;
    }
};

TEST_F(JoinPassLimit, FiftyOnePassesAreAllowed) {
    const std::string from = joins(chain(51));
    EXPECT_TRUE(text::EndsWith(from, " INNER JOIN T_t51 t51 ON   t50.FID = t51.FID")) << from;
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(JoinPassLimit, MorePassesFailWithTheMessage) {
    EXPECT_EQ(joins(chain(52)), "");
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "组织关联条件时可能出现了特殊情况，关联失败！");
    EXPECT_EQ(recorder.messages[0].icon, 0);
}

TEST_F(JoinPassLimit, PairsThatNeverConnectFailWithTheMessage) {
    pair(1, "v1", "u1");
    link(2, "t8", "t9", "FID");
    EXPECT_EQ(joins({"v1", "u1", "t8", "t9"}), "");
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "组织关联条件时可能出现了特殊情况，关联失败！");
}

}  // namespace
}  // namespace qelt::testing
