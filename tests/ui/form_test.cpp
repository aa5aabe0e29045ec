#include "qelt/ui/form.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "qelt/error.h"
#include "qelt/ui/dump.h"
#include "qelt/ui/presenter.h"

namespace qelt::ui {
namespace {

// A small dialog in the shape of the filter dialog: key preview that
// discards quotes, Enter for OK, Escape for Cancel; a grid and a text box on
// two tabs, a check box in a frame.
struct Dialog {
    Form form{"frmTest"};
    std::string log;

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
        ok.onClick = [this] {
            log += "OK ";
            form.hide();
        };
        form.onLoad = [this] { log += "Load "; };
        form.onActivate = [this] { log += "Activate "; };
        form.onKeyPress = [this](int& k) {
            if (k == '"' || k == '\'') k = 0;
            if (k == kKeyEnter) form.button("cmdOk").click();
            if (k == kKeyEscape) {
                log += "Cancel ";
                form.hide();
            }
        };
        grid.onLeaveCell = [this](int r, int c, int nr, int nc, bool& cancel) {
            log += "Leave(" + std::to_string(r) + "," + std::to_string(c) + "->" +
                   std::to_string(nr) + "," + std::to_string(nc) + ") ";
            cancel = refuseLeave;
        };
        grid.onKeyDown = [this](int& k, int) { log += "GridKey" + std::to_string(k) + " "; };
    }
    bool refuseLeave = false;
};

TEST(FormKeys, PreviewDiscardsQuotesAndRunsEnterAndEscape) {
    Dialog d;
    d.form.show();
    d.form.grid("VpFilter").type(1, 2, "x'y\"z");
    EXPECT_EQ(d.form.grid("VpFilter").text(1, 2), "xyz");
    d.form.tabs("SSTab1").select(1);
    ASSERT_TRUE(d.form.focus("txtRunNoFrom"));
    d.form.type("a'b\"c");
    EXPECT_EQ(d.form.text("txtRunNoFrom").text(), "abc");
    d.form.key(kKeyEnter);
    EXPECT_FALSE(d.form.shown());
    d.form.show();
    d.form.key(kKeyEscape);
    EXPECT_EQ(d.log, "Load Activate Leave(1,1->1,2) OK Activate Cancel ");
    EXPECT_FALSE(d.form.key(kKeyEnter));  // a hidden form takes no keys
}

TEST(FormKeys, KeysReachTheFocusedGridAfterThePreview) {
    Dialog d;
    d.form.show();
    d.form.focus("VpFilter");
    d.form.onKeyDown = [&](int& k, int) {
        d.log += "FormKey" + std::to_string(k) + " ";
        if (k == kKeyDelete) k = 0;
    };
    d.log.clear();
    d.form.key(kKeyF7);
    d.form.key(kKeyDelete);
    EXPECT_EQ(d.log, "FormKey118 GridKey118 FormKey46 ");
}

// Enter and Escape reach the form's preview wherever the focus is: on no
// control, a button, a grid or a text box.
TEST(FormKeys, EnterAndEscapeReachThePreviewWhereverTheFocusIs) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "Load Activate OK Activate Cancel "},
        {"cmdOk", "Load Activate OK Activate Cancel "},
        {"VpFilter", "Load Activate GridKey13 OK Activate GridKey27 Cancel "},
        {"txtRunNoFrom", "Load Activate OK Activate Cancel "},
    };
    for (const auto& [focus, expected] : cases) {
        SCOPED_TRACE(focus);
        Dialog d;
        d.form.show();
        if (*focus) {
            d.form.tabs("SSTab1").select(std::string(focus) == "txtRunNoFrom" ? 1 : 0);
            ASSERT_TRUE(d.form.focus(focus));
        }
        d.form.key(kKeyEnter);
        EXPECT_FALSE(d.form.shown());
        d.form.show();
        d.form.key(kKeyEscape);
        EXPECT_FALSE(d.form.shown());
        EXPECT_EQ(d.log, expected);
    }
}

TEST(FormKeys, WithoutKeyPreviewTheFormDoesNotSeeKeys) {
    Dialog d;
    d.form.setKeyPreview(false);
    d.form.show();
    d.form.key(kKeyEnter);
    d.form.type("'");
    EXPECT_TRUE(d.form.shown());
    EXPECT_EQ(d.log, "Load Activate ");
}

TEST(FormLifecycle, UnloadAsksQueryUnloadThenUnloadAndEitherMayCancel) {
    Dialog d;
    bool cancelQuery = false;
    bool cancelUnload = false;
    d.form.onQueryUnload = [&](bool& cancel) {
        d.log += "QueryUnload ";
        cancel = cancelQuery;
    };
    d.form.onUnload = [&](bool& cancel) {
        d.log += "Unload ";
        cancel = cancelUnload;
    };
    EXPECT_FALSE(d.form.unload());  // never loaded: nothing fires
    d.form.show();
    d.form.show();  // a second activation loads nothing
    cancelQuery = true;
    EXPECT_FALSE(d.form.unload());
    cancelQuery = false;
    cancelUnload = true;
    EXPECT_FALSE(d.form.unload());
    EXPECT_TRUE(d.form.shown());
    cancelUnload = false;
    EXPECT_TRUE(d.form.unload());
    EXPECT_FALSE(d.form.loaded());
    EXPECT_FALSE(d.form.shown());
    d.form.show();
    EXPECT_EQ(d.log,
              "Load Activate Activate QueryUnload QueryUnload Unload QueryUnload Unload "
              "Load Activate ");
}

// A front end redraws the window from these notifications alone.
TEST(FormLifecycle, ObserversHearCaptionLoadShowHideAndFocus) {
    Dialog d;
    std::string log;
    const int id = d.form.subscribe([&](const Form& f) {
        log += f.caption() + (f.loaded() ? " loaded" : "") + (f.shown() ? " shown" : "") +
               (f.focused() ? " " + f.focused()->name() : "") + "|";
    });
    d.form.show();
    d.form.focus("cmdOk");
    d.form.setCaption("方案保存");
    d.form.hide();
    d.form.unload();
    d.form.unsubscribe(id);
    d.form.show();
    EXPECT_EQ(log,
              "过滤 loaded|过滤 loaded shown|过滤 loaded shown cmdOk|"
              "方案保存 loaded shown cmdOk|方案保存 loaded cmdOk|方案保存|");
}

TEST(FormFocus, LeavingAGridAsksItsLeaveCellHandler) {
    Dialog d;
    d.form.show();
    d.form.focus("VpFilter");
    d.refuseLeave = true;
    EXPECT_FALSE(d.form.focus("cmdOk"));
    EXPECT_EQ(d.form.focused()->name(), "VpFilter");
    d.refuseLeave = false;
    EXPECT_TRUE(d.form.focus("cmdOk"));
    EXPECT_EQ(d.log, "Load Activate Leave(1,1->-1,-1) Leave(1,1->-1,-1) ");
}

TEST(FormFocus, ControlsInHiddenContainersOrOtherTabsCannotBeReached) {
    Dialog d;
    d.form.show();
    EXPECT_TRUE(d.form.grid("VpFilter").moveTo(2, 2));
    EXPECT_FALSE(d.form.text("txtRunNoFrom").type("1"));  // on tab 1, tab 0 shown
    d.form.tabs("SSTab1").select(1);
    EXPECT_FALSE(d.form.grid("VpFilter").moveTo(1, 1));
    EXPECT_TRUE(d.form.text("txtRunNoFrom").type("1"));
    EXPECT_TRUE(d.form.check("chkPlan").click());
    d.form.frame("framePlanOrder").setEnabled(false);
    EXPECT_FALSE(d.form.check("chkPlan").click());
    EXPECT_FALSE(d.form.focus("chkPlan"));
    // Tab order skips what cannot be reached: cmdOk, (grid on tab 0), txtRunNoFrom.
    d.form.focus("cmdOk");
    EXPECT_TRUE(d.form.focusNext());
    EXPECT_EQ(d.form.focused()->name(), "txtRunNoFrom");
    EXPECT_TRUE(d.form.focusNext());
    EXPECT_EQ(d.form.focused()->name(), "cmdOk");
}

TEST(FormControls, LookupsCheckNameAndKind) {
    Dialog d;
    const auto number = [&](const std::function<void()>& f) {
        try {
            f();
        } catch (const Error& e) {
            return e.number;
        }
        return 0;
    };
    EXPECT_EQ(number([&] { d.form.combo("VpFilter"); }), 340);
    EXPECT_EQ(number([&] { d.form.grid("vsOrder"); }), 340);
    EXPECT_EQ(number([&] { d.form.add<Label>("cmdOk"); }), 35602);
    EXPECT_EQ(number([&] { d.form.place("chkPlan", "cmdOk"); }), 340);
}

TEST(ScriptedPresenter, ActsOncePerFormAndPressesEscapeOnAFormLeftOpen) {
    Dialog outer;
    Form inner("frmSaveschame");
    inner.setKeyPreview(true);
    inner.onKeyPress = [&](int& k) {
        if (k == kKeyEscape) {
            outer.log += "InnerEscape ";
            inner.unload();
        }
    };
    SetPresenter(std::make_shared<ScriptedPresenter>([&](Form& f) {
        outer.log += "User:" + f.name() + " ";
        if (f.name() == "frmTest") GetPresenter()->runModal(inner);
    }));
    GetPresenter()->runModal(outer.form);
    SetPresenter(nullptr);
    EXPECT_EQ(outer.log, "Load Activate User:frmTest User:frmSaveschame InnerEscape Cancel ");
    EXPECT_FALSE(inner.loaded());
    EXPECT_EQ(GetPresenter(), nullptr);
}

TEST(FormDump, PrintsLifecycleFocusControlsAndPlacement) {
    Dialog d;
    d.form.show();
    d.form.focus("cmdOk");
    d.form.button("cmdOk").setCaption("确定(&O)");
    EXPECT_EQ(Dump(d.form),
              "Form frmTest \"过滤\" loaded shown focus=cmdOk\n"
              "CommandButton cmdOk \"确定(&O)\"\n"
              "TabControl SSTab1 current=0\n"
              "* 0 \"条件\"\n"
              "  1 \"排序\"\n"
              "Grid VpFilter rows=2 cols=2 active=1,1\n"
              "  0: \"\" | \"\"\n"
              "  1: E \"\" | E \"\"\n"
              "  2: E \"\" | E \"\"\n"
              "TextBox txtRunNoFrom \"\"\n"
              "Frame framePlanOrder \"\"\n"
              "CheckBox chkPlan \"\" value=0\n"
              "  VpFilter in SSTab1 tab 0\n"
              "  txtRunNoFrom in SSTab1 tab 1\n"
              "  chkPlan in framePlanOrder\n");
}

}  // namespace
}  // namespace qelt::ui
