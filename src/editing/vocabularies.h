#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "qelt/ui/grid.h"

// The fixed words of the condition grid: comparisons with their codes, the
// logic words, the parenthesis lists, and the columns that carry a status.
namespace qelt::editing {

// Separator of every pick-list text (one item per piece).
inline constexpr const char* kListSeparator = "\t";
inline constexpr const char* kNoField = "(无)";
inline constexpr const char* kLeftParenthesisList = " \t(\t((\t(((\t((((";
inline constexpr const char* kRightParenthesisList = " \t)\t))\t)))\t))))";

inline constexpr const char* kAnd = "并且";
inline constexpr const char* kOr = "或者";
inline constexpr const char* kLogicList = "并且\t或者";

inline constexpr const char* kEqual = "等于";
inline constexpr const char* kNotEqual = "不等于";
inline constexpr const char* kGreater = "大于";
inline constexpr const char* kGreaterOrEqual = "大于或等于";
inline constexpr const char* kLess = "小于";
inline constexpr const char* kLessOrEqual = "小于或等于";
inline constexpr const char* kContains = "包含";
inline constexpr const char* kNotContains = "不包含";
inline constexpr const char* kIsEmpty = "为空值";
inline constexpr const char* kIsNotEmpty = "不为空值";

// Column types of the template as the editing rules tell them apart.
inline constexpr int kTypePlaceholder = -1;
inline constexpr int kTypeDate = 0;
inline constexpr int kTypeText = 1;
inline constexpr int kTypeInteger = 3;
inline constexpr int kTypeDiscountRate = 5;
inline constexpr int kTypeAmount8 = 9;
inline constexpr int kTypeRelationSign = 12;
// Never stored: stands for a status column when its comparisons are chosen.
inline constexpr int kTypeStatus = 100;

// Numeric for the comparison list and the "0.0" default value: 0 excluded,
// 12 excluded.
bool IsNumericCompareType(int colType);
// Numeric literal in a condition (2 to 6, 8 to 12, 40).
bool IsNumericLiteralType(int colType);
// One of the status column aliases, compared exactly.
bool IsStatusField(std::string_view colName);
// The emptiness comparisons, which need no value.
bool IsEmptinessWord(std::string_view word);

// The comparisons offered for a column type: the words and their codes, in
// list order, and the word a newly chosen field starts with.
struct ComparisonList {
    ComparisonList(std::vector<const char*> words, std::vector<const char*> codes,
                   const char* defaultWord);
    std::vector<const char*> words;
    std::vector<const char*> codes;
    const char* defaultWord;
    // Both lists joined by the list separator (joined once: every condition
    // row takes them).
    const std::string& wordText() const { return wordText_; }
    const std::string& codeText() const { return codeText_; }

private:
    std::string wordText_;
    std::string codeText_;
};
const ComparisonList& ComparisonsFor(int colType);
// The code of a comparison word ("等于" gives "1"); null for any other text.
const char* ComparisonCode(std::string_view word);
// The value cell of a condition on a column of that type: a date, a number
// with its limits and decimals, or text (at most 200 characters for type 1,
// free for the others).
ui::CellSpec ValueCellFor(int colType);
// Whether a parenthesis cell holds one of its pick list's items: blanks
// around it aside, nothing or one to four of `sign`.
bool IsParenthesisItem(std::string_view cell, char sign);

// A text-to-text map that keeps insertion order, looked up by key with the
// empty text as default. Adding a key that is present replaces its value and
// keeps its place.
class NameMap {
public:
    NameMap() = default;
    NameMap(std::initializer_list<std::pair<std::string, std::string>> entries);
    void add(const std::string& key, const std::string& value);
    std::size_t size() const { return entries_.size(); }
    // 1-based positions.
    const std::string& keyAt(std::size_t position) const { return entries_.at(position - 1).first; }
    const std::string& valueAt(std::size_t position) const {
        return entries_.at(position - 1).second;
    }
    // The value stored under the key, or empty.
    std::string valueOf(const std::string& key) const;
    // The key of the first entry whose value equals `value`, or empty.
    std::string keyOf(const std::string& value) const;

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

// The ten comparison words and the two logic words, each mapped to itself.
NameMap ComparisonNameMap();
NameMap LogicNameMap();

}  // namespace qelt::editing
