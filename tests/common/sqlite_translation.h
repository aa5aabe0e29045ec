#pragma once

// The library's SQL Server statements run on the SQLite demo database.

#include <sqlite3.h>

#include <regex>
#include <string>
#include <vector>

namespace qelt::testing {

// SQL Server text to SQLite: TOP n becomes LIMIT n, the READPAST hint goes,
// the day conversion becomes date().
inline std::string ToSqlite(std::string sql) {
    std::smatch top;
    std::string limit;
    if (std::regex_search(sql, top, std::regex("^SELECT TOP (\\d+) "))) {
        limit = " LIMIT " + top[1].str();
        sql = "SELECT " + top.suffix().str();
    }
    sql = std::regex_replace(sql, std::regex(" WITH \\(READPAST\\) "), " ");
    sql = std::regex_replace(
        sql, std::regex("convert\\(datetime,convert\\(varchar\\(30\\),([^,]+),111\\)\\)"),
        "date($1)");
    return sql + limit;
}

// Rows the statement returns on the demo database, each row's first column
// in `firsts`; -1 with the error in `error`.
inline long CountRows(const std::string& sql, std::string& error,
                      std::vector<int>* firsts = nullptr) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QELT_TEST_DEMO_DB, &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    long rows = -1;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK) {
        int rc;
        for (rows = 0; (rc = sqlite3_step(stmt)) == SQLITE_ROW; ++rows)
            if (firsts) firsts->push_back(sqlite3_column_int(stmt, 0));
        if (rc != SQLITE_DONE) rows = -1;
    }
    if (rows < 0) error = sqlite3_errmsg(db);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

}  // namespace qelt::testing
