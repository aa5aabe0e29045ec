#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "qelt/error.h"
#include "qelt/template_data.h"

namespace qelt {
namespace {

std::shared_ptr<clsFilterElement> Cond(const std::string& alias, const std::string& code,
                                       const std::string& value, const std::string& andOr = "   ",
                                       const std::string& left = "", const std::string& right = "") {
    auto e = std::make_shared<clsFilterElement>();
    e->sFieldAlias = alias;
    e->sFieldName = "x." + alias;
    e->sLogicOperator = code;
    e->sValue = value;
    e->sAndOr = andOr;
    e->sLeftParentheses = left;
    e->sRightParentheses = right;
    return e;
}

std::shared_ptr<clsSortElement> Key(const std::string& alias, const std::string& type) {
    auto e = std::make_shared<clsSortElement>();
    e->sFieldAlias = alias;
    e->sFieldName = "x." + alias;
    e->SortType = type;
    return e;
}

Collection<clsSQLElement> Columns(std::initializer_list<std::pair<std::string, std::string>> l) {
    Collection<clsSQLElement> c;
    for (const auto& [name, alias] : l) {
        auto e = std::make_shared<clsSQLElement>();
        e->sFieldName = name;
        e->sFieldAlias = alias;
        c.push_back(e);
    }
    return c;
}

std::string WhereOf(std::initializer_list<std::shared_ptr<clsFilterElement>> conditions) {
    TemplateData t;
    t.setCollectionFilter(std::make_shared<Collection<clsFilterElement>>(conditions));
    return t.GetWhereSQL({});
}

TEST(WhereSql, UnsetOrEmptyCollectionGivesEmptyText) {
    TemplateData t;
    EXPECT_EQ(t.GetWhereSQL({}), "");
    t.setCollectionFilter(std::make_shared<Collection<clsFilterElement>>());
    EXPECT_EQ(t.GetWhereSQL({}), "");
}

TEST(WhereSql, FirstConditionIsPrecededByItsThreeBlanksAndTwoMore) {
    auto c = Cond("FBillNo", "1", "'X'");
    TemplateData t;
    t.setCollectionFilter(std::make_shared<Collection<clsFilterElement>>(
        Collection<clsFilterElement>{c}));
    EXPECT_EQ(t.GetWhereSQL(Columns({{"t1.FBillNo", "FBillNo"}})), " (     t1.FBillNo = 'X') ");
}

TEST(WhereSql, ComparisonOperatorsKeepTheirBlanks) {
    EXPECT_EQ(WhereOf({Cond("A", "2", "1")}), " (     x.A <> 1) ");
    EXPECT_EQ(WhereOf({Cond("A", "3", "1")}), " (     x.A  > 1) ");
    EXPECT_EQ(WhereOf({Cond("A", "4", "1")}), " (     x.A >= 1) ");
    EXPECT_EQ(WhereOf({Cond("A", "5", "1")}), " (     x.A <  1) ");
    EXPECT_EQ(WhereOf({Cond("A", "6", "1")}), " (     x.A <= 1) ");
}

TEST(WhereSql, ConnectivesAndParenthesesAreWrittenAsTyped) {
    EXPECT_EQ(WhereOf({Cond("A", "1", "1", "   ", "((", ""),
                       Cond("B", "3", " '2024/01/31' ", " OR ", "", ")"),
                       Cond("C", "2", "'c'", " AND ", "", ")")}),
              " (     ((x.A = 1  OR  x.B  >  '2024/01/31' )  AND  x.C <> 'c')) ");
}

TEST(WhereSql, BlankValueWritesOnlyConnectiveAndLeftParentheses) {
    EXPECT_EQ(WhereOf({Cond("A", "1", "  ", " AND ", "(", ")")}), " (  AND  () ");
    EXPECT_EQ(WhereOf({Cond("A", "9", "", "   ", "(", ")")}), " (     () ");
}

TEST(WhereSql, OnlyBlanksGiveEmptyText) { EXPECT_EQ(WhereOf({Cond("A", "1", "")}), ""); }

TEST(WhereSql, EmptyAndNotEmptyIgnoreTheValue) {
    EXPECT_EQ(WhereOf({Cond("A", "7", "", "   ", "", ")")}), " (     (x.A IS NULL OR x.A=''))) ");
    EXPECT_EQ(WhereOf({Cond("A", "8", "'v'")}), " (      NOT (x.A IS NULL OR x.A='')) ");
}

TEST(WhereSql, ContainsReplacesTheQuotesByPercentPattern) {
    EXPECT_EQ(WhereOf({Cond("A", "9", "'ab'")}), " (     x.A LIKE '%ab%') ");
    EXPECT_EQ(WhereOf({Cond("A", "10", "'ab'", "   ", "", ")")}), " (     x.A NOT LIKE '%ab%')) ");
    EXPECT_EQ(WhereOf({Cond("A", "9", "'价格'")}), " (     x.A LIKE '%价格%') ");
}

TEST(WhereSql, ContainsOfASingleCharacterDoesNotFail) {
    EXPECT_EQ(WhereOf({Cond("A", "9", "x")}), " (     x.A LIKE '%%') ");
}

TEST(WhereSql, UnknownCodeWritesOnlyTheConnective) {
    EXPECT_EQ(WhereOf({Cond("A", "1", "1"), Cond("B", "11", "2", " AND ", "(")}),
              " (     x.A = 1  AND  () ");
}

TEST(WhereSql, AliasesMatchIgnoringCaseAndBlanks) {
    auto c = Cond("FBILLNO ", "1", "'X'");
    TemplateData t;
    t.setCollectionFilter(std::make_shared<Collection<clsFilterElement>>(
        Collection<clsFilterElement>{c}));
    EXPECT_EQ(t.GetWhereSQL(Columns({{" v1.FBillNo ", " FBillNo"}})), " (     v1.FBillNo = 'X') ");
    EXPECT_EQ(c->sFieldName, "v1.FBillNo");
}

TEST(WhereSql, LastMatchingColumnWinsAndUnmatchedKeepsItsName) {
    auto a = Cond("A", "1", "1");
    auto b = Cond("B", "1", "2", " AND ");
    TemplateData t;
    t.setCollectionFilter(std::make_shared<Collection<clsFilterElement>>(
        Collection<clsFilterElement>{a, b}));
    EXPECT_EQ(t.GetWhereSQL(Columns({{"v1.A", "A"}, {"u1.A", "a"}})),
              " (     u1.A = 1  AND  x.B = 2) ");
    EXPECT_EQ(a->sFieldName, "u1.A");
    EXPECT_EQ(b->sFieldName, "x.B");
}

TEST(SortSql, UnsetOrEmptyCollectionGivesEmptyText) {
    TemplateData t;
    EXPECT_EQ(t.GetSortSQL({}), "");
    t.setCollectionSort(std::make_shared<Collection<clsSortElement>>());
    EXPECT_EQ(t.GetSortSQL({}), "");
}

TEST(SortSql, KeysKeepTheirDirectionBlanksAndLoseTheLastComma) {
    TemplateData t;
    t.setCollectionSort(std::make_shared<Collection<clsSortElement>>(
        Collection<clsSortElement>{Key("FDate", " ASC "), Key("FBillNo", " DESC ")}));
    EXPECT_EQ(t.GetSortSQL(Columns({{"t1.FDate", "FDate"}, {"t1.FBillNo", "fbillno"}})),
              "t1.FDate ASC ,t1.FBillNo DESC ");
}

TEST(SortSql, SingleKeyKeepsTrailingBlank) {
    TemplateData t;
    auto k = Key("FDate", " DESC ");
    t.setCollectionSort(
        std::make_shared<Collection<clsSortElement>>(Collection<clsSortElement>{k}));
    EXPECT_EQ(t.GetSortSQL(Columns({{"t1.FDate", "FDate"}})), "t1.FDate DESC ");
    EXPECT_EQ(k->sFieldName, "t1.FDate");
}

TEST(SortSql, ElementsWithEmptyMembersAreNotSkipped) {
    TemplateData t;
    auto blank = std::make_shared<clsSortElement>();
    t.setCollectionSort(std::make_shared<Collection<clsSortElement>>(
        Collection<clsSortElement>{Key("A", ""), blank, Key("B", " ASC ")}));
    EXPECT_EQ(t.GetSortSQL({}), "x.A,,x.B ASC ");
}

TEST(TemplateSigns, JoinSignsTranslate) {
    TemplateData t;
    std::string join;
    EXPECT_TRUE(t.getJoinCondition("=", join));
    EXPECT_EQ(join, " INNER JOIN ");
    EXPECT_TRUE(t.getJoinCondition("*=", join));
    EXPECT_EQ(join, " LEFT OUTER JOIN ");
    EXPECT_TRUE(t.getJoinCondition("=*", join));
    EXPECT_EQ(join, " RIGHT OUTER JOIN ");
}

TEST(TemplateSigns, ComparisonSignsTranslate) {
    TemplateData t;
    std::string op;
    const std::pair<const char*, const char*> signs[] = {
        {"=", " = "}, {"<>", " <> "}, {">", " > "}, {"<", " < "}};
    for (const auto& [sign, text] : signs) {
        EXPECT_TRUE(t.getLogicOperator(sign, op));
        EXPECT_EQ(op, text);
    }
}

void ExpectIllegalSign(const std::function<void()>& call) {
    try {
        call();
        ADD_FAILURE() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.number, -1);
        EXPECT_EQ(e.source, "QeltListServer.clsListSQLBiluder");
        EXPECT_EQ(e.description, "序时簿模版表ICTableRelation中出现了非法的FLogic字段值");
    }
}

TEST(TemplateSigns, UnknownSignsRaiseTheTemplateError) {
    TemplateData t;
    std::string out = "kept";
    ExpectIllegalSign([&] { t.getJoinCondition("==", out); });
    ExpectIllegalSign([&] { t.getJoinCondition(" =", out); });
    ExpectIllegalSign([&] { t.getLogicOperator(">=", out); });
    ExpectIllegalSign([&] { t.getLogicOperator("", out); });
    EXPECT_EQ(out, "kept");
}

TEST(ColumnNeedAdd, AnyOfTheThreeCollectionsNamesTheColumn) {
    TemplateData t;
    EXPECT_FALSE(t.ColumnNeedAdd("FDate"));
    t.setCollectionFilter(std::make_shared<Collection<clsFilterElement>>(
        Collection<clsFilterElement>{Cond("FBillNo", "1", "1")}));
    t.setCollectionSort(std::make_shared<Collection<clsSortElement>>(
        Collection<clsSortElement>{Key("FDate", " ASC ")}));
    auto hidden = std::make_shared<clsHidenElement>();
    hidden->sFieldAlias = "FQty";
    t.setCollectionHiden(std::make_shared<Collection<clsHidenElement>>(
        Collection<clsHidenElement>{hidden}));
    EXPECT_TRUE(t.ColumnNeedAdd("fbillno"));
    EXPECT_TRUE(t.ColumnNeedAdd("FDATE"));
    EXPECT_TRUE(t.ColumnNeedAdd("FQty"));
    EXPECT_FALSE(t.ColumnNeedAdd("FAmount"));
    EXPECT_FALSE(t.ColumnNeedAdd("FQty "));
}

}  // namespace
}  // namespace qelt
