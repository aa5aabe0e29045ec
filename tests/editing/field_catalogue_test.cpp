#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/fmaker_fixture.h"
#include "support/language.h"

namespace qelt::testing {
namespace {

class FieldCatalogue : public FMakerTest {};

TEST_F(FieldCatalogue, CaptionRuleCutsAtPlusWithBarElseAtDollar) {
    struct Case {
        const char* caption;
        const char* headSecond;
        const char* expectedCaption;
        const char* expectedDesc;
    } cases[] = {
        {"数量+单价|元", "", "数量", "数量"},
        {"a|b+c", "", "a|b", "a|b"},  // "+" and "|" in any order
        {"日期$备注", "", "日期", "日期"},
        {"金额+税", "", "金额+税", "金额+税"},
        {"a+b$c", "", "a+b", "a+b"},
        {"单号|x", "", "单号|x", "单号|x"},
        {"单号", " 第二行 ", "单号", "单号$第二行"},
        {"单号$", "   ", "单号", "单号"},
    };
    int id = 0;
    for (const auto& c : cases) {
        const std::string n = std::to_string(++id);
        column(n + " F" + n + " 1 | FColCaption='" + c.caption + "', FHeadSecond='" + c.headSecond +
               "'");
    }
    initField();
    std::string captions, descs, expectedCaptions, expectedDescs;
    for (const auto& c : cases) {
        expectedCaptions += std::string(c.expectedCaption) + ",";
        expectedDescs += std::string(c.expectedDesc) + ",";
    }
    for (std::size_t i = 1; i < maker.ConditionFields().size(); ++i)
        descs += maker.ConditionFields()[i].Desc + ",";
    EXPECT_EQ(catalogueColumn("ColCaption"), expectedCaptions);
    EXPECT_EQ(catalogueColumn("Desc"), expectedDescs);
    EXPECT_EQ(descs, expectedDescs);
}

TEST_F(FieldCatalogue, CatalogueRowCarriesEveryFieldInOrder) {
    column(
        "5 FQty 3 | FTableName='ICStockBill', FItemClassID=4, FReturnDataType=1, FIsPrimary=1, "
        "FColWidth=1200, FVisForOrder=0, FName='FQtyField', FHeadSecond='kg'");
    column("9 FNote 1 | FVisible=2, FColWidth=567");
    initField();
    const auto& rs = maker.Catalogue();
    std::string dump;
    for (std::size_t i = 0; i < rs->fieldCount(); ++i) dump += rs->field(i).name + " ";
    dump += "\n";
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        for (std::size_t i = 0; i < rs->fieldCount(); ++i) dump += rs->value(i).toString("") + "|";
        dump += "\n";
    }
    EXPECT_EQ(dump,
              "InterID ColCaption ColName FieldName TableName TableAlias Desc ColType IsPrimary "
              "VisForQuery LookUpClsID RetDataType Visible VisForOrderBy ColWidth Index Align \n"
              "5|FQty|FQty|FQtyField|ICStockBill|v1|FQty$kg|3|1|1|4|1|1|0|21.16|1|0|\n"
              "9|FNote|FNote|FNote||v1|FNote|1|0|1|0|0|0|1|10|2|0|\n");
}

TEST_F(FieldCatalogue, ConditionEntryCarriesTheColumnAndPlaceholderComesFirst) {
    column(
        "3 FItem 1 | FItemClassID=4, FReturnDataType=2, FName='FNumber', FControl=2, "
        "FAction='x.y', FVisible=0, FVisForOrder=0, FTableName='t_ICItem', FIsPrimary=1");
    column("4 FPlain 2 | FControl=NULL, FAction=NULL");
    initField();
    ASSERT_EQ(maker.ConditionFieldCount(), 2);
    const auto& p = maker.ConditionFields()[0];
    EXPECT_EQ(p.Desc + "|" + std::to_string(p.ColType) + "|" + p.ColName, "(无)|-1|");
    auto dump = [](const clsChatTitle& f) {
        return std::to_string(f.InterID) + "|" + f.ColCaption + "|" + f.ColName + "|" +
               f.FieldName + "|" + f.TableName + "|" + f.TableAlias + "|" + f.Desc + "|" +
               std::to_string(f.ColType) + "|" + std::to_string(f.IsPrimary) + "|" +
               std::to_string(f.VisForQuery) + "|" + std::to_string(f.LookUpClsID) + "|" +
               std::to_string(f.RetDataType) + "|" + std::to_string(f.Visible) + "|" +
               std::to_string(f.VisForOrderBy) + "|" + f.sAction + "|" +
               std::to_string(f.ControlType);
    };
    EXPECT_EQ(dump(maker.ConditionFields()[1]),
              "3||FItem|FNumber|t_ICItem|v1|FItem|1|1|1|4|2|0|0|x.y|2");
    EXPECT_EQ(dump(maker.ConditionFields()[2]), "4||FPlain|FPlain||v1|FPlain|2|0|1|0|0|1|1||0");
    EXPECT_EQ(maker.FieldList(), "(无)\tFItem\tFPlain");
}

// Every rule that leaves a column out of the catalogue or the conditions.
TEST_F(FieldCatalogue, SkipRulesOfBothPasses) {
    column("1 FBillNo 1");
    column("2 FDate 0 | FVisible=0");
    column("3 FAmount 4");
    column("4 FPrice 40");
    column("5 FRate 5");
    column("6 FTax 6");
    column("7 FSum 11");
    column("8 fOrderAffirm 1");
    column("9 FORDERREFUSE 1");
    column("10 FTranStatus 1");
    column("11 FRelation 12");
    column("12 fcancellation 1");
    column("13 FCLOSESTATUS 1");
    column("14 FNote 1 | FVisForQuest=0");
    column("15 FQty 2");
    const std::string all =
        "FBillNo,FAmount,FPrice,FRate,FTax,FSum,fOrderAffirm,FORDERREFUSE,"
        "FTranStatus,FRelation,";
    struct Case {
        bool money;
        int branchSale, relationSign, auditChoice;
        std::string catalogue, conditions;
    } cases[] = {
        {true, 1, 1, -1, all + "fcancellation,FCLOSESTATUS,FNote,FQty,",
         "FBillNo,FDate,FAmount,FPrice,FRate,FTax,FSum,fOrderAffirm,FORDERREFUSE,FTranStatus,"
         "FRelation,FQty,"},
        {false, 1, 1, -1,
         "FBillNo,fOrderAffirm,FORDERREFUSE,FTranStatus,FRelation,fcancellation,FCLOSESTATUS,"
         "FNote,FQty,",
         "FBillNo,FDate,FAmount,FPrice,FRate,FTax,FSum,fOrderAffirm,FORDERREFUSE,FTranStatus,"
         "FRelation,FQty,"},
        {false, 1, 1, 1,
         "FBillNo,fOrderAffirm,FORDERREFUSE,FTranStatus,FRelation,fcancellation,FCLOSESTATUS,"
         "FNote,FQty,",
         "FBillNo,FDate,fOrderAffirm,FORDERREFUSE,FTranStatus,FRelation,FQty,"},
        {true, 1, 1, 1, all + "fcancellation,FCLOSESTATUS,FNote,FQty,",
         "FBillNo,FDate,FAmount,FPrice,FRate,FTax,FSum,fOrderAffirm,FORDERREFUSE,FTranStatus,"
         "FRelation,FQty,"},
        {true, 0, 0, -1,
         "FBillNo,FAmount,FPrice,FRate,FTax,FSum,fcancellation,FCLOSESTATUS,FNote,FQty,",
         "FBillNo,FDate,FAmount,FPrice,FRate,FTax,FSum,FQty,"},
    };
    for (const auto& c : cases) {
        gl->allow = c.money;
        support::Shared().StartBranchSale = c.branchSale;
        support::Shared().ShowRelationSign = c.relationSign;
        support::Shared().AuditChoice = static_cast<int16_t>(c.auditChoice);
        initField();
        SCOPED_TRACE(::testing::Message()
                     << "money " << c.money << " branch " << c.branchSale << " relation "
                     << c.relationSign << " audit " << c.auditChoice);
        EXPECT_EQ(catalogueColumn("ColName"), c.catalogue);
        EXPECT_EQ(conditionAliases(), c.conditions);
        EXPECT_EQ(catalogueColumn("Index"), [&] {
            std::string s;
            for (std::size_t i = 1; i <= static_cast<std::size_t>(maker.Catalogue()->recordCount());
                 ++i)
                s += std::to_string(i) + ",";
            return s;
        }());
    }
}

TEST_F(FieldCatalogue, TemplateZeroLeavesTheCatalogueAndOtherTemplatesAreFilteredOut) {
    column("1 FBillNo 1");
    addColumn(8, "2 v1.FOther AS FOther");
    initField();
    EXPECT_EQ(catalogueColumn("ColName"), "FBillNo,");
    support::Shared().TemplateID = 0;
    maker.InitField();
    EXPECT_EQ(catalogueColumn("ColName"), "FBillNo,");
    EXPECT_EQ(conditionAliases(), "FBillNo,");
}

TEST_F(FieldCatalogue, NameMapsLookUpBothDirections) {
    support::SetLanguageCode("EN");
    column("1 FBillNo 1 | FColCaption='单据号$x', FColCaption_EN='Bill no', FHeadSecond='2'");
    column("2 FDate 0 | FColCaption='日期', FColCaption_EN='Date'");
    initField();
    struct Case {
        const char* name;
        bool toOther;
        const char* field;
        const char* compare;
        const char* logic;
    } cases[] = {
        {"单据号$2", true, "Bill no$2", "", ""},
        {"Bill no$2", false, "单据号$2", "", ""},
        {"Date", false, "日期", "", ""},
        {"日期", false, "", "", ""},
        {"Date", true, "", "", ""},
        {"nowhere", true, "", "", ""},
        {"nowhere", false, "", "", ""},
        {"等于", true, "", "等于", ""},
        {"等于", false, "", "等于", ""},
        {"不为空值", false, "", "不为空值", ""},
        {"或者", true, "", "", "或者"},
        {"并且", false, "", "", "并且"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.toOther ? " to other" : " to base"));
        EXPECT_EQ(maker.GetMappingField(c.name, c.toOther), c.field);
        EXPECT_EQ(maker.GetMappingCompare(c.name, c.toOther), c.compare);
        EXPECT_EQ(maker.GetMappingLogic(c.name, c.toOther), c.logic);
    }
    EXPECT_EQ(maker.getColumnsCount(), 0);
}

TEST_F(FieldCatalogue, FieldMapKeepsTheCaptionsOfEarlierLists) {
    column("1 FBillNo 1");
    initField();
    addList(2, 8, "v1");
    addColumn(8, "2 v1.FOther AS FOther | FColCaption='Other'");
    t.InitData("");
    support::Shared().TemplateID = 8;
    maker.InitField();
    EXPECT_EQ(conditionAliases(), "FOther,");
    EXPECT_EQ(maker.GetMappingField("FBillNo", true) + "|" + maker.GetMappingField("Other"),
              "FBillNo|Other");
}

}  // namespace
}  // namespace qelt::testing
