#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/recordset_store.h"
#include "qelt/error.h"
#include "qelt/variant.h"

namespace qelt::detail {

// One `column = value` or `column <> value` term, with the literal prepared
// once in every form a field might need to compare against.
struct FilterTerm {
    std::size_t column = 0;
    bool notEqual = false;
    bool literalIsText = false;
    std::string text;                   // the text literal, quotes undone
    std::optional<double> number;       // the literal as a number, when it reads as one
    std::optional<double> booleanWord;  // -1/0 for a text literal True/False (any case)
    std::optional<Date> date;           // a text literal that reads as a date
};

// A parsed filter: the conjunction of its terms.
//
// A field equals a literal when
// - numeric field (boolean, integer, double): the literal reads as a number
//   (a text literal is converted; a boolean field also takes True/False) and
//   the values are equal;
// - text field: a text literal equal ignoring ASCII case, or a number literal
//   equal to the field's text read as a number;
// - date field: a text literal that reads as the same date and time.
// A Null (or unset) field equals nothing, so `<>` matches it; so does a
// literal that cannot be converted to the field's kind of value.
struct FilterExpr {
    std::vector<FilterTerm> terms;

    bool matches(const std::vector<Variant>& row) const;
};

// Parses filter criteria against the columns of `store`. Raises Error
// (number kErrFilterArgument, source "Recordset") naming the problem on
// malformed criteria or an unknown column. Blank criteria are not accepted
// here; the caller treats them as "no filter".
std::shared_ptr<const FilterExpr> ParseFilter(std::string_view criteria,
                                              const RecordsetStore& store);

// One key of a sort order.
struct SortKey {
    std::size_t column = 0;
    bool descending = false;
};

struct SortSpec {
    std::vector<SortKey> keys;

    // Orders rows by the keys; true when `a` sorts before `b`.
    bool before(const std::vector<Variant>& a, const std::vector<Variant>& b) const;
};

// Parses "Col [ASC|DESC][, Col [ASC|DESC]]...". Raises Error (number
// kErrFilterArgument) on malformed text or an unknown column.
std::shared_ptr<const SortSpec> ParseSort(std::string_view sort, const RecordsetStore& store);

// Orders two values: Null and unset first, then numbers (numerically), dates,
// texts (ignoring ASCII case), objects. Returns <0, 0 or >0.
int CompareForSort(const Variant& a, const Variant& b);

constexpr int kErrFilterArgument = err::kFilterArgument;
constexpr const char* kRecordsetSource = "Recordset";

}  // namespace qelt::detail
