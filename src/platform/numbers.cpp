#include "platform/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace qelt::number {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// from_chars accepts forms (hex floats are excluded by the format flag, but
// "inf"/"nan" are not), so the shape is checked here first.
bool HasDecimalShape(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == s.size();
}

// Decimal exponent of the leading significant digit of a text of decimal
// shape (sign already removed); decides whether an out-of-range value was
// too large or too small.
long LeadingExponent(std::string_view s) {
    std::size_t i = 0;
    long intDigits = 0;
    long fractionZeros = 0;
    bool significant = false;
    while (i < s.size() && IsDigit(s[i])) {
        if (s[i] != '0') significant = true;
        if (significant) ++intDigits;
        ++i;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (!significant && i < s.size() && s[i] == '0') ++fractionZeros, ++i;
        while (i < s.size() && IsDigit(s[i])) ++i;
    }
    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
        while (i < s.size() && IsDigit(s[i])) {
            if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
            ++i;
        }
        if (negative) exponent = -exponent;
    }
    long lead = intDigits > 0 ? intDigits - 1 : -fractionZeros - 1;
    return lead + exponent;
}

}  // namespace

bool ParseDecimal(std::string_view text, double& out) {
    if (!HasDecimalShape(text)) return false;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double v = 0;
    auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Underflow to zero is harmless; overflow is not a number we can hold.
        if (LeadingExponent(text) >= 0) return false;
        out = 0.0;
        return true;
    }
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return false;
    out = negative ? -v : v;
    return true;
}

std::string FormatDouble(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0) return "0";
    std::array<char, 64> buf{};
    double magnitude = std::fabs(value);
    bool fixed = magnitude >= 1e-5 && magnitude < 1e15;
    auto [end, ec] =
        std::to_chars(buf.data(), buf.data() + buf.size(), value,
                      fixed ? std::chars_format::fixed : std::chars_format::scientific);
    if (ec != std::errc()) return "0";
    std::string text(buf.data(), end);
    if (!fixed) {
        for (auto& c : text)
            if (c == 'e') c = 'E';
    }
    return text;
}

double RoundHalfEven(double value) {
    double floor = std::floor(value);
    double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

}  // namespace qelt::number
