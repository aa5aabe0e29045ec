#pragma once

// The prefixes of the connection strings the library opens itself.
namespace qelt::host {

inline constexpr const char* kSqlitePrefix = "sqlite3://";
inline constexpr const char* kOdbcPrefix = "odbc://";

}  // namespace qelt::host
