#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "template/template_fixture.h"

namespace qelt::testing {
namespace {

const std::string kItemToB = "ICStockBill v1.FItemID = TableB t5.FItemID";

class BaseData : public TemplateTest {
protected:
    // Select | FSrcSQL | FSrcFieldName | FSrcFieldKey | FSrcTableName | FExtFilter
    // of base-data column `column` in a new bill list, then the joins after the bill's own.
    std::string lookUp(const std::vector<std::string>& relations, const std::string& column) {
        addBillList(++lists);
        for (const auto& r : relations) addRelation(lists, r);
        addColumn(lists, "5 " + column + " | FMode=1");
        listSql(lists);
        std::string out = info.at("Select").toString();
        for (const char* key :
             {"FSrcSQL", "FSrcFieldName", "FSrcFieldKey", "FSrcTableName", "FExtFilter"})
            out += " | " + (t.mListHead->size() ? t.mListHead->at(0)->at(key).toString() : "-");
        const std::string from = info.at("From").toString();
        return out + " | " +
               (from.rfind(kBillJoins, 0) ? "FROM " + from : from.substr(kBillJoins.size()));
    }
    int lists = 0;
};

// The referring key stands in for the column, also in conditions. A "##BASE##"
// row names a flag field of a base-data table; it never becomes a join. A
// table without relation rows leaves the column out.
TEST_F(BaseData, RelationRowsAndFlagMarkersGiveTheColumnAndItsLookUp) {
    t.setCollectionFilter(Coll({Cond("FItemName", "1", "3")}));
    EXPECT_EQ(lookUp({kItemToB}, "t5.FName AS FItemName"),
              "v1.FItemID As FItemName | select FName from TableB where FItemID=#### | FName | "
              "FItemID | TableB |  | ");
    EXPECT_EQ(info.at("Where").toString(), "1=1 AND (     v1.FItemID = 3)");
    EXPECT_EQ(lookUp({kItemToB, "TableB t5.FUsed = - ##BASE##."}, "t5.FName AS FItemName"),
              "v1.FItemID As FItemName | "
              "select FName from TableB where FUsed=1 And FItemID=####  | FName | FItemID | "
              "(Select FName,FItemID From TableB UnitTb1 Where UnitTb1.FUsed=1 ) |  | ");
    EXPECT_EQ(lookUp({"t_MeasureUnit t6.FMeasureUnitID = ICUnitMap t8.FUnitID",
                      "ICStockBillEntry u1.FMapID = ICUnitMap t8.FMapID"},
                     "t6.FName AS FUnitName"),
              "t8.FUnitID As FUnitName | "
              "select FName from t_MeasureUnit where FMeasureUnitID=#### | FName | "
              "FMeasureUnitID | t_MeasureUnit |  |  INNER JOIN ICUnitMap t8 ON   "
              "u1.FMapID = t8.FMapID");
    EXPECT_EQ(lookUp({"t_MeasureUnit t6.FMeasureUnitID = ICStockBillEntry u1.FUnitID",
                      "t_MeasureUnit t6.FUsed = - ##BASE##."},
                     "t6.FName AS FUnitName"),
              "u1.FUnitID As FUnitName | "
              "select FName from t_MeasureUnit where FMeasureUnitID=#### AND FUsed=1 | FName | "
              "FMeasureUnitID | t_MeasureUnit | FUsed=1 | ");
    EXPECT_EQ(lookUp({}, "t7.FName AS FLost"), " | - | - | - | - | - | ");
    EXPECT_EQ(lookUp({"ICStockBill v1.FOddID = TableB t'5.FID"}, "t'5.FName AS FOdd"),
              "v1.FOddID As FOdd | select FName from TableB where "
              "FID=#### | FName | FID | TableB |  | ");
}

}  // namespace
}  // namespace qelt::testing
