#pragma once

#include <string>

#include "qelt/error.h"

namespace qelt::host {

// Source name of errors raised for database failures.
inline constexpr const char* kDatabaseErrorSource = "QeltConnection.AppConnection";
// Error number of a failed statement (the host environment's "errors in command").
inline constexpr int kDatabaseErrorNumber = err::kDatabase;

// The library's error for a database failure described by `description`.
Error DatabaseError(const std::string& description);

}  // namespace qelt::host
