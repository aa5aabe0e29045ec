#include "qelt/scheme_content.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog/golden.h"

namespace qelt::schemes {
namespace {

std::vector<std::string> Split(const std::string& s, const std::string& by) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t at; (at = s.find(by, from)) != std::string::npos; from = at + by.size())
        out.push_back(s.substr(from, at - from));
    out.push_back(s.substr(from));
    return out;
}

// One case of schemes/golden/scheme_content.txt: a kind, a blank, then the
// cells of a row joined by "|" (or the text itself); the result is the
// problem found ("fits" for none) or what the text turns into.
std::string Case(const std::string& input) {
    const std::string kind = input.substr(0, input.find(' ')), arg = input.substr(kind.size() + 1);
    const std::vector<std::string> c = Split(arg, "|");
    const auto problem = [](const std::string& p) { return p.empty() ? "fits" : p; };
    if (kind == "row" || kind == "row1")
        return problem(
            ConditionRowProblem({c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]}, kind == "row1"));
    if (kind == "field")
        return problem(ConditionRowProblemForField({"", "f", c[0], "", c[1], "", "", ""},
                                                   std::stoi(c[2]), c[3]));
    if (kind == "sort")
        return problem(SortKeyRowProblem({c[0], c[1], c[2], c[3], c[4], c[5], c[6]}));
    if (kind == "column") return problem(ColumnRowProblem({c[0], c[1], c[2], c[3], c[4]}));
    if (kind == "rows") {
        const auto rows = DecodeConditionRows(arg);
        return std::to_string(rows.size()) + " " + EncodeConditionRows(rows);
    }
    if (kind == "sorts") return EncodeSortKeyRows(DecodeSortKeyRows(arg));
    if (kind == "columns") return EncodeColumnRows(DecodeColumnRows(arg));
    if (kind == "mm") {
        const std::string twips = TwipsFromMillimetres(arg);
        return twips + " " + MillimetresFromTwips(twips);
    }
    if (kind == "twips") return MillimetresFromTwips(arg);
    if (kind == "name") return problem(SchemeNameProblem(arg));
    if (kind == "key") return SchemeKey(arg);
    std::vector<std::pair<std::string, std::string>> entries;  // "entries k=v&&k=v"
    for (const std::string& e : Split(arg, "&&"))
        entries.emplace_back(e.substr(0, e.find('=')), e.substr(e.find('=') + 1));
    std::string out;
    for (const std::string& p : EntryProblems(entries)) out += p + "; ";
    return out;
}

TEST(SchemeContent, RowsEntriesNamesAndWidthsMatchTheGolden) {
    testing::ExpectGoldenCases("schemes/golden/scheme_content.txt", Case);
}

}  // namespace
}  // namespace qelt::schemes
