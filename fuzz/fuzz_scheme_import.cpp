// Feeds arbitrary text to the scheme-export parser of qelt-filter: it either
// returns schemes or raises Error with a one-line description; what it
// returns writes out again (grids decoded with the library's own decoders,
// each row with its grid's field count) and reads back the same.
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

void CheckRows(const nlohmann::ordered_json& rows, std::size_t fields) {
    for (const auto& row : rows) Check(row.size() == fields);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    try {
        for (const auto& scheme : qelt::cli::ParseSchemeExport(input).schemes) {
            const auto doc = qelt::cli::ToExportJson("k", {scheme});
            const auto& grids = doc["schemes"][0]["grids"];
            CheckRows(grids["conditions"], 12);
            CheckRows(grids["sortKeys"], 7);
            CheckRows(grids["columns"], 5);
            const auto again = qelt::cli::ParseSchemeExport(
                doc.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
            Check(again.schemes.size() == 1 &&
                  again.schemes[0].entries.size() == scheme.entries.size());
        }
    } catch (const qelt::Error& e) {
        Check(e.description.find('\n') == std::string::npos);
    }
    return 0;
}
