#include "dialog/frm_filter.h"

namespace qelt::dialog {

void frmFilter::wireGridEditing() {}

}  // namespace qelt::dialog
