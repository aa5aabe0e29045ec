// Creates the databases of the test server (tests/postgres/server.sh): the
// library's schema, written out for PostgreSQL from data/schema.sql, with
// the functions the library's own statements need; and a copy of the demo
// database, row for row, since its script computes rows with SQLite's own
// functions.
//
//   qelt_postgres_databases SCHEMA_SQL DEMO_DB
#include <soci/soci.h>
#include <sqlite3.h>

#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/postgres_server.h"
#include "common/test_env.h"
#include "host/db_session.h"
#include "platform/text.h"

namespace qelt::testing {
namespace {

// SQL Server's getdate(), which the library asks for today's date.
constexpr const char* kFunctions =
    "CREATE FUNCTION getdate() RETURNS timestamp(0) LANGUAGE sql STABLE "
    "AS 'SELECT localtimestamp(0)';";

constexpr int kRowsPerInsert = 500;

class SqliteFile {
public:
    explicit SqliteFile(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open " + path + ": " + sqlite3_errmsg(db_));
    }
    ~SqliteFile() { sqlite3_close(db_); }
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    // Calls `row` with each row of a query.
    template <class F>
    void each(const std::string& sql, F row) const {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
        std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(st, sqlite3_finalize);
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) row(st);
        if (rc != SQLITE_DONE) throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
    }

private:
    sqlite3* db_ = nullptr;
};

std::string Literal(sqlite3_stmt* st, int column) {
    switch (sqlite3_column_type(st, column)) {
        case SQLITE_NULL:
            return "NULL";
        case SQLITE_INTEGER:
            return std::to_string(sqlite3_column_int64(st, column));
        case SQLITE_FLOAT: {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.17g", sqlite3_column_double(st, column));
            return buf;
        }
        case SQLITE_TEXT:
            return text::SqlQuote(reinterpret_cast<const char*>(sqlite3_column_text(st, column)));
        default:
            throw std::runtime_error(std::string("a value of a type the schema does not use in ") +
                                     sqlite3_column_name(st, column));
    }
}

// Copies every row of every table; returns the number of rows.
long CopyRows(const SqliteFile& demo, soci::session& target) {
    std::vector<std::string> tables;
    demo.each(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' "
        "ORDER BY name",
        [&](sqlite3_stmt* st) {
            tables.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        });
    long copied = 0;
    for (const std::string& table : tables) {
        std::string head, values;
        int pending = 0;
        const auto flush = [&] {
            if (pending == 0) return;
            host::RunQuery(target, head + values);
            values.clear();
            pending = 0;
        };
        demo.each("SELECT * FROM " + table, [&](sqlite3_stmt* st) {
            const int columns = sqlite3_column_count(st);
            if (head.empty()) {
                head = "INSERT INTO " + table + " (";
                for (int i = 0; i < columns; ++i)
                    head += std::string(i ? ", " : "") + sqlite3_column_name(st, i);
                head += ") VALUES ";
            }
            values += pending ? ",\n(" : "(";
            for (int i = 0; i < columns; ++i) values += (i ? ", " : "") + Literal(st, i);
            values += ")";
            ++copied;
            if (++pending == kRowsPerInsert) flush();
        });
        flush();
    }
    // Identity columns go on after the highest key copied.
    auto identities =
        host::RunQuery(target,
                       "SELECT table_name, column_name FROM information_schema.columns "
                       "WHERE is_identity = 'YES' AND table_schema = 'public'");
    for (identities->moveFirst(); !identities->eof(); identities->moveNext()) {
        const std::string table = identities->value(std::size_t{0}).toString();
        const std::string column = identities->value(std::size_t{1}).toString();
        host::RunQuery(target, "SELECT setval(pg_get_serial_sequence(" + text::SqlQuote(table) +
                                   ", " + text::SqlQuote(column) + "), (SELECT coalesce(max(" +
                                   column + "), 0) + 1 FROM " + table + "), false)");
    }
    return copied;
}

void Create(const std::string& schemaFile, const std::string& demoFile) {
    using namespace server;
    DropDatabase(kDemoDatabase);
    DropDatabase(kSchemaDatabase);
    Exec(kAdminDatabase,
         std::string("CREATE DATABASE ") + kSchemaDatabase + " TEMPLATE template0 ENCODING 'UTF8'");
    Exec(kSchemaDatabase, SchemaFor(Backend::Postgres, ReadFile(schemaFile)) + "\n" + kFunctions);
    CreateDatabase(kDemoDatabase, kSchemaDatabase);
    const SqliteFile demo(demoFile);
    auto target = host::OpenSession(ConnectionString(kDemoDatabase));
    const long rows = CopyRows(demo, *target);
    std::cout << kSchemaDatabase << ": the schema of " << schemaFile << "\n"
              << kDemoDatabase << ": " << rows << " rows of " << demoFile << "\n";
}

}  // namespace
}  // namespace qelt::testing

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " SCHEMA_SQL DEMO_DB\n";
        return 2;
    }
    try {
        qelt::testing::Create(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::cerr << argv[0] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
