// The selectors of the filter dialog: their configuration rows, the status
// text they give and what each transaction type shows.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/host_fake.h"
#include "common/template_rows.h"
#include "dialog/frm_filter.h"
#include "dialog/golden.h"
#include "editing/fmaker.h"
#include "host/default_components.h"
#include "qelt/error.h"
#include "qelt/host/prog_ids.h"
#include "qelt/host/session.h"
#include "qelt/ui/dump.h"
#include "support/language.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

constexpr const char* kSelectors[] = {"cboTime", "cboCheck",    "cboICMO",   "cboROB",
                                      "cboPost", "cboKickBack", "cboCancel", "cboConnect"};

// A filter dialog with its texts and models over a private database that
// holds the monthly periods of 2026 and January 2027 (current: December
// 2026) and a server whose date is chosen by the test.
class SelectorTest : public TemplateTest {
protected:
    SelectorTest() {
        // The ledger data object answers the server's date the test chose and
        // every other statement as the library's own does.
        auto real = std::dynamic_pointer_cast<host::IGLData>(host::defaults::NewGLData());
        gl->query = [this, real](const std::string& sql) {
            return sql == "Select getdate() " ? Rows({{"today", Variant(today)}})
                                              : real->getanyrecordset(sql);
        };
        host::SetSharedProperty("PropsString", "UserID=7;UserName=li");
        setOption("CurrentYear", "2026");
        setOption("CurrentPeriod", "12");
        db.exec(
            "WITH RECURSIVE p(m) AS (SELECT 1 UNION ALL SELECT m + 1 FROM p WHERE m < 12) "
            "INSERT INTO t_PeriodDate (FYear, FPeriod, FStartDate, FEndDate) "
            "SELECT 2026, m, printf('2026-%02d-01 00:00:00', m), "
            "strftime('%Y-%m-%d 00:00:00', printf('2026-%02d-01', m), '+1 month', '-1 day') "
            "FROM p; INSERT INTO t_PeriodDate VALUES "
            "(2027, 1, '2027-01-01 00:00:00', '2027-01-31 00:00:00')");
        reset();
    }

    dialog::frmFilter& form() { return *dialog_; }
    // A new dialog with its texts written, models not yet created.
    void reset() {
        dialog_ = std::make_unique<dialog::frmFilter>();
        dialog_->setDialogTexts();
    }
    // Every selector and its label, the fast mode box and the planned-order
    // frame, as the person sees them.
    std::string selectors() {
        std::string out;
        for (ui::Control* c : form().controls())
            if ((c->name().starts_with("cbo") || c->name().starts_with("lbl")) &&
                c->name() != "cboTransType" && c->name() != "lblProject")
                out += ui::Dump(*c);
        return Folded(out + ui::Dump(form().chkFastMode) + ui::Dump(form().framePlanOrder));
    }

    std::string status() {
        form().selectors.recordInUse();
        return form().selectors.statusText();
    }

    // One case of golden/status_text.txt or selectors_by_transaction_type.txt:
    // "template/list" then words: "cboX=i" (shown, selected; "!cboX=i" hidden but
    // selected), "host=" (the host's list), "system=", "today=Y-M-D", "period=",
    // "beforestart", "calculating", "vouchers", "fromlist" (cancellation and
    // closing not offered), the planned-order "from=", "to=" ("_" a blank),
    // "plan", "checked", "close", "noframe", or "break=period|nextyear|calendar"
    // (the calendar spoiled after a first reading), "fastmode" (the box
    // checked). For a status text every selector not named is hidden and
    // unselected.
    void prepare(const std::string& input, bool statusText) {
        std::istringstream words(input);
        std::string word;
        words >> word;
        const int32_t tpl = std::stoi(word), list = std::stoi(word.substr(word.find('/') + 1));
        rest.clear();
        while (words >> word) rest.push_back(word);
        ASSERT_TRUE(Date::parse(value("today", "2026-12-06"), today));
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
        // The models, then the transaction type chosen: its handler runs.
        form().lifecycle.createModels();
        form().models.templateData->InitData("");
        form().cboTransType.addItem(dialog::TransTypeItem::Text("T", list, tpl, ""));
        form().cboTransType.setListIndex(0);
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
        form().txtRunNoFrom.setText(Blank(value("from")));
        form().txtRunNoTO.setText(Blank(value("to")));
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

    // A configuration row for (list, show status, destination type, red/blue,
    // check switch) that shows every selector with caption "<name>:" (in
    // its language columns "<name>(CHT)", "<name>(EN)"), items "a;b;c"
    // and the second item; then `set` as SQL assignments (the last of a
    // column's assignments counts).
    void row(int fid, const std::string& keys, const std::string& set = "") {
        std::string sql =
            "INSERT INTO ICListFilter (FID, FListID, FListShowStatus, FDestBillTranType, FBillROB, "
            "FCheckSwitch) VALUES (" +
            std::to_string(fid) + ", " + keys + "); UPDATE ICListFilter SET ";
        for (const char* name : kSelectors) {
            const std::string n = "Cbo" + std::string(name + 3), f = "F" + n;
            sql += f + "Visible=1, " + f + "Caption='" + n + ":', " + f + "Caption_CHT='" + n +
                   "(CHT)', " + f + "Caption_EN='" + n + "(EN)', " + f + "List='a;b;c', " + f +
                   "List_CHT='a;b;c(CHT)', " + f + "List_EN='a;b;c(EN)', " + f + "Value=1, " + f +
                   "Enable=1" + (name == kSelectors[7] ? "" : ", ");
        }
        db.exec(sql + (set.empty() ? "" : ", " + set) + " WHERE FID=" + std::to_string(fid));
    }

    // One case of golden/selector_configuration.txt: "list,status,type,rob,check
    // | language | row keys # SQL assignments | ...". Before it the close box
    // is disabled and the write-off box and label hidden. The result: the
    // selectors when they changed, or the error raised.
    std::string configure(const std::string& input) {
        std::vector<std::string> parts;
        for (std::size_t from = 0, at = 0; at != std::string::npos; from = at + 3)
            parts.push_back(input.substr(from, (at = input.find(" | ", from)) - from));
        db.exec("DELETE FROM ICListFilter");
        for (std::size_t i = 2; i < parts.size(); ++i) {
            const auto hash = parts[i].find(" # ");
            row(int(i), parts[i].substr(0, hash),
                hash == std::string::npos ? "" : parts[i].substr(hash + 3));
        }
        support::SetLanguageCode(parts[1]);
        reset();
        form().lblKickBack.setVisible(false);
        form().cboKickBack.setVisible(false);
        form().cboConnect.setEnabled(false);
        const std::string before = selectors();
        int32_t k[5];
        std::sscanf(parts[0].c_str(), "%d,%d,%d,%d,%d", &k[0], &k[1], &k[2], &k[3], &k[4]);
        std::string out;
        try {
            form().selectors.configure(k[0], k[1], k[2], k[3], k[4]);
            out = selectors() == before ? "unchanged" : selectors();
        } catch (const Error& e) {
            out = "raised " + e.description;
        }
        support::SetLanguageCode("chs");
        return out;
    }

    std::shared_ptr<HostFake> gl = HostFake::Install({"GLData"});
    Date today;
    std::unique_ptr<dialog::frmFilter> dialog_;
};

TEST_F(SelectorTest, FragmentsJoinsPeriodsAndPresetsMatchTheGolden) {
    ExpectGoldenCases("status_text.txt", [this](const std::string& input) {
        return input.starts_with("preset ") ? preset(input) : run(input);
    });
}

// --- transaction-type selection ------------------------------------------------

TEST_F(SelectorTest, TransactionTypesShowTheirSelectors) {
    // Template 1: red/blue bills with a cancellation column, a bill number and
    // a date. Each case is a new dialog, which builds its own grids.
    addList(1, 1, "v1,");
    db.exec(
        "INSERT INTO ICTransactionType (FID, FROB) VALUES (1, 1);"
        "UPDATE ICListtemplate SET FBillTemplateID=1 WHERE FTemplateID=1");
    addColumn(1, "1 v1.FCancellation AS FCancellation");
    addColumn(1, "2 v1.FBillNo AS FBillNo | FVisible=1, FVisForQuest=1, FVisForOrder=1");
    addColumn(1, "3 v1.FDate AS FDate | FVisible=1, FVisForQuest=1, FVisForOrder=1, FColType=0");
    ExpectGoldenCases("selectors_by_transaction_type.txt", [this](const std::string& input) {
        prepare(input, false);
        if (has("fastmode")) {
            form().listOrderFields.clear();
            form().chkFastMode.setValue(1);
        }
        return selectors() + "columns " + std::to_string(form().vaHideColumn.maxRows()) +
               ", sort fields " + std::to_string(form().listOrderFields.listCount()) +
               ", fast mode " + std::to_string(form().glFastMode);
    });
}

TEST_F(SelectorTest, ConfigurationRowsMatchingEveryKeyShowHideLoadAndRaiseAsTheGolden) {
    ExpectGoldenCases("selector_configuration.txt",
                      [this](const std::string& in) { return configure(in); });
}

}  // namespace
}  // namespace qelt::testing
