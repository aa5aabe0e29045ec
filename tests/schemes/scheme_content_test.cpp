#include "qelt/scheme_content.h"

#include <gtest/gtest.h>

#include <string>

namespace qelt::schemes {
namespace {

TEST(SchemeContent, RowsEndInDoubleBarsAndDecodeBackWithTheirFieldCounts) {
    const ConditionRow a{"", "单据编号", "等于", "1", "x'1", "5", "(", ""};
    const ConditionRow b{"或者", "数量", "大于", "3", "--;", "6", "", ")"};
    const std::string relation = EncodeConditionRows({a, b});
    EXPECT_EQ(relation,
              "##<&单据编号##<&等于##<&1##<&x'1##<&x'1##<&5##<&(##<&##<&##<&##<&||"
              "或者##<&数量##<&大于##<&3##<&--;##<&--;##<&6##<&##<&)##<&##<&##<&||");
    EXPECT_EQ(DecodeConditionRows(relation), (std::vector<ConditionRow>{a, b}));
    EXPECT_EQ(DecodeConditionRows("   "), std::vector<ConditionRow>{});
    // The sort form counts its terminators; the others take a last piece
    // without one, short rows padded and long ones cut.
    EXPECT_EQ(DecodeSortKeyRows("编号##<&1##<&0##<&FBillNo||extra"),
              (std::vector<SortKeyRow>{{"编号", "1", "0", "FBillNo", "", "", ""}}));
    EXPECT_EQ(DecodeColumnRows("1##<&567##<&1##<&FBillNo##<&2##<&surplus||0##<&0"),
              (std::vector<ColumnRow>{{"1", "567", "1", "FBillNo", "2"}, {"0", "0", "", "", ""}}));
    EXPECT_EQ(EncodeColumnRows({{"1", "567", "1", "FBillNo", "0"}}),
              "1##<&567##<&1##<&FBillNo##<&0||");
}

TEST(SchemeContent, RowsHoldOnlyWhatThePersonCouldChoose) {
    const ConditionRow good{"并且", "单据编号", "包含", "9", "it's", "5", "((", ")"};
    struct Case {
        ConditionRow row;
        bool first;
        bool fits;
    };
    const auto with = [&](auto change) {
        ConditionRow r = good;
        change(r);
        return r;
    };
    for (const Case& c : {
             Case{good, false, true},
             Case{with([](auto& r) { r.logic = ""; }), true, true},
             Case{with([](auto& r) { r.code = ""; }), false, true},
             Case{with([](auto& r) { r.logic = ""; }), false, false},
             Case{with([](auto& r) { r.logic = "或"; }), false, false},
             Case{with([](auto& r) { r.comparison = "like"; }), false, false},
             Case{with([](auto& r) { r.code = "1"; }), false, false},
             Case{with([](auto& r) { r.field = " "; }), false, false},
             Case{with([](auto& r) { r.fieldId = "5x"; }), false, false},
             Case{with([](auto& r) { r.leftParentheses = "((((("; }), false, false},
             Case{with([](auto& r) { r.rightParentheses = ")))))"; }), false, false},
         })
        EXPECT_EQ(ConditionRowProblem(c.row, c.first).empty(), c.fits)
            << c.row.logic << "|" << c.row.comparison << "|" << c.row.leftParentheses << "|"
            << c.row.rightParentheses;

    EXPECT_EQ(SortKeyRowProblem({"编号", "0", "1", "FBillNo", "v1", "FBillNo", "t"}), "");
    for (const SortKeyRow& bad : {SortKeyRow{"编号", "1", "1", "FBillNo", "", "", ""},
                                  SortKeyRow{"编号", "0", "0", "FBillNo", "", "", ""},
                                  SortKeyRow{"编号", "2", "0", "FBillNo", "", "", ""},
                                  SortKeyRow{"编号", "1", "0", "", "", "", ""}})
        EXPECT_NE(SortKeyRowProblem(bad), "") << bad.ascending << bad.descending << bad.alias;

    EXPECT_EQ(ColumnRowProblem({" 1", "567", "3", "FBillNo", ""}), "");
    for (const ColumnRow& bad :
         {ColumnRow{"yes", "567", "1", "FBillNo", "0"}, ColumnRow{"1", "5e2", "1", "FBillNo", "0"},
          ColumnRow{"1", "567", "x", "FBillNo", "0"}, ColumnRow{"1", "567", "1", "FBillNo", "4"},
          ColumnRow{"1", "567", "1", "", "0"}})
        EXPECT_NE(ColumnRowProblem(bad), "") << bad.visible << bad.widthTwips << bad.alignment;
}

TEST(SchemeContent, AConditionFitsItsFieldsComparisonsAndValueCell) {
    struct Case {
        std::string comparison, value;
        int colType;
        std::string colName;
        bool fits;
    };
    for (const Case& c : {
             Case{"包含", std::string(200, 'x'), 1, "FBillNo", true},
             Case{"包含", std::string(201, 'x'), 1, "FBillNo", false},
             Case{"包含", "5", 3, "FQty", false},
             Case{"大于", "999999999", 3, "FQty", true},
             Case{"大于", "1e10", 3, "FQty", false},
             Case{"大于", "1.5", 3, "FQty", false},
             Case{"等于", "2026-02-29", 0, "FDate", false},
             Case{"等于", "2000-02-29", 0, "FDate", true},
             Case{"等于", "", 3, "FQty", true},
             Case{"等于", "1", 3, "FCheckerID", false},
             Case{"为空值", "", 3, "FCheckerID", true},
             Case{"为空值", "x", 1, "FBillNo", false},
         })
        EXPECT_EQ(ConditionRowProblemForField({"", "f", c.comparison, "", c.value, "", "", ""},
                                              c.colType, c.colName)
                      .empty(),
                  c.fits)
            << c.comparison << " " << c.value << " on " << c.colName;
}

TEST(SchemeContent, EntryProblemsNameTheKeyAndTheRow) {
    const auto problems = EntryProblems(
        {{"chkShowByBeforeProject", "1"},
         {"cboTime", "-1"},
         {"cboCheck", "2x"},
         {"chkPlan", "7"},
         {"txtRunNoFrom", "anything'"},
         {"Relation", EncodeConditionRows({{"", "名", "等于", "1", "", "", "", ")))))"}})},
         {"cboTime", "2"},
         {"Owner", "x"}});
    EXPECT_EQ(problems,
              (std::vector<std::string>{
                  "cboCheck: is not a list index", "chkPlan: is neither 0 nor 1",
                  "Relation row 1: the closing parentheses are not one of ) to ))))",
                  "cboTime: the key is there twice", "Owner: the dialog keeps no such key"}));
}

TEST(SchemeContent, WidthsTravelAsWholeTwipsAndComeBackWithTwoDecimals) {
    struct Case {
        std::string millimetres, twips, shown;
    };
    for (const Case& c :
         {Case{"10", "567", "10.00"}, Case{"10.00", "567", "10.00"}, Case{"25.4", "1440", "25.40"},
          Case{"0.5", "28", ".49"}, Case{"", "0", ".00"}, Case{"abc", "0", ".00"}}) {
        EXPECT_EQ(TwipsFromMillimetres(c.millimetres), c.twips) << c.millimetres;
        EXPECT_EQ(MillimetresFromTwips(c.twips), c.shown) << c.twips;
    }
    EXPECT_EQ(MillimetresFromTwips("1e400"), ".00");
}

TEST(SchemeContent, ANameIsRefusedWhenBlankOrADefaultSchemesName) {
    const std::pair<const char*, const char*> cases[] = {
        {"本月入库", ""},
        {"Default Schema 2", ""},
        {"O'Brien", ""},
        {"   ", "the name is blank"},
        {" 默认方案 ", "the name is the default scheme's"},
        {"默認方案", "the name is the default scheme's"},
        {"dEFAULT sCHEMA", "the name is the default scheme's"},
    };
    for (const auto& [name, problem] : cases) EXPECT_EQ(SchemeNameProblem(name), problem) << name;
}

TEST(SchemeContent, SchemeKeyTakesTheTextAfterTheEqualsSignOrFromTheParenthesis) {
    EXPECT_EQ(SchemeKey("FID=1"), "(1)");
    EXPECT_EQ(SchemeKey("FID in (1, 20)"), "(1, 20)");
    EXPECT_EQ(SchemeKey("plain"), "plain");
    EXPECT_EQ(SchemeKey("a=(b)=c"), "((b)=c)");
}

}  // namespace
}  // namespace qelt::schemes
