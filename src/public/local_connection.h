#pragma once

#include <string>

namespace qelt::facade {

// The process-wide direct connection a host may open through a CFilter. No
// query of the library uses it; it only proves and holds the connection.
// Opened like every session of the library (same connection strings, same
// errors with passwords masked); a failure keeps the previous connection.
void OpenLocalConnection(const std::string& connectionString);
void ReleaseLocalConnection();
bool HasLocalConnection();

}  // namespace qelt::facade
