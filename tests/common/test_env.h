#pragma once

#include <string>
#include <vector>

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
    std::string sociConnectionString() const { return "sqlite3://db=" + path_; }
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

// The contents of a file, for tests that read the project's own files.
std::string ReadFile(const std::string& path);

}  // namespace qelt::testing
