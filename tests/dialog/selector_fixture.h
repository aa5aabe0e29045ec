#pragma once

#include <memory>
#include <string>

#include "common/template_rows.h"
#include "dialog/frm_filter.h"
#include "editing/fmaker.h"
#include "host/default_components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/host/session.h"
#include "support/shared_settings.h"

namespace qelt::testing {

// The ledger data object of the library, except that the server's date is
// the one a test chose.
struct ServerDate : host::IGLData {
    std::shared_ptr<host::IGLData> real =
        std::dynamic_pointer_cast<host::IGLData>(host::defaults::NewGLData());
    Date today{2026, 12, 6, 10, 20, 30};  // a Sunday

    RecordsetPtr getanyrecordset(const std::string& sql) override {
        if (sql != "Select getdate() ") return real->getanyrecordset(sql);
        auto rs = std::make_shared<Recordset>();
        rs->appendField("today", adDate);
        rs->open();
        rs->appendRow({Variant(today)});
        return rs;
    }
    bool AccessCheck(int32_t type, int32_t number, int32_t right) override {
        return real->AccessCheck(type, number, right);
    }
};

// A filter dialog with its texts and models over a private database that
// holds the monthly periods of 2026 and January 2027 (current: December
// 2026) and a server whose date is chosen by the test.
class SelectorTest : public TemplateTest {
protected:
    SelectorTest() {
        host::RegisterComponent(host::progid::kGLData, [d = server] { return d; });
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
    // Creates the dialog's models once its inputs are set.
    void open() { form().lifecycle.createModels(); }

    // Adds the transaction type (list, template) and selects it, which runs
    // the transaction-type handler.
    void choose(int32_t listId, int32_t templateId, const std::string& filter = "") {
        if (!form().models.maker) open();
        form().cboTransType.addItem(
            dialog::TransTypeItem::Text("T" + std::to_string(listId), listId, templateId, filter));
        form().cboTransType.setListIndex(form().cboTransType.listCount() - 1);
    }

    std::string status() {
        form().selectors.recordInUse();
        return form().selectors.statusText();
    }

    std::shared_ptr<ServerDate> server = std::make_shared<ServerDate>();
    std::unique_ptr<dialog::frmFilter> dialog_;
};

}  // namespace qelt::testing
