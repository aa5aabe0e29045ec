#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog/golden.h"
#include "dialog/selector_fixture.h"

namespace qelt::testing {
namespace {

constexpr const char* kSelectors[] = {"cboTime", "cboCheck",    "cboICMO",   "cboROB",
                                      "cboPost", "cboKickBack", "cboCancel", "cboConnect"};

// One selector at one index on one transaction type, every other selector
// hidden and unselected.
struct Fragment {
    const char* selector;
    int index;
    int32_t tpl;
    int32_t list;
    std::string expected;
    int32_t host = 1;
    const char* system = "";
    bool shown = true;
};

class StatusFragments : public SelectorTest {
protected:
    std::string fragment(const Fragment& f) {
        reset();
        form().SetListID(f.host);
        form().SystemName = f.system;
        choose(f.list, f.tpl);
        form().setShowCancel(true);
        form().setShowConnect(true);
        for (const char* name : kSelectors) {
            form().combo(name).setVisible(false);
            form().combo(name).setListIndex(-1);
        }
        form().combo(f.selector).setVisible(f.shown);
        form().combo(f.selector).setListIndex(f.index);
        return status();
    }

    void check(const std::vector<Fragment>& cases) {
        for (const Fragment& f : cases) {
            SCOPED_TRACE(std::string(f.selector) + " " + std::to_string(f.index) + " template " +
                         std::to_string(f.tpl) + " list " + std::to_string(f.list));
            EXPECT_EQ(fragment(f), f.expected);
        }
    }
};

TEST_F(StatusFragments, CheckStatusByListAndTheStatusTemplate) {
    check({
        {"cboCheck", 0, 1, 1, " (v1.FCheckerID>0) "},
        {"cboCheck", 1, 1, 1, " (v1.FCheckerID<=0 OR v1.FCheckerID  IS NULL) "},
        {"cboCheck", 2, 1, 1, ""},
        {"cboCheck", 0, 1, 2001, "  v1.FStatus%2=1 "},
        {"cboCheck", 1, 1, 2002, "  v1.FStatus%2=0 "},
        {"cboCheck", 0, 1, 1, "", 1, "", false},
        // Template 630 reads the box whether it is shown or not.
        {"cboCheck", 0, 630, 1, " (v1.FStatus=0) ", 1, "", false},
        {"cboCheck", 1, 630, 1, " (v1.FStatus=1) "},
        {"cboCheck", 2, 630, 1, " (v1.FStatus=2) "},
        // The order-state templates ignore the check box.
        {"cboCheck", 0, 90, 6, ""},
    });
}

TEST_F(StatusFragments, OrderStatesByListWrappedWhenTheyHoldOr) {
    check({
        {"cboICMO", 0, 90, 6, "v1.FStatus=0"},
        {"cboICMO", 1, 90, 6, "((v1.FStatus=1 OR v1.FStatus=2)) "},
        {"cboICMO", 2, 90, 6, "v1.FStatus=3"},
        {"cboICMO", 3, 90, 6, "((v1.FStatus=0 OR v1.FStatus=1 OR v1.FStatus=2 OR v1.FStatus=3)) "},
        {"cboICMO", 0, 601, 601, "u1.FStatus=0"},
        {"cboICMO", 1, 601, 601, "((u1.FStatus=1 OR u1.FStatus=2)) "},
        {"cboICMO", 2, 601, 601, "u1.FStatus=3"},
        {"cboICMO", 3, 601, 601,
         "((u1.FStatus=0 OR u1.FStatus=1 OR u1.FStatus=2 OR u1.FStatus=3)) "},
        {"cboICMO", 1, 621, 621, "v1.FStatus=1"},
        {"cboICMO", 3, 621, 621, "v1.FStatus=7"},
        {"cboICMO", 4, 621, 621,
         "((v1.FStatus=0 OR v1.FStatus=1 OR v1.FStatus=3 OR v1.FStatus=7)) "},
        {"cboICMO", 0, 691, 691, "u1.FStatus=0"},
        {"cboICMO", 1, 691, 691, "u1.FStatus=1"},
        {"cboICMO", 3, 691, 691, ""},
        {"cboICMO", 1, 620, 620, "((v1.FStatus=1 OR v1.FStatus=2)) "},
        {"cboICMO", 0, 1, 1, ""},
        {"cboICMO", 0, 90, 6, "", 1, "", false},
    });
}

TEST_F(StatusFragments, DateRangesOnTheBillOrAuditDate) {
    check({
        {"cboTime", 0, 1, 1, "( convert(datetime,convert(varchar(30),v1.FDate,111))='2026/12/06')"},
        {"cboTime", 0, 90, 6,
         "( convert(datetime,convert(varchar(30),v1.FCheckDate,111))='2026/12/06')"},
        {"cboTime", 1, 1, 1,
         "(convert(datetime,convert(varchar(30),v1.FDate,111)) >='2026/11/30'  AND  "
         "convert(datetime,convert(varchar(30),v1.FDate,111)) < '2026/12/07')"},
        {"cboTime", 2, 1, 1, "(v1.FDate>='2026/12/01' AND  v1.FDate<'2027/01/01')"},
        {"cboTime", 2, 611, 611, "(v1.FCheckDate>='2026/12/01' AND  v1.FCheckDate<'2027/01/01')"},
        {"cboTime", 3, 1, 1, ""},
        {"cboTime", 4, 1, 1, "(v1.FDate>='2026/01/01' AND  v1.FDate<'2027/01/01')"},
        {"cboTime", 4, 620, 620, "(v1.FCheckDate>='2026/01/01' AND  v1.FCheckDate<'2027/01/01')"},
        {"cboTime", 0, 1, 1, "", 9},
        {"cboTime", 2, 1, 1, "", 10},
        {"cboTime", 2, 1, 1, "", 1, "", false},
    });
}

TEST_F(StatusFragments, RedBluePostingAndSuspension) {
    check({
        {"cboROB", 0, 97, 1, "v1.FROB=1"},
        {"cboROB", 1, 97, 1, "v1.FROB=-1"},
        {"cboROB", 2, 97, 1, ""},
        {"cboROB", 0, 1, 1, ""},  // not a red/blue bill type
        {"cboPost", 0, 1, 1, " (v1.FPosterID<0 OR v1.FPosterID>0) "},
        {"cboPost", 1, 1, 1, " (v1.FPosterID=0 OR v1.FPosterID  IS NULL) "},
        {"cboPost", 2, 1, 1, ""},
        {"cboPost", 0, 1, 2001, "  v1.FVoucherID>0  "},
        {"cboPost", 1, 1, 2002, " v1.FVoucherID<=0  "},
        {"cboPost", 0, 1, 4, ""},  // no posting for this type
        {"cboPost", 0, 1, 1, "", 1, "", false},
        {"cboPost", 0, 36, 36, " v1.FSuspend <> 0", 1, "", false},
        {"cboPost", 1, 620, 620, " v1.FSuspend = 0"},
        {"cboPost", 2, 36, 36, ""},
    });
}

TEST_F(StatusFragments, WriteOffCancellationAndClosing) {
    check({
        {"cboKickBack", 0, 62, 7, " (v1.FHookerID>0) "},
        {"cboKickBack", 1, 84, 7, " (v1.FHookerID<=0 OR v1.FHookerID IS NULL) "},
        {"cboKickBack", 2, 89, 7, ""},
        {"cboKickBack", 0, 1, 1, "  (v1.FARPStatus/2)%2=1 ", 1, "AR"},
        {"cboKickBack", 1, 1, 1, "  (v1.FARPStatus/2)%2=0 ", 1, "ap"},
        {"cboKickBack", 0, 1, 2001, "  (v1.FStatus/2)%2=1 ", 1, "AP"},
        {"cboKickBack", 1, 1, 2002, "  (v1.FStatus/2)%2=0 ", 1, "AR"},
        {"cboKickBack", 0, 1, 1, "", 1, "IC"},
        {"cboCancel", 0, 1, 1, " v1.FCancellation <> 0"},
        {"cboCancel", 1, 1, 1, " v1.FCancellation = 0"},
        {"cboCancel", 2, 1, 1, ""},
        {"cboConnect", 0, 61, 4, " v1.FStatus > 2 ", 4},
        {"cboConnect", 1, 61, 4, " v1.Fstatus < 3 ", 4},
        {"cboConnect", 0, 620, 620, " v1.FMRPClosed <> 0 ", 620},
        {"cboConnect", 1, 36, 36, " v1.FMRPClosed = 0 ", 36},
        {"cboConnect", 2, 61, 4, "", 4},
    });
}

// Each piece joins with its own word; a date piece after a wrapped order
// state is joined by "AND" without blanks.
TEST_F(SelectorTest, PiecesJoinInOrderWithTheirOwnWords) {
    struct Joined {
        int32_t tpl, list;
        std::vector<std::pair<const char*, int>> picks;
        std::string expected;
    };
    const std::vector<Joined> cases = {
        {97,
         1,
         {{"cboCheck", 0}, {"cboTime", 2}, {"cboROB", 1}, {"cboPost", 1}, {"cboCancel", 0}},
         " (v1.FCheckerID>0) AND(v1.FDate>='2026/12/01' AND  v1.FDate<'2027/01/01') and "
         "v1.FROB=-1 and  (v1.FPosterID=0 OR v1.FPosterID  IS NULL)  and  v1.FCancellation <> 0"},
        {90,
         6,
         {{"cboICMO", 1}, {"cboTime", 2}, {"cboConnect", 1}},
         "((v1.FStatus=1 OR v1.FStatus=2)) AND(v1.FCheckDate>='2026/12/01' AND  "
         "v1.FCheckDate<'2027/01/01') and  v1.Fstatus < 3 "},
        {1,
         1,
         {{"cboCheck", 1}, {"cboTime", 0}},
         " (v1.FCheckerID<=0 OR v1.FCheckerID  IS NULL)  AND "
         "(convert(datetime,convert(varchar(30),v1.FDate,111))='2026/12/06')"},
        {1,
         1,
         {{"cboCheck", 0}, {"cboTime", 1}},
         " (v1.FCheckerID>0)  AND(convert(datetime,convert(varchar(30),v1.FDate,111)) "
         ">='2026/11/30'  AND  convert(datetime,convert(varchar(30),v1.FDate,111)) < "
         "'2026/12/07')"},
        {62,
         7,
         {{"cboTime", 4}, {"cboKickBack", 1}},
         "(v1.FDate>='2026/01/01' AND  v1.FDate<'2027/01/01') AND  (v1.FHookerID<=0 OR "
         "v1.FHookerID IS NULL) "},
    };
    for (const Joined& c : cases) {
        reset();
        form().SetListID(c.list);
        choose(c.list, c.tpl);
        form().setShowCancel(true);
        form().setShowConnect(true);
        for (const char* name : kSelectors) form().combo(name).setVisible(false);
        for (const auto& [name, index] : c.picks) {
            form().combo(name).setVisible(true);
            form().combo(name).setListIndex(index);
        }
        EXPECT_EQ(status(), c.expected) << "template " << c.tpl;
    }
}

TEST_F(SelectorTest, ThisWeekRunsFromMondayToTheNextMonday) {
    const std::vector<std::pair<Date, std::string>> days = {
        {{2026, 12, 6}, "'2026/11/30'|'2026/12/07'"},  // Sunday: six days back
        {{2026, 12, 7}, "'2026/12/07'|'2026/12/14'"},  // Monday
        {{2026, 12, 5}, "'2026/11/30'|'2026/12/07'"},  // Saturday
        {{2026, 1, 1}, "'2025/12/29'|'2026/01/05'"},   // Thursday, across the year
        {{2024, 3, 3}, "'2024/02/26'|'2024/03/04'"},   // Sunday after a leap day
    };
    for (const auto& [day, bounds] : days) {
        server->today = day;
        reset();
        choose(1, 1);
        for (const char* name : kSelectors) form().combo(name).setVisible(false);
        form().cboTime.setVisible(true);
        form().cboTime.setListIndex(1);
        const std::string s = status();
        const auto from = s.find(">=") + 2, to = s.find("< ") + 2;
        EXPECT_EQ(s.substr(from, 12) + "|" + s.substr(to, 12), bounds) << day.format();
    }
}

// A period ends before the day after its last day, on the list server's
// calendar (last day at midnight) and on the cost system's (next period's
// start) alike, so documents of the last day, with or without a time, stay
// in the list.
TEST_F(SelectorTest, ThisPeriodEndsBeforeTheDayAfterItsLastDay) {
    for (const char* system : {"", "成本(工业)系统"}) {
        for (const auto& [period, expected] : std::vector<std::pair<const char*, std::string>>{
                 {"2", "(v1.FDate>='2026/02/01' AND  v1.FDate<'2026/03/01')"},
                 {"12", "(v1.FDate>='2026/12/01' AND  v1.FDate<'2027/01/01')"}}) {
            setOption("CurrentPeriod", period);
            reset();
            form().SystemName = system;
            choose(1, 1);
            for (const char* name : kSelectors) form().combo(name).setVisible(false);
            form().cboTime.setVisible(true);
            form().cboTime.setListIndex(2);
            EXPECT_EQ(status(), expected) << system << " period " << period;
        }
    }
}

// Unreadable periods leave no restriction at all: the pieces before the date
// are dropped and the later ones are not evaluated.
TEST_F(SelectorTest, UnreadablePeriodsEmptyTheWholeStatusText) {
    struct Case {
        const char* what;
        const char* sql;
        int timeIndex;
        std::string messages;
    };
    const std::vector<Case> cases = {
        {"no current period", "DELETE FROM t_SystemProfile WHERE FKey='CurrentPeriod'", 2,
         "|中间层调用失败！|Vostrel提示|48|0"},
        {"no current period", "DELETE FROM t_SystemProfile WHERE FKey='CurrentPeriod'", 4,
         "|中间层调用失败！|Vostrel提示|48|0"},
        {"no next year", "DELETE FROM t_PeriodDate WHERE FYear=2027", 4, ""},
        {"no calendar", "DROP TABLE t_PeriodDate", 2, ""},
    };
    for (const Case& c : cases) {
        setOption("CurrentPeriod", "12");
        reset();
        choose(1, 1);
        form().setShowCancel(true);
        form().cboCheck.setVisible(true);
        form().cboCheck.setListIndex(0);
        form().cboCancel.setVisible(true);
        form().cboCancel.setListIndex(1);
        form().cboTime.setVisible(true);
        form().cboTime.setListIndex(c.timeIndex);
        ASSERT_NE(status(), "") << c.what;
        db.exec(c.sql);
        messages();
        EXPECT_EQ(status(), "") << c.what << " " << c.timeIndex;
        EXPECT_EQ(messages(), c.messages) << c.what;
    }
}

TEST_F(SelectorTest, PlanOrderRunNumbersAreQuotedAndStatesListed) {
    form().SetListID(604);
    choose(604, 604);
    form().txtRunNoFrom.setText("MRP2026120001");
    form().txtRunNoTO.setText("MRP'X");
    form().chkPlan.setValue(1);
    form().chkClose.setValue(1);
    EXPECT_EQ(status(),
              " v2.FNumber>='MRP2026120001' and  v2.FNumber<='MRP''X' and   v1.FStatus in (0,3) ");

    form().txtRunNoFrom.setText("  ");
    form().txtRunNoTO.setText("");
    form().chkChecked.setValue(1);
    EXPECT_EQ(status(), "  v1.FStatus in (0,1,3) ");
    form().chkPlan.setValue(0);
    form().chkClose.setValue(0);
    EXPECT_EQ(status(), "  v1.FStatus in (1) ");

    form().framePlanOrder.setVisible(false);
    EXPECT_EQ(status(), "");
}

TEST_F(SelectorTest, BeforeStartEndsAtTheStartDate) {
    form().blBeforeStart = true;
    choose(1, 1);
    for (const char* name : kSelectors) form().combo(name).setVisible(false);
    EXPECT_EQ(status(), " v1.FDate<" + text::SqlQuote(form().GetStartDate()));
    form().cboCancel.setVisible(true);
    form().setShowCancel(true);
    form().cboCancel.setListIndex(1);
    EXPECT_EQ(status(),
              " v1.FCancellation = 0 and  v1.FDate<" + text::SqlQuote(form().GetStartDate()));
}

// --- transaction-type selection ------------------------------------------------

// Each selector as the person finds it: name, " hidden", " disabled", the
// selection, the label's caption; for the boxes whose items depend on the
// type, the items.
std::string Selectors(dialog::frmFilter& f) {
    std::string out;
    const auto flags = [](const ui::Control& c) {
        return std::string(c.visible() ? "" : " hidden") + (c.enabled() ? "" : " disabled");
    };
    const std::pair<ui::ComboBox*, ui::Label*> boxes[] = {
        {&f.cboTime, &f.lblTime},     {&f.cboCheck, &f.lblCheck},
        {&f.cboICMO, &f.lblICMO},     {&f.cboROB, &f.lblROB},
        {&f.cboPost, &f.lblPost},     {&f.cboKickBack, &f.lblKickBack},
        {&f.cboCancel, &f.lblCancel}, {&f.cboConnect, &f.lblConnect},
    };
    for (const auto& [combo, label] : boxes) {
        out += "  " + combo->name() + flags(*combo) + " =" + std::to_string(combo->listIndex()) +
               " " + label->caption() + (label->visible() == combo->visible() ? "" : " label?");
        if (combo == &f.cboICMO || combo == &f.cboPost) {
            out += " [";
            for (const auto& item : combo->items())
                out += item + (&item == &combo->items().back() ? "" : ";");
            out += "]";
        }
        out += "\n";
    }
    out += "  " + f.chkFastMode.name() + flags(f.chkFastMode) + " " + f.framePlanOrder.name() +
           flags(f.framePlanOrder) + "\n";
    return out;
}

TEST_F(SelectorTest, TransactionTypesShowTheirSelectors) {
    // Template 1: red/blue bills with a cancellation column.
    addList(1, 1, "v1,");
    db.exec(
        "INSERT INTO ICTransactionType (FID, FROB) VALUES (1, 1);"
        "UPDATE ICListtemplate SET FBillTemplateID=1 WHERE FTemplateID=1");
    addColumn(1, "1 v1.FCancellation AS FCancellation");
    struct Case {
        const char* what;
        int32_t list, tpl;
        std::function<void(dialog::frmFilter&)> before;
    };
    const auto none = [](dialog::frmFilter&) {};
    const std::vector<Case> cases = {
        {"stock bill", 1, 1, none},
        {"purchase order", 4, 61, none},
        {"production task", 6, 90, none},
        {"order-state template 621", 621, 621, none},
        {"order-state template 600", 600, 600, none},
        {"audit templates 902-911", 905, 905, none},
        {"suspension list 36", 36, 36, none},
        {"planned orders", 604, 604, none},
        {"template 603", 603, 603, none},
        {"calculation template 88", 1, 88, none},
        {"calculating host", 1, 1,
         [](dialog::frmFilter&) { support::Shared().IsCalculate = true; }},
        {"making vouchers", 1, 1,
         [](dialog::frmFilter&) {
             support::Shared().IsCalculate = true;
             support::Shared().IsMakeVoucher = true;
         }},
        {"receivables", 7, 62, [](dialog::frmFilter& t) { t.SystemName = "AR"; }},
        {"host list 69", 69, 69, [](dialog::frmFilter& t) { t.SetListID(69); }},
        {"host list 6 on template 69", 69, 69, [](dialog::frmFilter& t) { t.SetListID(6); }},
        {"before start", 1, 1, [](dialog::frmFilter& t) { t.blBeforeStart = true; }},
        {"shown from a list", 1, 1,
         [](dialog::frmFilter& t) {
             t.setShowCancel(false);
             t.setShowConnect(false);
         }},
    };
    std::string dump;
    for (const Case& c : cases) {
        reset();
        support::Shared().IsCalculate = false;
        support::Shared().IsMakeVoucher = false;
        c.before(form());
        choose(c.list, c.tpl);
        dump += std::string(c.what) + " (list " + std::to_string(c.list) + ", template " +
                std::to_string(c.tpl) + ")\n" + Selectors(form());
    }
    support::Shared().IsCalculate = false;
    support::Shared().IsMakeVoucher = false;
    ExpectGolden("selectors_by_transaction_type.txt", dump);
}

TEST_F(SelectorTest, EveryDialogBuildsItsGridsEvenForTheSharedTemplate) {
    addList(1, 1, "v1,");
    addColumn(1, "2 v1.FBillNo AS FBillNo | FVisible=1, FVisForQuest=1, FVisForOrder=1");
    addColumn(1, "3 v1.FDate AS FDate | FVisible=1, FVisForQuest=1, FVisForOrder=1, FColType=0");
    for (int shown = 1; shown <= 2; ++shown) {
        reset();
        open();
        form().models.templateData->InitData("");
        choose(1, 1);
        EXPECT_EQ(support::Shared().TemplateID, 1);
        EXPECT_EQ(form().vaHideColumn.maxRows(), 2) << "dialog " << shown;
        EXPECT_EQ(form().listOrderFields.listCount(), 2) << "dialog " << shown;
        EXPECT_EQ(form().listOrderFields.listIndex(), 0);
        EXPECT_FALSE(form().cmdUp.enabled() || form().cmdDown.enabled() ||
                     form().cmdDelOrder.enabled());
    }
}

TEST_F(SelectorTest, FastModeFollowsTheCheckBox) {
    addList(1, 1, "v1,");
    addColumn(1, "2 v1.FBillNo AS FBillNo | FVisible=1, FVisForQuest=1, FVisForOrder=1");
    open();
    form().models.templateData->InitData("");
    choose(1, 1);
    form().listOrderFields.clear();
    form().chkFastMode.setValue(1);
    EXPECT_EQ(form().glFastMode, 1);
    EXPECT_EQ(form().listOrderFields.listCount(), 1);
    form().chkFastMode.setValue(0);
    EXPECT_EQ(form().glFastMode, 0);
}

TEST_F(SelectorTest, RunNumberBoxesDropQuotesAndMoveOnWithEnter) {
    addList(604, 604, "v1,");
    addColumn(604, "2 v1.FBillNo AS FBillNo | FVisible=1, FVisForQuest=1, FVisForOrder=1");
    choose(604, 604);
    // Only the focus matters here: the dialog's own load and activation stay out.
    form().onLoad = nullptr;
    form().onActivate = nullptr;
    form().show();
    ASSERT_TRUE(form().focus("txtRunNoFrom"));
    form().txtRunNoFrom.type("MRP'01");
    EXPECT_EQ(form().txtRunNoFrom.text(), "MRP01");
    int key = ui::kKeyEnter;
    form().txtRunNoFrom.onKeyPress(key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(form().focused(), &form().txtRunNoTO);
    key = '\'';
    form().txtRunNoTO.onKeyPress(key);
    EXPECT_EQ(key, 0);
}

// --- presets from the list show status ---------------------------------------------

TEST_F(SelectorTest, ListShowStatusPresetsRedBlueAndAuditFromTheDataFilter) {
    struct Case {
        int32_t showStatus;
        std::string filter;
        std::string expected;  // red/blue value, cboROB, cboCheck, remaining data filter
    };
    const std::vector<Case> cases = {
        {2, "v1.FROB=1 And v1.FStatus>=1 And v1.FCancellation=0",
         "1 rob=0 disabled check=0 disabled |v1.FROB=1 And v1.FCancellation=0|"},
        {4, "v1.FROB=-1 And v1.FStatus=0", "-1 rob=1 disabled check=1 disabled |v1.FROB=-1|"},
        {6, "v1.FStatus > 0 and v1.FROB = 1", "1 rob=0 disabled check=0 disabled |v1.FROB = 1|"},
        {2, "v1.FTranType=1", "0 rob=2 disabled check=-1 |v1.FTranType=1|"},
        {2, "FStatus<=3 AND x=1", "0 rob=2 disabled check=2 disabled |x=1|"},
        {2, "v1.FHookStatus=1 And v1.FROB=1",
         "1 rob=0 disabled check=-1 |v1.FHookStatus=1 And v1.FROB=1|"},
        {0, "v1.FROB=1 And v1.FStatus>=1", "0 rob=-1 check=-1 |v1.FROB=1 And v1.FStatus>=1|"},
        {1, "v1.FROB=1", "0 rob=-1 check=-1 |v1.FROB=1|"},
    };
    for (const Case& c : cases) {
        reset();
        form().setListShowStatus(c.showStatus);
        form().SetDataFilter(c.filter);
        for (const char* name : kSelectors) form().combo(name).setListIndex(-1);
        form().selectors.preset();
        const auto state = [](const ui::ComboBox& b) {
            return std::to_string(b.listIndex()) + (b.enabled() ? " " : " disabled ");
        };
        EXPECT_EQ(std::to_string(form().selectors.presetROB()) + " rob=" + state(form().cboROB) +
                      "check=" + state(form().cboCheck) + "|" + form().selectors.dataFilter() + "|",
                  c.expected)
            << c.filter;
    }
}

}  // namespace
}  // namespace qelt::testing
