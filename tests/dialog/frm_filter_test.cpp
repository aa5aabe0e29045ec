#include "dialog/frm_filter.h"

#include <gtest/gtest.h>

#include <string>

#include "dialog/frm_saveschame.h"
#include "dialog/golden.h"
#include "qelt/ui/dump.h"
#include "support/shared_settings.h"

namespace qelt::dialog {
namespace {

using testing::ExpectGolden;

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
    ExpectGolden("frmFilter_texts.txt", testing::Folded(testing::WithoutEmptyRows(ui::Dump(form))) +
                                            hints + ui::Dump(save));
    support::ResetProcessState();
}

// Every change a front end hears while the texts are written, in order
// (one entry per run of changes to a control): rules and schemes depend on
// the order and front ends redraw by it.
TEST(FilterDialogTexts, TextsAreWrittenInTheDialogsOrder) {
    frmFilter form;
    std::string log, last;
    form.subscribe([&](const ui::Form& f) { log += "form " + f.caption() + ";"; });
    for (ui::Control* c : form.controls())
        c->subscribe([&](const ui::Control& control, const ui::Change& change) {
            using W = ui::Change::What;
            const std::string entry = control.name() + (change.what == W::Caption   ? " caption"
                                                        : change.what == W::ToolTip ? " tip"
                                                        : change.what == W::Items   ? " items"
                                                        : change.what == W::Cells   ? " cells"
                                                        : change.what == W::Hint    ? " hint"
                                                                                    : " other");
            if (entry == last) return;
            last = entry;
            log += (log.size() - log.rfind('\n') > 500 ? "\n" : " ") + entry + ";";
        });
    form.setDialogTexts();
    ExpectGolden("frmFilter_text_order.txt", log + "\n");
}

}  // namespace
}  // namespace qelt::dialog
