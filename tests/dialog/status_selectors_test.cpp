#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "dialog/golden.h"
#include "dialog/selector_fixture.h"

namespace qelt::testing {
namespace {

constexpr const char* kSelectors[] = {"cboTime", "cboCheck",    "cboICMO",   "cboROB",
                                      "cboPost", "cboKickBack", "cboCancel", "cboConnect"};

// One case of golden/status_text.txt or selectors_by_transaction_type.txt:
// "template/list" then words: "cboX=i" (shown, selected; "!cboX=i" hidden but
// selected), "host=" (the host's list), "system=", "today=Y-M-D", "period=",
// "beforestart", "calculating", "vouchers", "fromlist" (cancellation and
// closing not offered), the planned-order "from=", "to=" ("_" a blank),
// "plan", "checked", "close", "noframe", or "break=period|nextyear|calendar"
// (the calendar spoiled after a first reading). For a status text every
// selector not named is hidden and unselected.
class StatusText : public SelectorTest {
protected:
    void prepare(const std::string& input, bool statusText) {
        std::istringstream words(input);
        std::string word;
        words >> word;
        const int32_t tpl = std::stoi(word), list = std::stoi(word.substr(word.find('/') + 1));
        rest.clear();
        while (words >> word) rest.push_back(word);
        const std::string today = value("today", "2026-12-06");
        server->today = Date{std::stoi(today.substr(0, 4)),
                             std::stoi(today.substr(5, 2)),
                             std::stoi(today.substr(8, 2)),
                             10,
                             20,
                             30};
        setOption("CurrentPeriod", value("period", "12"));
        support::Shared().IsCalculate = has("calculating") || has("vouchers");
        support::Shared().IsMakeVoucher = has("vouchers");
        reset();
        if (const std::string host = value("host", statusText ? "1" : ""); !host.empty())
            form().SetListID(std::stoi(host));
        form().SystemName = value("system");
        form().blBeforeStart = has("beforestart");
        form().setShowCancel(!has("fromlist"));
        form().setShowConnect(!has("fromlist"));
        choose(list, tpl);
        support::Shared().IsCalculate = support::Shared().IsMakeVoucher = false;
        if (!statusText) return;
        form().setShowCancel(true);
        form().setShowConnect(true);
        for (const char* name : kSelectors) {
            form().combo(name).setVisible(false);
            form().combo(name).setListIndex(-1);
        }
        for (const std::string& w : rest) {
            const bool hidden = w.starts_with("!");
            if (!w.starts_with("cbo") && !hidden) continue;
            const auto eq = w.find('=');
            form().combo(w.substr(hidden, eq - hidden)).setVisible(!hidden);
            form().combo(w.substr(hidden, eq - hidden)).setListIndex(std::stoi(w.substr(eq + 1)));
        }
    }
    std::string value(const std::string& key, const std::string& otherwise = "") const {
        for (const std::string& w : rest)
            if (w.starts_with(key + "=")) return w.substr(key.size() + 1);
        return otherwise;
    }
    bool has(const std::string& w) const {
        return std::find(rest.begin(), rest.end(), w) != rest.end();
    }

    std::vector<std::string> rest;  // the words after "template/list"

    // The status text, quoted, and the messages shown.
    std::string run(const std::string& input) {
        prepare(input, true);
        const auto blanks = [](std::string s) {
            std::replace(s.begin(), s.end(), '_', ' ');
            return s;
        };
        form().txtRunNoFrom.setText(blanks(value("from")));
        form().txtRunNoTO.setText(blanks(value("to")));
        form().chkPlan.setValue(has("plan"));
        form().chkChecked.setValue(has("checked"));
        form().chkClose.setValue(has("close"));
        if (has("noframe")) form().framePlanOrder.setVisible(false);
        if (const std::string spoil = value("break"); !spoil.empty()) {
            status();
            db.exec(spoil == "period"     ? "DELETE FROM t_SystemProfile WHERE FKey='CurrentPeriod'"
                    : spoil == "nextyear" ? "DELETE FROM t_PeriodDate WHERE FYear=2027"
                                          : "DROP TABLE t_PeriodDate");
        }
        messages();
        const std::string text = "\"" + status() + "\"";
        return text + messages();
    }

    // "preset <show status> <data filter>": the red/blue value, the red/blue
    // and audit boxes and the data filter that is left.
    std::string preset(const std::string& input) {
        std::istringstream words(input.substr(7));
        int32_t showStatus = 0;
        words >> showStatus;
        reset();
        form().setListShowStatus(showStatus);
        form().SetDataFilter(input.substr(7 + std::to_string(showStatus).size() + 1));
        for (const char* name : kSelectors) form().combo(name).setListIndex(-1);
        form().selectors.preset();
        const auto state = [](const ui::ComboBox& b) {
            return std::to_string(b.listIndex()) + (b.enabled() ? " " : " disabled ");
        };
        return std::to_string(form().selectors.presetROB()) + " rob=" + state(form().cboROB) +
               "check=" + state(form().cboCheck) + "|" + form().selectors.dataFilter() + "|";
    }
};

TEST_F(StatusText, FragmentsJoinsPeriodsAndPresetsMatchTheGolden) {
    ExpectGoldenCases("status_text.txt", [this](const std::string& input) {
        return input.starts_with("preset ") ? preset(input) : run(input);
    });
}

// --- transaction-type selection ------------------------------------------------

// Each selector as the person finds it, "name[ hidden][ disabled]=index
// caption", the items of the boxes whose items follow the type in [];
// then the fast mode box and the planned-order frame.
std::string Selectors(dialog::frmFilter& f) {
    std::string out;
    const auto flags = [](const ui::Control& c) {
        return std::string(c.visible() ? "" : " hidden") + (c.enabled() ? "" : " disabled");
    };
    for (const char* name : kSelectors) {
        const ui::ComboBox& combo = f.combo(name);
        const ui::Label& label = f.label("lbl" + std::string(name + 3));
        out += combo.name() + flags(combo) + "=" + std::to_string(combo.listIndex()) + " " +
               label.caption() + (label.visible() == combo.visible() ? "" : " label?");
        if (&combo == &f.cboICMO || &combo == &f.cboPost) {
            out += " [";
            for (const auto& item : combo.items()) out += item + ";";
            out += "]";
        }
        out += "; ";
    }
    return out + f.chkFastMode.name() + flags(f.chkFastMode) + " " + f.framePlanOrder.name() +
           flags(f.framePlanOrder);
}

TEST_F(StatusText, TransactionTypesShowTheirSelectors) {
    // Template 1: red/blue bills with a cancellation column.
    addList(1, 1, "v1,");
    db.exec(
        "INSERT INTO ICTransactionType (FID, FROB) VALUES (1, 1);"
        "UPDATE ICListtemplate SET FBillTemplateID=1 WHERE FTemplateID=1");
    addColumn(1, "1 v1.FCancellation AS FCancellation");
    ExpectGoldenCases("selectors_by_transaction_type.txt", [this](const std::string& input) {
        prepare(input, false);
        return Selectors(form());
    });
}

TEST_F(SelectorTest, EveryDialogBuildsItsGridsAndFastModeFollowsTheCheckBox) {
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
    form().listOrderFields.clear();
    form().chkFastMode.setValue(1);
    EXPECT_EQ(form().glFastMode, 1);
    EXPECT_EQ(form().listOrderFields.listCount(), 2);
    form().chkFastMode.setValue(0);
    EXPECT_EQ(form().glFastMode, 0);
}

TEST_F(SelectorTest, RunNumberBoxesDropQuotesAndMoveOnWithEnter) {
    addList(604, 604, "v1,");
    addColumn(604, "2 v1.FBillNo AS FBillNo | FVisible=1, FVisForQuest=1, FVisForOrder=1");
    choose(604, 604);
    form().onLoad = nullptr;  // only the focus matters here
    form().onActivate = nullptr;
    form().show();
    ASSERT_TRUE(form().focus("txtRunNoFrom"));
    form().txtRunNoFrom.type("MRP'01");
    EXPECT_EQ(form().txtRunNoFrom.text(), "MRP01");
    int key = ui::kKeyEnter;
    form().txtRunNoFrom.onKeyPress(key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(form().focused(), &form().txtRunNoTO);
}

}  // namespace
}  // namespace qelt::testing
