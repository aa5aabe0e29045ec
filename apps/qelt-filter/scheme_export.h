#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// The file form of stored filter schemes, as the tool writes and reads it.
namespace qelt::cli {

// The value of "format" that marks a scheme export.
inline constexpr const char* kSchemeExportFormat = "qelt-filter schemes";
// Version 2 adds the owner's user name to each head ("FUserName"): user ids
// differ between databases, and only the name can find the owner in
// another one. Version 1 files (owners by id only) are still read; a tool
// that knows only version 1 refuses version 2 files instead of reading
// their owner ids as users of its own database.
inline constexpr int kSchemeExportVersion = 2;
inline constexpr int kOldestSchemeExportVersion = 1;
// What a file may hold: an export of hundreds of schemes stays far below
// both; nesting is refused as it is met, so deep text costs no memory.
inline constexpr std::size_t kMaxExportBytes = 16u << 20;
inline constexpr int kMaxExportDepth = 10;

struct SchemeEntry {
    int32_t type = 0;
    std::string key;
    std::string value;
};

// One stored scheme: its head row (names as stored, apostrophes single),
// its owner's user name, and its entries in the order the store gives them.
struct StoredScheme {
    int32_t id = 0;
    std::string name;
    int32_t userId = 0;
    std::string userName;
    int32_t tranType = 0;
    std::string sysName;
    int32_t status = 0;
    int32_t share = 0;
    std::vector<SchemeEntry> entries;
};

struct SchemeExport {
    int version = kSchemeExportVersion;
    std::vector<StoredScheme> schemes;
};

// The export document: format, version, scheme key and every scheme with its
// head, entries and, for reading, its condition, sort and column grids (one
// array of the stored fields per row; import takes head and entries only).
nlohmann::ordered_json ToExportJson(const std::string& sysName,
                                    const std::vector<StoredScheme>& schemes);

// The schemes of an export document. Raises Error (one line, no line
// breaks) naming what is wrong when the text is not a scheme export: over
// kMaxExportBytes, nested deeper than kMaxExportDepth, malformed JSON,
// another format or version, or a scheme whose head or entries lack a
// field or hold one of the wrong type (a version 1 head has no
// "FUserName"; its userName is empty). Never anything else, whatever the
// text.
SchemeExport ParseSchemeExport(const std::string& text);

}  // namespace qelt::cli
