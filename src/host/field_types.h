#pragma once

#include <soci/soci.h>

#include <cstddef>
#include <cstdint>

#include "qelt/variant.h"

// How SOCI's column types become the record sets' field types and values.
namespace qelt::host {

int32_t FieldTypeOf(soci::data_type type);
// The value of column i of the row, read by the type SOCI reports for it
// (SQL NULL is Null; a whole number beyond 32 bits is a Double).
Variant ValueAt(const soci::row& row, std::size_t i);

}  // namespace qelt::host
