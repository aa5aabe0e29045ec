#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog/golden.h"
#include "dialog/selector_fixture.h"
#include "qelt/error.h"
#include "qelt/ui/dump.h"
#include "support/language.h"

namespace qelt::testing {
namespace {

constexpr const char* kNames[] = {"CboTime", "CboCheck", "CboCancel", "CboKickBack",
                                  "CboROB",  "CboPost",  "CboICMO",   "CboConnect"};

class SelectorConfiguration : public SelectorTest {
protected:
    // A configuration row for (list, show status, destination type, red/blue,
    // check switch) that shows every selector with caption "<name>:" (in
    // its language columns "<name>(CHT)", "<name>(EN)"), items "a;b;c"
    // and the second item; then `set` as SQL assignments.
    void row(int fid, const std::string& keys, const std::string& set = "") {
        std::string sql =
            "INSERT INTO ICListFilter (FID, FListID, FListShowStatus, FDestBillTranType, FBillROB, "
            "FCheckSwitch) VALUES (" +
            std::to_string(fid) + ", " + keys + "); UPDATE ICListFilter SET ";
        for (const char* n : kNames) {
            const std::string f = std::string("F") + n;
            sql += f + "Visible=1, " + f + "Caption='" + n + ":', " + f + "Caption_CHT='" + n +
                   "(CHT)', " + f + "Caption_EN='" + n + "(EN)', " + f + "List='a;b;c', " + f +
                   "List_CHT='a;b;c(CHT)', " + f + "List_EN='a;b;c(EN)', " + f + "Value=1, " + f +
                   "Enable=1" + (n == kNames[7] ? "" : ", ");
        }
        sql += " WHERE FID=" + std::to_string(fid);
        if (!set.empty())
            sql += "; UPDATE ICListFilter SET " + set + " WHERE FID=" + std::to_string(fid);
        db.exec(sql);
    }

    // Every selector and its label, as the person sees them.
    std::string selectors() {
        std::string out;
        for (ui::Control* c : form().controls())
            if (c->name().starts_with("cbo") || c->name().starts_with("lbl"))
                if (c->name() != "cboTransType" && c->name() != "lblProject") out += ui::Dump(*c);
        return Folded(out);
    }
};

// Each key must match: a row that differs in any one of them is not used.
TEST_F(SelectorConfiguration, OnlyARowMatchingEveryKeyApplies) {
    row(1, "4, 2, 75, 1, 1", "FCboTimeVisible=0");
    const std::string before = selectors();
    for (const auto& args : std::vector<std::vector<int32_t>>{{5, 75, 2, 1, 1},
                                                              {4, 76, 2, 1, 1},
                                                              {4, 75, 3, 1, 1},
                                                              {4, 75, 2, 0, 1},
                                                              {4, 75, 2, 1, 0}}) {
        form().selectors.configure(args[0], args[1], args[2], args[3], args[4]);
        EXPECT_EQ(selectors(), before)
            << args[0] << " " << args[1] << " " << args[2] << " " << args[3] << " " << args[4];
    }
    form().selectors.configure(4, 75, 2, 1, 1);
    EXPECT_FALSE(form().cboTime.visible() || form().lblTime.visible());
}

TEST_F(SelectorConfiguration, RowHidesCaptionsLoadsSelectsAndEnables) {
    row(1, "1, 0, 0, 0, 0",
        "FCboTimeVisible=0, FCboTimeCaption=NULL, FCboTimeList=NULL, FCboTimeValue=NULL, "
        "FCboCheckCaption='审核:', FCboCheckList='a;b;;c', FCboCheckValue=0, "
        "FCboCancelEnable=0, FCboCancelValue=2, "
        "FCboKickBackVisible=NULL, FCboKickBackEnable=NULL, "
        "FCboROBList=' x ; y;', FCboROBCaption='', "
        "FCboPostList='one', FCboPostValue=0, "
        "FCboICMOEnable=7, FCboICMOValue=2");
    form().lblKickBack.setVisible(false);
    form().cboKickBack.setVisible(false);
    form().cboConnect.setEnabled(false);
    form().selectors.configure(1, 0, 0, 0, 0);
    EXPECT_EQ(selectors(),
              "Label lblTime \"时间:\" hidden\n"
              "ComboBox cboTime index=-1 hidden ¦  0 \"当天\" ¦  1 \"本周\" ¦  2 \"本期\" ¦  3 "
              "\"全部\" ¦  4 \"本年\"\n"
              "Label lblCheck \"审核:\"\n"
              "ComboBox cboCheck index=0 ¦* 0 \"a\" ¦  1 \"b\"\n"
              "Label lblICMO \"CboICMO:\"\n"
              "ComboBox cboICMO index=2 ¦  0 \"a\" ¦  1 \"b\" ¦* 2 \"c\"\n"
              "Label lblROB \"\"\n"
              "ComboBox cboROB index=1 ¦  0 \" x \" ¦* 1 \" y\"\n"
              "Label lblPost \"CboPost:\"\n"
              "ComboBox cboPost index=0 ¦* 0 \"one\"\n"
              "Label lblKickBack \"CboKickBack:\"\n"
              "ComboBox cboKickBack index=1 ¦  0 \"a\" ¦* 1 \"b\" ¦  2 \"c\"\n"
              "Label lblCancel \"CboCancel:\"\n"
              "ComboBox cboCancel index=2 disabled ¦  0 \"a\" ¦  1 \"b\" ¦* 2 \"c\"\n"
              "Label lblConnect \"CboConnect:\"\n"
              "ComboBox cboConnect index=1 ¦  0 \"a\" ¦* 1 \"b\" ¦  2 \"c\"\n");
}

TEST_F(SelectorConfiguration, OnlyTheFirstMatchingRowIsUsed) {
    row(1, "1, 0, 0, 0, 0", "FCboTimeCaption='first'");
    row(2, "1, 0, 0, 0, 0", "FCboTimeCaption='second', FCboCheckVisible=0");
    form().selectors.configure(1, 0, 0, 0, 0);
    EXPECT_EQ(form().lblTime.caption(), "first");
    EXPECT_TRUE(form().cboCheck.visible());
}

TEST_F(SelectorConfiguration, CaptionsAndItemsComeFromTheLanguageColumns) {
    row(1, "1, 0, 0, 0, 0");
    for (const auto& [language, expected] :
         std::vector<std::pair<const char*, std::string>>{{"chs", "CboTime:|a;b;c"},
                                                          {"CHT", "CboTime(CHT)|a;b;c(CHT)"},
                                                          {"en", "CboTime(EN)|a;b;c(EN)"},
                                                          {"jp", "CboTime:|a;b;c"}}) {
        support::SetLanguageCode(language);
        reset();
        form().selectors.configure(1, 0, 0, 0, 0);
        const auto& items = form().cboConnect.items();
        ASSERT_EQ(items.size(), 3u) << language;
        EXPECT_EQ(form().lblTime.caption() + "|" + items[0] + ";" + items[1] + ";" + items[2],
                  expected);
    }
    support::SetLanguageCode("chs");
}

// A selector that is shown needs its caption, items and value; a hidden one
// reads nothing else.
TEST_F(SelectorConfiguration, MissingValuesOfAShownSelectorRaise) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"FCboCheckCaption=NULL", true},
        {"FCboPostList=NULL", true},
        {"FCboICMOValue=NULL", true},
        {"FCboConnectValue=3", true},
        {"FCboROBList='a;;b', FCboROBValue=1", true},
        {"FCboTimeVisible=0, FCboTimeCaption=NULL, FCboTimeList=NULL, FCboTimeValue=NULL", false},
        {"FCboCheckVisible=NULL, FCboCheckEnable=NULL", false},
    };
    int fid = 0;
    for (const auto& [set, raises] : cases) {
        ++fid;
        row(fid, std::to_string(fid) + ", 0, 0, 0, 0", set);
        bool raised = false;
        try {
            form().selectors.configure(fid, 0, 0, 0, 0);
        } catch (const Error&) {
            raised = true;
        }
        EXPECT_EQ(raised, raises) << set;
    }
}

TEST(DemoSelectorConfiguration, DemoListsConfigureTheirSelectors) {
    TempDatabase reset;
    host::SetDatabase(std::string("sqlite3://db=") + QELT_TEST_DEMO_DB);
    const auto summary = [](dialog::frmFilter& f) {
        std::string s;
        for (ui::ComboBox* c : {&f.cboTime, &f.cboCheck, &f.cboCancel, &f.cboROB, &f.cboConnect})
            s += c->name() + (c->visible() ? "" : " hidden") + (c->enabled() ? "" : " disabled") +
                 " " + c->text() + "\n";
        return s;
    };
    dialog::frmFilter orders;
    orders.setDialogTexts();
    orders.selectors.configure(4, 0, 0, 0, 0);
    EXPECT_EQ(summary(orders),
              "cboTime 本年\ncboCheck 全部\ncboCancel 正常\ncboROB hidden \ncboConnect 未关闭\n");
    dialog::frmFilter invoiceSource;
    invoiceSource.setDialogTexts();
    invoiceSource.selectors.configure(1, 75, 2, 1, 0);
    EXPECT_EQ(summary(invoiceSource),
              "cboTime 全部\ncboCheck disabled 已审核\ncboCancel disabled 正常\ncboROB disabled "
              "蓝字\ncboConnect hidden \n");
}

}  // namespace
}  // namespace qelt::testing
