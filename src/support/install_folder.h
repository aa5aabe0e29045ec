#pragma once

#include <cstdint>
#include <string>

// The installation: its common folder and the application type written in
// its base-scheme file.
namespace qelt::support {

// The installation path from the registry + "/Common/" (platform separator).
// Raises Error when the registry has no path.
std::string InstallCommonFolder();
// "AppType" of section "Version" in the base-scheme file, 0 when the folder,
// the file or the key cannot be read. Read once per process: the
// installation does not change under a running host.
int32_t AppType();
bool IsAppType1();

}  // namespace qelt::support
