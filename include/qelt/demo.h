#pragma once

#include <string>

#include "qelt/export.h"

namespace qelt {

// Writes a fresh copy of the bundled demo ERP database to `path`, replacing
// a regular file that is there. Raises Error, leaving `path` as it was, when
// something else is there (a folder, a device, a link, ...) or the file
// cannot be written; the description says why.
QELT_EXPORT void WriteDemoDatabase(const std::string& path);

// The SOCI connection string of the bundled demo database, one the user can
// save filter schemes in:
// - the copy installed with the library (share/qeltsqlwhere2/demo.db beside
//   the lib folder that holds the library) when the user may write it and
//   its folder (SQLite writes a journal beside it), by the mode bits as well
//   as by the system's access check, so that root too leaves a file alone
//   whose owner may not write it;
// - else the user's own copy in the cache folder ($XDG_CACHE_HOME or
//   ~/.cache, then qeltsqlwhere2/demo.db). When it is missing it is copied
//   from the installed one, or written fresh when none is installed; once
//   there it is kept (remove it to start again from the installed one);
// - else, when that copy cannot be made, the installed copy itself: lists
//   and their SQL work, saving a scheme fails.
// Raises Error when there is no installed copy and the cache copy cannot be
// written.
QELT_EXPORT std::string DemoDatabaseConnectionString();

}  // namespace qelt
