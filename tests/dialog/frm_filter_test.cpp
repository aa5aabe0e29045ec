#include "dialog/frm_filter.h"

#include <gtest/gtest.h>

#include <string>

#include "dialog/frm_saveschame.h"
#include "dialog/golden.h"
#include "qelt/ui/dump.h"
#include "support/shared_settings.h"

namespace qelt::dialog {
namespace {

TEST(FilterDialogTexts, FreshDialogWithItsTextsMatchesTheGolden) {
    frmFilter form;
    form.setDialogTexts();
    // A grid's hint is painted, never a cell's text: it follows the dump.
    std::string hints;
    for (const ui::Grid* grid : {&form.VpFilter, &form.vsOrder, &form.vaHideColumn})
        hints += "Hint " + grid->name() + " \"" + grid->hint() + "\"\n";
    // The save-scheme dialog takes its caption from the resources on load.
    support::ResetProcessState();
    frmSaveschame save;
    save.load();
    testing::ExpectGoldenFile(
        testing::GoldenPath("frmFilter_texts.txt"),
        testing::Folded(testing::WithoutEmptyRows(ui::Dump(form))) + hints + ui::Dump(save));
    support::ResetProcessState();
}

}  // namespace
}  // namespace qelt::dialog
