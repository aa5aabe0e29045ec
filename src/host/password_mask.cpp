#include "host/password_mask.h"

#include "host/session_prefixes.h"
#include "platform/text.h"

namespace qelt::host {

namespace {

constexpr const char* kMaskedPassword = "***";
constexpr const char* kPasswordKeys[] = {"pwd=", "password="};

}  // namespace

std::string MaskPasswords(const std::string& cs) {
    std::string out = cs;
    const char* separators = text::IStartsWith(cs, kOdbcPrefix) ? ";" : "; ";
    for (const char* key : kPasswordKeys) {
        for (std::size_t at = text::IFind(out, key); at != std::string::npos;
             at = text::IFind(out, key, at + 1)) {
            const std::size_t start = at + std::char_traits<char>::length(key);
            std::size_t end = start < out.size() && out[start] == '{'
                                  ? out.find('}', start)
                                  : out.find_first_of(separators, start);
            end = end == std::string::npos ? out.size() : end + (out[end] == '}' ? 1 : 0);
            out.replace(start, end - start, kMaskedPassword);
        }
    }
    return out;
}

}  // namespace qelt::host
