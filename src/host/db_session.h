#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "qelt/recordset.h"

namespace soci {
class session;
}

// The database sessions behind the connection components, and the one way a
// statement is run on them.
namespace qelt::host {

// A new session of a SOCI connection string: "sqlite3://db=..." (busy
// timeout and getdate() set up), "odbc://...", or any backend SOCI loads by
// name. Raises Error naming the connection string, passwords masked, when
// the database cannot be opened.
std::unique_ptr<soci::session> OpenSession(const std::string& connectionString);

// The one pooled session of a connection string, opened on first use and
// kept until the process state is reset. Single-threaded, like the whole
// library.
soci::session& PooledSession(const std::string& connectionString);
// The session of DatabaseConnectionString().
soci::session& SessionDatabase();

// Runs one statement and returns its whole result, positioned on its first
// row (empty, without fields, for a statement that selects nothing). Raises
// Error with the database's message and the statement when it fails.
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

}  // namespace qelt::host
