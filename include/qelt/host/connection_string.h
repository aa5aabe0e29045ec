#pragma once

#include <string>

#include "qelt/export.h"

namespace qelt::host {

// The SOCI connection string of `database` for SetDatabase. A text holding
// "://" is a connection string already and is returned unchanged; anything
// else is the path of an SQLite file, returned as "sqlite3://db=PATH". The
// sqlite3 backend separates its parameters at blanks, so a path holding a
// blank is put in double quotes (and a relative path starting with a blank
// gets "./" before it). Raises Error for a path holding a double quote,
// which that backend cannot read.
QELT_EXPORT std::string ToConnectionString(const std::string& database);

// The database file of an SQLite connection string, as the sqlite3 backend
// reads it: the value of "db=" or "dbname=" (unquoted), else everything after
// "sqlite3://". Empty for any other backend.
QELT_EXPORT std::string SqliteFileOf(const std::string& connectionString);

}  // namespace qelt::host
