#pragma once

#include <string>

#include "qelt/export.h"

namespace qelt {

// Writes a fresh copy of the bundled demo ERP database to `path`, replacing
// a regular file that is there. Raises Error, leaving `path` as it was, when
// something else is there (a folder, a device, a link, ...) or the file
// cannot be written; the description says why.
QELT_EXPORT void WriteDemoDatabase(const std::string& path);

// The SOCI connection string of the bundled demo database: the copy
// installed with the library (share/qeltsqlwhere2/demo.db beside the lib
// folder that holds the library), else a copy in the user's cache folder
// ($XDG_CACHE_HOME or ~/.cache, then qeltsqlwhere2/demo.db), written first
// when missing. Raises Error when that copy cannot be written.
QELT_EXPORT std::string DemoDatabaseConnectionString();

}  // namespace qelt
