#include "editing/vocabularies.h"

#include <algorithm>
#include <array>

#include "support/shared_settings.h"

namespace qelt::editing {

namespace {

constexpr std::array<const char*, 26> kStatusFields = {
    "FATPFLAG",       "FBackFlushed",  "FCancellation",  "FCheck",         "FCheckerID",
    "FClose",         "FMrpClosed",    "FCloseStatus",   "FDCancellation", "FDMRPClosed",
    "FDSuspend",      "FHasSplitBill", "FVoucherStatus", "FHookStatus",    "FLockFlag",
    "FMCancellation", "FMRPClosed",    "FOrderAffirm",   "FOrderRefuse",   "FPPBOMStatus",
    "FRedFlag",       "FReStatus",     "FStatus",        "FStatusName",    "FSuspend",
    "FTranStatus"};

std::string Join(const std::vector<const char*>& items) {
    std::string s;
    for (const char* item : items) {
        if (!s.empty()) s += kListSeparator;
        s += item;
    }
    return s;
}

}  // namespace

bool IsNumericCompareType(int t) {
    return (t >= 2 && t <= 6) || (t >= 8 && t <= 11) || t == 40;
}

bool IsNumericLiteralType(int t) {
    return (t >= 2 && t <= 6) || (t >= 8 && t <= 12) || t == 40;
}

bool IsStatusField(std::string_view colName) {
    return std::find(kStatusFields.begin(), kStatusFields.end(), colName) != kStatusFields.end();
}

bool IsEmptinessWord(std::string_view word) {
    return word == kIsEmpty || word == kIsNotEmpty;
}

ComparisonList::ComparisonList(std::vector<const char*> w, std::vector<const char*> c,
                               const char* defaultWordOfType)
    : words(std::move(w)),
      codes(std::move(c)),
      defaultWord(defaultWordOfType),
      wordText_(Join(words)),
      codeText_(Join(codes)) {}

const ComparisonList& ComparisonsFor(int colType) {
    static const ComparisonList kAll{{kEqual, kNotEqual, kGreater, kGreaterOrEqual, kLess,
                                      kLessOrEqual, kContains, kNotContains, kIsEmpty, kIsNotEmpty},
                                     {"1", "2", "3", "4", "5", "6", "9", "10", "7", "8"},
                                     kEqual};
    static const ComparisonList kText{kAll.words, kAll.codes, kContains};
    static const ComparisonList kOrdered{
        {kEqual, kNotEqual, kGreater, kGreaterOrEqual, kLess, kLessOrEqual},
        {"1", "2", "3", "4", "5", "6"},
        kEqual};
    static const ComparisonList kDate{kOrdered.words, kOrdered.codes, kGreaterOrEqual};
    static const ComparisonList kStatus{{kIsEmpty, kIsNotEmpty}, {"7", "8"}, kIsEmpty};
    static const ComparisonList kOther{
        {kEqual, kNotEqual, kIsEmpty, kIsNotEmpty}, {"1", "2", "7", "8"}, kEqual};

    if (colType == kTypePlaceholder) return kAll;
    if (colType == kTypeText) return kText;
    if (colType == kTypeDate) return kDate;
    if (IsNumericCompareType(colType)) return kOrdered;
    if (colType == kTypeStatus) return kStatus;
    return kOther;
}

ui::CellSpec ValueCellFor(int colType) {
    constexpr int kTextValueLength = 200;
    const auto number = [](double max, int decimals) {
        return ui::CellSpec{ui::CellType::Number, ui::NumberLimits{-max, max, decimals}, 0};
    };
    switch (colType) {
        case kTypeDate:
            return {ui::CellType::Date, {}, 0};
        case kTypeText:
            return {ui::CellType::Edit, {}, kTextValueLength};
        case kTypeInteger:
            return number(999999999, 0);
        case 2:
        case 4:
        case 6:
        case 7:
        case 8:
        case 40:
            return number(99999999.999999, 6);
        case kTypeDiscountRate:
            return number(999999.9999, support::Shared().PrecisionOfDiscountRate);
        case kTypeAmount8:
            return number(999999.99999999, 8);
        case 10:
        case 11:
            return number(999999.99, 2);
        default:
            return {ui::CellType::Edit, {}, 0};
    }
}

const char* ComparisonCode(std::string_view word) {
    const ComparisonList& all = ComparisonsFor(kTypePlaceholder);
    for (std::size_t i = 0; i < all.words.size(); ++i)
        if (word == all.words[i]) return all.codes[i];
    return nullptr;
}

bool IsParenthesisItem(std::string_view cell, char sign) {
    std::size_t first = cell.find_first_not_of(' ');
    if (first == std::string_view::npos) return true;
    const std::size_t last = cell.find_last_not_of(' ');
    const std::string_view inner = cell.substr(first, last - first + 1);
    return inner.size() <= 4 && inner.find_first_not_of(sign) == std::string_view::npos;
}

NameMap::NameMap(std::initializer_list<std::pair<std::string, std::string>> entries) {
    for (const auto& [key, value] : entries) add(key, value);
}

void NameMap::add(const std::string& key, const std::string& value) {
    for (auto& entry : entries_)
        if (entry.first == key) {
            entry.second = value;
            return;
        }
    entries_.emplace_back(key, value);
}

std::string NameMap::valueOf(const std::string& key) const {
    for (const auto& entry : entries_)
        if (entry.first == key) return entry.second;
    return {};
}

std::string NameMap::keyOf(const std::string& value) const {
    for (const auto& entry : entries_)
        if (entry.second == value) return entry.first;
    return {};
}

NameMap ComparisonNameMap() {
    NameMap map;
    for (const char* word : ComparisonsFor(kTypePlaceholder).words) map.add(word, word);
    return map;
}

NameMap LogicNameMap() {
    return NameMap{{kAnd, kAnd}, {kOr, kOr}};
}

}  // namespace qelt::editing
