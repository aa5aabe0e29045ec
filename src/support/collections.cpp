#include "support/collections.h"

namespace qelt::support {

std::string Segment(const std::string& text, int n, const std::string& separator) {
    // The separator is appended first, so a separator that straddles the end
    // of the text still closes the last piece.
    return text::Piece(text + separator, n, separator, true);
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
