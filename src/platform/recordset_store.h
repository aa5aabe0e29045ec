#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "qelt/recordset.h"
#include "qelt/variant.h"

namespace qelt::detail {

// The rows of a record set, shared by the set and its clones. A deleted row
// keeps its slot (so slot numbers held by other cursors stay valid) and is
// only marked; every view skips marked rows.
struct RecordsetStore {
    std::vector<FieldInfo> fields;
    std::vector<std::vector<Variant>> rows;
    std::vector<char> deleted;
    // Bumped by every add and delete, so other holders know to rebuild their
    // views.
    std::uint64_t generation = 0;

    void addField(FieldInfo info);
    // Index of a column ignoring ASCII case (the first of equal names); -1
    // when absent.
    int indexOf(std::string_view name) const;

private:
    // Whether field i is the first of its name ignoring case, worked out on
    // the first exact hit of i: most sets are read by a few names spelt as
    // defined, and a result is built far more often than it is searched
    // widely, so no index of every name is kept.
    enum class First : char { Unknown, Yes, No };
    mutable std::vector<First> first_;
};

}  // namespace qelt::detail
