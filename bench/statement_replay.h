#pragma once

// Recording the statements a call sends to the SQLite session, and running
// them again straight through SOCI: the bare cost a library path is
// measured against.
#include <benchmark/benchmark.h>
#include <soci/soci.h>
#include <soci/sqlite3/soci-sqlite3.h>

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace qelt::bench {

inline std::vector<std::string>& Traced() {
    static std::vector<std::string> statements;
    return statements;
}

// The statement as written (its parameters unbound when replayed), or with
// the values bound to it written in.
enum class Bound { Unbound, WrittenIn };

inline int Trace(unsigned, void* context, void* stmt, void*) {
    auto* s = static_cast<sqlite_api::sqlite3_stmt*>(stmt);
    if (*static_cast<const Bound*>(context) == Bound::WrittenIn) {
        if (char* sql = sqlite_api::sqlite3_expanded_sql(s)) {
            Traced().emplace_back(sql);
            sqlite_api::sqlite3_free(sql);
        }
    } else if (const char* sql = sqlite_api::sqlite3_sql(s)) {
        Traced().emplace_back(sql);
    }
    return 0;
}

inline sqlite_api::sqlite3* NativeHandle(soci::session& session) {
    return static_cast<soci::sqlite3_session_backend*>(session.get_backend())->conn_;
}

// The statements `call` sends on `session`, in order.
inline std::vector<std::string> TraceStatements(soci::session& session,
                                                const std::function<void()>& call,
                                                Bound bound = Bound::Unbound) {
    Traced().clear();
    sqlite_api::sqlite3_trace_v2(NativeHandle(session), SQLITE_TRACE_STMT, Trace, &bound);
    call();
    sqlite_api::sqlite3_trace_v2(NativeHandle(session), 0, nullptr, nullptr);
    return Traced();
}

// Every statement run once, each value read by the type SOCI reports.
[[gnu::noinline]] inline void ReplayStatements(soci::session& session,
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

}  // namespace qelt::bench
