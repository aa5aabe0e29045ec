#include <gtest/gtest.h>

#include <string>

#include "support/shared_settings.h"
#include "template/template_fixture.h"

namespace qelt::testing {
namespace {

const std::string kHead = "SELECT TOP 5000 v1.FBillNo AS FBillNo,v1.FDate AS FDate\r\n  from ";

// One list-head entry as "key=value:type|..." so that one assertion checks
// every key, its order, its value and its value type.
std::string DumpEntry(const Dictionary& d) {
    static const char* const kTypes[] = {"empty",  "null", "bool", "int16", "int32",
                                         "double", "text", "date", "object"};
    std::string out;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const Variant& v = d.at(d.keyAt(i));
        out += (i ? "|" : "") + d.keyAt(i) + "=" + v.toString("") + ":" +
               kTypes[static_cast<int>(v.type())];
    }
    return out;
}

class ListSql : public TemplateTest {
protected:
    void SetUp() override {
        addBillList(7);
        addColumn(7, "1 v1.FBillNo AS FBillNo | FMode=1, FIsPrimary=1, FColCaption='单据号'");
        addColumn(7, "2 v1.FDate AS FDate | FMode=1, FColType=0");
        addColumn(7, "3 u1.FQty AS FQty | FColType=2");
        addColumn(7, "4 u1.FAmount AS FAmount | FMode=1, FColType=5");
    }
};

// The extra filter follows the conditions.
TEST_F(ListSql, StatementHasColumnsJoinsWhereAndOrder) {
    t.setCollectionFilter(Coll({Cond("FBillNo", "1", "'X'")}));
    t.setCollectionSort(Coll({Key("FDate", " ASC ")}));
    t.FilterExt = "v1.FStatus=1";
    EXPECT_EQ(listSql(), kHead + kBillJoins +
                             "\r\n where 1=1 AND (     v1.FBillNo = 'X')  AND (v1.FStatus=1)  "
                             "ORDER BY v1.FDate ASC,v1.FBillNo");
}

TEST_F(ListSql, ExtraFilterAloneLosesItsLeadingAnd) {
    t.FilterExt = " and t1.FCheck=1";
    listSql();
    EXPECT_EQ(info.at("Where").toString() + "|" + t.FilterExt,
              "1=1 AND  ( t1.FCheck=1)| t1.FCheck=1");
}

// Without conditions and key columns the statement ends in " where 1=1 ".
TEST_F(ListSql, RowLimitComesFromTheOptionsUnlessMakingVouchers) {
    setOption("ListMaxRows", "200");
    EXPECT_EQ(listSql().rfind("SELECT TOP 200 v1.FBillNo", 0), 0u);
    setOption("ListMaxRows", "200; drop table x");
    EXPECT_EQ(listSql().rfind(kHead, 0), 0u);
    support::Shared().IsMakeVoucher = true;
    db.exec("UPDATE ICChatBillTitle SET FIsPrimary = 0");
    EXPECT_EQ(listSql(), "SELECT v1.FBillNo AS FBillNo,v1.FDate AS FDate\r\n  from " + kBillJoins +
                             "\r\n where 1=1 ");
}

TEST_F(ListSql, MoneyAndRelationSignColumnsCanBeLeftOut) {
    addColumn(7, "5 v1.FSign AS FSign | FMode=1, FColType=12");
    listSql();
    EXPECT_EQ(info.at("Select").toString() + "|" + head(),
              "v1.FBillNo AS FBillNo,v1.FDate AS FDate,v1.FSign AS FSign|FBillNo,FDate,FSign,");
    t.blVisMoneyInStock = true;
    setOption("ShowRelationSign", "0");
    listSql();
    EXPECT_EQ(head(), "FBillNo,FDate,FAmount,");
}

// Besides the columns marked by FMode 1, a negative FInterID or the caption
// "$", a list selects those its elements use and, for a look-up list with a
// status, those the template shows.
TEST_F(ListSql, MarkedUsedOrShownColumnsAreSelected) {
    addColumn(7, "-5 v1.FNeg AS FNeg");
    addColumn(7, "8 v1.FDollar AS FDollar | FColCaption=' $ '");
    addColumn(7, "9 v1.FPlain AS FPlain | FVisible=0");
    addColumn(7, "10 v1.FShown AS FShown | FVisible=0");
    t.setCollectionHiden(Coll<clsHidenElement>({}));
    listSql();
    EXPECT_EQ(head(), "FNeg,FBillNo,FDate,FDollar,");
    t.setCollectionFilter(Coll({Cond("fqty", "1", "1")}));
    t.setCollectionSort(Coll({Key("FPLAIN", " DESC ")}));
    t.setCollectionHiden(Coll({Visible("FSHOWN", 1, 0)}));
    listSql();
    EXPECT_EQ(head(), "FNeg,FBillNo,FDate,FQty,FDollar,FPlain,FShown,");
    t.setCollectionFilter(nullptr);
    t.setCollectionSort(nullptr);
    t.setCollectionHiden(nullptr);
    t.setShowFilter(false);
    t.setListShowStatus(1);
    listSql();
    EXPECT_EQ(head(), "FNeg,FBillNo,FDate,FQty,FDollar,");
    t.setListShowStatus(0);
    listSql();
    EXPECT_EQ(head(), "FNeg,FBillNo,FDate,FDollar,");
}

// The first visible-column element of an alias counts; a negative width is the
// template's; without ShowFilter the template's width and visibility count.
TEST_F(ListSql, HeadEntryCarriesTheUsersLayoutOrTheTemplates) {
    t.setCollectionHiden(Coll({Visible("FBillNo", 2, 1000.5, "1000.5", "1"),
                               Visible("fbillno", 9, 9, "9", "2"), Visible("FDate", 1, -1)}));
    listSql();
    EXPECT_EQ(DumpEntry(*t.mListHead->at(0)),
              "FColCaption=单据号:text|FHeadSecond=:text|FColType=1:text|FColName=FBillNo:text|"
              "FSrcSQL=:text|FUserColWidth=1000:int32|FLogicAction=:text|FInterID=1:int32|"
              "FMergeable=False:bool|FIsPrimary=1:int16|FNeedCount=False:bool|"
              "FUserVisible=True:bool|FIndex=2:int32|FVisible=1:int16|FSrcFieldName=:text|"
              "FSrcTableName=:text|FExtFilter=:text|FSrcFieldKey=:text|FColWidth=1000.5:text|"
              "FColAlign=1:text");
    EXPECT_EQ(head("FUserColWidth") + head("FVisible"), "1000,1200,1,1,");
    t.setCollectionHiden(Coll({Visible("FDate", 1, 0)}));
    listSql();
    EXPECT_EQ(head("FUserColWidth") + head("FVisible"), "0,0,0,1,");
    t.setShowFilter(false);
    db.exec("UPDATE ICChatBillTitle SET FColWidth = 1500.5, FVisible = 0 WHERE FInterID = 2");
    listSql();
    EXPECT_EQ(head("FUserColWidth") + head("FVisible"), "1200,1500,1,0,");
}

// The column of FControl 3 is left out, unless its action is an expression
// (FInterID 8); t4 is selected directly as the item table, t9 as an extra alias.
TEST_F(ListSql, ColumnSourcesFollowActionsControlsAndAliases) {
    addColumn(7, "0 t3.FD AS FD | FMode=1, FAction='t3.FD', FControl=3");
    addColumn(7, "5 t3.FA AS FA | FMode=1, FAction='isnull(t3.FA,0)', FControl=1");
    addColumn(7, "6 t3.FB AS FB | FMode=1, FAction='t3.FB*2', FControl=7");
    addColumn(7, "7 t3.FC AS FC | FMode=1, FAction='t3.FC+1', FControl=5");
    addColumn(7, "8 t3.FE AS FE | FMode=1, FAction='t3.FE/2', FControl=3");
    addColumn(7, "9 t3.FT AS FTrans | FMode=1, FAction=' 58 '");
    addColumn(7, "10 t4.FNumber AS FItemNumber | FMode=1, FIsPrimary=2");
    addColumn(7, "11 t9.FName AS FDeptName | FMode=1");
    addRelation(7, "ICStockBillEntry u1.FItemID = T3 t3.FItemID");
    addRelation(7, "ICStockBillEntry u1.FItemID = t_ICItem t4.FItemID");
    addRelation(7, "ICStockBill v1.FDeptID = t_Department t9.FItemID");
    listSql(7, "t9,");
    EXPECT_EQ(info.at("Select").toString() + " | " + info.at("ORDER").toString() + " | " + head(),
              "v1.FBillNo AS FBillNo,v1.FDate AS FDate,isnull(t3.FA,0) AS FA,t3.FB AS FB,"
              "t3.FC+1 AS FC,t3.FE/2 AS FE,58 AS FTranType,t4.FNumber AS FItemNumber,"
              "t9.FName AS FDeptName | v1.FBillNo,t4.FNumber | "
              "FBillNo,FDate,FA,FB,FC,FE,FTrans,FItemNumber,FDeptName,");
    EXPECT_EQ(info.at("From").toString(),
              kBillJoins +
                  " INNER JOIN T3 t3 ON   u1.FItemID = t3.FItemID INNER JOIN t_ICItem t4 ON   "
                  "u1.FItemID = t4.FItemID INNER JOIN t_Department t9 ON   v1.FDeptID = "
                  "t9.FItemID");
}

TEST_F(ListSql, BranchSaleOffDropsOrderConfirmationColumns) {
    setOption("StartBranchSale", "0");
    for (int tpl : {61, 81}) {
        addList(tpl, tpl, "v1,");
        addColumn(tpl, "44 v1.FOrderAffirm AS FOrderAffirm | FMode=1");
        addColumn(tpl, "45 v1.FOrderRefuse AS FOrderRefuse | FMode=1");
        addColumn(tpl, "46 v1.FTranStatus AS FTranStatus | FMode=1");
    }
    listSql(61);
    EXPECT_EQ(head(), "FOrderRefuse,FTranStatus,");
    listSql(81);
    EXPECT_EQ(head(), "");
}

TEST_F(ListSql, FailuresGiveAnEmptyStatement) {
    EXPECT_EQ(t.GetListSQL("", "", &info) + std::to_string(info.size()), "0");  // nothing loaded
    db.exec("UPDATE ICTableRelation SET FLogic = '=='");
    EXPECT_EQ(listSql() + std::to_string(info.size()), "0");
}

}  // namespace
}  // namespace qelt::testing
