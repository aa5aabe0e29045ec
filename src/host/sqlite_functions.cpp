#include "host/sqlite_functions.h"

#include <soci/soci.h>
#include <soci/sqlite3/soci-sqlite3.h>

#include <ctime>
#include <string>

#include "host/database_error.h"

namespace qelt::host {

namespace {

constexpr int kSqliteBusyTimeoutMs = 5000;

// getdate() of SQL Server: the local date and time as text, the form in which
// the embedded database stores dates.
void SqliteGetDate(sqlite_api::sqlite3_context* ctx, int, sqlite_api::sqlite3_value**) {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char buf[32];
    std::size_t n = std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
    // SQLITE_TRANSIENT names its type outside the namespace SOCI puts sqlite3.h in.
    sqlite_api::sqlite3_result_text(ctx, buf, static_cast<int>(n),
                                    reinterpret_cast<sqlite_api::sqlite3_destructor_type>(-1));
}

}  // namespace

void PrepareSqliteSession(soci::session& session) {
    auto* backend = static_cast<soci::sqlite3_session_backend*>(session.get_backend());
    sqlite_api::sqlite3* db = backend->conn_;
    sqlite_api::sqlite3_busy_timeout(db, kSqliteBusyTimeoutMs);
    int rc = sqlite_api::sqlite3_create_function(db, "getdate", 0, SQLITE_UTF8, nullptr,
                                                 SqliteGetDate, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw DatabaseError(std::string("Cannot register getdate(): ") +
                            sqlite_api::sqlite3_errmsg(db));
}

}  // namespace qelt::host
