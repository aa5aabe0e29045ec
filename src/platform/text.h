#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Small text rules every layer shares. Texts are UTF-8; "trim" removes blanks
// (U+0020) only; "ignoring case" is ASCII case folding; counts of characters
// are counts of code points.
namespace qelt::text {

std::string Trim(std::string_view s);
// Trim without copying: a view into `s`.
std::string_view TrimView(std::string_view s);
bool IsBlank(std::string_view s);

std::string ToUpper(std::string_view s);
std::string ToLower(std::string_view s);
// The one case folding of the library (ASCII). Inline: column and alias
// names are compared this way in every hot loop.
inline char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
inline char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
inline bool IEquals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}
// Position of `needle` in `hay` ignoring case, or npos.
std::size_t IFind(std::string_view hay, std::string_view needle, std::size_t from = 0);
bool IStartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);

// Code-point counting.
std::size_t CharCount(std::string_view s);
std::string Left(std::string_view s, std::size_t chars);
// 0-based start in code points; `chars` = npos takes the rest.
std::string Mid(std::string_view s, std::size_t start, std::size_t chars = std::string_view::npos);

// `s` between single quotes, with every quote inside doubled. The one way
// the library puts a name or a value into an SQL literal.
std::string SqlQuote(std::string_view s);
// `s` with every single quote doubled (for text spliced into a literal
// whose quotes are written by the caller).
std::string SqlEscape(std::string_view s);

// The n-th (1-based) piece of `s` between separators, the separator matched
// exactly or ignoring case; empty when there are fewer pieces (or n < 1).
// An empty separator leaves `s` as its only piece.
std::string Piece(std::string_view s, int n, std::string_view separator, bool ignoreCase);

// Decimal text of a whole number.
std::string Num(long long n);

}  // namespace qelt::text
