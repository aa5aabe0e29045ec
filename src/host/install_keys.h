#pragma once

// Where the installation's folder is found: the registry value the registry
// component answers and the support layer asks for.
namespace qelt::host {

inline constexpr const char* kProductKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\VOSTREL\\QeltPRODUCT";
inline constexpr const char* kPathValueName = "Path";

}  // namespace qelt::host
