#pragma once

#include <string>
#include <string_view>

// Number text as the record-set and variant rules read and write it.
namespace qelt::number {

// Reads a decimal number: optional sign, digits with an optional fraction
// (".5" and "5." included), optional exponent. The whole text must be the
// number; no blanks are skipped. Returns false (and leaves `out` alone) on
// anything else, and on values beyond the range of a double.
bool ParseDecimal(std::string_view text, double& out);

// The shortest decimal text that reads back as the same double, written
// without an exponent for magnitudes from 1E-5 up to below 1E15 and as
// "1.5E+20" / "1E-07" outside that range.
std::string FormatDouble(double value);

// Rounds half to even.
double RoundHalfEven(double value);

}  // namespace qelt::number
