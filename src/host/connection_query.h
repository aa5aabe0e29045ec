#pragma once

#include <string>

#include "qelt/recordset.h"

namespace qelt::host {

// The member of the connection component a statement goes through. Both
// have the same contract; callers keep the one their rules name.
enum class ConnectionMember { Execute, getanyrecordset };

// Creates the connection component, runs one statement through `member` and
// drops the component. A component that answers nothing gives an empty
// record set (no fields, no rows), so callers read "no rows" the same way
// whatever the component. Raises what creating or calling it raises.
RecordsetPtr QueryThroughConnection(const std::string& sql,
                                    ConnectionMember member = ConnectionMember::getanyrecordset);

}  // namespace qelt::host
