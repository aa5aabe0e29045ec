#pragma once

#include <string>

namespace qelt::support {

// GetSysValue of the system-information component as text, or `fallback`
// when the component cannot be created, fails, or answers nothing (Empty or
// Null).
std::string SystemValue(const std::string& category, const std::string& key,
                        const std::string& fallback);

}  // namespace qelt::support
