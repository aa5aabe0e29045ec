// The silent look-up path on the demo database, beside the bare cost of the
// statements it sends, replayed straight through SOCI on the same session.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "host/db_session.h"
#include "qelt/cfilter.h"
#include "qelt/host/session.h"
#include "statement_replay.h"
#include "support/shared_settings.h"

namespace {

constexpr int kDemoList = 1;

void UseDemo() {
    qelt::support::ResetProcessState();
    qelt::host::SetDatabase(std::string("sqlite3://db=") + QELT_TEST_DEMO_DB);
    qelt::host::SetSharedProperty("PropsString", "UserID=16394");
}

[[gnu::noinline]] void RunLookup() {
    qelt::CFilter filter;
    filter.setListID(kDemoList);
    filter.getInfoByF7Key("");
    benchmark::DoNotOptimize(filter.Datasql());
}

// The statements one look-up sends, in order.
std::vector<std::string> LookupStatements() {
    UseDemo();
    RunLookup();  // warm: sessions open, caches filled
    return qelt::bench::TraceStatements(qelt::host::SessionDatabase(), RunLookup);
}

void BM_LookupPath(benchmark::State& state) {
    UseDemo();
    for (auto _ : state) RunLookup();
    state.counters["statements"] = static_cast<double>(LookupStatements().size());
}
BENCHMARK(BM_LookupPath)->Unit(benchmark::kMicrosecond);

void BM_LookupQueriesThroughSoci(benchmark::State& state) {
    std::vector<std::string> statements = LookupStatements();
    soci::session& session = qelt::host::SessionDatabase();
    for (auto _ : state) qelt::bench::ReplayStatements(session, statements);
    state.counters["statements"] = static_cast<double>(statements.size());
}
BENCHMARK(BM_LookupQueriesThroughSoci)->Unit(benchmark::kMicrosecond);

}  // namespace
