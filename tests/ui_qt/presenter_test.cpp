// What the Qt front end adds to a form's rules: widgets that turn a person's
// clicks and keys into the form's user actions, and redraw from its models.
#include "qelt/ui/presenter.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ui_qt/qt_test_support.h"

namespace qelt::testing {
namespace {

using ui::CellType;
using ui::Grid;

std::string Pair(int row, int col) {
    return std::to_string(row) + "," + std::to_string(col);
}

// One control of each input kind and a grid whose rules refuse to leave a
// cell holding "bad"; the key preview drops quotes, Escape unloads and Enter
// clicks OK.
class SmallForm : public ui::Form {
public:
    SmallForm()
        : Form("frmSmall"),
          txt(add<ui::TextBox>("txt")),
          chk(add<ui::CheckBox>("chk")),
          cbo(add<ui::ComboBox>("cbo")),
          tabs(add<ui::TabControl>("tabs")),
          grid(add<Grid>("grid")),
          ok(add<ui::CommandButton>("ok")) {
        for (const char* item : {"甲", "乙", "丙"}) cbo.addItem(item);
        tabs.addTab("一");
        tabs.addTab("二");
        place("grid", "tabs", 0);
        grid.setMaxCols(4);
        grid.setMaxRows(3);
        grid.setMaxLength(Grid::All, 1, 5);
        grid.setCellType(Grid::All, 2, CellType::ComboBox);
        grid.setComboList(Grid::All, 2, "等于\t不等于\t大于");
        grid.setCellType(Grid::All, 3, CellType::CheckBox);
        grid.setCellType(Grid::All, 4, CellType::Number);
        grid.setNumberLimits(Grid::All, 4, {0, 150, 1});
        setKeyPreview(true);
        onKeyPress = [](int& key) {
            if (key == '\'' || key == '"') key = 0;
        };
        onKeyDown = [this](int& key, int) {
            if (key == ui::kKeyEscape) unload();
            if (key == ui::kKeyEnter) ok.click();
        };
        ok.onClick = [this] {
            log += "ok\n";
            hide();
        };
        grid.onLeaveCell = [this](int row, int col, int newRow, int newCol, bool& cancel) {
            log += "leave " + Pair(row, col) + "->" + Pair(newRow, newCol) + "\n";
            cancel = grid.text(row, col) == "bad";
        };
        grid.onButtonClicked = [this](int row, int col, int value) {
            log += "check " + Pair(row, col) + "=" + std::to_string(value) + "\n";
        };
        grid.onKeyDown = [this](int& key, int shift) {
            log += "key " + std::to_string(key) + " shift " + std::to_string(shift) + "\n";
        };
        onQueryUnload = [this](bool& cancel) { cancel = refuseUnload; };
    }

    ui::TextBox& txt;
    ui::CheckBox& chk;
    ui::ComboBox& cbo;
    ui::TabControl& tabs;
    Grid& grid;
    ui::CommandButton& ok;
    bool refuseUnload = false;
    std::string log;
};

// Clicks and key presses on the widgets are the person's actions on the
// form: typed quotes never arrive, a pick, a click that ticks a check-box
// cell, typed numbers, Delete and Shift+F7 reach the grid's rules, and OK
// closes the form after the grid was left.
TEST(QtPresenter, WidgetActionsReachTheFormsRules) {
    SmallForm form;
    RunShown(form, [&](QWidget& dialog) {
        auto* edit = Widget<QLineEdit>(dialog, "txt");
        edit->setFocus();
        QTest::keyClicks(edit, "ab'c\"d");
        ClickCheckBox(*Widget<QCheckBox>(dialog, "chk"));
        PickInCombo(*Widget<QComboBox>(dialog, "cbo"), 2);
        auto* view = Widget<QTableView>(dialog, "grid");
        ClickCell(*view, 1, 1);
        PressKey(Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(view->model()->index(0, 0)));
        ASSERT_NE(editor, nullptr);
        TypeText(editor, "x'y\"z");
        EXPECT_EQ(editor->text(), QString("xyz"));  // the cell editor shows no quote either
        PressKey(Qt::Key_Return);
        PickInCell(*view, 2, 2, 1);
        ClickCell(*view, 1, 3);
        TypeIntoCell(*view, 2, 4, "12.5");
        QTest::keyClick(view, Qt::Key_Delete);
        QTest::keyClick(view, Qt::Key_F7, Qt::ShiftModifier);
        QTest::mouseClick(Widget<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    const auto& g = form.grid;
    EXPECT_EQ(form.txt.text() + "|" + std::to_string(form.chk.value()) + "|" + form.cbo.text() +
                  "|" + g.text(1, 1) + "," + g.text(2, 2) + "," + g.text(1, 3) + "," + g.text(2, 4),
              "abcd|1|丙|xyz,不等于,1,12.5");
    EXPECT_EQ(form.log,
              "leave 1,1->2,2\nleave 2,2->1,3\ncheck 1,3=1\nleave 1,3->2,4\nkey 46 shift 0\n"
              "key 118 shift 1\nleave 2,4->-1,-1\nok\n");
}

// A pick list opens on the key or click that starts the edit and shows the
// cell's value; arrows move in the open list without choosing; Enter
// chooses and closes the list, and only the next Enter reaches the form's
// key rules (OK).
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
            PressKey(Qt::Key_Return);
            EXPECT_EQ(form.grid.text(1, 2), "大于");
            EXPECT_EQ(OpenPopup(), nullptr);
            EXPECT_EQ(form.log, "leave 1,1->1,2\n");
            PressKey(Qt::Key_Return);
        });
        EXPECT_EQ(form.log, "leave 1,1->1,2\nok\nkey 13 shift 0\n");
    }
}

// After a move the rules refuse, by click, arrow or a click on OK, the
// highlighted cell is still the active one (the one F2 edits) and the focus
// stays in the grid: the first OK does nothing, the second one after the
// cell is put right closes the form.
TEST(QtPresenter, ARefusedMoveKeepsTheCurrentCellAndTheFocusAndTheSecondOkRuns) {
    SmallForm form;
    RunShown(form, [&](QWidget& dialog) {
        auto* view = Widget<QTableView>(dialog, "grid");
        auto* ok = Widget<QPushButton>(dialog, "ok");
        TypeIntoCell(*view, 1, 1, "bad");
        ClickCell(*view, 2, 1);
        QTest::keyClick(view, Qt::Key_Down);
        const QModelIndex active = view->model()->index(0, 0);
        EXPECT_EQ(view->currentIndex(), active);
        EXPECT_EQ(view->selectionModel()->selectedIndexes(), QModelIndexList{active});
        QTest::mouseClick(ok, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(form.shown());
        EXPECT_EQ(form.log.find("ok"), std::string::npos);
        EXPECT_EQ(QApplication::focusWidget(), view);
        PressKey(Qt::Key_F2);
        EXPECT_NE(view->indexWidget(active), nullptr) << "F2 edits another cell";
        PressKey(Qt::Key_Escape);
        TypeIntoCell(*view, 1, 1, "good");
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_TRUE(form.log.starts_with("leave 1,1->2,1\nleave 1,1->2,1\nleave 1,1->-1,-1\n"));
    EXPECT_TRUE(form.log.ends_with("leave 1,1->-1,-1\nok\n")) << form.log;
}

// Rules that change the models show at once: a caption, a hidden control,
// a refilled combo, a tab chosen by code, new rows. The generic layout puts
// the tab control above the buttons and gives the grid the room it gains.
TEST(QtPresenter, ModelChangesShowAtOnceAndTheGridTakesTheRoom) {
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
        auto* ok = Widget<QPushButton>(dialog, "ok");
        auto* tabs = Widget<QTabWidget>(dialog, "tabs");
        auto* view = Widget<QTableView>(dialog, "grid");
        EXPECT_GT(ok->mapTo(&dialog, QPoint(0, 0)).x(), dialog.width() / 2);
        EXPECT_GE(ok->mapTo(&dialog, QPoint(0, 0)).y(),
                  tabs->mapTo(&dialog, QPoint(0, 0)).y() + tabs->height());
        const QSize before = view->size();
        dialog.resize(dialog.width() + 200, dialog.height() + 150);
        QApplication::processEvents();
        EXPECT_TRUE(view->width() > before.width() && view->height() > before.height());
        QTest::mouseClick(ok, Qt::LeftButton);
        auto* combo = Widget<QComboBox>(dialog, "cbo");
        EXPECT_EQ(dialog.windowTitle() + "|" + combo->currentText() + "|" +
                      QString::number(combo->count()) + QString::number(tabs->currentIndex()) +
                      "|" + view->model()->index(4, 0).data().toString(),
                  QString("新标题|丁|11|新"));
        EXPECT_TRUE(Widget<QCheckBox>(dialog, "chk")->isHidden());
    });
}

// A handler that shows another form modally: the inner dialog runs (its
// window's close button asks the form, which may refuse), and the outer one
// goes on after it.
TEST(QtPresenter, FormsOpenedFromAHandlerNest) {
    SmallForm outer;
    SmallForm inner;
    qt::QtPresenter presenter;
    std::string seen;
    outer.ok.onClick = [&] {
        presenter.runModal(inner);
        seen += "inner returned, text=" + inner.txt.text() + "\n";
        outer.hide();
    };
    presenter.setShownHook([&](QWidget& dialog, ui::Form& form) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        if (&form == &outer) {
            seen += "outer shown\n";
            QTest::mouseClick(Widget<QPushButton>(dialog, "ok"), Qt::LeftButton);
            seen += "outer click returned\n";
        } else {
            seen += "inner shown\n";
            QTest::keyClicks(Widget<QLineEdit>(dialog, "txt"), "in");
            inner.refuseUnload = true;
            dialog.close();
            seen += inner.shown() && dialog.isVisible() ? "refused\n" : "closed\n";
            inner.refuseUnload = false;
            dialog.close();
        }
    });
    presenter.runModal(outer);
    EXPECT_EQ(seen,
              "outer shown\ninner shown\nrefused\ninner returned, text=in\nouter click returned\n");
    EXPECT_FALSE(outer.shown() || inner.loaded());
}

// Without any display nothing runs and one line says why; with one (the
// test's offscreen platform) the body runs with the Qt dialogs registered.
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
    ::testing::internal::CaptureStderr();
    const int rc = qt::RunWithQt(argc, argv, [] { return 0; });
    const std::string err = ::testing::internal::GetCapturedStderr();
    for (const char* n : names) unsetenv(n);
    for (const auto& [n, v] : saved) setenv(n, v.c_str(), 1);
    EXPECT_EQ(std::to_string(rc) + " " + err, "2 " + std::string(qt::kNoDisplayMessage) + "\n");
    EXPECT_EQ(qt::RunWithQt(argc, argv, [] { return ui::GetPresenter() ? 7 : 1; }), 7);
    ui::SetPresenter(nullptr);
    host::SetMessageSink(nullptr);
}

}  // namespace
}  // namespace qelt::testing
