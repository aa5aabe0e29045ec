#include "qelt/variant.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "platform/numbers.h"
#include "platform/text.h"
#include "qelt/error.h"

namespace qelt {

namespace {

constexpr const char* kSource = "Variant";
constexpr const char* kTrueWord = "True";
constexpr const char* kFalseWord = "False";

[[noreturn]] void ThrowNull() {
    throw Error(err::kInvalidUseOfNull, kSource, "Invalid use of Null");
}
[[noreturn]] void ThrowMismatch() {
    throw Error(err::kTypeMismatch, kSource, "Type mismatch");
}
[[noreturn]] void ThrowOverflow() {
    throw Error(err::kOverflow, kSource, "Overflow");
}

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

// The host environment's numeric view of a date: days since 1899-12-30 with
// the time of day as the fraction.
double DateSerial(const Date& d) {
    if (d.isEmpty()) return 0;
    double days =
        static_cast<double>(DaysFromCivil(d.year, d.month, d.day) - DaysFromCivil(1899, 12, 30));
    double fraction = (d.hour * 3600.0 + d.minute * 60.0 + d.second) / 86400.0;
    return days < 0 ? days - fraction : days + fraction;
}

// Text read as a number: blanks trimmed, then the words True/False or a
// decimal number.
double TextToNumber(const std::string& s) {
    std::string t = text::Trim(s);
    if (text::IEquals(t, kTrueWord)) return -1;
    if (text::IEquals(t, kFalseWord)) return 0;
    double v = 0;
    if (!number::ParseDecimal(t, v)) ThrowMismatch();
    return v;
}

std::string TwoDigits(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

std::string FourDigits(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d", v);
    return buf;
}

// Reads 1..maxDigits digits at `i`.
bool ReadNumber(const std::string& s, std::size_t& i, std::size_t minDigits, std::size_t maxDigits,
                int& out) {
    std::size_t start = i;
    int v = 0;
    while (i < s.size() && i - start < maxDigits && s[i] >= '0' && s[i] <= '9')
        v = v * 10 + (s[i++] - '0');
    if (i - start < minDigits) return false;
    out = v;
    return true;
}

bool ReadTime(const std::string& s, std::size_t& i, bool secondsRequired, Date& d) {
    if (!ReadNumber(s, i, 1, 2, d.hour)) return false;
    if (i >= s.size() || s[i] != ':') return false;
    ++i;
    if (!ReadNumber(s, i, 2, 2, d.minute)) return false;
    if (i < s.size() && s[i] == ':') {
        ++i;
        if (!ReadNumber(s, i, 2, 2, d.second)) return false;
        if (i < s.size() && s[i] == '.') {
            ++i;
            std::size_t start = i;
            while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
            if (i == start) return false;
        }
    } else if (secondsRequired) {
        return false;
    }
    return d.hour <= 23 && d.minute <= 59 && d.second <= 59;
}

}  // namespace

std::string Date::format() const {
    if (isEmpty()) return {};
    return FourDigits(year) + "/" + TwoDigits(month) + "/" + TwoDigits(day);
}

std::string Date::isoText() const {
    if (isEmpty()) return {};
    return FourDigits(year) + "-" + TwoDigits(month) + "-" + TwoDigits(day) + " " +
           TwoDigits(hour) + ":" + TwoDigits(minute) + ":" + TwoDigits(second);
}

bool Date::parse(const std::string& input, Date& out) {
    std::string s = text::Trim(input);
    Date d;
    std::size_t i = 0;
    if (!ReadNumber(s, i, 4, 4, d.year)) return false;
    if (i >= s.size() || (s[i] != '-' && s[i] != '/')) return false;
    char sep = s[i++];
    if (!ReadNumber(s, i, 1, 2, d.month)) return false;
    if (i >= s.size() || s[i] != sep) return false;
    ++i;
    if (!ReadNumber(s, i, 1, 2, d.day)) return false;
    if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1 ||
        d.day > DaysInMonth(d.year, d.month))
        return false;
    if (i < s.size()) {
        char timeSep = s[i++];
        if (timeSep != ' ' && timeSep != 'T') return false;
        if (!ReadTime(s, i, timeSep == 'T', d)) return false;
        if (i != s.size()) return false;
    }
    out = d;
    return true;
}

Date Date::now() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    Date d;
    d.year = tm.tm_year + 1900;
    d.month = tm.tm_mon + 1;
    d.day = tm.tm_mday;
    d.hour = tm.tm_hour;
    d.minute = tm.tm_min;
    d.second = tm.tm_sec;
    return d;
}

bool Variant::sameAs(const Variant& b) const {
    if (type_ != b.type_) return false;
    switch (type_) {
        case Type::Boolean:
            return u_.boolean == b.u_.boolean;
        case Type::Integer:
            return u_.integer == b.u_.integer;
        case Type::Long:
            return u_.whole == b.u_.whole;
        case Type::Double:
            return u_.real == b.u_.real;
        case Type::Text:
            return u_.text == b.u_.text;
        case Type::Date:
            return u_.date == b.u_.date;
        case Type::Object:
            return u_.object == b.u_.object;
        default:
            return true;
    }
}

bool Variant::isNumeric() const {
    switch (type()) {
        case Type::Boolean:
        case Type::Integer:
        case Type::Long:
        case Type::Double:
            return true;
        case Type::Text: {
            double v = 0;
            return number::ParseDecimal(text::Trim(u_.text), v);
        }
        default:
            return false;
    }
}

std::string Variant::toString() const {
    switch (type()) {
        case Type::Empty:
            return {};
        case Type::Null:
            ThrowNull();
        case Type::Boolean:
            return u_.boolean ? kTrueWord : kFalseWord;
        case Type::Integer:
            return text::Num(u_.integer);
        case Type::Long:
            return text::Num(u_.whole);
        case Type::Double:
            return number::FormatDouble(u_.real);
        case Type::Text:
            return u_.text;
        case Type::Date: {
            const auto& d = u_.date;
            std::string s = d.format();
            if (!d.isEmpty() && (d.hour != 0 || d.minute != 0 || d.second != 0))
                s +=
                    " " + TwoDigits(d.hour) + ":" + TwoDigits(d.minute) + ":" + TwoDigits(d.second);
            return s;
        }
        case Type::Object:
            break;
    }
    ThrowMismatch();
}

std::string Variant::toString(const std::string& fallback) const {
    if (isNull() || isEmpty()) return fallback;
    return toString();
}

double Variant::toDouble() const {
    switch (type()) {
        case Type::Empty:
            return 0;
        case Type::Null:
            ThrowNull();
        case Type::Boolean:
            return u_.boolean ? -1 : 0;
        case Type::Integer:
            return u_.integer;
        case Type::Long:
            return u_.whole;
        case Type::Double:
            return u_.real;
        case Type::Text:
            return TextToNumber(u_.text);
        case Type::Date:
            return DateSerial(u_.date);
        case Type::Object:
            break;
    }
    ThrowMismatch();
}

int32_t Variant::toLong() const {
    switch (type()) {
        case Type::Integer:
            return u_.integer;
        case Type::Long:
            return u_.whole;
        default:
            break;
    }
    double r = number::RoundHalfEven(toDouble());
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) ThrowOverflow();
    return static_cast<int32_t>(r);
}

int16_t Variant::toInteger() const {
    double r = type() == Type::Long ? u_.whole : number::RoundHalfEven(toDouble());
    if (!(r >= -32768.0 && r <= 32767.0)) ThrowOverflow();
    return static_cast<int16_t>(r);
}

bool Variant::toBool() const {
    switch (type()) {
        case Type::Empty:
            return false;
        case Type::Boolean:
            return u_.boolean;
        default:
            return toDouble() != 0;
    }
}

qelt::Date Variant::toDate() const {
    switch (type()) {
        case Type::Empty:
            return {};
        case Type::Null:
            ThrowNull();
        case Type::Date:
            return u_.date;
        case Type::Text: {
            qelt::Date d;
            if (!qelt::Date::parse(u_.text, d)) ThrowMismatch();
            return d;
        }
        default:
            break;
    }
    ThrowMismatch();
}

std::shared_ptr<void> Variant::toObject() const {
    switch (type()) {
        case Type::Empty:
            return nullptr;
        case Type::Null:
            ThrowNull();
        case Type::Object:
            return u_.object;
        default:
            break;
    }
    ThrowMismatch();
}

}  // namespace qelt
