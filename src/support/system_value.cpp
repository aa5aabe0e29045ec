#include "support/system_value.h"

#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "support/props_string.h"

namespace qelt::support {

std::string SystemValue(const std::string& category, const std::string& key,
                        const std::string& fallback) {
    try {
        auto info = host::Create<host::ISysInfo>(host::progid::kSysInfo);
        const Variant value = info->GetSysValue(PropsString(), category, key);
        return value.isEmpty() ? fallback : value.toString();
    } catch (const Error&) {
        return fallback;
    }
}

}  // namespace qelt::support
