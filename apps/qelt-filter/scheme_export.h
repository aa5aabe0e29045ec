#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// The file form of stored filter schemes, and the grids a scheme's entries
// encode, as the tool reads and writes them.
namespace qelt::cli {

// The value of "format" that marks a scheme export.
inline constexpr const char* kSchemeExportFormat = "qelt-filter schemes";
inline constexpr int kSchemeExportVersion = 1;

struct SchemeEntry {
    int32_t type = 0;
    std::string key;
    std::string value;
};

// One stored scheme: its head row (names as stored, apostrophes single) and
// its entries in the order the store gives them.
struct StoredScheme {
    int32_t id = 0;
    std::string name;
    int32_t userId = 0;
    int32_t tranType = 0;
    std::string sysName;
    int32_t status = 0;
    int32_t share = 0;
    std::vector<SchemeEntry> entries;
};

// The rows of the three grids a scheme encodes: rows end in "||", fields
// are separated by "##<&". Each row holds exactly the grid's field count
// (missing fields empty, surplus ones dropped), in stored order.
struct SchemeGrids {
    // logic, field, comparison, code, value, value again, FInterID, "(", ")", three empty
    std::vector<std::vector<std::string>> conditions;
    // caption, ascending, descending, alias, table alias, field, table
    std::vector<std::vector<std::string>> sortKeys;
    // visible, width in twips, position, alias, alignment
    std::vector<std::vector<std::string>> columns;
};

inline constexpr std::size_t kConditionFields = 12;
inline constexpr std::size_t kSortFields = 7;
inline constexpr std::size_t kColumnFields = 5;

// The rows of one encoded grid value; blank text has none.
std::vector<std::vector<std::string>> DecodeGridRows(const std::string& value,
                                                     std::size_t fieldCount);
// The grids of a scheme's "Relation", "OrderBy" and "HideColumns" entries
// (a missing entry gives no rows).
SchemeGrids DecodeGrids(const std::vector<SchemeEntry>& entries);

// The export document: format, version, scheme key and every scheme with its
// head, entries and decoded grids (the grids are for reading; import takes
// head and entries only).
nlohmann::ordered_json ToExportJson(const std::string& sysName,
                                    const std::vector<StoredScheme>& schemes);

// The schemes of an export document. Raises Error (one line, no line
// breaks) naming what is wrong when the text is not a scheme export:
// malformed JSON, another format or version, or a scheme whose head or
// entries lack a field or hold one of the wrong type. Never anything else,
// whatever the text.
std::vector<StoredScheme> ParseSchemeExport(const std::string& text);

}  // namespace qelt::cli
