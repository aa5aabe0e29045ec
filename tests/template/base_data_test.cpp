#include <gtest/gtest.h>

#include <string>

#include "template/template_fixture.h"

namespace qelt::testing {
namespace {

class BaseData : public TemplateTest {
protected:
    void SetUp() override {
        addList(1, 7, "v1,u1,");
        addBillRelation(7);
        addColumn(7, {.interId = 1, .colName = "FBillNo", .mode = 1});
    }

    void baseColumn(int interId, const std::string& colName, const std::string& alias) {
        addColumn(7, {.interId = interId, .colName = colName, .tableAlias = alias,
                      .name = "FName", .mode = 1});
    }
    void marker(int interId, const std::string& table, const std::string& alias,
                const std::string& flag) {
        addRelation(7, {.interId = interId, .table = table, .alias = alias, .field = flag,
                        .alias11 = "##BASE##"});
    }

    std::string listSql() {
        t.InitData("FID in (1)");
        t.mTemplateID = 7;
        return t.GetListSQL("", "", &info);
    }

    std::string look(std::size_t entry, const std::string& key) const {
        return t.mListHead->at(entry)->at(key).toString();
    }

    TemplateData t;
    Dictionary info;
};

TEST_F(BaseData, ReferringKeyStandsInForTheColumn) {
    baseColumn(5, "FItemName", "t5");
    addRelation(7, {.interId = 2, .table = "ICStockBill", .alias = "v1", .field = "FItemID",
                    .table11 = "TableB", .alias11 = "t5", .field11 = "FItemID"});
    auto condition = std::make_shared<clsFilterElement>();
    condition->sFieldAlias = "FItemName";
    condition->sAndOr = "   ";
    condition->sLogicOperator = "1";
    condition->sValue = "3";
    t.setCollectionFilter(
        std::make_shared<Collection<clsFilterElement>>(Collection<clsFilterElement>{condition}));
    listSql();
    EXPECT_EQ(info.at("Select").toString(), "v1.FBillNo AS FBillNo,v1.FItemID As FItemName");
    EXPECT_EQ(info.at("Where").toString(), "1=1 AND (     v1.FItemID = 3)");
    EXPECT_EQ(info.at("From").toString().find("TableB"), std::string::npos);
    ASSERT_EQ(t.mListHead->size(), 2u);
    EXPECT_EQ(DumpEntry(*t.mListHead->at(1)),
              "FColCaption=FItemName:text|FHeadSecond=:text|FColType=1:text|"
              "FColName=FItemName:text|FSrcSQL=select FName from TableB where FItemID=####:text|"
              "FUserColWidth=0:int32|FLogicAction=:text|FInterID=5:int32|FMergeable=False:bool|"
              "FIsPrimary=0:int16|FNeedCount=False:bool|FUserVisible=True:bool|FIndex=0:int32|"
              "FVisible=0:int16|FSrcFieldName=FName:text|FSrcTableName=TableB:text|"
              "FExtFilter=:text|FSrcFieldKey=FItemID:text|FColWidth=:text|FColAlign=:text");
}

TEST_F(BaseData, FlaggedReferredTableLooksUpThroughDerivedTable) {
    baseColumn(5, "FItemName", "t5");
    addRelation(7, {.interId = 2, .table = "ICStockBill", .alias = "v1", .field = "FItemID",
                    .table11 = "TableB", .alias11 = "t5", .field11 = "FItemID"});
    marker(3, "TableB", "t5", "FUsed");
    listSql();
    EXPECT_EQ(info.at("Select").toString(), "v1.FBillNo AS FBillNo,v1.FItemID As FItemName");
    EXPECT_EQ(look(1, "FSrcSQL"), "select FName from TableB where FUsed=1 And FItemID=#### ");
    EXPECT_EQ(look(1, "FSrcTableName"),
              "(Select FName,FItemID From TableB UnitTb1 Where UnitTb1.FUsed=1 )");
    EXPECT_EQ(look(1, "FSrcFieldKey"), "FItemID");
    EXPECT_EQ(look(1, "FExtFilter"), "");
    EXPECT_EQ(info.at("From").toString().find("##BASE##"), std::string::npos);
}

TEST_F(BaseData, ReferringTableSelectsTheKeyOfTheOtherSide) {
    baseColumn(5, "FUnitName", "t6");
    addRelation(7, {.interId = 2, .table = "t_MeasureUnit", .alias = "t6",
                    .field = "FMeasureUnitID", .table11 = "ICUnitMap", .alias11 = "t8",
                    .field11 = "FUnitID"});
    addRelation(7, {.interId = 3, .table = "ICStockBillEntry", .alias = "u1", .field = "FMapID",
                    .table11 = "ICUnitMap", .alias11 = "t8", .field11 = "FMapID"});
    listSql();
    EXPECT_EQ(info.at("Select").toString(), "v1.FBillNo AS FBillNo,t8.FUnitID As FUnitName");
    EXPECT_EQ(look(1, "FSrcSQL"), "select FName from t_MeasureUnit where FMeasureUnitID=####");
    EXPECT_EQ(look(1, "FSrcFieldKey"), "FMeasureUnitID");
    EXPECT_EQ(look(1, "FSrcTableName"), "t_MeasureUnit");
    EXPECT_EQ(look(1, "FExtFilter"), "");
    const std::string from = info.at("From").toString();
    EXPECT_NE(from.find(" INNER JOIN ICUnitMap t8 ON   u1.FMapID = t8.FMapID"), std::string::npos);
    EXPECT_EQ(from.find("t_MeasureUnit"), std::string::npos);
}

TEST_F(BaseData, FlaggedReferringTableAddsTheFlagCondition) {
    baseColumn(5, "FUnitName", "t6");
    addRelation(7, {.interId = 2, .table = "t_MeasureUnit", .alias = "t6",
                    .field = "FMeasureUnitID", .table11 = "ICStockBillEntry", .alias11 = "u1",
                    .field11 = "FUnitID"});
    marker(3, "t_MeasureUnit", "t6", "FUsed");
    listSql();
    EXPECT_EQ(info.at("Select").toString(), "v1.FBillNo AS FBillNo,u1.FUnitID As FUnitName");
    EXPECT_EQ(look(1, "FSrcSQL"),
              "select FName from t_MeasureUnit where FMeasureUnitID=#### AND FUsed=1");
    EXPECT_EQ(look(1, "FExtFilter"), "FUsed=1");
}

TEST_F(BaseData, UnrelatedTableLeavesTheColumnOut) {
    baseColumn(5, "FLost", "t7");
    const std::string sql = listSql();
    EXPECT_EQ(sql.rfind("SELECT TOP 5000 v1.FBillNo AS FBillNo\r\n", 0), 0u);
    EXPECT_EQ(t.mListHead->size(), 1u);
}

TEST_F(BaseData, QuotedAliasIsMatchedNotBroken) {
    baseColumn(5, "FOdd", "t'5");
    addRelation(7, {.interId = 2, .table = "ICStockBill", .alias = "v1", .field = "FOddID",
                    .table11 = "TableB", .alias11 = "t'5", .field11 = "FID"});
    listSql();
    EXPECT_EQ(info.at("Select").toString(), "v1.FBillNo AS FBillNo,v1.FOddID As FOdd");
}

}  // namespace
}  // namespace qelt::testing
