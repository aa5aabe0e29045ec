#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "qelt/export.h"

// What a filter scheme holds. A scheme is a list of key/value entries (the
// store's FKey and FValue); three of them hold the rows of the filter
// dialog's grids in a text form: every row ends in "||" (the last one too)
// and the fields of a row are joined with "##<&". This header gives the
// keys, the rows as records, their text form both ways, and the checks that
// tell whether a stored value is one the dialog could have written.
//
// A stored scheme is input: a colleague's shared scheme, an imported file or
// a hand-edited database may hold anything. The dialog applies only rows and
// values that pass these checks (and that name fields the list still
// offers); a host or tool that takes schemes in can run the same checks.
namespace qelt::schemes {

// --- entry keys, in the order the dialog writes them ----------------------------
// The auto-accept box: "1" ticked, "0" not.
inline constexpr const char* kAutoAcceptKey = "chkShowByBeforeProject";
// The chosen transaction type's position in the dialog's list (from 0);
// absent when none was chosen.
inline constexpr const char* kTransTypeKey = "cboTransType";
// The status selectors, each holding the chosen item's position (from 0);
// each is written only while its combo box is shown and has a choice.
inline constexpr const char* kSelectorKeys[] = {"cboTime", "cboCheck", "cboCancel", "cboConnect",
                                                "cboROB",  "cboPost",  "cboICMO",   "cboKickBack"};
// The sort grid's rows (SortKeyRow in text form).
inline constexpr const char* kOrderByKey = "OrderBy";
// The condition grid's rows (ConditionRow in text form).
inline constexpr const char* kRelationKey = "Relation";
// The column grid's rows (ColumnRow in text form).
inline constexpr const char* kHideColumnsKey = "HideColumns";
// The planned-order boxes ("1" ticked, "0" not); written only while their
// frame is shown.
inline constexpr const char* kPlanCheckKeys[] = {"chkPlan", "chkChecked", "chkClose"};
// The planned-order run numbers, from and to, as typed; written only while
// their frame is shown.
inline constexpr const char* kRunNumberKeys[] = {"txtRunNoFrom", "txtRunNoTO"};

// Between the fields of a row in a grid's text form.
inline constexpr const char* kFieldSeparator = "##<&";
// After every row of a grid's text form, the last one too.
inline constexpr const char* kRowEnd = "||";
// Column widths are stored in twips and shown in millimetres.
inline constexpr double kTwipsPerMillimetre = 56.7;

// One condition ("Relation") row. Names and words are in their stored
// form: the logic and comparison words as the dialog shows them ("并且",
// "大于或等于"), the field by its caption in the base language.
struct ConditionRow {
    std::string logic;             // empty on the first row
    std::string field;             // the field's caption
    std::string comparison;        // one of the ten comparison words
    std::string code;              // the comparison's code, "1" to "10" (empty in old schemes)
    std::string value;             // the value as typed
    std::string fieldId;           // the field's FInterID
    std::string leftParentheses;   // "", " ", "(" ... "(((("
    std::string rightParentheses;  // "", " ", ")" ... "))))"
    // Every field equal.
    bool operator==(const ConditionRow&) const = default;
};

// One sort ("OrderBy") row: the sort grid's seven columns.
struct SortKeyRow {
    std::string caption;     // the field's caption as the grid showed it
    std::string ascending;   // "1" or "0"
    std::string descending;  // "1" or "0"; exactly one of the two is "1"
    std::string alias;       // the column alias (FColName)
    std::string tableAlias;  // FTableAlias of the column
    std::string fieldName;   // FName of the column, the field in its table
    std::string tableName;   // FTableName of the column
    // Every field equal.
    bool operator==(const SortKeyRow&) const = default;
};

// One column ("HideColumns") row.
struct ColumnRow {
    std::string visible;     // "1" shown, "0" hidden
    std::string widthTwips;  // whole twips (a millimetre is 56.7 twips)
    std::string position;    // the row number in the column grid, from 1
    std::string alias;       // the column alias (FColName)
    std::string alignment;   // "0" default, "1" left, "2" right, "3" centre
    // Every field equal.
    bool operator==(const ColumnRow&) const = default;
};

// The text forms. A condition row is twelve fields (logic, field,
// comparison, code, value, the value again, field id, "(", ")", three empty
// fields), a sort row seven, a column row five. Fields are written as they
// are, unescaped: a field holding a separator reads back as other fields or
// rows. No rows give an empty text.
// @{
QELT_EXPORT std::string EncodeConditionRows(const std::vector<ConditionRow>& rows);
QELT_EXPORT std::string EncodeSortKeyRows(const std::vector<SortKeyRow>& rows);
QELT_EXPORT std::string EncodeColumnRows(const std::vector<ColumnRow>& rows);
// @}

// The rows of a stored value, in order. A blank value holds none; the
// condition and column forms end in an empty piece that is no row (the
// dialog's ready-for-input row), while the sort form counts exactly its
// terminators, so text after the last "||" is no sort row. Missing fields
// are empty, surplus fields dropped. Never fails, whatever the text.
// @{
QELT_EXPORT std::vector<ConditionRow> DecodeConditionRows(const std::string& value);
QELT_EXPORT std::vector<SortKeyRow> DecodeSortKeyRows(const std::string& value);
QELT_EXPORT std::vector<ColumnRow> DecodeColumnRows(const std::string& value);
// @}

// Why a stored row is not one the dialog could have written, in a short
// English phrase; empty when it could have been. These checks need no list
// template: words from their vocabularies, a code that matches its word,
// parentheses from their pick lists, flags "0" or "1", whole numbers where
// the grid holds one. Whether the named field still exists is the dialog's
// question (it drops such rows too). `first` is true for the first stored
// condition row, which carries no logic word.
// @{
QELT_EXPORT std::string ConditionRowProblem(const ConditionRow& row, bool first);
// Why a stored condition row does not fit the field it names, the column
// `colName` (its FColName) of the list's template, of type `colType` (its
// FColType): a comparison the field does not offer (the columns that carry
// a document state offer only the emptiness comparisons), a value beside an
// emptiness comparison, or a value the field's cell cannot hold (a number
// out of range, a date that is none, a text too long). Empty when it fits.
QELT_EXPORT std::string ConditionRowProblemForField(const ConditionRow& row, int colType,
                                                    const std::string& colName);
QELT_EXPORT std::string SortKeyRowProblem(const SortKeyRow& row);
QELT_EXPORT std::string ColumnRowProblem(const ColumnRow& row);
// @}

// Every problem of a scheme's entries (FKey, FValue), one line each, in
// entry order: an unknown or repeated key, a check box that is neither "0"
// nor "1", a list index that is not a whole number from -1 on (-1, "nothing
// selected", is kept by older schemes and changes nothing when applied), a
// grid value with a row the dialog could not have written ("Relation row 2:
// ..."). Empty when the dialog could have written every entry.
QELT_EXPORT std::vector<std::string> EntryProblems(
    const std::vector<std::pair<std::string, std::string>>& entries);

// Why `name` is not one a person could give a scheme of their own in the
// save-scheme dialog, in a short English phrase; empty when it could be.
// The dialog trims the name and refuses a blank one and the default
// scheme's names ("默认方案", "默認方案", and "Default Schema" in any letter
// case), which only the library itself gives.
QELT_EXPORT std::string SchemeNameProblem(const std::string& name);

// The scheme key that groups the schemes of one kind of list, from the
// dialog's template filter: "(" + the text after the first "=" + ")" when it
// holds "=", else the text from its first "(" on (all of it without one).
QELT_EXPORT std::string SchemeKey(const std::string& filter);

// A width cell in millimetres as whole twips ("10" or "10.00" give "567");
// a blank or unreadable cell counts as 0.
QELT_EXPORT std::string TwipsFromMillimetres(const std::string& cell);
// Stored twips back to millimetres as the grid shows them, two decimals and
// no leading zero ("567" gives "10.00", "28" gives ".49"); the leading
// number of the text counts, none is 0.
QELT_EXPORT std::string MillimetresFromTwips(const std::string& field);

}  // namespace qelt::schemes
