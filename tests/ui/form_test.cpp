#include "qelt/ui/form.h"

#include <gmock/gmock.h>

#include <string>
#include <utility>

#include "qelt/error.h"
#include "qelt/ui/controls.h"
#include "qelt/ui/presenter.h"

namespace qelt::ui {
namespace {

using ::testing::Field, ::testing::Throws;

// The filter dialog's shape: key preview discarding quotes, Enter for OK,
// Escape for Cancel; a grid and a text box on two tabs, a check box in a frame.
struct Dialog {
    Form form{"frmTest"};
    std::string log;
    bool refuseLeave = false;

    Dialog() {
        form.setCaption("过滤");
        form.setKeyPreview(true);
        auto& ok = form.add<CommandButton>("cmdOk");
        auto& tabs = form.add<TabControl>("SSTab1");
        tabs.addTab("条件");
        tabs.addTab("排序");
        auto& grid = form.add<Grid>("VpFilter");
        grid.setMaxCols(2);
        grid.setMaxRows(2);
        form.add<TextBox>("txtRunNoFrom"), form.add<Frame>("framePlanOrder");
        form.add<CheckBox>("chkPlan");
        form.place("VpFilter", "SSTab1", 0), form.place("txtRunNoFrom", "SSTab1", 1);
        form.place("chkPlan", "framePlanOrder");
        ok.onClick = [this] { log += "OK ", form.hide(); };
        form.onLoad = [this] { log += "Load "; };
        form.onActivate = [this] { log += "Activate "; };
        form.onKeyPress = [this](int& k) {
            if (k == '"' || k == '\'') k = 0;
            if (k == kKeyEnter) form.button("cmdOk").click();
            if (k == kKeyEscape) log += "Cancel ", form.hide();
        };
        form.onKeyDown = [this](int& k, int) {
            log += "F" + std::to_string(k) + " ";
            if (k == kKeyDelete) k = 0;
        };
        grid.onLeaveCell = [this](int r, int c, int nr, int nc, bool& cancel) {
            log += "Leave(" + std::to_string(r) + "," + std::to_string(c) + "->" +
                   std::to_string(nr) + "," + std::to_string(nc) + ") ";
            cancel = refuseLeave;
        };
        grid.onKeyDown = [this](int& k, int) { log += "G" + std::to_string(k) + " "; };
    }
};

// Every key passes the form's KeyDown first (F, discarding Delete), then a
// focused grid's (G); Enter and Escape reach the KeyPress wherever the focus
// is, typed quotes never arrive; without key preview the form sees nothing.
TEST(FormKeys, ThePreviewSeesEveryKeyBeforeTheFocusedControl) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "F118 F46 F13 OK Activate F27 Cancel |"},
        {"VpFilter", "F118 G118 F46 F13 G13 OK Activate F27 G27 Cancel |"},
        {"txtRunNoFrom", "F118 F46 F13 OK Activate F27 Cancel |abc"},
        {"no preview", "|"},
    };
    for (const auto& [focus, expected] : cases) {
        SCOPED_TRACE(focus);
        Dialog d;
        const std::string name = focus;
        d.form.setKeyPreview(name != "no preview");
        d.form.show();
        d.log.clear();
        if (name == "txtRunNoFrom") d.form.tabs("SSTab1").select(1);
        ASSERT_TRUE(name.empty() || !d.form.keyPreview() || d.form.focus(name));
        d.form.key(kKeyF7);
        d.form.key(kKeyDelete);
        d.form.type("a'b\"c");
        d.form.key(kKeyEnter);
        if (!d.form.shown()) d.form.show();
        d.form.key(kKeyEscape);
        EXPECT_EQ(d.log + "|" + d.form.text("txtRunNoFrom").text(), expected);
        EXPECT_EQ(d.form.shown(), !d.form.keyPreview());
        EXPECT_EQ(d.form.key(kKeyEnter), !d.form.keyPreview());  // a hidden form takes no keys
    }
    Dialog d;
    d.form.show();
    d.form.grid("VpFilter").type(1, 2, "x'y\"z");
    EXPECT_EQ(d.form.grid("VpFilter").text(1, 2), "xyz");
}

// Unload asks QueryUnload, then Unload, either may cancel; observers hear each change.
TEST(FormLifecycle, UnloadMayBeCancelledAndObserversHearEachChange) {
    Dialog d;
    bool cancelQuery = false, cancelUnload = false;
    d.form.onQueryUnload = [&](bool& cancel) { d.log += "QueryUnload ", cancel = cancelQuery; };
    d.form.onUnload = [&](bool& cancel) { d.log += "Unload ", cancel = cancelUnload; };
    const int id = d.form.subscribe([&](const Form& f) {
        d.log += "[" + f.caption() + (f.loaded() ? " loaded" : "") + (f.shown() ? " shown" : "") +
                 (f.focused() ? " " + f.focused()->name() : "") + "] ";
    });
    EXPECT_FALSE(d.form.unload());  // never loaded: nothing fires
    d.form.show();
    d.form.show();  // a second activation loads nothing
    d.form.focus("cmdOk"), d.form.setCaption("方案保存"), cancelQuery = true;
    EXPECT_FALSE(d.form.unload());
    cancelQuery = false, cancelUnload = true;
    EXPECT_FALSE(d.form.unload());
    cancelUnload = false;
    EXPECT_TRUE(d.form.unload());
    d.form.unsubscribe(id);
    d.form.show();
    EXPECT_EQ(d.log,
              "[过滤 loaded] Load [过滤 loaded shown] Activate Activate [过滤 loaded shown cmdOk] "
              "[方案保存 loaded shown cmdOk] QueryUnload QueryUnload Unload QueryUnload Unload "
              "[方案保存] Load Activate ");
}

// A grid refusing to be left keeps the focus (the first OK never arrives);
// controls on another tab or in a disabled frame cannot be reached, Tab skips
// them; look-ups check name and kind.
TEST(FormFocus, RefusedLeavesAndUnreachableControlsKeepTheFocus) {
    Dialog d;
    d.form.show(), d.form.focus("VpFilter"), d.refuseLeave = true;
    EXPECT_FALSE(d.form.focus("cmdOk"));
    EXPECT_EQ(d.form.focused()->name(), "VpFilter");
    d.refuseLeave = false;
    EXPECT_TRUE(d.form.focus("cmdOk"));
    d.form.button("cmdOk").click();
    EXPECT_EQ(d.log, "Load Activate Leave(1,1->-1,-1) Leave(1,1->-1,-1) OK ");
    d.form.show();
    EXPECT_TRUE(d.form.grid("VpFilter").moveTo(2, 2));
    EXPECT_FALSE(d.form.text("txtRunNoFrom").type("1"));  // on tab 1, tab 0 shown
    d.form.tabs("SSTab1").select(1);
    EXPECT_FALSE(d.form.grid("VpFilter").moveTo(1, 1));
    EXPECT_TRUE(d.form.text("txtRunNoFrom").type("1"));
    EXPECT_TRUE(d.form.check("chkPlan").click());
    d.form.frame("framePlanOrder").setEnabled(false);
    EXPECT_FALSE(d.form.check("chkPlan").click() || d.form.focus("chkPlan"));
    d.form.focus("cmdOk");
    EXPECT_TRUE(d.form.focusNext());
    EXPECT_EQ(d.form.focused()->name(), "txtRunNoFrom");
    EXPECT_TRUE(d.form.focusNext());
    EXPECT_EQ(d.form.focused()->name(), "cmdOk");
    const auto raises = [](int number) { return Throws<Error>(Field(&Error::number, number)); };
    EXPECT_THAT([&] { d.form.combo("VpFilter"); }, raises(340));
    EXPECT_THAT([&] { d.form.grid("vsOrder"); }, raises(340));
    EXPECT_THAT([&] { d.form.add<Label>("cmdOk"); }, raises(35602));
    EXPECT_THAT([&] { d.form.place("chkPlan", "cmdOk"); }, raises(340));
}

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

}  // namespace
}  // namespace qelt::ui
