#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "qelt/export.h"

namespace qelt {

// A calendar date with a time of day. The default value is the empty date
// (all fields zero), which is what look-ups that find nothing return.
struct QELT_EXPORT Date {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool isEmpty() const { return year == 0 && month == 0 && day == 0; }

    // "yyyy/mm/dd", the form dates take in generated SQL. Empty for the empty date.
    std::string format() const;
    // "yyyy-mm-dd hh:mm:ss", the form dates are stored in the embedded database.
    std::string isoText() const;
    // Reads "yyyy-mm-dd", "yyyy/mm/dd", either followed by " hh:mm[:ss[.fff]]"
    // or "Thh:mm:ss". Returns false (and leaves `out` alone) on anything else.
    static bool parse(const std::string& text, Date& out);
    // The system clock's local date and time.
    static Date now();

    friend bool operator==(const Date&, const Date&) = default;
};

// The value of a record-set field or a dictionary item.
//
// Conversions follow the rules the host environment had:
// - toString: Empty gives "", booleans give "True"/"False", numbers their
//   shortest decimal text, dates "yyyy/mm/dd" (with " hh:mm:ss" when the time
//   is not midnight); Null raises Error (use toString(default) where a rule
//   gives a default for an absent value).
// - toLong / toInteger / toDouble: Empty gives 0; booleans give -1/0; text is
//   trimmed and parsed as a number, the words "True"/"False" (any case) give
//   -1/0; doubles are rounded half to even; Null, unparsable text and values
//   out of range raise Error.
// - toBool: numbers are true when non-zero; text is converted as a number or
//   a True/False word; Empty is false; Null raises Error.
class QELT_EXPORT Variant {
public:
    enum class Type { Empty, Null, Boolean, Integer, Long, Double, Text, Date, Object };

    struct NullTag {
        friend bool operator==(NullTag, NullTag) { return true; }
    };

    Variant() = default;
    Variant(bool v) : v_(v) {}
    Variant(int16_t v) : v_(v) {}
    Variant(int32_t v) : v_(v) {}
    Variant(double v) : v_(v) {}
    Variant(std::string v) : v_(std::move(v)) {}
    Variant(const char* v) : v_(std::string(v)) {}
    Variant(const qelt::Date& v) : v_(v) {}
    Variant(std::shared_ptr<void> object) : v_(std::move(object)) {}

    static Variant null() {
        Variant v;
        v.v_ = NullTag{};
        return v;
    }

    Type type() const { return static_cast<Type>(v_.index()); }
    bool isEmpty() const { return type() == Type::Empty; }
    bool isNull() const { return type() == Type::Null; }
    // Booleans and numbers, and text that reads as a decimal number once
    // trimmed; false for Empty, Null, dates, objects and the True/False words.
    bool isNumeric() const;

    std::string toString() const;
    // Null and Empty give `fallback`; anything else converts as toString().
    std::string toString(const std::string& fallback) const;
    int32_t toLong() const;
    int16_t toInteger() const;
    double toDouble() const;
    bool toBool() const;
    // Dates as they are; text parsed with Date::parse; Empty gives the empty date.
    qelt::Date toDate() const;
    std::shared_ptr<void> toObject() const;
    // The held text or date without a copy; nullptr when the value is of
    // another type.
    const std::string* textIf() const noexcept { return std::get_if<std::string>(&v_); }
    const qelt::Date* dateIf() const noexcept { return std::get_if<qelt::Date>(&v_); }

    // Same type and same value.
    friend bool operator==(const Variant& a, const Variant& b) { return a.v_ == b.v_; }

private:
    std::variant<std::monostate, NullTag, bool, int16_t, int32_t, double, std::string, qelt::Date,
                 std::shared_ptr<void>>
        v_;
};

}  // namespace qelt
