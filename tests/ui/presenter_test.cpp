#include "qelt/ui/presenter.h"

#include <gtest/gtest.h>

#include <string>

#include "qelt/ui/controls.h"
#include "support/shared_settings.h"

namespace qelt::ui {
namespace {

// Logs its load and Escape; hides on Escape unless told not, may close as it loads.
struct Logged : Form {
    std::string& log;
    Logged(const char* name, std::string& log, bool handlesEscape, bool closesOnLoad)
        : Form(name), log(log) {
        setKeyPreview(true);
        onLoad = [=, this] {
            this->log += "Load:" + this->name() + " ";
            if (closesOnLoad) unload();
        };
        onKeyPress = [=, this](int& k) {
            if (k != kKeyEscape) return;
            this->log += "Escape:" + this->name() + " ";
            if (handlesEscape) hide();
        };
    }
};

// The scripted presenter acts once per form shown (nested ones too), presses
// Escape only on a form left shown, and returns even when Escape is ignored.
TEST(ScriptedPresenter, ActsOncePerFormAndPressesEscapeOnlyOnAFormLeftShown) {
    struct Case {
        const char* script;
        bool handlesEscape, closesOnLoad;
        const char* log;
        bool shownAfter;
    };
    const Case cases[] = {
        {"accept", true, false, "Load:f User:f ", false},
        {"nothing", true, false, "Load:f User:f Escape:f ", false},
        {"nothing", false, false, "Load:f User:f Escape:f ", true},
        {"nothing", true, true, "Load:f ", false},
        {"nest", true, false, "Load:f User:f Load:inner User:inner Escape:inner Escape:f ", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.script) + (c.handlesEscape ? "" : " ignoring Escape") +
                     (c.closesOnLoad ? " closed on load" : ""));
        std::string log;
        Logged form("f", log, c.handlesEscape, c.closesOnLoad);
        Logged inner("inner", log, true, false);
        ScriptedPresenter presenter([&](Form& f) {
            log += "User:" + f.name() + " ";
            if (std::string(c.script) == "accept") f.hide();
            if (std::string(c.script) == "nest" && &f == &form) presenter.runModal(inner);
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
