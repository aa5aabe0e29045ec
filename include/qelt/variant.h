#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <string>

#include "qelt/export.h"

namespace qelt {

// A calendar date with a time of day. The default value is the empty date
// (all fields zero), which is what look-ups that find nothing return.
struct QELT_EXPORT Date {
    int year = 0;    // 1..9999, 0 in the empty date
    int month = 0;   // 1..12
    int day = 0;     // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59

    // Whether this is the empty date (year, month and day zero).
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

    // Every field equal.
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
    // What a value holds: nothing (Empty, the default), a database NULL, a
    // bool, a 16-bit or 32-bit integer, a double, a text, a date, or an
    // object shared with whoever made it.
    enum class Type { Empty, Null, Boolean, Integer, Long, Double, Text, Date, Object };

    // A value type with one value, for tables that compare NULL markers.
    struct NullTag {
        // Every NullTag equals every other.
        friend bool operator==(NullTag, NullTag) { return true; }
    };

    // The Empty value.
    Variant() noexcept {}
    // A value of the type the argument has: Boolean, Integer (16 bits), Long
    // (32 bits), Double, Text, Date or Object.
    // @{
    Variant(bool v) noexcept : type_(Type::Boolean) { u_.boolean = v; }
    Variant(int16_t v) noexcept : type_(Type::Integer) { u_.integer = v; }
    Variant(int32_t v) noexcept : type_(Type::Long) { u_.whole = v; }
    Variant(double v) noexcept : type_(Type::Double) { u_.real = v; }
    Variant(std::string v) : type_(Type::Text) { new (&u_.text) std::string(std::move(v)); }
    Variant(const char* v) : type_(Type::Text) { new (&u_.text) std::string(v); }
    Variant(const qelt::Date& v) noexcept : type_(Type::Date) { new (&u_.date) qelt::Date(v); }
    Variant(std::shared_ptr<void> object) noexcept : type_(Type::Object) {
        new (&u_.object) std::shared_ptr<void>(std::move(object));
    }
    // @}
    // A copy of the same type and value.
    Variant(const Variant& other) : type_(other.type_) { copyFrom(other); }
    // A moved-from value keeps its type (a text becomes empty).
    Variant(Variant&& other) noexcept : type_(other.type_) { moveFrom(other); }
    // Takes the type and value of `other`.
    Variant& operator=(const Variant& other) {
        if (this != &other) {
            if (type_ == Type::Text && other.type_ == Type::Text) {
                u_.text = other.u_.text;
            } else {
                Variant copy(other);
                *this = std::move(copy);
            }
        }
        return *this;
    }
    // Takes the type and value of `other`, which keeps its type.
    Variant& operator=(Variant&& other) noexcept {
        if (this != &other) {
            if (type_ == Type::Text && other.type_ == Type::Text) {
                u_.text = std::move(other.u_.text);
            } else {
                reset();
                type_ = other.type_;
                moveFrom(other);
            }
        }
        return *this;
    }
    ~Variant() { reset(); }

    // The Null value (a database NULL).
    static Variant null() {
        Variant v;
        v.type_ = Type::Null;
        return v;
    }

    // What the value holds.
    Type type() const { return type_; }
    // Whether the value is Empty.
    bool isEmpty() const { return type_ == Type::Empty; }
    // Whether the value is Null.
    bool isNull() const { return type_ == Type::Null; }
    // Booleans and numbers, and text that reads as a decimal number once
    // trimmed; false for Empty, Null, dates, objects and the True/False words.
    bool isNumeric() const;

    // The value as text (the rules above).
    std::string toString() const;
    // Null and Empty give `fallback`; anything else converts as toString().
    std::string toString(const std::string& fallback) const;
    // The value as a 32-bit integer (the rules above).
    int32_t toLong() const;
    // The value as a 16-bit integer (the rules above).
    int16_t toInteger() const;
    // The value as a double (the rules above).
    double toDouble() const;
    // The value as a bool (the rules above).
    bool toBool() const;
    // Dates as they are; text parsed with Date::parse; Empty gives the empty date.
    qelt::Date toDate() const;
    // The held object; nullptr when the value is of another type.
    std::shared_ptr<void> toObject() const;
    // The held text or date without a copy; nullptr when the value is of
    // another type.
    // @{
    const std::string* textIf() const noexcept { return type_ == Type::Text ? &u_.text : nullptr; }
    const qelt::Date* dateIf() const noexcept { return type_ == Type::Date ? &u_.date : nullptr; }
    // @}

    // Same type and same value.
    friend bool operator==(const Variant& a, const Variant& b) { return a.sameAs(b); }

private:
    // A tagged union rather than std::variant: record sets and dictionaries
    // copy, move and drop values by the thousand, and a switch on the tag
    // costs less than std::variant's dispatch through a table of functions.
    union Storage {
        Storage() noexcept {}
        ~Storage() {}
        bool boolean;
        int16_t integer;
        int32_t whole;
        double real;
        std::string text;
        qelt::Date date;
        std::shared_ptr<void> object;
    };

    bool sameAs(const Variant& other) const;
    void copyFrom(const Variant& other) {
        switch (type_) {
            case Type::Text:
                new (&u_.text) std::string(other.u_.text);
                break;
            case Type::Object:
                new (&u_.object) std::shared_ptr<void>(other.u_.object);
                break;
            default:
                copyTrivial(other);
                break;
        }
    }
    void moveFrom(Variant& other) noexcept {
        switch (type_) {
            case Type::Text:
                new (&u_.text) std::string(std::move(other.u_.text));
                break;
            case Type::Object:
                new (&u_.object) std::shared_ptr<void>(std::move(other.u_.object));
                break;
            default:
                copyTrivial(other);
                break;
        }
    }
    void copyTrivial(const Variant& other) noexcept {
        switch (type_) {
            case Type::Boolean:
                u_.boolean = other.u_.boolean;
                break;
            case Type::Integer:
                u_.integer = other.u_.integer;
                break;
            case Type::Long:
                u_.whole = other.u_.whole;
                break;
            case Type::Double:
                u_.real = other.u_.real;
                break;
            case Type::Date:
                new (&u_.date) qelt::Date(other.u_.date);
                break;
            default:
                break;
        }
    }
    void reset() noexcept {
        if (type_ == Type::Text)
            u_.text.~basic_string();
        else if (type_ == Type::Object)
            u_.object.~shared_ptr();
        type_ = Type::Empty;
    }

    Storage u_;
    Type type_ = Type::Empty;
};

}  // namespace qelt
