#pragma once

#include <string>

namespace qelt::facade {

// The process-wide direct connection a host may open through a CFilter. No
// query of the library uses it; it only proves and holds the connection.
void OpenLocalConnection(const std::string& connectionString);
void ReleaseLocalConnection();
bool HasLocalConnection();

}  // namespace qelt::facade
