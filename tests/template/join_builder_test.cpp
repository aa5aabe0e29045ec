#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/template_rows.h"
#include "platform/text.h"
#include "template/template_internal.h"

namespace qelt::testing {
namespace {

const std::string kAB = "TableA v1.FInterID = TableB u1.FInterID";
const std::string kFirstPair =
    "TableA v1 WITH (READPAST)  INNER JOIN TableB u1 WITH (READPAST)  ON   v1.FInterID = "
    "u1.FInterID";
const std::string kRP = " WITH (READPAST) ";
const std::string kFailed = "|组织关联条件时可能出现了特殊情况，关联失败！|Vostrel提示|0|0";

class JoinBuilder : public TemplateTest {
protected:
    // The FROM text, then the messages shown.
    std::string joins(const std::vector<std::string>& rows,
                      const std::vector<std::string>& needed) {
        db.exec("DELETE FROM ICTableRelation");
        for (const auto& r : rows) addRelation(7, r);
        t.mTemplateID = 7;
        const std::string from = tpl::BuildJoins(t, needed);
        return from + messages();
    }
};

// A line break follows only the first pair and a pair whose first table was new.
// Every alias is declared once.
TEST_F(JoinBuilder, PairsAreJoinedAsTheyBecomeConnectable) {
    const struct {
        std::vector<std::string> rows, needed;
        std::string expected;
    } cases[] = {
        {{}, {"v1", "u1"}, ""},
        {{kAB}, {"v1"}, ""},
        {{kAB, "TableB u1.FItemID = T9 t9.FItemID"}, {"V1", "U1"}, kFirstPair + "\r\n"},
        // The comparisons of a pair follow FIndex. FIsConst: 1 field with
        // constant, 2 constant with field, 4 both constants, 3 nothing at all;
        // FConstType 0 quotes the constants.
        {{"TableA v1.5 = TableB u1.FQty | FIndex=2, Fcondition='AND', FIsConst=2, FConstType=1,"
          " FLogicOperator='>'",
          "TableA v1.FStatus = TableB u1.it's | FIndex=1, Fcondition='AND', FIsConst=1",
          "TableA v1.x = TableB u1.y | FIndex=4, Fcondition='OR', FIsConst=3,"
          " FLeftParentheses='(', FRightParentheses=')'",
          "TableA v1.a = TableB u1.b | FIndex=3, Fcondition='OR', FIsConst=4,"
          " FLogicOperator='<>', FLeftParentheses='(', FRightParentheses=')'",
          // NULL FIsConst adds nothing; NULL FConstType writes bare.
          "TableA v1.c = TableB u1.d | FIndex=5, Fcondition='AND', FIsConst=NULL",
          "TableA v1.e = TableB u1.f | FIndex=6, Fcondition='AND', FIsConst=1, FConstType=NULL",
          kAB},
         {"v1", "u1"},
         kFirstPair + " AND v1.FStatus = 'it''s' AND u1.FQty > 5 OR ('a' <> 'b') AND v1.e = f\r\n"},
        // t2 - t3 waits until t2 is joined.
        {{kAB, "T2 t2.FX = T3 t3.FX", "TableB u1.FItemID *= T2 t2.FItemID"},
         {"v1", "u1", "t2", "t3"},
         kFirstPair + "\r\n LEFT OUTER JOIN T2 t2 ON   u1.FItemID = t2.FItemID INNER JOIN T3 t3 "
                      "ON   t2.FX = t3.FX"},
        {{kAB, "T8 t8.FID = T9 t9.FID"}, {"v1", "u1", "t8", "t9"}, kFailed},
        // Only "v1" or "u1", after trimming, is hinted.
        {{"TableA V1.FInterID = TableB u1.FInterID | FTableNameAlias11='u1 '"},
         {"v1", "u1 "},
         "TableA V1 INNER JOIN TableB u1 " + kRP + " ON   V1.FInterID = u1 .FInterID\r\n"},
        // First table new, second joined: the first table is joined, with the
        // sign read from its side, and a line break follows.
        {{kAB, "T3 t3.FA = TableB u1.FA", "T3 t3.FB = T4 t4.FB", "T5 t5.FC =* T4 t4.FC",
          "TableC t6.FD *= T3 t3.FD"},
         {"v1", "u1", "t3", "t4", "t5", "t6"},
         kFirstPair + "\r\n INNER JOIN T3 t3 ON   t3.FA = u1.FA\r\n INNER JOIN T4 t4 ON   t3.FB = "
                      "t4.FB LEFT OUTER JOIN T5 t5 ON   t5.FC = t4.FC\r\n RIGHT OUTER JOIN TableC "
                      "t6 ON   t6.FD = t3.FD\r\n"},
        {{"TableB u1.FX = T3 t3.FX", "TableA v1.FX *= TableB u1.FX"},
         {"v1", "u1", "t3"},
         "TableB u1" + kRP + " INNER JOIN T3 t3 ON   u1.FX = t3.FX\r\n RIGHT OUTER JOIN TableA v1" +
             kRP + " ON   v1.FX = u1.FX\r\n"},
        // A cycle: a pair between two joined tables adds its comparisons to
        // the join of the later one.
        {{kAB, "TableB u1.FItemID = T1 t1.FItemID", "T1 t1.FUnitID *= T4 t4.FUnitID",
          "TableA v1.FItemID = T1 t1.FItemID",
          "TableA v1.FB = T1 t1.FB | FIndex=1, Fcondition='OR'",
          "T4 t4.FID = TableA v1.FID | FIsConst=3"},
         {"v1", "u1", "t1", "t4"},
         kFirstPair + "\r\n INNER JOIN T1 t1 ON   u1.FItemID = t1.FItemID AND (  v1.FItemID = "
                      "t1.FItemID OR v1.FB = t1.FB) LEFT OUTER JOIN T4 t4 ON   t1.FUnitID = "
                      "t4.FUnitID"},
        // The print count joined to a purchase takes its own condition.
        {{"ICPurchase v1.FInterID = ICPurchaseEntry u1.FInterID",
          "icpurchase v1.FInterID *= ICPrintCount T562.FInterID | FSubFilter='v1.FInterID=T562.x'"},
         {"v1", "u1", "t562"},
         "ICPurchase v1" + kRP + " INNER JOIN ICPurchaseEntry u1" + kRP +
             " ON   v1.FInterID = u1.FInterID\r\n LEFT OUTER JOIN ICPrintCount T562 ON  "
             "v1.FInterID=T562.x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(joins(c.rows, c.needed), c.expected);
    }
}

// A chain v1 - t1 - t2 - ... needs one pass per pair; at most 51 passes are made.
TEST_F(JoinBuilder, TooManyPassesFailWithTheMessage) {
    std::vector<std::string> rows, needed{"v1"};
    for (int i = 1; i <= 52; ++i) {
        needed.push_back("t" + std::to_string(i));
        rows.push_back("T " + needed[i - 1] + ".FID = T " + needed[i] + ".FID");
    }
    EXPECT_EQ(joins(rows, needed), kFailed);
    rows.pop_back();
    needed.pop_back();
    EXPECT_TRUE(text::EndsWith(joins(rows, needed), " INNER JOIN T t51 ON   t50.FID = t51.FID"));
}

}  // namespace
}  // namespace qelt::testing
