#include <gtest/gtest.h>

#include <string>

#include "support/shared_settings.h"
#include "template/template_fixture.h"

namespace qelt::testing {
namespace {

const std::string kFrom =
    "  from ICStockBill v1 WITH (READPAST)  INNER JOIN ICStockBillEntry u1 WITH (READPAST)  ON   "
    "v1.FInterID = u1.FInterID\r\n\r\n";

std::shared_ptr<clsFilterElement> Condition(const std::string& alias, const std::string& value) {
    auto e = std::make_shared<clsFilterElement>();
    e->sFieldAlias = alias;
    e->sAndOr = "   ";
    e->sLogicOperator = "1";
    e->sValue = value;
    return e;
}

std::shared_ptr<clsSortElement> SortKey(const std::string& alias, const std::string& type) {
    auto e = std::make_shared<clsSortElement>();
    e->sFieldAlias = alias;
    e->SortType = type;
    return e;
}

class ListSql : public TemplateTest {
protected:
    void SetUp() override {
        addList(1, 7, "v1,u1,");
        addBillRelation(7);
        addColumn(7, {.interId = 1, .colName = "FBillNo", .mode = 1, .caption = "单据号",
                      .isPrimary = 1});
        addColumn(7, {.interId = 2, .colName = "FDate", .colType = 0, .mode = 1});
        addColumn(7, {.interId = 3, .colName = "FQty", .tableAlias = "u1", .colType = 2});
        addColumn(7, {.interId = 4, .colName = "FAmount", .tableAlias = "u1", .colType = 5,
                      .mode = 1});
    }

    std::string listSql(const std::string& tableAliases = "", const std::string& fieldAliases = "") {
        t.InitData("FID in (1)");
        t.mListID = 1;
        t.mTemplateID = 7;
        return t.GetListSQL(tableAliases, fieldAliases, &info);
    }

    void filterOn(std::initializer_list<std::shared_ptr<clsFilterElement>> c) {
        t.setCollectionFilter(std::make_shared<Collection<clsFilterElement>>(c));
    }
    void sortBy(std::initializer_list<std::shared_ptr<clsSortElement>> c) {
        t.setCollectionSort(std::make_shared<Collection<clsSortElement>>(c));
    }
    void show(std::initializer_list<std::shared_ptr<clsHidenElement>> c) {
        t.setCollectionHiden(std::make_shared<Collection<clsHidenElement>>(c));
    }

    std::string headAliases() const {
        std::string s;
        for (std::size_t i = 0; t.mListHead && i < t.mListHead->size(); ++i)
            s += t.mListHead->at(i)->at("FColName").toString() + ",";
        return s;
    }

    TemplateData t;
    Dictionary info;
};

TEST_F(ListSql, StatementHasColumnsJoinsWhereAndOrder) {
    auto condition = Condition("FBillNo", "'X'");
    filterOn({condition});
    sortBy({SortKey("FDate", " ASC ")});
    EXPECT_EQ(listSql(),
              "SELECT TOP 5000 v1.FBillNo AS FBillNo,v1.FDate AS FDate\r\n" + kFrom +
                  " where 1=1 AND (     v1.FBillNo = 'X')  ORDER BY v1.FDate ASC,v1.FBillNo");
    EXPECT_EQ(condition->sFieldName, "v1.FBillNo");
    EXPECT_EQ(info.at("Select").toString(), "v1.FBillNo AS FBillNo,v1.FDate AS FDate");
    EXPECT_EQ(info.at("ORDER").toString(), "v1.FDate ASC,v1.FBillNo");
    EXPECT_EQ(info.at("Where").toString(), "1=1 AND (     v1.FBillNo = 'X')");
    EXPECT_EQ(info.at("From").toString(), kFrom.substr(7, kFrom.size() - 9));
    EXPECT_EQ(t.lastWhere(), "1=1 AND (     v1.FBillNo = 'X')");
    EXPECT_EQ(headAliases(), "FBillNo,FDate,");
}

TEST_F(ListSql, WithoutConditionsTheWhereIsAlwaysTrue) {
    listSql();
    EXPECT_EQ(info.at("Where").toString(), "1=1");
    EXPECT_EQ(t.lastWhere(), "1=1");
}

TEST_F(ListSql, ExtraFilterLosesItsLeadingAnd) {
    t.FilterExt = " and t1.FCheck=1";
    listSql();
    EXPECT_EQ(info.at("Where").toString(), "1=1 AND  ( t1.FCheck=1)");
    EXPECT_EQ(t.FilterExt, " t1.FCheck=1");
}

TEST_F(ListSql, ExtraFilterFollowsTheConditions) {
    filterOn({Condition("FDate", " '2024/01/31' ")});
    t.FilterExt = "v1.FStatus=1";
    listSql();
    EXPECT_EQ(info.at("Where").toString(),
              "1=1 AND (     v1.FDate =  '2024/01/31' )  AND (v1.FStatus=1)");
}

TEST_F(ListSql, WithoutSortOrKeysTheStatementEndsAfterTheWhere) {
    db.exec("UPDATE ICChatBillTitle SET FIsPrimary = 0");
    const std::string sql = listSql();
    EXPECT_TRUE(text::EndsWith(sql, "\r\n where 1=1 ")) << sql;
    EXPECT_EQ(info.at("ORDER").toString(), "");
}

TEST_F(ListSql, SecondKeyColumnFollowsTheFirst) {
    db.exec("UPDATE ICChatBillTitle SET FIsPrimary = 2 WHERE FColName = 'FDate'");
    listSql();
    EXPECT_EQ(info.at("ORDER").toString(), "v1.FBillNo,v1.FDate");
}

TEST_F(ListSql, MakingVouchersDropsTheRowLimit) {
    support::Shared().IsMakeVoucher = true;
    EXPECT_EQ(listSql().rfind("SELECT v1.FBillNo AS FBillNo,", 0), 0u);
}

TEST_F(ListSql, RowLimitComesFromTheSystemOptions) {
    setOption("ListMaxRows", "200");
    EXPECT_EQ(listSql().rfind("SELECT TOP 200 v1.FBillNo", 0), 0u);
}

TEST_F(ListSql, UnreadableRowLimitFallsBackToTheDefault) {
    setOption("ListMaxRows", "200; drop table x");
    EXPECT_EQ(listSql().rfind("SELECT TOP 5000 v1.FBillNo", 0), 0u);
}

TEST_F(ListSql, MoneyColumnsNeedMoneyVisibility) {
    listSql();
    EXPECT_EQ(headAliases(), "FBillNo,FDate,");
    t.blVisMoneyInStock = true;
    listSql();
    EXPECT_EQ(info.at("Select").toString(),
              "v1.FBillNo AS FBillNo,v1.FDate AS FDate,u1.FAmount AS FAmount");
    EXPECT_EQ(headAliases(), "FBillNo,FDate,FAmount,");
}

TEST_F(ListSql, WithEmptyCollectionsOnlyMarkedColumnsAreSelected) {
    addColumn(7, {.interId = -5, .colName = "FNeg"});
    addColumn(7, {.interId = 8, .colName = "FDollar", .caption = " $ "});
    addColumn(7, {.interId = 9, .colName = "FPlain"});
    filterOn({});
    sortBy({});
    show({});
    listSql();
    EXPECT_EQ(headAliases(), "FNeg,FBillNo,FDate,FDollar,");
}

TEST_F(ListSql, ColumnsUsedByConditionsSortsOrTheGridAreAdded) {
    addColumn(7, {.interId = 9, .colName = "FPlain"});
    filterOn({Condition("fqty", "1")});
    sortBy({SortKey("FPLAIN", " DESC ")});
    listSql();
    EXPECT_EQ(headAliases(), "FBillNo,FDate,FQty,FPlain,");
    EXPECT_EQ(info.at("Where").toString(), "1=1 AND (     u1.FQty = 1)");
    EXPECT_EQ(info.at("ORDER").toString(), "v1.FPlain DESC,v1.FBillNo");
}

TEST_F(ListSql, LookUpListsAddTheTemplatesVisibleColumns) {
    t.setShowFilter(false);
    t.setListShowStatus(1);
    db.exec("UPDATE ICChatBillTitle SET FVisible = 0 WHERE FColName = 'FDate'");
    listSql();
    EXPECT_EQ(headAliases(), "FBillNo,FDate,FQty,");
    t.setListShowStatus(0);
    listSql();
    EXPECT_EQ(headAliases(), "FBillNo,FDate,");
}

TEST_F(ListSql, HeadEntryCarriesTheUsersLayout) {
    show({Visible("FBillNo", 2, 1000.5, "1000.5", "1"), Visible("fbillno", 9, 9, "9", "2")});
    listSql();
    ASSERT_EQ(t.mListHead->size(), 2u);
    EXPECT_EQ(DumpEntry(*t.mListHead->at(0)),
              "FColCaption=单据号:text|FHeadSecond=:text|FColType=1:text|FColName=FBillNo:text|"
              "FSrcSQL=:text|FUserColWidth=1000:int32|FLogicAction=:text|FInterID=1:int32|"
              "FMergeable=False:bool|FIsPrimary=1:int16|FNeedCount=False:bool|"
              "FUserVisible=True:bool|FIndex=2:int32|FVisible=1:int16|FSrcFieldName=:text|"
              "FSrcTableName=:text|FExtFilter=:text|FSrcFieldKey=:text|FColWidth=1000.5:text|"
              "FColAlign=1:text");
    EXPECT_EQ(DumpEntry(*t.mListHead->at(1)),
              "FColCaption=FDate:text|FHeadSecond=:text|FColType=0:text|FColName=FDate:text|"
              "FSrcSQL=:text|FUserColWidth=0:int32|FLogicAction=:text|FInterID=2:int32|"
              "FMergeable=False:bool|FIsPrimary=0:int16|FNeedCount=False:bool|"
              "FUserVisible=True:bool|FIndex=0:int32|FVisible=0:int16|FSrcFieldName=:text|"
              "FSrcTableName=:text|FExtFilter=:text|FSrcFieldKey=:text|FColWidth=:text|"
              "FColAlign=:text");
}

TEST_F(ListSql, NegativeUserWidthFallsBackToTheTemplateWidth) {
    show({Visible("FDate", 1, -1)});
    listSql();
    EXPECT_EQ(t.mListHead->at(1)->at("FUserColWidth").toLong(), 1200);
    EXPECT_EQ(t.mListHead->at(1)->at("FVisible").toLong(), 1);
}

TEST_F(ListSql, LookUpListHeadsUseTheTemplateWidthAndVisibility) {
    t.setShowFilter(false);
    db.exec("UPDATE ICChatBillTitle SET FColWidth = 1500.5, FVisible = 0 WHERE FColName = 'FDate'");
    listSql();
    EXPECT_EQ(t.mListHead->at(1)->at("FUserColWidth").toLong(), 1500);
    EXPECT_EQ(t.mListHead->at(1)->at("FVisible"), Variant(int16_t{0}));
}

TEST_F(ListSql, TransactionTypeActionsBecomeConstants) {
    addColumn(7, {.interId = 5, .colName = "FTrans", .mode = 1, .action = " 58 "});
    listSql();
    EXPECT_EQ(info.at("Select").toString(),
              "v1.FBillNo AS FBillNo,v1.FDate AS FDate,58 AS FTranType");
    EXPECT_EQ(headAliases(), "FBillNo,FDate,FTrans,");
}

TEST_F(ListSql, ActionsFollowTheControlKind) {
    addColumn(7, {.interId = 5, .colName = "FA", .tableAlias = "t3", .mode = 1,
                  .action = "isnull(t3.FA,0)", .control = 1});
    addColumn(7, {.interId = 6, .colName = "FB", .tableAlias = "t3", .mode = 1,
                  .action = "t3.FB*2", .control = 7});
    addColumn(7, {.interId = 7, .colName = "FC", .tableAlias = "t3", .mode = 1,
                  .action = "t3.FC+1", .control = 5});
    addColumn(7, {.interId = 8, .colName = "FD", .tableAlias = "t3", .mode = 1,
                  .action = "t3.FD", .control = 3});
    addColumn(7, {.interId = 9, .colName = "FE", .tableAlias = "t3", .mode = 1,
                  .action = "t3.FE/2", .control = 3});
    addRelation(7, {.interId = 2, .table = "ICStockBillEntry", .alias = "u1", .field = "FItemID",
                    .table11 = "T3", .alias11 = "t3", .field11 = "FItemID"});
    listSql("", ",9,");
    EXPECT_EQ(info.at("Select").toString(),
              "v1.FBillNo AS FBillNo,v1.FDate AS FDate,isnull(t3.FA,0) AS FA,t3.FB AS FB,"
              "t3.FC+1 AS FC,t3.FE/2 AS FE");
    EXPECT_EQ(headAliases(), "FBillNo,FDate,FA,FB,FC,FE,");
    EXPECT_NE(info.at("From").toString().find(" INNER JOIN T3 t3 ON   u1.FItemID = t3.FItemID"),
              std::string::npos);
}

TEST_F(ListSql, ColumnLeftOutFirstLeavesNoStrayComma) {
    db.exec("DELETE FROM ICChatBillTitle");
    addColumn(7, {.interId = 1, .colName = "FD", .mode = 1, .action = "v1.FD", .control = 3});
    addColumn(7, {.interId = 2, .colName = "FBillNo", .mode = 1});
    EXPECT_EQ(listSql().rfind("SELECT TOP 5000 v1.FBillNo AS FBillNo\r\n", 0), 0u);
    EXPECT_EQ(headAliases(), "FBillNo,");
}

TEST_F(ListSql, BranchSaleOffDropsOrderConfirmationColumns) {
    setOption("StartBranchSale", "0");
    addList(2, 61, "v1,u1,");
    addList(3, 81, "v1,u1,");
    addBillRelation(61);
    addBillRelation(81);
    for (int tpl : {61, 81}) {
        addColumn(tpl, {.interId = 44, .colName = "FOrderAffirm", .mode = 1});
        addColumn(tpl, {.interId = 45, .colName = "FOrderRefuse", .mode = 1});
        addColumn(tpl, {.interId = 46, .colName = "FTranStatus", .mode = 1});
    }
    t.InitData("");
    t.mTemplateID = 61;
    t.GetListSQL("", "");
    EXPECT_EQ(headAliases(), "FOrderRefuse,FTranStatus,");
    t.mTemplateID = 81;
    t.GetListSQL("", "");
    EXPECT_EQ(headAliases(), "");
}

TEST_F(ListSql, RelationSignsCanBeHidden) {
    addColumn(7, {.interId = 5, .colName = "FSign", .colType = 12, .mode = 1});
    listSql();
    EXPECT_EQ(headAliases(), "FBillNo,FDate,FSign,");
    setOption("ShowRelationSign", "0");
    listSql();
    EXPECT_EQ(headAliases(), "FBillNo,FDate,");
}

TEST_F(ListSql, ItemTableAndExtraAliasesAreSelectedDirectly) {
    addRelation(7, {.interId = 2, .table = "ICStockBillEntry", .alias = "u1", .field = "FItemID",
                    .table11 = "t_ICItem", .alias11 = "t4", .field11 = "FItemID"});
    addRelation(7, {.interId = 3, .table = "ICStockBill", .alias = "v1", .field = "FDeptID",
                    .table11 = "t_Department", .alias11 = "t3", .field11 = "FItemID"});
    addColumn(7, {.interId = 5, .colName = "FItemNumber", .tableAlias = "t4", .name = "FNumber",
                  .mode = 1});
    addColumn(7, {.interId = 6, .colName = "FDeptName", .tableAlias = "t3", .name = "FName",
                  .mode = 1});
    listSql("t3,");
    EXPECT_EQ(info.at("Select").toString(),
              "v1.FBillNo AS FBillNo,v1.FDate AS FDate,t4.FNumber AS FItemNumber,"
              "t3.FName AS FDeptName");
    const std::string from = info.at("From").toString();
    EXPECT_NE(from.find(" INNER JOIN t_ICItem t4 ON "), std::string::npos);
    EXPECT_NE(from.find(" INNER JOIN t_Department t3 ON "), std::string::npos);
}

TEST_F(ListSql, PrimaryKeyTextIsCleared) {
    t.mPrimaryKeySels = "old";
    listSql();
    EXPECT_EQ(t.mPrimaryKeySels, "");
}

TEST_F(ListSql, UnloadedTemplateGivesEmptyStatement) {
    EXPECT_EQ(t.GetListSQL("", "", &info), "");
    EXPECT_EQ(info.size(), 0u);
}

TEST_F(ListSql, IllegalJoinSignEndsWithEmptyStatement) {
    db.exec("UPDATE ICTableRelation SET FLogic = '=='");
    EXPECT_EQ(listSql(), "");
    EXPECT_EQ(info.size(), 0u);
}

TEST_F(ListSql, UnorganisableJoinsLeaveTheFromTextEmpty) {
    addRelation(7, {.interId = 2, .table = "T8", .alias = "t8", .field = "FID", .table11 = "T9",
                    .alias11 = "t9", .field11 = "FID"});
    const std::string sql = listSql("t8,t9");
    EXPECT_NE(sql.find("\r\n  from \r\n where 1=1 "), std::string::npos);
    ASSERT_EQ(recorder.messages.size(), 1u);
}

}  // namespace
}  // namespace qelt::testing
