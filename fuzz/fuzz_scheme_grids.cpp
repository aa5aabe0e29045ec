// Feeds arbitrary text to the dialog's three grid decoders and to the width
// conversions: every decoded row has its grid's field count, the row counts
// follow the terminators, and re-encoding what was decoded decodes alike.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "schemes/grid_codec.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckRows(const qelt::schemes::GridRows& rows, std::size_t fields, int count) {
    Check(rows.size() == static_cast<std::size_t>(count));
    for (const auto& row : rows) Check(row.size() == fields);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace s = qelt::schemes;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto conditions = s::DecodeConditionRows(input);
    CheckRows(conditions, s::kConditionFields, s::ConditionRowCount(input));
    const auto sorts = s::DecodeSortRows(input);
    CheckRows(sorts, s::kSortFields, s::SortRowCount(input));
    CheckRows(s::DecodeColumnRows(input), s::kColumnFields, s::ColumnRowCount(input));
    // Sort rows without separators inside their fields survive a round trip.
    bool plain = true;
    for (const auto& row : sorts)
        for (const auto& f : row)
            plain = plain && f.find('|') == std::string::npos && f.find('#') == std::string::npos;
    if (plain && !sorts.empty()) Check(s::DecodeSortRows(s::EncodeRows(sorts)) == sorts);
    Check(!s::TwipsFromMillimetres(input).empty());
    Check(!s::MillimetresFromTwips(input).empty());
    s::SchemeKey(input);
    return 0;
}
