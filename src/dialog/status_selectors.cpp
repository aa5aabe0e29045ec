#include "dialog/frm_filter.h"

namespace qelt::dialog {

void frmFilter::wireSelectors() {}

}  // namespace qelt::dialog
