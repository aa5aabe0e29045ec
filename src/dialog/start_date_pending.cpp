// TEMPORARY: lets the selector branch link before the dialog lifecycle
// (which owns GetStartDate) is merged. Delete this file at that merge.
#include "dialog/frm_filter.h"

namespace qelt::dialog {

std::string frmFilter::GetStartDate() {
    return {};
}

}  // namespace qelt::dialog
