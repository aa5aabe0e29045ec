// Feeds arbitrary text to the scheme-export parser of qelt-filter and to the
// grid decoder: the parser either returns schemes or raises Error with a
// one-line description, and every decoded row has its grid's field count.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "qelt/error.h"
#include "scheme_export.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckRows(const std::vector<std::vector<std::string>>& rows, std::size_t fields) {
    for (const auto& row : rows) Check(row.size() == fields);
}

void CheckGrids(const std::vector<qelt::cli::SchemeEntry>& entries) {
    const auto grids = qelt::cli::DecodeGrids(entries);
    CheckRows(grids.conditions, qelt::cli::kConditionFields);
    CheckRows(grids.sortKeys, qelt::cli::kSortFields);
    CheckRows(grids.columns, qelt::cli::kColumnFields);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    try {
        for (const auto& scheme : qelt::cli::ParseSchemeExport(input)) {
            CheckGrids(scheme.entries);
            // What was read writes out again and reads back the same.
            const auto again =
                qelt::cli::ParseSchemeExport(qelt::cli::ToExportJson("k", {scheme}).dump());
            Check(again.size() == 1 && again[0].entries.size() == scheme.entries.size());
        }
    } catch (const qelt::Error& e) {
        Check(e.description.find('\n') == std::string::npos);
    }
    CheckGrids({{0, "Relation", input}, {0, "OrderBy", input}, {0, "HideColumns", input}});
    return 0;
}
