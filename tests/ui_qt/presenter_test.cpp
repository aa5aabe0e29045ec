#include "qelt/ui/presenter.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "qelt/ui/dump.h"
#include "ui_qt/qt_test_support.h"

namespace qelt::testing {
namespace {

using ui::CellType;

// A small form with one control of each input kind and a grid whose rules
// refuse to leave a cell holding "bad"; its key preview drops quotes and
// turns Escape into unload, Enter into a click on OK.
class SmallForm : public ui::Form {
public:
    SmallForm()
        : Form("frmSmall"),
          lbl(add<ui::Label>("lbl")),
          txt(add<ui::TextBox>("txt")),
          chk(add<ui::CheckBox>("chk")),
          cbo(add<ui::ComboBox>("cbo")),
          tabs(add<ui::TabControl>("tabs")),
          grid(add<ui::Grid>("grid")),
          ok(add<ui::CommandButton>("ok")) {
        setCaption("小表单");
        lbl.setCaption("名称:");
        chk.setCaption("共享");
        for (const char* item : {"甲", "乙", "丙"}) cbo.addItem(item);
        tabs.addTab("一");
        tabs.addTab("二");
        place("grid", "tabs", 0);
        ok.setCaption("确定(&O)");
        grid.setMaxCols(4);
        grid.setMaxRows(3);
        grid.setCellType(ui::Grid::All, 1, CellType::Edit);
        grid.setMaxLength(ui::Grid::All, 1, 5);
        grid.setCellType(ui::Grid::All, 2, CellType::ComboBox);
        grid.setComboList(ui::Grid::All, 2, "等于\t不等于\t大于");
        grid.setCellType(ui::Grid::All, 3, CellType::CheckBox);
        grid.setCellType(ui::Grid::All, 4, CellType::Number);
        grid.setNumberLimits(ui::Grid::All, 4, {0, 150, 1});
        for (int c = 1; c <= 4; ++c) grid.setText(0, c, "列" + std::to_string(c));
        grid.setLocked(3, 1, true);

        setKeyPreview(true);
        onKeyPress = [](int& key) {
            if (key == '\'' || key == '"') key = 0;
        };
        onKeyDown = [this](int& key, int) {
            if (key == ui::kKeyEscape) unload();
            if (key == ui::kKeyEnter) ok.click();
        };
        ok.onClick = [this] {
            log.push_back("ok");
            hide();
        };
        grid.onLeaveCell = [this](int row, int col, int newRow, int newCol, bool& cancel) {
            log.push_back("leave " + std::to_string(row) + "," + std::to_string(col) + "->" +
                          std::to_string(newRow) + "," + std::to_string(newCol));
            cancel = grid.text(row, col) == "bad";
        };
        grid.onButtonClicked = [this](int row, int col, int value) {
            log.push_back("check " + std::to_string(row) + "," + std::to_string(col) + "=" +
                          std::to_string(value));
        };
        onQueryUnload = [this](bool& cancel) { cancel = refuseUnload; };
    }

    ui::Label& lbl;
    ui::TextBox& txt;
    ui::CheckBox& chk;
    ui::ComboBox& cbo;
    ui::TabControl& tabs;
    ui::Grid& grid;
    ui::CommandButton& ok;
    bool refuseUnload = false;
    std::vector<std::string> log;
};

std::string Joined(const std::vector<std::string>& log) {
    std::string s;
    for (const auto& line : log) s += line + "\n";
    return s;
}

// The same person's actions through the widgets and through the scripted
// presenter leave the form in the same state.
TEST(QtPresenter, WidgetActionsLeaveTheSameStateAsScriptedActions) {
    SmallForm drawn;
    RunShown(drawn, [&](QWidget& dialog) {
        auto* edit = Widget<QLineEdit>(dialog, "txt");
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        QTest::keyClicks(edit, "ab'c\"d");
        ClickCheckBox(*Widget<QCheckBox>(dialog, "chk"));
        auto* combo = Widget<QComboBox>(dialog, "cbo");
        combo->setCurrentIndex(2);
        emit combo->activated(2);
        auto* view = Widget<QTableView>(dialog, "grid");
        TypeIntoCell(*view, 1, 1, "x'yz");
        PickInCell(*view, 2, 2, 1);
        ClickCell(*view, 1, 3);
        TypeIntoCell(*view, 2, 4, "12.5");
        QTest::mouseClick(Widget<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });

    SmallForm scripted;
    ui::ScriptedPresenter([](ui::Form& f) {
        auto& s = static_cast<SmallForm&>(f);
        s.focus("txt");
        s.type("ab'c\"d");
        s.focus("chk");
        s.chk.click();
        s.focus("cbo");
        s.cbo.select(2);
        s.focus("grid");
        s.grid.type(1, 1, "x'yz");
        s.grid.pick(2, 2, 1);
        s.grid.click(1, 3);
        s.grid.clickCheck(1, 3);
        s.grid.type(2, 4, "12.5");
        s.focus("ok");
        s.ok.click();
    }).runModal(scripted);

    EXPECT_EQ(drawn.txt.text(), "abcd");
    EXPECT_EQ(drawn.grid.text(1, 1), "xyz");
    EXPECT_EQ(LineDiff(ui::Dump(drawn), ui::Dump(scripted)), "");
    EXPECT_EQ(Joined(drawn.log), Joined(scripted.log));
}

// Escape reaches the form, which unloads; Enter in a text box runs the
// form's Enter rule (OK). Either way runModal returns.
TEST(QtPresenter, EscapeAndEnterInATextBoxGoToTheFormsKeyRules) {
    for (const auto& [key, log] :
         {std::pair{Qt::Key_Escape, ""}, std::pair{Qt::Key_Return, "ok\n"}}) {
        SCOPED_TRACE(log);
        SmallForm form;
        RunShown(form, [&](QWidget& dialog) {
            Widget<QLineEdit>(dialog, "txt")->setFocus();
            QTest::keyClick(Widget<QLineEdit>(dialog, "txt"), key);
        });
        EXPECT_FALSE(form.shown());
        if (key == Qt::Key_Escape) {
            EXPECT_FALSE(form.loaded());
        }
        EXPECT_EQ(Joined(form.log), log);
    }
}

// Delete and F7 on the grid are key-downs of the grid (after the form's
// preview); other keys stay with the table view.
TEST(QtPresenter, DeleteAndF7InAGridReachItsKeyDown) {
    SmallForm form;
    form.grid.onKeyDown = [&](int& key, int shift) {
        form.log.push_back("key " + std::to_string(key) + " shift " + std::to_string(shift));
    };
    RunShown(form, [&](QWidget& dialog) {
        auto* view = Widget<QTableView>(dialog, "grid");
        ClickCell(*view, 2, 1);
        QTest::keyClick(view, Qt::Key_Delete);
        QTest::keyClick(view, Qt::Key_F7, Qt::ShiftModifier);
        QTest::keyClick(view, Qt::Key_Right);
    });
    EXPECT_EQ(Joined(form.log),
              "leave 1,1->2,1\nkey 46 shift 0\nkey 118 shift 1\nleave 2,1->2,2\n");
}

// A pick list opens on the key or click that starts the edit and shows the
// cell's value; arrows move in the open list without choosing; Enter
// chooses and closes the list, and only the next Enter reaches the form.
TEST(QtPresenter, PickListsOpenAtOnceAndEnterChoosesBeforeItRunsOk) {
    const std::pair<const char*, std::function<void(QTableView&)>> openers[] = {
        {"F2", [](QTableView&) { PressKey(Qt::Key_F2); }},
        {"click", [](QTableView& view) { ClickCell(view, 1, 2); }},
    };
    for (const auto& [how, open] : openers) {
        SCOPED_TRACE(how);
        SmallForm form;
        form.grid.setText(1, 2, "等于");
        RunShown(form, [&](QWidget& dialog) {
            auto* view = Widget<QTableView>(dialog, "grid");
            ClickCell(*view, 1, 1);
            PressKey(Qt::Key_Right);
            open(*view);
            auto* list = qobject_cast<QComboBox*>(view->indexWidget(view->model()->index(0, 1)));
            ASSERT_NE(list, nullptr);
            ASSERT_NE(OpenPopup(), nullptr) << "the list is not open";
            EXPECT_EQ(list->view()->currentIndex().row(), 0);
            PressKey(Qt::Key_Down);
            PressKey(Qt::Key_Down);
            EXPECT_EQ(form.grid.text(1, 2), "等于");
            EXPECT_NE(OpenPopup(), nullptr);
            PressKey(Qt::Key_Return);
            EXPECT_EQ(form.grid.text(1, 2), "大于");
            EXPECT_EQ(OpenPopup(), nullptr);
            EXPECT_EQ(Joined(form.log), "leave 1,1->1,2\n");
            PressKey(Qt::Key_Return);
        });
        EXPECT_EQ(Joined(form.log), "leave 1,1->1,2\nok\n");
    }
}

// What the form's key preview discards never shows in a cell being edited.
TEST(QtPresenter, CellEditorsShowOnlyWhatTheKeyPreviewLetsThrough) {
    SmallForm form;
    RunShown(form, [&](QWidget& dialog) {
        auto* view = Widget<QTableView>(dialog, "grid");
        ClickCell(*view, 1, 1);
        PressKey(Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(view->model()->index(0, 0)));
        ASSERT_NE(editor, nullptr);
        TypeText(editor, "a'b\"c");
        EXPECT_EQ(editor->text(), QString("abc"));
    });
}

// Tab goes from cell to cell and leaves after the last one; F6 and Shift+F6
// leave from any cell; Ctrl+Tab goes to the next tab.
TEST(QtPresenter, KeysThatLeaveAGrid) {
    struct Case {
        int row, col;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* focus;
        int tab;
    };
    const Case cases[] = {
        {3, 4, Qt::Key_Tab, Qt::NoModifier, "ok", 0},
        {3, 3, Qt::Key_Tab, Qt::NoModifier, "grid", 0},
        {1, 1, Qt::Key_F6, Qt::NoModifier, "ok", 0},
        {2, 1, Qt::Key_F6, Qt::ShiftModifier, "tabs", 0},
        {1, 1, Qt::Key_Tab, Qt::ControlModifier, "tabs", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.key) + " at " + std::to_string(c.row) + "," +
                     std::to_string(c.col));
        SmallForm form;
        form.grid.setLocked(3, 1, false);
        RunShown(form, [&](QWidget& dialog) {
            ClickCell(*Widget<QTableView>(dialog, "grid"), c.row, c.col);
            PressKey(c.key, c.modifiers);
            EXPECT_EQ(FocusName(), c.focus);
            EXPECT_EQ(Widget<QTabWidget>(dialog, "tabs")->currentIndex(), c.tab);
        });
    }
}

// A cell whose rules refuse the move keeps the current index and the focus.
TEST(QtPresenter, RefusedMoveKeepsTheCurrentCellAndTheFocusInTheGrid) {
    SmallForm form;
    RunShown(form, [&](QWidget& dialog) {
        auto* view = Widget<QTableView>(dialog, "grid");
        TypeIntoCell(*view, 1, 1, "bad");
        ClickCell(*view, 2, 1);
        EXPECT_EQ(view->currentIndex(), view->model()->index(0, 0));
        QTest::keyClick(view, Qt::Key_Down);
        EXPECT_EQ(view->currentIndex(), view->model()->index(0, 0));
        QTest::mouseClick(Widget<QLineEdit>(dialog, "txt"), Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(form.focused(), &form.grid);
        EXPECT_EQ(QApplication::focusWidget(), view);
        EXPECT_EQ(form.grid.activeRow(), 1);
        TypeIntoCell(*view, 1, 1, "good");
        QTest::keyClick(view, Qt::Key_Down);
        EXPECT_EQ(view->currentIndex(), view->model()->index(1, 0));
    });
    EXPECT_EQ(Joined(form.log),
              "leave 1,1->2,1\nleave 1,1->2,1\nleave 1,1->-1,-1\nleave 1,1->2,1\n");
}

TEST(QtPresenter, LockedCellsAndOutOfRangeNumbersAreRefused) {
    SmallForm form;
    RunShown(form, [&](QWidget& dialog) {
        auto* view = Widget<QTableView>(dialog, "grid");
        EXPECT_FALSE(view->model()->flags(view->model()->index(2, 0)) & Qt::ItemIsEditable);
        TypeIntoCell(*view, 1, 4, "151");
        TypeIntoCell(*view, 2, 4, "7.25");
        TypeIntoCell(*view, 3, 4, "150");
        TypeIntoCell(*view, 1, 1, "123456789");
    });
    EXPECT_EQ(form.grid.text(1, 4), "");
    EXPECT_EQ(form.grid.text(2, 4), "");
    EXPECT_EQ(form.grid.text(3, 4), "150");
    EXPECT_EQ(form.grid.text(1, 1), "12345");
}

// Rules that change the models show at once: a caption, a hidden control,
// a refilled combo, a tab chosen by code.
TEST(QtPresenter, ModelChangesShowInTheWidgetsAtOnce) {
    SmallForm form;
    form.ok.onClick = [&] {
        form.setCaption("新标题");
        form.chk.setVisible(false);
        form.cbo.clear();
        form.cbo.addItem("丁");
        form.cbo.setListIndex(0);
        form.tabs.setCurrent(1);
        form.grid.setMaxRows(5);
        form.grid.setText(5, 1, "新");
    };
    RunShown(form, [&](QWidget& dialog) {
        QTest::mouseClick(Widget<QPushButton>(dialog, "ok"), Qt::LeftButton);
        EXPECT_EQ(dialog.windowTitle(), QString("新标题"));
        EXPECT_TRUE(Widget<QCheckBox>(dialog, "chk")->isHidden());
        auto* combo = Widget<QComboBox>(dialog, "cbo");
        EXPECT_EQ(combo->count(), 1);
        EXPECT_EQ(combo->currentText(), QString("丁"));
        EXPECT_EQ(Widget<QTabWidget>(dialog, "tabs")->currentIndex(), 1);
        auto* model = Widget<QTableView>(dialog, "grid")->model();
        EXPECT_EQ(model->rowCount(), 5);
        EXPECT_EQ(model->index(4, 0).data().toString(), QString("新"));
    });
}

TEST(QtPresenter, WindowCloseButtonAsksTheFormWhichMayRefuse) {
    SmallForm form;
    form.refuseUnload = true;
    RunShown(form, [&](QWidget& dialog) {
        dialog.close();
        EXPECT_TRUE(form.shown());
        EXPECT_TRUE(dialog.isVisible());
        form.refuseUnload = false;
        dialog.close();
        EXPECT_FALSE(form.loaded());
    });
}

// A handler that shows another form modally: the inner dialog runs, and the
// outer one goes on after it.
TEST(QtPresenter, FormsOpenedFromAHandlerNest) {
    SmallForm outer;
    SmallForm inner;
    qt::QtPresenter presenter;
    std::vector<std::string> seen;
    outer.ok.onClick = [&] {
        presenter.runModal(inner);
        seen.push_back("inner returned, text=" + inner.txt.text());
        outer.hide();
    };
    presenter.setShownHook([&](QWidget& dialog, ui::Form& form) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        if (&form == &outer) {
            seen.push_back("outer shown");
            QTest::mouseClick(Widget<QPushButton>(dialog, "ok"), Qt::LeftButton);
            seen.push_back("outer click returned");
        } else {
            seen.push_back("inner shown");
            QTest::keyClicks(Widget<QLineEdit>(dialog, "txt"), "in");
            QTest::keyClick(Widget<QLineEdit>(dialog, "txt"), Qt::Key_Escape);
        }
    });
    presenter.runModal(outer);
    EXPECT_EQ(Joined(seen),
              "outer shown\ninner shown\ninner returned, text=in\nouter click returned\n");
    EXPECT_FALSE(outer.shown());
}

// Any form gets a layout: labels, boxes, a tab control holding its grid, and
// the buttons that end the form at the bottom right.
TEST(QtPresenter, GenericLayoutPutsTrailingButtonsBottomRight) {
    SmallForm form;
    RunShown(form, [&](QWidget& dialog) {
        auto* ok = Widget<QPushButton>(dialog, "ok");
        auto* tabs = Widget<QTabWidget>(dialog, "tabs");
        auto* view = Widget<QTableView>(dialog, "grid");
        EXPECT_TRUE(tabs->widget(0)->isAncestorOf(view));
        const QRect okRect(ok->mapTo(&dialog, QPoint(0, 0)), ok->size());
        EXPECT_GT(okRect.left(), dialog.width() / 2);
        EXPECT_GT(okRect.top(), tabs->mapTo(&dialog, QPoint(0, 0)).y() + tabs->height() - 1);
        const QSize before = view->size();
        dialog.resize(dialog.width() + 200, dialog.height() + 150);
        QApplication::processEvents();
        EXPECT_GT(view->width(), before.width());
        EXPECT_GT(view->height(), before.height());
    });
}

}  // namespace
}  // namespace qelt::testing

#include <cstdlib>

namespace qelt::testing {
namespace {

// Without any display variable nothing runs and one line says why.
TEST(RunWithQt, WithoutADisplayRunsNothingAndSaysSo) {
    const char* names[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
    std::vector<std::pair<const char*, std::string>> saved;
    for (const char* n : names)
        if (const char* v = std::getenv(n)) saved.emplace_back(n, v);
    for (const char* n : names) unsetenv(n);
    setenv("DISPLAY", "", 1);
    EXPECT_FALSE(qt::DisplayAvailable());
    int argc = 1;
    char arg0[] = "qelt-filter";
    char* argv[] = {arg0, nullptr};
    bool ran = false;
    ::testing::internal::CaptureStderr();
    const int rc = qt::RunWithQt(argc, argv, [&] {
        ran = true;
        return 0;
    });
    const std::string err = ::testing::internal::GetCapturedStderr();
    for (const char* n : names) unsetenv(n);
    for (const auto& [n, v] : saved) setenv(n, v.c_str(), 1);
    EXPECT_EQ(rc, 2);
    EXPECT_FALSE(ran);
    EXPECT_EQ(err, std::string(qt::kNoDisplayMessage) + "\n");
    // With one (the test's offscreen platform) the body runs in the
    // existing application, with the Qt dialogs registered.
    EXPECT_EQ(qt::RunWithQt(argc, argv, [] { return ui::GetPresenter() ? 7 : 1; }), 7);
    ui::SetPresenter(nullptr);
    host::SetMessageSink(nullptr);
}

}  // namespace
}  // namespace qelt::testing
