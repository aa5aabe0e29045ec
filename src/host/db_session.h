#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

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

// A value bound to a marker ":name" of a statement.
using QueryParam = std::variant<int32_t, std::string>;
// Runs one statement whose markers take `params` in their order of
// appearance (each marker appears once; like SOCI, any ":" followed by a
// letter is a marker, so the text holds no such literal); the values never
// become part of the statement's text. Result and errors as RunQuery.
RecordsetPtr RunQuery(soci::session& session, const std::string& sql,
                      const std::vector<QueryParam>& params);

// Closes every pooled session.
void DropPooledSessions();

}  // namespace qelt::host
