#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/template_rows.h"
#include "qelt/error.h"

namespace qelt::testing {
namespace {

std::shared_ptr<clsSQLElement> Column(std::string name, std::string alias) {
    auto column = std::make_shared<clsSQLElement>();
    column->sFieldName = std::move(name);
    column->sFieldAlias = std::move(alias);
    return column;
}

// Unmatched elements keep their own field name "x." + alias.
TEST(WhereSql, ConditionTextKeepsEveryBlankAsTyped) {
    const struct {
        std::vector<std::shared_ptr<clsFilterElement>> conditions;
        std::string expected;
    } cases[] = {
        {{}, ""},
        {{Cond("A", "2", "1"), Cond("B", "3", "2", " AND "), Cond("C", "4", "3", " OR "),
          Cond("D", "5", "4", " AND "), Cond("E", "6", "5", " AND ")},
         " (     x.A <> 1  AND  x.B  > 2  OR  x.C >= 3  AND  x.D <  4  AND  x.E <= 5) "},
        // A blank value writes only the connective and the left parentheses, an
        // unknown code only them whatever the value.
        {{Cond("A", "1", "  ", " AND ", "(", ")"), Cond("B", "9", "", "   ", "(", ")"),
          Cond("C", "11", "2", " AND ", "(", ")")},
         " (  AND  (     (  AND  () "},
        {{Cond("A", "7", "", "   ", "", ")"), Cond("B", "8", "'v'", " OR ")},
         " (     (x.A IS NULL OR x.A=''))  OR   NOT (x.B IS NULL OR x.B='')) "},
        {{Cond("A", "9", "'ab'"), Cond("B", "10", "'ab'", " AND ", "", ")"),
          Cond("C", "9", "'价格'", " OR "), Cond("D", "9", "x", " OR ")},
         " (     x.A LIKE '%ab%'  AND  x.B NOT LIKE '%ab%')  OR  x.C LIKE '%价格%'  OR  x.D LIKE "
         "'%%') "},
    };
    TemplateData t;
    EXPECT_EQ(t.GetWhereSQL({}), "");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        t.setCollectionFilter(std::make_shared<Collection<clsFilterElement>>(c.conditions));
        EXPECT_EQ(t.GetWhereSQL({}), c.expected);
    }
}

TEST(WhereSql, AliasesMatchIgnoringCaseAndBlanksAndTheLastColumnWins) {
    auto c = Cond("FBILLNO ", "1", "'X'");
    TemplateData t;
    t.setCollectionFilter(Coll({c}));
    EXPECT_EQ(t.GetWhereSQL({Column("v0.FBillNo", " fbillno"), Column(" t1.FBillNo ", "FBillNo")}),
              " (     t1.FBillNo = 'X') ");
    EXPECT_EQ(c->sFieldName, "t1.FBillNo");
}

// A constant column ("59") would be read as a column position: it is no key.
TEST(SortSql, KeysKeepTheirDirectionBlanksAndLoseTheLastCommaAndConstants) {
    TemplateData t;
    EXPECT_EQ(t.GetSortSQL({}), "");
    const Collection<clsSQLElement> columns{Column("t1.FDate", "FDate"),
                                            Column("t1.FBillNo", "fbillno"),
                                            Column(" 59 ", "FTranType"), Column("- 1", "FSign")};
    auto date = Key("FDate", " DESC ");
    const struct {
        std::vector<std::shared_ptr<clsSortElement>> keys;
        std::string expected;
    } cases[] = {
        {{}, ""},
        {{date}, "t1.FDate DESC "},
        {{Key("FDate", " ASC "), Key("FBillNo", " DESC ")}, "t1.FDate ASC ,t1.FBillNo DESC "},
        {{Key("FTranType", " ASC "), Key("FDate", ""), Key("FSign", " DESC ")}, "t1.FDate"},
        {{Key("FTranType", " ASC ")}, ""},
    };
    for (const auto& c : cases) {
        t.setCollectionSort(std::make_shared<Collection<clsSortElement>>(c.keys));
        EXPECT_EQ(t.GetSortSQL(columns), c.expected);
    }
    EXPECT_EQ(date->sFieldName, "t1.FDate");
}

// A wrong sign in a template is met where the list is built
// (ListSql.FailuresGiveAnEmptyStatement).
TEST(TemplateSigns, KnownSignsTranslateAndOthersRaiseTheTemplateError) {
    TemplateData t;
    std::string s, out;
    for (const char* sign : {"=", "*=", "=*"}) out += t.getJoinCondition(sign, s) ? s : "-";
    for (const char* sign : {"=", "<>", ">", "<"}) out += t.getLogicOperator(sign, s) ? s : "-";
    EXPECT_EQ(out, " INNER JOIN  LEFT OUTER JOIN  RIGHT OUTER JOIN  =  <>  >  < ");
    try {
        t.getLogicOperator(">=", s);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::to_string(e.number) + " " + e.source + " " + e.description,
                  "-1 QeltListServer.clsListSQLBiluder "
                  "序时簿模版表ICTableRelation中出现了非法的FLogic字段值");
    }
}

}  // namespace
}  // namespace qelt::testing
