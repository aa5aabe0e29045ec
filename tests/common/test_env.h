#pragma once

#include <string>
#include <vector>

#include "qelt/host/connection_string.h"
#include "qelt/host/session.h"

namespace qelt::testing {

// A private SQLite database file with the library's schema, installed as
// the session database for the life of the object. Process-wide state is
// reset on creation and on destruction.
class TempDatabase {
public:
    // withSchema: apply data/schema.sql first.
    explicit TempDatabase(bool withSchema = true);
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    const std::string& path() const { return path_; }
    std::string sociConnectionString() const { return qelt::host::ToConnectionString(path_); }
    // Runs one or more statements directly on the file (not through the library).
    void exec(const std::string& sql) const;

private:
    std::string dir_;
    std::string path_;
};

// Records every message box of the library and answers with `answer`.
class MessageRecorder {
public:
    explicit MessageRecorder(int answer = 1);
    ~MessageRecorder();
    std::vector<qelt::host::Message> messages;
    int answer;
};

// The database backends every database test runs on. Each reaches the same
// SQLite file: directly, or through unixODBC and the SQLite ODBC driver.
enum class Backend { Sqlite3, Odbc };
std::vector<Backend> AllBackends();
// "sqlite3" / "odbc", for parameterised test names.
std::string BackendName(Backend backend);
// The SOCI connection string of an SQLite file on a backend. For ODBC this
// registers the driver "SQLite3" in a private odbcinst.ini (ODBCSYSINI, set
// once per process; the system's configuration is never read or changed).
// Throws when the backend's driver is not installed.
std::string ConnectionStringFor(Backend backend, const std::string& file);

// The contents of a file, for tests that read the project's own files.
std::string ReadFile(const std::string& path);

}  // namespace qelt::testing
