#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qelt/error.h"
#include "template/template_fixture.h"

namespace qelt::testing {
namespace {

// Unmatched elements keep their own field name "x." + alias.
TEST(WhereSql, ConditionTextKeepsEveryBlankAsTyped) {
    const struct {
        std::vector<std::shared_ptr<clsFilterElement>> conditions;
        std::string expected;
    } cases[] = {
        {{}, ""},
        {{Cond("A", "1", "")}, ""},
        {{Cond("A", "2", "1"), Cond("B", "3", "2", " AND "), Cond("C", "4", "3", " OR "),
          Cond("D", "5", "4", " AND "), Cond("E", "6", "5", " AND ")},
         " (     x.A <> 1  AND  x.B  > 2  OR  x.C >= 3  AND  x.D <  4  AND  x.E <= 5) "},
        {{Cond("A", "1", "1", "   ", "(("), Cond("B", "3", " '2024/01/31' ", " OR ", "", ")"),
          Cond("C", "2", "'c'", " AND ", "", ")")},
         " (     ((x.A = 1  OR  x.B  >  '2024/01/31' )  AND  x.C <> 'c')) "},
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        t.setCollectionFilter(std::make_shared<Collection<clsFilterElement>>(c.conditions));
        EXPECT_EQ(t.GetWhereSQL({}), c.expected);
    }
    EXPECT_EQ(TemplateData().GetWhereSQL({}), "");
}

TEST(WhereSql, AliasesMatchIgnoringCaseAndBlanksAndTheLastColumnWins) {
    auto c = Cond("FBILLNO ", "1", "'X'");
    TemplateData t;
    t.setCollectionFilter(Coll({c}));
    EXPECT_EQ(t.GetWhereSQL({Column("v0.FBillNo", " fbillno"), Column(" t1.FBillNo ", "FBillNo")}),
              " (     t1.FBillNo = 'X') ");
    EXPECT_EQ(c->sFieldName, "t1.FBillNo");
}

TEST(SortSql, KeysKeepTheirDirectionBlanksAndLoseTheLastComma) {
    TemplateData t;
    EXPECT_EQ(t.GetSortSQL({}), "");
    t.setCollectionSort(Coll<clsSortElement>({}));
    EXPECT_EQ(t.GetSortSQL({}), "");
    const Collection<clsSQLElement> columns{Column("t1.FDate", "FDate"),
                                            Column("t1.FBillNo", "fbillno")};
    auto date = Key("FDate", " DESC ");
    t.setCollectionSort(Coll({date}));
    EXPECT_EQ(t.GetSortSQL(columns), "t1.FDate DESC ");
    EXPECT_EQ(date->sFieldName, "t1.FDate");
    t.setCollectionSort(Coll({Key("FDate", " ASC "), Key("FBillNo", " DESC ")}));
    EXPECT_EQ(t.GetSortSQL(columns), "t1.FDate ASC ,t1.FBillNo DESC ");
    t.setCollectionSort(Coll({Key("A", ""), std::make_shared<clsSortElement>(), Key("B", " ")}));
    EXPECT_EQ(t.GetSortSQL({}), "x.A,,x.B ");
}

// "|" after each translation; an error as number, source and description.
TEST(TemplateSigns, KnownSignsTranslateAndOthersRaiseTheTemplateError) {
    auto translate = [](bool join, const std::vector<std::string>& signs) {
        std::string out;
        for (const auto& sign : signs) {
            TemplateData t;
            std::string text;
            try {
                const bool ok =
                    join ? t.getJoinCondition(sign, text) : t.getLogicOperator(sign, text);
                out += (ok ? "" : "false") + text + "|";
            } catch (const Error& e) {
                out += std::to_string(e.number) + " " + e.source + " " + e.description + "|";
            }
        }
        return out;
    };
    EXPECT_EQ(translate(true, {"=", "*=", "=*"}),
              " INNER JOIN | LEFT OUTER JOIN | RIGHT OUTER JOIN |");
    EXPECT_EQ(translate(false, {"=", "<>", ">", "<"}), " = | <> | > | < |");
    const std::string illegal =
        "-1 QeltListServer.clsListSQLBiluder "
        "序时簿模版表ICTableRelation中出现了非法的FLogic字段值|";
    EXPECT_EQ(translate(true, {"==", " ="}), illegal + illegal);
    EXPECT_EQ(translate(false, {">=", ""}), illegal + illegal);
}

TEST(ColumnNeedAdd, AnyOfTheThreeCollectionsNamesTheColumn) {
    TemplateData t;
    EXPECT_FALSE(t.ColumnNeedAdd("FDate"));
    t.setCollectionFilter(Coll({Cond("FBillNo", "1", "1")}));
    t.setCollectionSort(Coll({Key("FDate", " ASC ")}));
    t.setCollectionHiden(Coll({Visible("FQty", 1, 0)}));
    for (const char* alias : {"fbillno", "FDATE", "FQty"}) EXPECT_TRUE(t.ColumnNeedAdd(alias));
    EXPECT_FALSE(t.ColumnNeedAdd("FAmount"));
    EXPECT_FALSE(t.ColumnNeedAdd("FQty "));
}

}  // namespace
}  // namespace qelt::testing
