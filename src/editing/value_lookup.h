#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "qelt/variant.h"

namespace qelt::ui {
class Grid;
}

// Value look-up: F7 in the value cell of a condition row opens the look-up
// window that fits the row's field and writes the chosen item into the cell.
namespace qelt::editing {

// What the look-up reads of a condition field.
struct LookupField {
    // Base-data class of the field's values; picks the window.
    int32_t LookUpClsID = 0;
    // What goes into the cell: 1 the item's code, 2 its name.
    int32_t RetDataType = 0;
    std::string FieldName;
};

// Opens the look-up for `field`, searching from `value`. `listId` narrows some
// windows, the second "|"-separated piece of `baseInfo` is the base list's
// number, `systemName` goes to the routing view. Returns the text for the
// value cell, or nothing when the class has no look-up, the user chose
// nothing, or a look-up component failed (its Error is swallowed; no message
// is shown).
std::optional<std::string> LookUpValue(const LookupField& field, const std::string& value,
                                       int32_t listId, const std::string& baseInfo,
                                       const std::string& systemName);

// F7 in the value cell (column 6) of `row` of the condition grid: when the
// row has a field chosen (the selection of its field cell, column 3, is
// above 0), looks up a value for `field` (the condition field table entry of
// that selection) starting from the value cell's text, and writes the result
// into the value cell by code. Returns whether the cell was written;
// otherwise it is left as it was.
bool KeyForHelpWin(const LookupField& field, ui::Grid& grid, int32_t row, int32_t listId,
                   const std::string& baseInfo, const std::string& systemName);

// The item chosen in a user-defined base-data class.
class ClassLookupResult {
public:
    ClassLookupResult(Variant number, Variant itemId, Variant name);
    // "Number", "ItemID" or "Name" (exact spelling); Empty for any other name.
    Variant GetValue(const std::string& name) const;

private:
    Variant number_;
    Variant itemId_;
    Variant name_;
};

// Opens the single-bill look-up for class `pClassID`. Returns the chosen item,
// or null when nothing was chosen (no row, or a blank "FNumber"). `pFilter`
// is accepted for the callers' sake and not used. Raises Error when the
// component fails.
std::shared_ptr<const ClassLookupResult> LookUpNewClassBase(int32_t pClassID, int32_t pShowType = 0,
                                                            const Variant& pFilter = Variant());

}  // namespace qelt::editing
