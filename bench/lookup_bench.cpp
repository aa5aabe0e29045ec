// The silent look-up path on the demo database, beside the bare cost of the
// statements it sends, replayed straight through SOCI on the same session.
#include <benchmark/benchmark.h>
#include <soci/soci.h>
#include <soci/sqlite3/soci-sqlite3.h>

#include <string>
#include <vector>

#include "host/db_session.h"
#include "qelt/cfilter.h"
#include "qelt/host/connection_string.h"
#include "qelt/host/session.h"
#include "support/shared_settings.h"

namespace {

constexpr int kDemoList = 1;

std::vector<std::string>& Traced() {
    static std::vector<std::string> statements;
    return statements;
}

int Trace(unsigned, void*, void* stmt, void*) {
    const char* sql = sqlite_api::sqlite3_sql(static_cast<sqlite_api::sqlite3_stmt*>(stmt));
    if (sql) Traced().emplace_back(sql);
    return 0;
}

sqlite_api::sqlite3* NativeHandle(soci::session& session) {
    return static_cast<soci::sqlite3_session_backend*>(session.get_backend())->conn_;
}

void UseDemo() {
    qelt::support::ResetProcessState();
    qelt::host::SetDatabase(qelt::host::ToConnectionString(QELT_TEST_DEMO_DB));
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
    soci::session& session = qelt::host::SessionDatabase();
    Traced().clear();
    sqlite_api::sqlite3_trace_v2(NativeHandle(session), SQLITE_TRACE_STMT, Trace, nullptr);
    RunLookup();
    sqlite_api::sqlite3_trace_v2(NativeHandle(session), 0, nullptr, nullptr);
    return Traced();
}

void BM_LookupPath(benchmark::State& state) {
    UseDemo();
    for (auto _ : state) RunLookup();
    state.counters["statements"] = static_cast<double>(LookupStatements().size());
}
BENCHMARK(BM_LookupPath)->Unit(benchmark::kMicrosecond);

// Every statement run once, each value read by the type SOCI reports.
[[gnu::noinline]] void ReplayStatements(soci::session& session,
                                        const std::vector<std::string>& statements) {
    for (const auto& sql : statements) {
        soci::rowset<soci::row> rows = session.prepare << sql;
        std::size_t cells = 0;
        for (const soci::row& row : rows) {
            for (std::size_t i = 0; i < row.size(); ++i) {
                if (row.get_indicator(i) == soci::i_null) continue;
                switch (row.get_properties(i).get_data_type()) {
                    case soci::dt_string:
                        benchmark::DoNotOptimize(row.get<std::string>(i));
                        break;
                    case soci::dt_integer:
                        benchmark::DoNotOptimize(row.get<int>(i));
                        break;
                    case soci::dt_double:
                        benchmark::DoNotOptimize(row.get<double>(i));
                        break;
                    case soci::dt_long_long:
                        benchmark::DoNotOptimize(row.get<long long>(i));
                        break;
                    case soci::dt_date:
                        benchmark::DoNotOptimize(row.get<std::tm>(i));
                        break;
                    default:
                        break;
                }
                ++cells;
            }
        }
        benchmark::DoNotOptimize(cells);
    }
}

void BM_LookupQueriesThroughSoci(benchmark::State& state) {
    std::vector<std::string> statements = LookupStatements();
    soci::session& session = qelt::host::SessionDatabase();
    for (auto _ : state) ReplayStatements(session, statements);
    state.counters["statements"] = static_cast<double>(statements.size());
}
BENCHMARK(BM_LookupQueriesThroughSoci)->Unit(benchmark::kMicrosecond);

}  // namespace
