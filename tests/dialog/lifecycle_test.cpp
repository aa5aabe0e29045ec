// The filter dialog's lifecycle on fixture templates: what it offers when it
// opens, when it accepts itself, when it refuses, and how it assembles the
// extra filter and its public results.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "common/test_env.h"
#include "dialog/frm_filter.h"
#include "dialog/golden.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/ui/presenter.h"
#include "support/session_env.h"
#include "support/shared_settings.h"

namespace qelt::dialog {
namespace {

using testing::MessageRecorder;
using testing::TempDatabase;

// One list per row: FID, name, template (list 25's name has 120 letters);
// every template has a bill number (text), a date and a quantity, except
// template 700 which has no columns.
constexpr const char* kLists = R"sql(
INSERT INTO ICListTemplate (FID, FName, FTemplateID, FFilter, FMasterTable) VALUES
 (1, '采购订单', 501, 'v1.FTranType=71', 'v1'), (20, '审核单', 502, 'v1.FTranType=20', 'v1'),
 (21, '销售订单', 60, '', 'v1'), (22, '报价单', 64, '', 'v1'), (23, '外销发票', 63, '', 'v1'),
 (24, '销售65', 65, '', 'v1'), (84, '确认单', 505, '', 'v1'), (604, '计划订单', 506, '', 'v1'),
 (700, '空模板', 700, '', 'v1'), (25, replace(hex(zeroblob(60)), '0', 'n'), 507, '', 'v1');
INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', 'CurrentYear', '2026'),
  ('IC', 'CurrentPeriod', '12'), ('IC', 'NeedShowColumnPrompt', '30');
INSERT INTO t_PeriodDate (FYear, FPeriod, FStartDate, FEndDate) VALUES
  (2026, 12, '2026-12-01 00:00:00', '2026-12-31 00:00:00');
)sql";

constexpr const char* kColumns = R"sql(
INSERT INTO ICChatBillTitle (FInterID, FTypeID, FColCaption, FColName, FTableName, FColType,
  FColWidth, FVisible, FVisForQuest, FName, FTableAlias, FAction, FIsPrimary, FVisForOrder, FMode)
SELECT c.id, t.FTemplateID, c.caption, c.alias, 'TableA', c.type, 900, 1, 1, c.alias, 'v1', '',
       c.id = 1, 1, 1
FROM ICListTemplate t,
     (SELECT 1 AS id, '单据编号' AS caption, 'FBillNo' AS alias, 1 AS type
      UNION ALL SELECT 2, '日期', 'FDate', 0
      UNION ALL SELECT 3, '数量', 'FQty', 3) c
WHERE t.FTemplateID <> 700;
)sql";

class Lifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        db.exec(kLists);
        db.exec(kColumns);
        host::SetSharedProperty("PropsString", "UserID=7;UserName=li");
        support::LoadSystemOptions();
    }

    std::string shown() { return messages.take(); }

    TempDatabase db;
    MessageRecorder messages;
    frmFilter form;
};

// One case of golden/lifecycle_steps.txt: words before the dialog runs,
// "lists=1,20" (the lists offered), "host=" (the host's list), "fixed" (the
// type cannot be chosen), "dest=" (destination type), "sale" (out-sale
// mode), "audit=0", "before" (accept on open), "fromlist", "anonymous" (no
// user id); then what the person does once it is shown: "item=", "frame"
// (the planned-order frame shown), "plan", "runno=" (typed into the first
// run number), "quote" (a bill-number condition typed with quotes), "swap"
// (the first two column rows, as the move button does, and the first's width
// 0), "ok", "cancel", "enter"; a last "key" adds the window's key, a last
// "head" the list head, the widths read by name and the template. The result: the
// types offered, the one chosen, the list and template, the dialog's name,
// whether it accepted, whether the person saw it and it stayed open, the
// messages and the WHERE text.
class LifecycleSteps : public Lifecycle {
protected:
    // The list head's columns, the widths read by name ("width@row": an
    // unknown name leaves the row) and the template.
    static std::string Head(frmFilter& d) {
        std::string out;
        for (std::size_t i = 0; i < d.getListHead()->size(); ++i)
            out += " " + d.getListHead()->at(i)->at("FColName").toString();
        for (const char* name : {"FNope", "FBillNo", "FDate"}) {
            int32_t index = -5;
            const double width = d.GetTheColWidthByColName(name, index);
            out += " " + std::to_string(width) + "@" + std::to_string(index);
        }
        return out + " template " + d.GetTemplateInfo().at("FID").toString();
    }
    std::string runSteps(const std::string& input) {
        std::vector<std::string> acts;
        frmFilter dialog;
        db.exec("DELETE FROM t_SystemProfile WHERE FKey='AuditChoice'");
        support::Shared().CJName = "";
        support::Shared().TemplateID = 0;
        host::SetSharedProperty("PropsString", "UserID=7;UserName=li");
        std::istringstream words(input);
        for (std::string w; words >> w;) {
            const std::string arg = w.substr(w.find('=') + 1);
            if (w.starts_with("lists=")) support::Shared().Filter = "FID in (" + arg + ")";
            if (w.starts_with("host=")) dialog.SetListID(std::stoi(arg));
            if (w == "fixed") dialog.setCanSelTrantype(false);
            if (w.starts_with("dest=")) dialog.setDestBillTransType(arg);
            if (w == "sale") dialog.setSaleMode(1);
            if (w == "audit=0")
                db.exec(
                    "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) "
                    "VALUES ('IC','AuditChoice','0')");
            if (w == "before") dialog.chkShowByBeforeProject.setValue(1);
            if (w == "fromlist") dialog.setIsFromListShow(-1);
            if (w == "anonymous") host::SetSharedProperty("PropsString", "UserName=li");
            acts.push_back(w);
        }
        support::LoadSystemOptions();
        bool acted = false, open = false;
        ui::ScriptedPresenter([&](ui::Form&) {
            acted = true;
            for (const std::string& w : acts) {
                if (w.starts_with("item=")) dialog.cboTransType.select(std::stoi(w.substr(5)));
                if (w == "frame") dialog.framePlanOrder.setVisible(true);
                if (w == "plan") dialog.chkPlan.click();
                if (w.starts_with("runno=")) dialog.txtRunNoFrom.type(w.substr(6));
                if (w == "quote") {
                    dialog.VpFilter.pick(1, 3, 1);
                    dialog.VpFilter.type(1, 6, "'O\"K'");
                }
                if (w == "swap") {  // the first two column rows, then the first's width 0
                    dialog.SSTab1.select(2);
                    dialog.vaHideColumn.click(1, 1);
                    dialog.cmdHideDown.click();
                    dialog.vaHideColumn.setText(1, 4, "0");
                }
                if (w == "ok") dialog.cmdOk.click();
                if (w == "cancel") dialog.cmdCancel.click();
                if (w == "enter") dialog.key(ui::kKeyEnter);
            }
            open = dialog.shown();
        }).runModal(dialog);
        std::string out;
        for (const auto& item : dialog.cboTransType.items())
            out += TransTypeItem::DisplayName(item) + "=" + TransTypeItem::HiddenCode(item) + ";";
        out += " index=" + std::to_string(dialog.cboTransType.listIndex()) +
               (dialog.cboTransType.enabled() ? "" : " fixed") +
               " list=" + std::to_string(dialog.MyListID) +
               " template=" + std::to_string(support::Shared().TemplateID) +
               " name=" + support::Shared().CJName + (dialog.OK() ? " accepted" : "") +
               (acted ? "" : " unseen") + (open ? " open" : "") + shown();
        if (input.ends_with(" key")) out += " key=" + dialog.windowKey();
        if (input.ends_with(" head")) out += Head(dialog);
        return out + (dialog.OK() ? " where=" + dialog.SQLWHERE() : "");
    }
};

TEST_F(LifecycleSteps, TypesOfferedAcceptsAndRefusalsMatchTheGolden) {
    testing::ExpectGoldenCases("lifecycle_steps.txt",
                               [this](const std::string& in) { return runSteps(in); });
}

// --- the extra filter -----------------------------------------------------------

// The list server: its own filter, and the calls asking for it counted.
struct ListServerStub final : host::IListServer {
    bool GetCurPeriod(const std::string&, int32_t&, int32_t&, Date&, Date&) override {
        return false;
    }
    std::string GetExtFilter(const std::string&) override {
        ++calls;
        return filter;
    }
    std::string filter;
    int calls = 0;
};

// One case of golden/extra_filter.txt: "type filter|data filter|list|template|
// server's filter|flags" (calculate, voucher) => the extra filter and the
// server's calls.
TEST_F(Lifecycle, ExtraFilterJoinsTypeDataServerAndFixedConditionsAsTheGolden) {
    testing::ExpectGoldenCases("extra_filter.txt", [](const std::string& in) {
        std::vector<std::string> c;
        std::istringstream cells(in + "|");
        for (std::string cell; std::getline(cells, cell, '|');) c.push_back(cell);
        const int list = std::stoi(c[2]), templateId = std::stoi(c[3]);
        auto server = std::make_shared<ListServerStub>();
        server->filter = c[4];
        host::RegisterComponent(host::progid::kListServer, [server] { return server; });
        support::Shared().IsCalculate = c[5].find("calculate") != std::string::npos;
        support::Shared().IsMakeVoucher = c[5].find("voucher") != std::string::npos;
        support::Shared().TemplateID = templateId;
        frmFilter dialog;
        dialog.SetListID(list);
        dialog.SetDataFilter(c[1]);
        dialog.cboTransType.addItem(TransTypeItem::Text("T", list, templateId, c[0]));
        dialog.cboTransType.setListIndex(0);
        const std::string ext = "[" + dialog.getFilterExt() + "]";
        return ext + " calls=" + std::to_string(server->calls);
    });
}

TEST_F(Lifecycle, StartDateIsTheFirstDayOfTheStartPeriod) {
    std::string seen = std::to_string(form.GetStartPeriod()) + form.GetStartDate() + ";";
    db.exec(
        "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC','StartYear','2026'),"
        "('IC','StartPeriod','3'); INSERT INTO t_PeriodDate VALUES"
        " (2026, 3, '2026-03-01 00:00:00', '2026-03-31 00:00:00'),"
        " (2025, 3, '2025-03-01 00:00:00', '2025-03-31 00:00:00')");
    for (const char* period : {"3", "x"}) {  // an unreadable option is no period
        db.exec("UPDATE t_SystemProfile SET FValue='" + std::string(period) +
                "' WHERE FKey='StartPeriod'");
        support::LoadSystemOptions();
        seen += " " + std::to_string(form.GetStartPeriod()) + " " + form.GetStartDate() + ";";
    }
    EXPECT_EQ(seen, "0; 3 2026/03/01; 0 ;");
}

}  // namespace
}  // namespace qelt::dialog
