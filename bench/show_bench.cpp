// The filter dialog on the demo list with the most columns, accepted as
// soon as it opens, beside the bare cost of the statements it sends,
// replayed straight through SOCI on the same session.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/db_session.h"
#include "qelt/cfilter.h"
#include "qelt/host/connection_string.h"
#include "qelt/host/session.h"
#include "qelt/ui/presenter.h"
#include "statement_replay.h"
#include "support/shared_settings.h"

namespace {

// Sales orders: 28 columns.
constexpr int kWidestDemoList = 5;

void UseDemo() {
    qelt::support::ResetProcessState();
    // OK keeps the scheme in use: a copy keeps the built demo database as it is.
    const std::string copy =
        (std::filesystem::temp_directory_path() / "qelt_show_bench.db").string();
    std::filesystem::copy_file(QELT_TEST_DEMO_DB, copy,
                               std::filesystem::copy_options::overwrite_existing);
    qelt::host::SetDatabase(qelt::host::ToConnectionString(copy));
    qelt::host::SetSharedProperty("PropsString", "UserID=1");
    qelt::ui::SetPresenter(std::make_shared<qelt::ui::ScriptedPresenter>(
        [](qelt::ui::Form& form) { form.button("cmdOk").click(); }));
}

[[gnu::noinline]] void RunShow() {
    qelt::CFilter filter;
    filter.setListID(kWidestDemoList);
    filter.setFilter("FID in (5)");
    filter.Show();
    if (!filter.OK()) throw std::runtime_error("the dialog was not accepted");
    benchmark::DoNotOptimize(filter.Datasql());
}

std::vector<std::string> ShowStatements() {
    UseDemo();
    RunShow();  // warm: sessions open, caches filled
    return qelt::bench::TraceStatements(qelt::host::SessionDatabase(), RunShow);
}

void BM_Show(benchmark::State& state) {
    UseDemo();
    for (auto _ : state) RunShow();
    state.counters["statements"] = static_cast<double>(ShowStatements().size());
}
BENCHMARK(BM_Show)->Unit(benchmark::kMicrosecond);

void BM_ShowQueriesThroughSoci(benchmark::State& state) {
    std::vector<std::string> statements = ShowStatements();
    soci::session& session = qelt::host::SessionDatabase();
    for (auto _ : state) qelt::bench::ReplayStatements(session, statements);
    state.counters["statements"] = static_cast<double>(statements.size());
}
BENCHMARK(BM_ShowQueriesThroughSoci)->Unit(benchmark::kMicrosecond);

}  // namespace
