// Feeds arbitrary text to the property-string parser as the host's property
// string. A parse either fills the table or raises qelt::Error (a key
// twice); whatever it keeps for the first key is trimmed, found ignoring
// case, and taken from the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/session.h"
#include "support/session_env.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The first key as the parser reads it: text before the first "=", trimmed.
std::string FirstKey(const std::string& input) {
    const std::size_t eq = input.find('=');
    return eq == std::string::npos ? std::string() : qelt::text::Trim(input.substr(0, eq));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    try {
        Check(qelt::support::ParsePropsString(input));
    } catch (const qelt::Error&) {
        return 0;
    }
    // Lookups follow the host's property string, as they do for a real user.
    qelt::host::SetSharedProperty(qelt::host::kPropsStringProperty, input);
    const std::string key = FirstKey(input);
    if (key.empty()) return 0;
    const std::string value = qelt::support::PropValue(key);
    Check(value == qelt::text::Trim(value));
    Check(input.find(value) != std::string::npos);
    Check(qelt::support::PropValue(qelt::text::ToUpper(key)) == value);
    Check(qelt::support::PropValue(qelt::text::ToLower(key)) == value);
    return 0;
}
