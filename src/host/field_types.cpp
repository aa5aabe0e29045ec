#include "host/field_types.h"

#include <climits>

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

ColumnReader::ColumnReader(soci::data_type type) : type_(type) {
    switch (type) {
        case soci::dt_string:
        case soci::dt_integer:
        case soci::dt_long_long:
        case soci::dt_unsigned_long_long:
        case soci::dt_double:
        case soci::dt_date:
            return;
        default:
            // As SOCI's dynamic rows refuse it.
            throw soci::soci_error("db column type " + std::to_string(type) +
                                   " not supported for dynamic selects\n");
    }
}

void ColumnReader::bind(soci::statement& st) {
    switch (type_) {
        case soci::dt_integer:
            st.exchange(soci::into(integer_, indicator_));
            break;
        case soci::dt_long_long:
            st.exchange(soci::into(wide_, indicator_));
            break;
        case soci::dt_unsigned_long_long:
            st.exchange(soci::into(unsignedWide_, indicator_));
            break;
        case soci::dt_double:
            st.exchange(soci::into(real_, indicator_));
            break;
        case soci::dt_date:
            st.exchange(soci::into(date_, indicator_));
            break;
        default:
            st.exchange(soci::into(text_, indicator_));
            break;
    }
}

Variant ColumnReader::take() {
    if (indicator_ == soci::i_null) return Variant::null();
    switch (type_) {
        case soci::dt_integer:
            return Variant(static_cast<int32_t>(integer_));
        case soci::dt_long_long:
            return WholeNumber(wide_);
        case soci::dt_unsigned_long_long:
            return WholeNumber(unsignedWide_);
        case soci::dt_double:
            return Variant(real_);
        case soci::dt_date:
            return Variant(Date{date_.tm_year + 1900, date_.tm_mon + 1, date_.tm_mday,
                                date_.tm_hour, date_.tm_min, date_.tm_sec});
        default:
            return Variant(std::move(text_));
    }
}

}  // namespace qelt::host
