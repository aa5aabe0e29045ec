#pragma once

namespace soci {
class session;
}

namespace qelt::host {

// Readies a new SQLite session for the library's statements: a busy timeout,
// so that a second process writing the file delays a read instead of failing
// it, and the T-SQL functions the statements use (getdate()). Raises Error
// when a function cannot be registered.
void PrepareSqliteSession(soci::session& session);

}  // namespace qelt::host
