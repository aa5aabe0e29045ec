#include "platform/text.h"

#include <algorithm>

namespace qelt::text {

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Byte offset of code point `chars` (or the end).
std::size_t ByteOffset(std::string_view s, std::size_t chars) {
    std::size_t i = 0;
    while (i < s.size() && chars > 0) {
        ++i;
        while (i < s.size() && IsContinuation(static_cast<unsigned char>(s[i]))) ++i;
        --chars;
    }
    return i;
}

void AppendEscaped(std::string& out, std::string_view s) {
    for (char c : s) {
        out += c;
        if (c == '\'') out += '\'';
    }
}

}  // namespace

std::string_view TrimView(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return s.substr(b, e - b);
}

std::string Trim(std::string_view s) {
    return std::string(TrimView(s));
}

bool IsBlank(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

std::string ToUpper(std::string_view s) {
    std::string r(s);
    for (auto& c : r) c = UpperAscii(c);
    return r;
}

std::string ToLower(std::string_view s) {
    std::string r(s);
    for (auto& c : r) c = LowerAscii(c);
    return r;
}

std::size_t IFind(std::string_view hay, std::string_view needle, std::size_t from) {
    if (needle.empty()) return from <= hay.size() ? from : std::string_view::npos;
    const char first = UpperAscii(needle.front());
    for (std::size_t i = from; i + needle.size() <= hay.size(); ++i)
        if (UpperAscii(hay[i]) == first && IEquals(hay.substr(i, needle.size()), needle)) return i;
    return std::string_view::npos;
}

bool IStartsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && IEquals(s.substr(0, prefix.size()), prefix);
}

bool EndsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

std::size_t CharCount(std::string_view s) {
    return static_cast<std::size_t>(std::count_if(
        s.begin(), s.end(), [](char c) { return !IsContinuation(static_cast<unsigned char>(c)); }));
}

std::string Left(std::string_view s, std::size_t chars) {
    return std::string(s.substr(0, ByteOffset(s, chars)));
}

std::string Mid(std::string_view s, std::size_t start, std::size_t chars) {
    std::size_t b = ByteOffset(s, start);
    std::string_view rest = s.substr(b);
    return chars == std::string_view::npos ? std::string(rest)
                                           : std::string(rest.substr(0, ByteOffset(rest, chars)));
}

std::string SqlEscape(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    AppendEscaped(r, s);
    return r;
}

// Built in one buffer: cheaper than joining three strings.
std::string SqlQuote(std::string_view s) {
    std::string r;
    r.reserve(s.size() + 2);
    r += '\'';
    AppendEscaped(r, s);
    r += '\'';
    return r;
}

std::string Piece(std::string_view s, int n, std::string_view separator, bool ignoreCase) {
    if (n < 1) return {};
    if (separator.empty()) return n == 1 ? std::string(s) : std::string();
    std::size_t start = 0;
    for (int piece = 1;; ++piece) {
        std::size_t end = ignoreCase ? IFind(s, separator, start) : s.find(separator, start);
        if (piece == n)
            return std::string(s.substr(
                start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return {};
        start = end + separator.size();
    }
}

std::string Num(long long n) {
    return std::to_string(n);
}

}  // namespace qelt::text
