// What the Qt front end adds to a form's rules: widgets that turn a person's
// clicks and keys into the form's user actions, and redraw from its models.
#include "qelt/ui/presenter.h"

#include "ui_qt/qt_test_support.h"

namespace qelt::testing {
namespace {

using ui::CellType;
using ui::Grid;

// A grid whose rules refuse to leave a cell holding "bad"; the key preview
// drops quotes.
struct SmallForm : ui::Form {
    ui::TextBox& txt = add<ui::TextBox>("txt");
    ui::CheckBox& chk = add<ui::CheckBox>("chk");
    ui::ComboBox& cbo = add<ui::ComboBox>("cbo");
    ui::TabControl& tabs = add<ui::TabControl>("tabs");
    Grid& grid = add<Grid>("grid");
    ui::Toolbar& bar = add<ui::Toolbar>("bar");
    ui::CommandButton& ok = add<ui::CommandButton>("ok");
    bool refuseUnload = false;
    std::string log;

    SmallForm() : Form("frmSmall") {
        for (const char* item : {"甲", "乙", "丙"}) cbo.addItem(item);
        tabs.addTab("一");
        tabs.addTab("二");
        place("grid", "tabs", 0);
        setKeyPreview(true);
        grid.setMaxCols(4);
        grid.setMaxRows(3);
        grid.setCellType(Grid::All, 2, CellType::ComboBox);
        grid.setComboList(Grid::All, 2, "等于\t不等于\t大于");
        grid.setCellType(Grid::All, 3, CellType::CheckBox);
        grid.setCellType(Grid::All, 4, CellType::Number);
        grid.setNumberLimits(Grid::All, 4, {0, 150, 1});
        onKeyPress = [](int& key) {
            if (key == '\'' || key == '"') key = 0;
        };
        bar.addButton("K");
        bar.onButtonClick = [this](const std::string& key) { log += "button " + key + "\n"; };
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
};

// The view's current cell and the grid's active cell, the cell editor's
// text, the active cell's text and the focus.
std::string State(QTableView& view, SmallForm& form) {
    const QModelIndex at = view.currentIndex();
    std::string s = Pair(at.row() + 1, at.column() + 1) + " active " +
                    Pair(form.grid.activeRow(), form.grid.activeCol());
    if (view.selectionModel()->selectedIndexes() != QModelIndexList{at}) s += " selection differs";
    if (auto* line = qobject_cast<QLineEdit*>(view.indexWidget(at)))
        s += " edit[" + line->text().toStdString() + "]";
    return s + " [" + form.grid.text(form.grid.activeRow(), form.grid.activeCol()) + "] focus " +
           FocusName() + "\n";
}

// Where the generic layout puts OK, whether the grid grows with the window,
// and what the widgets show after the rules changed their models.
std::string Grow(QWidget& dialog, SmallForm& form) {
    const QRect ok(Widget(dialog, "ok")->mapTo(&dialog, QPoint()), Widget(dialog, "ok")->size());
    QWidget* tabs = Widget(dialog, "tabs");
    QWidget* view = Widget(dialog, "grid");
    std::string s = ok.left() > dialog.width() / 2 ? "OK right" : "OK left";
    s += ok.top() >= tabs->mapTo(&dialog, QPoint()).y() + tabs->height() ? " below tabs" : "";
    const QSize before = view->size();
    dialog.resize(dialog.width() + 200, dialog.height() + 150);
    QApplication::processEvents();
    if (view->width() > before.width() && view->height() > before.height()) s += ", grid grows";
    form.setCaption("新标题");
    form.chk.setValue(1);
    form.chk.setVisible(false);
    form.cbo.clear();
    form.cbo.addItem("丁");
    form.cbo.setListIndex(0);
    form.tabs.setCurrent(1);
    form.tabs.addTab("三");
    form.tabs.setTabVisible(0, false);
    form.grid.setMaxRows(5);
    form.grid.setText(5, 1, "新");
    auto* combo = Widget<QComboBox>(dialog, "cbo");
    auto* tabBox = Widget<QTabWidget>(dialog, "tabs");
    return s + "\n" +
           (dialog.windowTitle() + "|" + combo->currentText() + "|" +
            QString::number(combo->count()) + QString::number(tabBox->currentIndex()) + "|" +
            tabBox->tabText(2) + (tabBox->isTabVisible(0) ? "" : " first hidden") + "|" +
            Widget<QTableView>(dialog, "grid")->model()->index(4, 0).data().toString() +
            (Widget<QCheckBox>(dialog, "chk")->isChecked() ? "|ticked" : "") +
            (Widget(dialog, "chk")->isHidden() ? "|chk hidden\n" : "\n"))
               .toStdString();
}

// RunSteps on a SmallForm, plus "?" (the State), "=" (values and grid
// texts) and "grow"; then the form's log.
std::string RunScript(const std::string& script) {
    SmallForm form;
    std::string out;
    RunShown(form, [&](QWidget& dialog) {
        auto& view = *Widget<QTableView>(dialog, "grid");
        out = RunSteps(dialog, script, [&](const std::string& step) {
            if (step == "?") return State(view, form);
            if (step == "grow") return Grow(dialog, form);
            if (step != "=") return std::string();
            std::string s =
                form.txt.text() + " " + std::to_string(form.chk.value()) + " " + form.cbo.text();
            for (int row = 1; row <= form.grid.maxRows(); ++row)
                for (int col = 1; col <= form.grid.maxCols(); ++col)
                    s += (col == 1 ? " / " : "|") + form.grid.text(row, col);
            return s + "\n";
        });
    });
    return out + form.log;
}

// Clicks and keys on each kind of widget reach the form's rules; typed
// quotes never arrive; Tab goes on from a row's last cell to the next row.
// After a refused move the highlighted cell is the active one (F2 edits it),
// the focus goes back to the grid and a toolbar button does nothing. Model
// changes by the rules show at once; the generic layout puts OK at the right
// below the tabs and gives the grid the room the window gains.
TEST(QtPresenter, ScriptedClicksAndKeysReachTheFormsRules) {
    const std::pair<std::string, std::string> cases[] = {
        {"press txt; type ab'c\"d; press chk; combo cbo 2; click grid 1,1; key F2; type x'y\"z; ?; "
         "key Return; pick grid 2,2,1; click grid 1,3; cell grid 2,4 12.5; key Delete; key S-F7; "
         "press ok; =",
         "1,1 active 1,1 edit[xyz] [] focus grid\nabcd 1 丙 / xyz||1| / |不等于||12.5 / |||\n"
         "leave 1,1->2,2\nleave 2,2->1,3\ncheck 1,3=1\nleave 1,3->2,4\nkey 46 shift 0\n"
         "key 118 shift 1\nleave 2,4->-1,-1\nok\n"},
        {"cell grid 1,1 bad; click grid 2,1; press bar.K; press ok; ?; key F2; ?",
         "1,1 active 1,1 [bad] focus grid\n1,1 active 1,1 edit[bad] [bad] focus grid\n"
         "leave 1,1->2,1\nleave 1,1->-1,-1\nleave 1,1->-1,-1\nleave 1,1->-1,-1\n"},
        {"click grid 1,4; key Tab; ?",
         "2,1 active 2,1 [] focus grid\nleave 1,1->1,4\nleave 1,4->2,1\n"},
        {"grow",
         "OK right below tabs, grid grows\n新标题|丁|11|三 first hidden|新|ticked|chk hidden\n"},
    };
    for (const auto& [script, expected] : cases) EXPECT_EQ(RunScript(script), expected) << script;
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

}  // namespace
}  // namespace qelt::testing
