#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
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
    // Column names are looked up for every value read: hash and compare
    // ignoring ASCII case, without building an upper-cased copy.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept;
    };
    struct NameEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const noexcept;
    };
    std::unordered_map<std::string, std::size_t, NameHash, NameEqual> byName_;
    // Whether each field is the first of its name ignoring case (the one
    // a lookup by that name finds).
    std::vector<bool> firstOfName_;
};

}  // namespace qelt::detail
