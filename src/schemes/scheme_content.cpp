#include "qelt/scheme_content.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <set>
#include <string_view>

#include "editing/vocabularies.h"
#include "platform/text.h"

namespace qelt::schemes {

namespace {

constexpr std::size_t kConditionFields = 12;
constexpr std::size_t kSortFields = 7;
constexpr std::size_t kColumnFields = 5;
constexpr const char* kLeftParentheses[] = {"", " ", "(", "((", "(((", "(((("};
constexpr const char* kRightParentheses[] = {"", " ", ")", "))", ")))", "))))"};
constexpr const char* kDefaultNames[] = {"默认方案", "默認方案"};
constexpr const char* kDefaultNameEnglish = "Default Schema";

// Splits a value into its row pieces; `trailingRow` says whether the piece
// after the last terminator counts (it does for the condition and column
// forms unless it is blank, never for the sort form).
std::vector<std::string_view> RowPieces(std::string_view value, bool trailingRow) {
    std::vector<std::string_view> rows;
    if (text::IsBlank(value)) return rows;
    const std::string_view end = kRowEnd;
    for (std::size_t from = 0;;) {
        const std::size_t at = value.find(end, from);
        if (at == std::string_view::npos) {
            const std::string_view rest = value.substr(from);
            if (trailingRow && !text::IsBlank(rest)) rows.push_back(rest);
            return rows;
        }
        rows.push_back(value.substr(from, at - from));
        from = at + end.size();
    }
}

std::vector<std::string> Fields(std::string_view row, std::size_t count) {
    std::vector<std::string> out;
    out.reserve(count);
    const std::string_view separator = kFieldSeparator;
    std::size_t from = 0;
    while (out.size() < count) {
        if (from > row.size()) {
            out.emplace_back();
            continue;
        }
        const std::size_t at = row.find(separator, from);
        out.emplace_back(row.substr(from, at == std::string_view::npos ? at : at - from));
        from = at == std::string_view::npos ? row.size() + 1 : at + separator.size();
    }
    return out;
}

void AppendRow(std::string& out, std::initializer_list<const std::string*> fields) {
    bool first = true;
    for (const std::string* f : fields) {
        if (!first) out += kFieldSeparator;
        out += *f;
        first = false;
    }
    out += kRowEnd;
}

template <std::size_t N>
bool OneOf(const std::string& s, const char* const (&set)[N]) {
    for (const char* item : set)
        if (s == item) return true;
    return false;
}

bool WholeNumber(std::string_view s, long long* out = nullptr) {
    s = text::TrimView(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    long long n = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (s.empty() || ec != std::errc{} || end != s.data() + s.size()) return false;
    if (out) *out = n;
    return true;
}

bool Flag(const std::string& s) {
    return s == "0" || s == "1";
}

// The leading decimal number of a text as a loose conversion reads it;
// anything not finite counts as 0.
double LeadingNumber(const std::string& s) {
    const std::string_view trimmed = text::TrimView(s);
    double v = 0;
    // A cell that is all one number, as a grid's width cell is, reads the
    // same either way; anything else takes the loose reading.
    const auto [end, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), v);
    if (ec != std::errc{} || end != trimmed.data() + trimmed.size())
        v = std::strtod(std::string(trimmed).c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0;
}

std::string KnownKeyProblem(const std::string& key, const std::string& value) {
    long long n = 0;
    if (key == kAutoAcceptKey || OneOf(key, kPlanCheckKeys))
        return Flag(text::Trim(value)) ? "" : "is neither 0 nor 1";
    if (key == kTransTypeKey || OneOf(key, kSelectorKeys))
        return WholeNumber(value, &n) && n >= -1 ? "" : "is not a list index";
    return {};
}

template <typename Row, typename Problem>
void RowProblems(std::vector<std::string>& out, const std::string& key,
                 const std::vector<Row>& rows, Problem problem) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string why = problem(rows[i], i);
        if (!why.empty()) out.push_back(key + " row " + text::Num(long(i + 1)) + ": " + why);
    }
}

}  // namespace

std::string EncodeConditionRows(const std::vector<ConditionRow>& rows) {
    static const std::string kEmpty;
    std::string out;
    for (const ConditionRow& r : rows)
        AppendRow(out, {&r.logic, &r.field, &r.comparison, &r.code, &r.value, &r.value, &r.fieldId,
                        &r.leftParentheses, &r.rightParentheses, &kEmpty, &kEmpty, &kEmpty});
    return out;
}

std::string EncodeSortKeyRows(const std::vector<SortKeyRow>& rows) {
    std::string out;
    for (const SortKeyRow& r : rows)
        AppendRow(out, {&r.caption, &r.ascending, &r.descending, &r.alias, &r.tableAlias,
                        &r.fieldName, &r.tableName});
    return out;
}

std::string EncodeColumnRows(const std::vector<ColumnRow>& rows) {
    std::string out;
    for (const ColumnRow& r : rows)
        AppendRow(out, {&r.visible, &r.widthTwips, &r.position, &r.alias, &r.alignment});
    return out;
}

std::vector<ConditionRow> DecodeConditionRows(const std::string& value) {
    std::vector<ConditionRow> rows;
    for (std::string_view piece : RowPieces(value, true)) {
        auto f = Fields(piece, kConditionFields);
        rows.push_back({std::move(f[0]), std::move(f[1]), std::move(f[2]), std::move(f[3]),
                        std::move(f[4]), std::move(f[6]), std::move(f[7]), std::move(f[8])});
    }
    return rows;
}

std::vector<SortKeyRow> DecodeSortKeyRows(const std::string& value) {
    std::vector<SortKeyRow> rows;
    for (std::string_view piece : RowPieces(value, false)) {
        auto f = Fields(piece, kSortFields);
        rows.push_back({std::move(f[0]), std::move(f[1]), std::move(f[2]), std::move(f[3]),
                        std::move(f[4]), std::move(f[5]), std::move(f[6])});
    }
    return rows;
}

std::vector<ColumnRow> DecodeColumnRows(const std::string& value) {
    std::vector<ColumnRow> rows;
    for (std::string_view piece : RowPieces(value, true)) {
        auto f = Fields(piece, kColumnFields);
        rows.push_back(
            {std::move(f[0]), std::move(f[1]), std::move(f[2]), std::move(f[3]), std::move(f[4])});
    }
    return rows;
}

std::string ConditionRowProblem(const ConditionRow& row, bool first) {
    const bool logicWord = row.logic == editing::kAnd || row.logic == editing::kOr;
    if (!logicWord && !(first && row.logic.empty())) return "the logic word is not 并且 or 或者";
    if (text::IsBlank(row.field)) return "names no field";
    const char* code = editing::ComparisonCode(row.comparison);
    if (!code) return "the comparison is not a comparison word";
    if (!row.code.empty() && row.code != code) return "the comparison code does not match its word";
    if (!row.fieldId.empty() && !WholeNumber(row.fieldId)) return "the field id is not a number";
    if (!OneOf(row.leftParentheses, kLeftParentheses))
        return "the opening parentheses are not one of ( to ((((";
    if (!OneOf(row.rightParentheses, kRightParentheses))
        return "the closing parentheses are not one of ) to ))))";
    return {};
}

std::string ConditionRowProblemForField(const ConditionRow& row, int colType,
                                        const std::string& colName) {
    const editing::ComparisonList& offered =
        editing::ComparisonsFor(editing::IsStatusField(colName) ? editing::kTypeStatus : colType);
    if (std::find_if(offered.words.begin(), offered.words.end(), [&](const char* word) {
            return row.comparison == word;
        }) == offered.words.end())
        return "the field does not offer the comparison " + row.comparison;
    if (editing::IsEmptinessWord(row.comparison))
        return row.value.empty() ? "" : "a value beside an emptiness comparison";
    if (!ui::CellAccepts(editing::ValueCellFor(colType), row.value))
        return "the field's cell cannot hold the value";
    return {};
}

std::string SortKeyRowProblem(const SortKeyRow& row) {
    if (text::IsBlank(row.alias)) return "names no field";
    if (!Flag(row.ascending) || !Flag(row.descending) || row.ascending == row.descending)
        return "is not exactly one of ascending and descending";
    return {};
}

std::string ColumnRowProblem(const ColumnRow& row) {
    if (text::IsBlank(row.alias)) return "names no column";
    if (!Flag(text::Trim(row.visible))) return "the shown flag is neither 0 nor 1";
    if (!WholeNumber(row.widthTwips)) return "the width is not a whole number of twips";
    if (!WholeNumber(row.position)) return "the position is not a whole number";
    long long align = 0;
    if (!row.alignment.empty() && !(WholeNumber(row.alignment, &align) && align >= 0 && align <= 3))
        return "the alignment is not 0 to 3";
    return {};
}

std::vector<std::string> EntryProblems(
    const std::vector<std::pair<std::string, std::string>>& entries) {
    std::vector<std::string> out;
    std::set<std::string> seen;
    for (const auto& [key, value] : entries) {
        if (!seen.insert(key).second) {
            out.push_back(key + ": the key is there twice");
            continue;
        }
        if (key == kRelationKey) {
            RowProblems(out, key, DecodeConditionRows(value),
                        [](const ConditionRow& r, std::size_t i) {
                            return ConditionRowProblem(r, i == 0);
                        });
        } else if (key == kOrderByKey) {
            RowProblems(out, key, DecodeSortKeyRows(value),
                        [](const SortKeyRow& r, std::size_t) { return SortKeyRowProblem(r); });
        } else if (key == kHideColumnsKey) {
            RowProblems(out, key, DecodeColumnRows(value),
                        [](const ColumnRow& r, std::size_t) { return ColumnRowProblem(r); });
        } else if (key == kAutoAcceptKey || key == kTransTypeKey || OneOf(key, kSelectorKeys) ||
                   OneOf(key, kPlanCheckKeys) || OneOf(key, kRunNumberKeys)) {
            const std::string why = KnownKeyProblem(key, value);
            if (!why.empty()) out.push_back(key + ": " + why);
        } else {
            out.push_back(key + ": the dialog keeps no such key");
        }
    }
    return out;
}

std::string SchemeNameProblem(const std::string& name) {
    const std::string trimmed = text::Trim(name);
    if (trimmed.empty()) return "the name is blank";
    if (OneOf(trimmed, kDefaultNames) || text::IEquals(trimmed, kDefaultNameEnglish))
        return "the name is the default scheme's";
    return {};
}

std::string SchemeKey(const std::string& filter) {
    const auto eq = filter.find('=');
    if (eq != std::string::npos) return "(" + filter.substr(eq + 1) + ")";
    const auto open = filter.find('(');
    return open == std::string::npos ? filter : filter.substr(open);
}

std::string TwipsFromMillimetres(const std::string& cell) {
    const double twips = std::round(LeadingNumber(cell) * kTwipsPerMillimetre);
    return text::Num(static_cast<long long>(std::fabs(twips) < 9e15 ? twips : 0));
}

std::string MillimetresFromTwips(const std::string& field) {
    double mm = LeadingNumber(field) / kTwipsPerMillimetre;
    if (std::fabs(mm) >= 1e15) mm = 0;
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, mm, std::chars_format::fixed, 2).ptr;
    std::string out(buffer, end);
    // The grid writes no digit before the point for values below one.
    if (out.rfind("0.", 0) == 0) out.erase(0, 1);
    if (out.rfind("-0.", 0) == 0) out.erase(1, 1);
    if (out == "-.00") out = ".00";
    return out;
}

}  // namespace qelt::schemes
