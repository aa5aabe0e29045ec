#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "qelt/recordset.h"

namespace qelt::dialog {
class frmFilter;
}

// What the filter dialog keeps in a scheme: its state written as scheme
// entries (the keys, values and grid forms of qelt/scheme_content.h), and
// stored entries written back into it. Applying takes only what a person
// could have chosen in the dialog for the list as it is now: a condition
// row whose cells do not fit, a sort key the list no longer offers, a
// column it does not have, an index its box lacks are left out.
namespace qelt::schemes {

// The entries of the dialog's state (FKey, FValue), in the order they are
// stored.
std::vector<std::pair<std::string, std::string>> EntryValues(dialog::frmFilter& dialog);
// The same as the rows the store takes, each carrying `schemeId`:
// FSchemeID, FType, FKey, FValue.
RecordsetPtr BuildEntries(dialog::frmFilter& dialog, int32_t schemeId);
// Writes stored entries (FKey/FValue rows) into the selectors, the
// run-number boxes and the three grids; missing keys take the defaults.
void ApplyEntries(dialog::frmFilter& dialog, Recordset& entries);

// The grids' stored forms, each way.
std::string EncodeConditionGrid(dialog::frmFilter& dialog);
std::string EncodeSortGrid(dialog::frmFilter& dialog);
std::string EncodeColumnGrid(dialog::frmFilter& dialog);
void DecodeConditionGrid(dialog::frmFilter& dialog, const std::string& value);
void DecodeSortGrid(dialog::frmFilter& dialog, const std::string& value);
void DecodeColumnGrid(dialog::frmFilter& dialog, const std::string& value);

}  // namespace qelt::schemes
