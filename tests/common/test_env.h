#pragma once

#include <string>
#include <vector>

#include "qelt/host/connection_string.h"
#include "qelt/host/session.h"

namespace qelt::testing {

// The database backends every database test runs on: an SQLite file,
// directly and through unixODBC with the SQLite ODBC driver, and a database
// on the PostgreSQL server of the test run, through unixODBC with psqlODBC.
// The server is started by the ctest fixture (tests/postgres/server.sh);
// without it a PostgreSQL case fails, it is never skipped.
enum class Backend { Sqlite3, Odbc, Postgres };
std::vector<Backend> AllBackends();
// "sqlite3" / "odbc" / "postgres", for parameterised test names.
std::string BackendName(Backend backend);

// A private database with the library's schema, installed as the session
// database for the life of the object. Process-wide state is reset on
// creation and on destruction. On the SQLite backends it is a file in a
// folder of its own; on PostgreSQL a database of its own on the server,
// dropped at the end.
class TempDatabase {
public:
    // withSchema: the tables of data/schema.sql (on PostgreSQL with the
    // functions the library's own statements need), else nothing.
    explicit TempDatabase(bool withSchema = true);
    explicit TempDatabase(Backend backend, bool withSchema = true);
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    Backend backend() const { return backend_; }
    // The SQLite file; empty on PostgreSQL.
    const std::string& path() const { return path_; }
    // The connection string of the database on its backend.
    std::string sociConnectionString() const;
    // Runs one or more statements directly on the database (not through the
    // library), in the backend's own dialect.
    void exec(const std::string& sql) const;

private:
    Backend backend_;
    std::string dir_;
    std::string path_;
    std::string serverDatabase_;
};

// Records every message box of the library and answers with `answer`.
class MessageRecorder {
public:
    explicit MessageRecorder(int answer = 1);
    ~MessageRecorder();
    // The messages since the last call, each as "|text|title|icon".
    std::string take();
    std::vector<qelt::host::Message> messages;
    int answer;
};

// The SOCI connection string of an SQLite file on the SQLite backends. For
// ODBC this registers the driver "SQLite3" in a private odbcinst.ini
// (ODBCSYSINI, set once per process; the system's configuration is never
// read or changed). Throws when the backend's driver is not installed, and
// for PostgreSQL, which holds no files (see TempDatabase and
// DemoConnectionString).
std::string ConnectionStringFor(Backend backend, const std::string& file);
// The name of the backend's ODBC driver in the tests' private odbcinst.ini
// (ODBCSYSINI, written once per process with every driver installed).
// Throws when the driver is not installed or the backend is SQLite direct.
std::string OdbcDriver(Backend backend);
// The demo database on a backend: the built demo file, or its copy on the
// server.
std::string DemoConnectionString(Backend backend);

// Schema statements written in the dialect of data/schema.sql (SQLite's,
// within a subset every engine shares but for a few types), as the
// backend's engine takes them: on PostgreSQL NVARCHAR is VARCHAR, DATETIME
// is TIMESTAMP, FLOAT is DOUBLE PRECISION and an AUTOINCREMENT key is an
// identity column.
std::string SchemaFor(Backend backend, const std::string& statements);

// The contents of a file, for tests that read the project's own files.
std::string ReadFile(const std::string& path);

}  // namespace qelt::testing

// Runs a gtest suite parameterised by Backend on every backend, named by
// BackendName.
#define QELT_ON_EVERY_BACKEND(Suite)                                              \
    INSTANTIATE_TEST_SUITE_P(AllBackends, Suite,                                  \
                             ::testing::ValuesIn(::qelt::testing::AllBackends()), \
                             [](const auto& i) { return ::qelt::testing::BackendName(i.param); })
