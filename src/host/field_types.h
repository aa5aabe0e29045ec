#pragma once

#include <soci/soci.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

#include "qelt/variant.h"

// How SOCI's column types become the record sets' field types and values.
namespace qelt::host {

int32_t FieldTypeOf(soci::data_type type);
// The value of column i of a dynamic row, read by the type SOCI reports for
// it (SQL NULL is Null; a whole number beyond 32 bits is a Double).
Variant ValueAt(const soci::row& row, std::size_t i);

// One result column of an SQLite statement, fetched straight into a buffer
// of the type SOCI reports for it: a text moves from there into the record
// set, where a dynamic row would hand out copies. Bound by address, so a
// reader stays put from bind() until its statement is done.
class ColumnReader {
public:
    // Raises soci::soci_error for a type SOCI's dynamic rows do not read.
    explicit ColumnReader(soci::data_type type);

    void bind(soci::statement& st);
    // The value fetched last (SQL NULL is Null; a whole number beyond 32
    // bits is a Double); a text is moved out.
    Variant take();

private:
    soci::data_type type_;
    soci::indicator indicator_ = soci::i_ok;
    std::string text_;
    int integer_ = 0;
    long long wide_ = 0;
    unsigned long long unsignedWide_ = 0;
    double real_ = 0;
    std::tm date_{};
};

}  // namespace qelt::host
