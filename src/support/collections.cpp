#include "support/collections.h"

namespace qelt::support {

std::string Segment(const std::string& text, int n, const std::string& separator) {
    if (n < 1) return {};
    if (separator.empty()) return n == 1 ? text : std::string();
    const std::string s = text + separator;
    std::size_t start = 0;
    for (int piece = 1;; ++piece) {
        std::size_t end = text::IFind(s, separator, start);
        if (end == std::string::npos) return {};
        if (piece == n) return s.substr(start, end - start);
        start = end + separator.size();
    }
}

int CountOf(const std::string& text, const std::string& separator) {
    if (separator.empty()) return 0;
    int count = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, at + separator.size()))
        ++count;
    return count;
}

namespace {

// Equality as the host environment compared values: numbers by value whatever
// their width, texts exactly, and Null equal to nothing.
bool SameValue(const Variant& a, const Variant& b) {
    if (a.isNull() || b.isNull()) return false;
    auto numeric = [](const Variant& v) {
        return v.type() == Variant::Type::Integer || v.type() == Variant::Type::Long ||
               v.type() == Variant::Type::Double || v.type() == Variant::Type::Boolean;
    };
    if (numeric(a) && numeric(b)) return a.toDouble() == b.toDouble();
    return a == b;
}

}  // namespace

bool ValueInArray(const Variant& value, const std::vector<Variant>& array) {
    for (const auto& item : array)
        if (SameValue(item, value)) return true;
    return false;
}

bool TextInCollection(const std::string& text, const std::vector<std::string>& collection) {
    for (const auto& item : collection)
        if (text::IEquals(item, text)) return true;
    return false;
}

}  // namespace qelt::support
