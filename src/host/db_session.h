#pragma once

#include <string>

#include "qelt/recordset.h"

namespace soci {
class session;
}

// The pooled database sessions behind the connection components.
namespace qelt::host {

// Source name in errors raised for failed statements.
inline constexpr const char* kDatabaseErrorSource = "QeltConnection.AppConnection";
// Error number of a failed statement (the host environment's "errors in command").
inline constexpr int kDatabaseErrorNumber = -2147217900;

// The one session of a SOCI connection string ("sqlite3://db=...",
// "odbc://..."), opened on first use and kept until ResetHostState. SQLite
// sessions get getdate() registered. Raises Error when the database cannot
// be opened. Single-threaded, like the whole library.
soci::session& PooledSession(const std::string& connectionString);
// The session of DatabaseConnectionString().
soci::session& SessionDatabase();

// Runs one statement and returns its whole result (empty, without fields, for
// a statement that selects nothing). Raises Error with the database's
// message and the statement when it fails.
RecordsetPtr RunQuery(soci::session& session, const std::string& sql);
RecordsetPtr RunQuery(const std::string& sql);

// Closes every pooled session.
void DropPooledSessions();

}  // namespace qelt::host
