#include "host/field_types.h"

#include <climits>
#include <ctime>
#include <string>

#include "qelt/recordset.h"

namespace qelt::host {

namespace {

// A whole number in the narrowest type the records hold.
Variant WholeNumber(long double v) {
    if (v >= INT32_MIN && v <= INT32_MAX) return Variant(static_cast<int32_t>(v));
    return Variant(static_cast<double>(v));
}

}  // namespace

int32_t FieldTypeOf(soci::data_type t) {
    switch (t) {
        case soci::dt_integer:
            return adInteger;
        case soci::dt_long_long:
        case soci::dt_unsigned_long_long:
            return adBigInt;
        case soci::dt_double:
            return adDouble;
        case soci::dt_date:
            return adDate;
        default:
            return adVarWChar;
    }
}

Variant ValueAt(const soci::row& row, std::size_t i) {
    if (row.get_indicator(i) == soci::i_null) return Variant::null();
    switch (row.get_properties(i).get_data_type()) {
        case soci::dt_integer:
            return Variant(static_cast<int32_t>(row.get<int>(i)));
        case soci::dt_long_long:
            return WholeNumber(row.get<long long>(i));
        case soci::dt_unsigned_long_long:
            return WholeNumber(row.get<unsigned long long>(i));
        case soci::dt_double:
            return Variant(row.get<double>(i));
        case soci::dt_date: {
            std::tm tm = row.get<std::tm>(i);
            return Variant(Date{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                                tm.tm_sec});
        }
        default:
            return Variant(row.get<std::string>(i));
    }
}

}  // namespace qelt::host
