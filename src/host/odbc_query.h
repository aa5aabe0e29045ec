#pragma once

#include <string>

#include "host/db_session.h"
#include "qelt/recordset.h"

namespace soci {
class session;
}

namespace qelt::host {

// Runs one statement on an ODBC session and returns its whole result. Text
// values are read in pieces, whatever their length: SOCI's ODBC backend
// sizes its text buffers by the column's declared size, which counts
// characters, and so cuts UTF-8 text that needs more bytes than that.
// Types follow SOCI's mapping of ODBC types. Raises soci::soci_error when
// the statement fails.
RecordsetPtr RunOdbcQuery(soci::session& session, const std::string& sql);
// The same with values bound to the statement's markers ":name", in order.
RecordsetPtr RunOdbcQuery(soci::session& session, const std::string& sql,
                          const std::vector<QueryParam>& params);

}  // namespace qelt::host
