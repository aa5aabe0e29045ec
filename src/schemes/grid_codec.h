#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The text forms a filter scheme keeps the dialog's three grids in, free of
// any dialog: rows end in "||" (the last one too), fields inside a row are
// joined with "##<&". Widths travel in twips.
namespace qelt::schemes {

inline constexpr const char* kFieldSeparator = "##<&";
inline constexpr const char* kRowEnd = "||";
inline constexpr double kTwipsPerMillimetre = 56.7;

inline constexpr std::size_t kConditionFields = 12;
inline constexpr std::size_t kSortFields = 7;
inline constexpr std::size_t kColumnFields = 5;

using GridRows = std::vector<std::vector<std::string>>;

// The scheme key of a Filter text: "(" + the text after the first "=" + ")"
// when it holds "=", else the text from its first "(" on (all of it
// without one).
std::string SchemeKey(const std::string& filter);

// Every row's fields joined and terminated.
std::string EncodeRows(const GridRows& rows);

// Row counts of a stored value (0 for a blank value): the condition and
// column grids count one row more than there are terminators (a trailing
// empty row ready for input), the sort grid exactly the terminators.
int ConditionRowCount(const std::string& value);
int SortRowCount(const std::string& value);
int ColumnRowCount(const std::string& value);

// Piece `row` (1-based) of the value split into exactly `fields` fields
// (missing ones empty, surplus ones dropped).
std::vector<std::string> RowFields(const std::string& value, int row, std::size_t fields);

// The decoded rows of each grid, `count` rows as above.
GridRows DecodeConditionRows(const std::string& value);
GridRows DecodeSortRows(const std::string& value);
GridRows DecodeColumnRows(const std::string& value);

// A width cell in millimetres as whole twips ("10" or "10.00" give "567");
// a blank or unreadable cell counts as 0.
std::string TwipsFromMillimetres(const std::string& cell);
// Stored twips back to millimetres as "###.00" writes them ("567" gives
// "10.00", "28" gives ".49"); the leading number of the text counts, none
// is 0.
std::string MillimetresFromTwips(const std::string& field);

}  // namespace qelt::schemes
