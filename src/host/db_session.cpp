#include "host/db_session.h"

#include <soci/odbc/soci-odbc.h>
#include <soci/soci.h>
#include <soci/sqlite3/soci-sqlite3.h>

#include <climits>
#include <ctime>
#include <map>
#include <memory>
#include <typeinfo>

#include "host/host_config.h"
#include "host/odbc_query.h"
#include "platform/text.h"
#include "qelt/error.h"

namespace qelt::host {

namespace {

constexpr const char* kSqlitePrefix = "sqlite3://";
constexpr const char* kOdbcPrefix = "odbc://";
constexpr const char* kOdbcBackend = "odbc";
constexpr int kSqliteBusyTimeoutMs = 5000;
constexpr const char* kMaskedPassword = "***";

std::map<std::string, std::unique_ptr<soci::session>>& Pool() {
    static std::map<std::string, std::unique_ptr<soci::session>> pool;
    return pool;
}

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

void PrepareSqlite(soci::session& sql) {
    auto* backend = static_cast<soci::sqlite3_session_backend*>(sql.get_backend());
    sqlite_api::sqlite3* db = backend->conn_;
    sqlite_api::sqlite3_busy_timeout(db, kSqliteBusyTimeoutMs);
    int rc = sqlite_api::sqlite3_create_function(db, "getdate", 0, SQLITE_UTF8, nullptr,
                                                 SqliteGetDate, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw Error(kDatabaseErrorNumber, kDatabaseErrorSource,
                    std::string("Cannot register getdate(): ") + sqlite_api::sqlite3_errmsg(db));
}

// The connection string as it may appear in a message: passwords masked.
// ODBC values end at ";" (blanks belong to the value) or, written in braces,
// at the closing brace; the other backends separate parameters by blanks.
std::string Printable(const std::string& cs) {
    std::string out = cs;
    const char* separators = text::IStartsWith(cs, kOdbcPrefix) ? ";" : "; ";
    for (const char* key : {"pwd=", "password="}) {
        for (std::size_t at = text::IFind(out, key); at != std::string::npos;
             at = text::IFind(out, key, at + 1)) {
            const std::size_t start = at + std::char_traits<char>::length(key);
            std::size_t end = start < out.size() && out[start] == '{'
                                  ? out.find('}', start)
                                  : out.find_first_of(separators, start);
            end = end == std::string::npos ? out.size() : end + (out[end] == '}' ? 1 : 0);
            out.replace(start, end - start, kMaskedPassword);
        }
    }
    return out;
}

std::unique_ptr<soci::session> Open(const std::string& cs) {
    try {
        if (text::IStartsWith(cs, kSqlitePrefix)) {
            auto s = std::make_unique<soci::session>(
                soci::sqlite3, cs.substr(std::char_traits<char>::length(kSqlitePrefix)));
            PrepareSqlite(*s);
            return s;
        }
        if (text::IStartsWith(cs, kOdbcPrefix))
            return std::make_unique<soci::session>(
                soci::odbc, cs.substr(std::char_traits<char>::length(kOdbcPrefix)));
        // Any other backend SOCI can load by name.
        return std::make_unique<soci::session>(cs);
    } catch (const soci::soci_error& e) {
        throw Error(kDatabaseErrorNumber, kDatabaseErrorSource,
                    "Cannot open the database \"" + Printable(cs) + "\": " + e.get_error_message());
    }
}

int32_t FieldTypeOf(soci::data_type t) {
    switch (t) {
        case soci::dt_integer:
            return adInteger;
        case soci::dt_long_long:
        case soci::dt_unsigned_long_long:
            return adBigInt;
        case soci::dt_double:
            return adDouble;
        case soci::dt_date:
            return adDate;
        default:
            return adVarWChar;
    }
}

// A whole number in the narrowest type the records hold.
Variant WholeNumber(long double v) {
    if (v >= INT32_MIN && v <= INT32_MAX) return Variant(static_cast<int32_t>(v));
    return Variant(static_cast<double>(v));
}

Variant ValueAt(const soci::row& row, std::size_t i) {
    if (row.get_indicator(i) == soci::i_null) return Variant::null();
    switch (row.get_properties(i).get_data_type()) {
        case soci::dt_integer:
            return Variant(static_cast<int32_t>(row.get<int>(i)));
        case soci::dt_long_long:
            return WholeNumber(row.get<long long>(i));
        case soci::dt_unsigned_long_long:
            return WholeNumber(row.get<unsigned long long>(i));
        case soci::dt_double:
            return Variant(row.get<double>(i));
        case soci::dt_date: {
            std::tm tm = row.get<std::tm>(i);
            return Variant(Date{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                                tm.tm_sec});
        }
        default:
            return Variant(row.get<std::string>(i));
    }
}

Error StatementError(const std::string& message, const std::string& sql) {
    return Error(kDatabaseErrorNumber, kDatabaseErrorSource,
                 message + " while executing \"" + sql + "\"");
}

RecordsetPtr RunSociQuery(soci::session& session, const std::string& sql,
                          std::vector<QueryParam> params = {}) {
    auto rs = std::make_shared<Recordset>();
    soci::row row;
    soci::statement st(session);
    st.exchange(soci::into(row));
    for (auto& p : params) {
        if (auto* n = std::get_if<int32_t>(&p))
            st.exchange(soci::use(*n));
        else
            st.exchange(soci::use(std::get<std::string>(p)));
    }
    st.alloc();
    st.prepare(sql);
    st.define_and_bind();
    bool more = st.execute(true);
    for (std::size_t i = 0; i < row.size(); ++i) {
        const auto& props = row.get_properties(i);
        rs->appendField(props.get_name(), FieldTypeOf(props.get_data_type()));
    }
    rs->open();
    while (more) {
        std::vector<Variant> values;
        values.reserve(row.size());
        for (std::size_t i = 0; i < row.size(); ++i) values.push_back(ValueAt(row, i));
        rs->appendRow(std::move(values));
        more = st.fetch();
    }
    return rs;
}

}  // namespace

soci::session& PooledSession(const std::string& connectionString) {
    auto& pool = Pool();
    auto it = pool.find(connectionString);
    if (it == pool.end()) it = pool.emplace(connectionString, Open(connectionString)).first;
    return *it->second;
}

soci::session& SessionDatabase() {
    return PooledSession(DatabaseConnectionString());
}

RecordsetPtr RunQuery(soci::session& session, const std::string& sql) {
    RecordsetPtr rs;
    try {
        if (session.get_backend_name() == kOdbcBackend)
            rs = RunOdbcQuery(session, sql);
        else
            rs = RunSociQuery(session, sql);
    } catch (const soci::soci_error& e) {
        throw StatementError(e.get_error_message(), sql);
    } catch (const std::bad_cast&) {
        throw StatementError("A column of the result has a type the library cannot read", sql);
    }
    if (rs->recordCount() > 0) rs->moveFirst();
    return rs;
}

RecordsetPtr RunQuery(soci::session& session, const std::string& sql,
                      const std::vector<QueryParam>& params) {
    RecordsetPtr rs;
    try {
        if (session.get_backend_name() == kOdbcBackend)
            rs = RunOdbcQuery(session, sql, params);
        else
            rs = RunSociQuery(session, sql, params);
    } catch (const soci::soci_error& e) {
        throw StatementError(e.get_error_message(), sql);
    } catch (const std::bad_cast&) {
        throw StatementError("A column of the result has a type the library cannot read", sql);
    }
    if (rs->recordCount() > 0) rs->moveFirst();
    return rs;
}

RecordsetPtr RunQuery(const std::string& sql) {
    return RunQuery(SessionDatabase(), sql);
}

void DropPooledSessions() {
    auto pool = std::move(Pool());
    Pool().clear();
}

}  // namespace qelt::host
