#include "qelt/ui/presenter.h"

#include <gtest/gtest.h>

#include <string>

#include "qelt/ui/controls.h"
#include "support/shared_settings.h"

namespace qelt::ui {
namespace {

// What the scripted presenter does after the person's script, by what the
// script and the form do: it presses Escape only on a form left shown, and
// returns even when the form ignores Escape.
TEST(ScriptedPresenter, PressesEscapeOnlyOnAFormLeftShown) {
    struct Case {
        const char* script;
        bool formHandlesEscape;
        bool closedOnLoad;
        const char* log;
        bool shownAfter;
    };
    const Case cases[] = {
        {"accept", true, false, "Load User Hide ", false},
        {"nothing", true, false, "Load User Escape ", false},
        {"nothing", false, false, "Load User Escape ", true},
        {"nothing", true, true, "Load ", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.script) + (c.formHandlesEscape ? "" : " ignoring Escape") +
                     (c.closedOnLoad ? " closed on load" : ""));
        Form form("frmSaveschame");
        std::string log;
        form.setKeyPreview(true);
        form.onLoad = [&] {
            log += "Load ";
            if (c.closedOnLoad) form.unload();
        };
        form.onKeyPress = [&](int& k) {
            if (k != kKeyEscape) return;
            log += "Escape ";
            if (c.formHandlesEscape) form.hide();
        };
        ScriptedPresenter presenter([&](Form& f) {
            log += "User ";
            if (std::string(c.script) == "accept") {
                log += "Hide ";
                f.hide();
            }
        });
        presenter.runModal(form);
        EXPECT_EQ(log, c.log);
        EXPECT_EQ(form.shown(), c.shownAfter);
    }
}

TEST(PresenterRegistry, NoneUntilSetAndNoneAgainAfterTheProcessReset) {
    support::ResetProcessState();
    EXPECT_EQ(GetPresenter(), nullptr);
    auto presenter = std::make_shared<ScriptedPresenter>(nullptr);
    SetPresenter(presenter);
    EXPECT_EQ(GetPresenter(), presenter);
    support::ResetProcessState();
    EXPECT_EQ(GetPresenter(), nullptr);
}

}  // namespace
}  // namespace qelt::ui
