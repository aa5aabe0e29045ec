#pragma once

#include <string>

#include "qelt/export.h"

namespace qelt {

// Writes a fresh copy of the bundled demo ERP database to `path` (replacing
// a file that is there). Raises Error when the file cannot be written.
QELT_EXPORT void WriteDemoDatabase(const std::string& path);

// The SOCI connection string of the bundled demo database, creating the
// database first when no copy of it can be found.
QELT_EXPORT std::string DemoDatabaseConnectionString();

}  // namespace qelt
