#pragma once

#include <string>

namespace qelt::host {

// The connection string as it may appear in a message: every "pwd=" and
// "password=" value (any case) replaced by "***". ODBC values ("odbc://")
// end at ";" (blanks belong to the value) or, written in braces, at the
// closing brace; the other backends separate parameters by blanks as well.
std::string MaskPasswords(const std::string& connectionString);

}  // namespace qelt::host
