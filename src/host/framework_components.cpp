#include <cctype>

#include "host/default_components.h"
#include "platform/text.h"
#include "qelt/host/components.h"

namespace qelt::host {

namespace {

class StringSplitter final : public IStringSplitter {
public:
    std::string split(const std::string& text, int index, const std::string& separator) override {
        return text::Piece(text, index, separator, false);
    }
};

constexpr std::size_t kMaxIndexDigits = 9;

class FrameworkUtility final : public IFrameworkUtility {
public:
    Variant nullToDefault(const Variant& value, const Variant& fallback) override {
        return value.isNull() ? fallback : value;
    }

    // One pass, so that an argument containing "%2" is not expanded again and
    // "%10" is not read as "%1" followed by "0".
    std::string formatMessage(const std::string& text,
                              const std::vector<std::string>& args) override {
        std::string out;
        for (std::size_t i = 0; i < text.size();) {
            std::size_t digits = i + 1;
            while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits])))
                ++digits;
            if (text[i] == '%' && digits > i + 1 && digits - i - 1 <= kMaxIndexDigits) {
                std::size_t n = std::stoul(text.substr(i + 1, digits - i - 1));
                if (n >= 1 && n <= args.size()) {
                    out += args[n - 1];
                    i = digits;
                    continue;
                }
            }
            out += text[i++];
        }
        return out;
    }
};

}  // namespace

namespace defaults {
std::shared_ptr<Component> NewStringSplitter() {
    return std::make_shared<StringSplitter>();
}
std::shared_ptr<Component> NewFrameworkUtility() {
    return std::make_shared<FrameworkUtility>();
}
}  // namespace defaults

}  // namespace qelt::host
