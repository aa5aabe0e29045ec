#include "schemes/grid_codec.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/text.h"

namespace qelt::schemes {

namespace {

int CountOf(const std::string& value, const std::string& what) {
    int n = 0;
    for (auto at = value.find(what); at != std::string::npos;
         at = value.find(what, at + what.size()))
        ++n;
    return n;
}

// The leading decimal number of a text as a loose conversion reads it;
// anything not finite counts as 0.
double LeadingNumber(const std::string& s) {
    const std::string t = text::Trim(s);
    const double v = std::strtod(t.c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0;
}

GridRows Decode(const std::string& value, int count, std::size_t fields) {
    GridRows rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i) rows.push_back(RowFields(value, i, fields));
    return rows;
}

}  // namespace

std::string SchemeKey(const std::string& filter) {
    const auto eq = filter.find('=');
    if (eq != std::string::npos) return "(" + filter.substr(eq + 1) + ")";
    const auto open = filter.find('(');
    return open == std::string::npos ? filter : filter.substr(open);
}

std::string EncodeRows(const GridRows& rows) {
    std::string out;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) out += kFieldSeparator;
            out += row[i];
        }
        out += kRowEnd;
    }
    return out;
}

int ConditionRowCount(const std::string& value) {
    return text::IsBlank(value) ? 0 : CountOf(value, kRowEnd) + 1;
}

int SortRowCount(const std::string& value) {
    return text::IsBlank(value) ? 0 : CountOf(value, kRowEnd);
}

int ColumnRowCount(const std::string& value) {
    return ConditionRowCount(value);
}

std::vector<std::string> RowFields(const std::string& value, int row, std::size_t fields) {
    const std::string piece = text::Piece(value, row, kRowEnd, false);
    std::vector<std::string> out;
    out.reserve(fields);
    for (std::size_t i = 1; i <= fields; ++i)
        out.push_back(text::Piece(piece, static_cast<int>(i), kFieldSeparator, false));
    return out;
}

GridRows DecodeConditionRows(const std::string& value) {
    return Decode(value, ConditionRowCount(value), kConditionFields);
}

GridRows DecodeSortRows(const std::string& value) {
    return Decode(value, SortRowCount(value), kSortFields);
}

GridRows DecodeColumnRows(const std::string& value) {
    return Decode(value, ColumnRowCount(value), kColumnFields);
}

std::string TwipsFromMillimetres(const std::string& cell) {
    const double twips = std::round(LeadingNumber(cell) * kTwipsPerMillimetre);
    return text::Num(static_cast<long long>(std::fabs(twips) < 9e15 ? twips : 0));
}

std::string MillimetresFromTwips(const std::string& field) {
    double mm = LeadingNumber(field) / kTwipsPerMillimetre;
    if (std::fabs(mm) >= 1e15) mm = 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", mm);
    std::string out = buffer;
    // "###.00" writes no digit before the point for values below one.
    if (out.rfind("0.", 0) == 0) out.erase(0, 1);
    if (out.rfind("-0.", 0) == 0) out.erase(1, 1);
    if (out == "-.00") out = ".00";
    return out;
}

}  // namespace qelt::schemes
