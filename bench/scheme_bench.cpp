// Filter schemes of a wide list: a copy of demo list 1 whose template has
// N columns with short aliases. Encoding and applying are measured on the
// open dialog without the store; saving and loading go through the store
// with N columns that fit the entry value column.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/test_env.h"
#include "dialog/frm_filter.h"
#include "host/db_session.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/host/session.h"
#include "qelt/ui/presenter.h"
#include "schemes/scheme_entries.h"
#include "schemes/scheme_panel.h"
#include "statement_replay.h"
#include "support/session_env.h"
#include "support/shared_settings.h"

namespace {

constexpr int kWideList = 900;

std::string WideDatabase(int columns) {
    const std::string path = std::filesystem::temp_directory_path() /
                             ("qelt_scheme_bench_" + std::to_string(columns) + ".db");
    std::filesystem::copy_file(QELT_TEST_DEMO_DB, path,
                               std::filesystem::copy_options::overwrite_existing);
    qelt::support::ResetProcessState();
    qelt::host::SetDatabase("sqlite3://db=" + path);
    auto db = qelt::host::Create<qelt::host::IAppConnection>(qelt::host::progid::kAppConnection);
    const std::string n = std::to_string(kWideList);
    const std::string tpl = "(SELECT FTemplateID FROM ICListTemplate WHERE FID=1)";
    db->Execute("CREATE TEMP TABLE l AS SELECT * FROM ICListTemplate WHERE FID=1");
    db->Execute("UPDATE l SET FID=" + n + ", FTemplateID=" + n);
    db->Execute("INSERT INTO ICListTemplate SELECT * FROM l");
    db->Execute("CREATE TEMP TABLE r AS SELECT * FROM ICTableRelation WHERE FTypeID=" + tpl);
    db->Execute("UPDATE r SET FTypeID=" + n);
    db->Execute("INSERT INTO ICTableRelation SELECT * FROM r");
    db->Execute(
        "CREATE TEMP TABLE c AS SELECT * FROM ICChatBillTitle WHERE FColName='FBillNo' "
        "AND FTypeID=" +
        tpl);
    db->Execute(
        "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM k WHERE i<" +
        std::to_string(columns) + ") INSERT INTO ICChatBillTitle SELECT i, " + n +
        ", 'C' || i, 'C' || i, 'C' || i, c.FHeadSecond, 'c' || i, c.FTableName, c.FColType, 1, "
        "1, c.FItemClassID, c.FVisForQuest, c.FReturnDataType, c.FCountPriceType, i, c.FName, "
        "c.FTableAlias, c.FAction, 0, 0, c.FLogicAction, 0, 0, c.FVisForOrder, 0, 0 FROM k, c");
    db->Execute(
        "UPDATE t_SystemProfile SET FValue='1000' WHERE FCategory='IC' AND "
        "FKey='NeedShowColumnPrompt'");
    qelt::host::SetSharedProperty("PropsString", "UserID=2");
    qelt::host::SetSharedProperty("UserName", "张伟");
    qelt::support::Shared().Filter = "FID=" + n;
    return path;
}

// Runs `body` on the wide list's open dialog.
void OnDialog(int columns, const std::function<void(qelt::dialog::frmFilter&)>& body) {
    WideDatabase(columns);
    qelt::dialog::frmFilter form;
    qelt::schemes::SchemePanel schemes(form);
    form.SetListID(kWideList);
    qelt::ui::ScriptedPresenter([&](qelt::ui::Form&) {
        if (form.vaHideColumn.maxRows() != columns)
            throw std::runtime_error("the wide template did not load");
        body(form);
        form.cmdCancel.click();
    }).runModal(form);
}

void BM_SchemeEncode(benchmark::State& state) {
    OnDialog(static_cast<int>(state.range(0)), [&](qelt::dialog::frmFilter& d) {
        for (auto _ : state) benchmark::DoNotOptimize(qelt::schemes::BuildEntries(d, 0));
        state.counters["HideColumns chars"] =
            static_cast<double>(qelt::schemes::EncodeColumnGrid(d).size());
    });
}
BENCHMARK(BM_SchemeEncode)->Arg(300)->Unit(benchmark::kMicrosecond);

void BM_SchemeApply(benchmark::State& state) {
    OnDialog(static_cast<int>(state.range(0)), [&](qelt::dialog::frmFilter& d) {
        auto entries = qelt::schemes::BuildEntries(d, 0);
        for (auto _ : state) qelt::schemes::ApplyEntries(d, *entries);
    });
}
BENCHMARK(BM_SchemeApply)->Arg(300)->Unit(benchmark::kMicrosecond);

// Saving through the store (one transaction) and applying on click (load
// and apply) of a scheme whose columns fit the 7000-character value.
void BM_SchemeSave(benchmark::State& state) {
    // The save-scheme dialog names the scheme; the overwrite question that
    // follows on the next saves is answered OK by the benchmarks' message
    // sink.
    OnDialog(static_cast<int>(state.range(0)), [&](qelt::dialog::frmFilter& d) {
        qelt::ui::SetPresenter(std::make_shared<qelt::ui::ScriptedPresenter>([](qelt::ui::Form& f) {
            f.text("txtSchemeName").type("wide");
            f.button("cmdOk").click();
        }));
        for (auto _ : state) d.tlbProject.click(qelt::dialog::frmFilter::kSaveButton);
    });
}

void BM_SchemeClickApply(benchmark::State& state) {
    OnDialog(static_cast<int>(state.range(0)), [&](qelt::dialog::frmFilter& d) {
        const std::string key = d.lvwProject.selectedKey();
        for (auto _ : state) d.lvwProject.click(key);
    });
}

// The statements one click sends (the scheme's head and entries), with the
// values bound to them, run straight through SOCI on the same session.
void BM_SchemeClickQueriesThroughSoci(benchmark::State& state) {
    std::vector<std::string> statements;
    OnDialog(static_cast<int>(state.range(0)), [&](qelt::dialog::frmFilter& d) {
        const std::string key = d.lvwProject.selectedKey();
        d.lvwProject.click(key);
        soci::session& session = qelt::host::SessionDatabase();
        statements = qelt::bench::TraceStatements(
            session, [&] { d.lvwProject.click(key); }, qelt::bench::Bound::WrittenIn);
        for (auto _ : state) qelt::bench::ReplayStatements(session, statements);
    });
    state.counters["statements"] = static_cast<double>(statements.size());
}

}  // namespace

// The toolbar's save asks first ("overwrite?") for a scheme other than the
// default one; the default scheme is saved without a question.
BENCHMARK(BM_SchemeSave)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SchemeClickApply)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SchemeClickQueriesThroughSoci)->Arg(200)->Unit(benchmark::kMicrosecond);
