#include "qelt/ui/form.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "common/raised.h"
#include "qelt/ui/controls.h"
#include "qelt/ui/presenter.h"

namespace qelt::ui {
namespace {

using qelt::testing::ErrorNumber;

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
        form.add<TextBox>("txtRunNoFrom");
        form.add<Frame>("framePlanOrder");
        form.add<CheckBox>("chkPlan");
        form.place("VpFilter", "SSTab1", 0);
        form.place("txtRunNoFrom", "SSTab1", 1);
        form.place("chkPlan", "framePlanOrder");
        ok.onClick = [this] { form.hide(); };
        form.onLoad = [this] { log += "Load "; };
        form.onActivate = [this] { log += "Activate "; };
        form.onKeyPress = [this](int& k) {
            if (k == '"' || k == '\'') k = 0;
            if (k == kKeyEnter) form.button("cmdOk").click();
            if (k == kKeyEscape) form.hide();
        };
        form.onKeyDown = [this](int& k, int) {
            log += "F" + std::to_string(k) + " ";
            if (k == kKeyDelete) k = 0;
        };
        grid.onLeaveCell = [this](int, int, int row, int, bool& cancel) {
            log += "Leave->" + std::to_string(row) + " ";
            cancel = refuseLeave;
        };
        grid.onKeyDown = [this](int& k, int) { log += "G" + std::to_string(k) + " "; };
    }
};

// Every key passes the form's KeyDown first (F, discarding Delete), then a
// focused grid's (G); Enter (OK hides the form: shown again, it activates) and
// Escape reach the KeyPress wherever the focus is, typed quotes never arrive;
// without key preview the form sees nothing.
TEST(FormKeys, ThePreviewSeesEveryKeyBeforeTheFocusedControl) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "F118 F46 F13 Activate F27 |"},
        {"VpFilter", "F118 G118 F46 F13 G13 Activate F27 G27 |"},
        {"txtRunNoFrom", "F118 F46 F13 Activate F27 |abc"},
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
}

// Unload asks QueryUnload, then Unload, either may cancel; observers hear each change.
TEST(FormLifecycle, UnloadMayBeCancelledAndObserversHearEachChange) {
    Dialog d;
    // The first QueryUnload refuses, then the first Unload.
    int queries = 0, unloads = 0;
    d.form.onQueryUnload = [&](bool& cancel) { cancel = ++queries == 1; };
    d.form.onUnload = [&](bool& cancel) { cancel = ++unloads == 1; };
    const int id = d.form.subscribe([&](const Form& f) {
        d.log += "[" + f.caption() + (f.loaded() ? " loaded" : "") + (f.shown() ? " shown" : "") +
                 (f.focused() ? " " + f.focused()->name() : "") + "] ";
    });
    EXPECT_FALSE(d.form.unload());  // never loaded: nothing fires
    d.form.show();
    d.form.show();  // a second activation loads nothing
    d.form.focus("cmdOk");
    d.form.setCaption("方案保存");
    EXPECT_FALSE(d.form.unload());
    EXPECT_FALSE(d.form.unload());
    EXPECT_TRUE(d.form.unload());
    EXPECT_TRUE(queries == 3 && unloads == 2);
    d.form.unsubscribe(id);
    d.form.show();
    EXPECT_EQ(d.log,
              "[过滤 loaded] Load [过滤 loaded shown] Activate Activate [过滤 loaded shown cmdOk] "
              "[方案保存 loaded shown cmdOk] [方案保存] Load Activate ");
}

// A grid refusing to be left keeps the focus; controls on another tab or in a disabled frame cannot
// be reached, Tab skips them; look-ups check name and kind.
TEST(FormFocus, RefusedLeavesAndUnreachableControlsKeepTheFocus) {
    Dialog d;
    d.form.show();
    d.form.focus("VpFilter");
    d.refuseLeave = true;
    EXPECT_FALSE(d.form.focus("cmdOk"));
    d.refuseLeave = false;
    EXPECT_TRUE(d.form.focus("cmdOk"));
    EXPECT_EQ(d.log, "Load Activate Leave->-1 Leave->-1 ");
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
    EXPECT_EQ(ErrorNumber([&] { d.form.combo("VpFilter"); }), 340);
    EXPECT_EQ(ErrorNumber([&] { d.form.grid("vsOrder"); }), 340);
    EXPECT_EQ(ErrorNumber([&] { d.form.add<Label>("cmdOk"); }), 35602);
    EXPECT_EQ(ErrorNumber([&] { d.form.place("chkPlan", "cmdOk"); }), 340);
}

// The scripted presenter gives a form left shown to the person once, then
// presses Escape and returns, even when Escape is ignored; a form that closes
// as it loads reaches no person.
TEST(ScriptedPresenter, ActsOnAFormLeftShownThenPressesEscapeOnce) {
    struct Case {
        bool hidesOnEscape, closesOnLoad;
        const char* log;
    };
    for (const Case& c : {Case{true, false, "Load User Key27 "},
                          Case{false, false, "Load User Key27 "}, Case{true, true, "Load "}}) {
        std::string log;
        Form form("f");
        form.setKeyPreview(true);
        form.onLoad = [&] {
            log += "Load ";
            if (c.closesOnLoad) form.unload();
        };
        form.onKeyPress = [&](int& k) {
            log += "Key" + std::to_string(k) + " ";
            if (c.hidesOnEscape) form.hide();
        };
        ScriptedPresenter([&](Form&) { log += "User "; }).runModal(form);
        EXPECT_EQ(log, c.log);
        EXPECT_EQ(form.shown(), !c.hidesOnEscape) << c.log;
    }
}

}  // namespace
}  // namespace qelt::ui
