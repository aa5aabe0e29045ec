#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <string>

#include "qelt/ui/dump.h"
#include "qelt/ui/presenter.h"
#include "ui_qt/filter_fixture.h"
#include "ui_qt/lookup_window.h"

namespace qelt::testing {
namespace {

// Condition row 1: field "单据编号" (item 2), comparison item 1 of its list,
// value "WIN"; all dates; a sort field added; the column tab and a column
// unticked; then OK.
constexpr int kBillNoField = 2;
constexpr int kComparison = 1;
constexpr int kAllDates = 3;
constexpr int kColumnTab = 2;

TEST(FilterDialogQt, WidgetActionsGiveTheSameSelectAsTheScriptedPresenter) {
    FilterSession session;
    std::string drawnState, scriptedState;
    auto drawn = ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
        auto* conditions = Widget<QTableView>(dialog, "VpFilter");
        ASSERT_NE(conditions, nullptr);
        PickInCell(*conditions, 1, 3, kBillNoField);
        PickInCell(*conditions, 1, 4, kComparison);
        TypeIntoCell(*conditions, 1, 6, "WIN");
        auto* time = Widget<QComboBox>(dialog, "cboTime");
        time->setCurrentIndex(kAllDates);
        emit time->activated(kAllDates);
        Widget<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(1);
        auto* fields = Widget<QListWidget>(dialog, "listOrderFields");
        QTest::mouseClick(fields->viewport(), Qt::LeftButton, {},
                          fields->visualItemRect(fields->item(1)).center());
        QTest::mouseClick(Widget<QPushButton>(dialog, "cmdAdd"), Qt::LeftButton);
        Widget<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(kColumnTab);
        auto* columns = Widget<QTableView>(dialog, "vaHideColumn");
        // The box sits in the middle of its cell: the click ticks it off.
        ClickCell(*columns, 2, 3);
        drawnState = ui::Dump(f);
        QTest::mouseClick(Widget<QPushButton>(dialog, "cmdOk"), Qt::LeftButton);
    });
    auto scripted = ShowScripted(1, [&](dialog::frmFilter& s) {
        s.focus("VpFilter");
        s.VpFilter.pick(1, 3, kBillNoField);
        s.VpFilter.pick(1, 4, kComparison);
        s.VpFilter.type(1, 6, "WIN");
        s.focus("cboTime");
        s.cboTime.select(kAllDates);
        s.SSTab1.select(1);
        s.focus("listOrderFields");
        s.listOrderFields.select(1);
        s.focus("cmdAdd");
        s.cmdAdd.click();
        s.SSTab1.select(kColumnTab);
        s.focus("vaHideColumn");
        s.vaHideColumn.click(2, 3);
        s.vaHideColumn.clickCheck(2, 3);
        scriptedState = ui::Dump(s);
        s.focus("cmdOk");
        s.cmdOk.click();
    });
    EXPECT_EQ(LineDiff(drawnState, scriptedState), "");
    EXPECT_TRUE(drawn->OK()) << session.messages.messages.size();
    EXPECT_NE(drawn->Datasql().find("WIN"), std::string::npos) << drawn->Datasql();
    EXPECT_EQ(drawn->Datasql(), scripted->Datasql());
}

TEST(FilterDialogQt, EscapeCancels) {
    FilterSession session;
    auto filter = ShowWithQt(1, [](QWidget& dialog, dialog::frmFilter&) {
        QTest::keyClick(Widget<QTableView>(dialog, "VpFilter"), Qt::Key_Escape);
    });
    EXPECT_FALSE(filter->OK());
    EXPECT_EQ(filter->Datasql(), "");
}

// The sort directions tick with the mouse as with Space: a click on either
// box makes it the row's one direction.
TEST(FilterDialogQt, SortDirectionsTickWithTheMouse) {
    FilterSession session;
    std::string seen;
    ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
        auto* tabs = Widget<QTabWidget>(dialog, "SSTab1");
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
        auto* fields = Widget<QListWidget>(dialog, "listOrderFields");
        QTest::mouseClick(fields->viewport(), Qt::LeftButton, {},
                          fields->visualItemRect(fields->item(1)).center());
        QTest::mouseClick(Widget<QPushButton>(dialog, "cmdAdd"), Qt::LeftButton);
        auto* sort = Widget<QTableView>(dialog, "vsOrder");
        for (int col : {3, 2, 3}) {
            ClickCell(*sort, 1, col);
            seen += f.vsOrder.text(1, 2) + f.vsOrder.text(1, 3) + " ";
        }
    });
    EXPECT_EQ(seen, "01 10 01 ");
}

// After a move the rules refuse, the highlighted cell is the grid's active
// cell, the one F2 edits.
TEST(FilterDialogQt, AfterARefusedMoveTheHighlightIsTheActiveCell) {
    FilterSession session;
    ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
        auto* view = Widget<QTableView>(dialog, "VpFilter");
        ClickCell(*view, 1, 2);
        PressKey(Qt::Key_Escape);  // the click opened the list of parentheses
        PressKey(Qt::Key_Down);
        ASSERT_EQ(session.messages.messages.size(), 1u) << "the move was not refused";
        const QModelIndex active =
            view->model()->index(f.VpFilter.activeRow() - 1, f.VpFilter.activeCol() - 1);
        EXPECT_EQ(f.VpFilter.activeRow(), 1);
        EXPECT_EQ(view->currentIndex(), active);
        EXPECT_EQ(view->selectionModel()->selectedIndexes(), QModelIndexList{active});
        PressKey(Qt::Key_F2);
        EXPECT_NE(view->indexWidget(active), nullptr) << "F2 edits another cell";
        PressKey(Qt::Key_Escape);
    });
}

// The scheme toolbar, its view menu and the scheme list reach the rules'
// handlers; a rule that changes the toolbar from its own button is safe.
TEST(FilterDialogQt, ToolbarMenuAndSchemeListFireTheirEvents) {
    FilterSession session;
    std::string log;
    ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
        f.tlbProject.onButtonClick = [&](const std::string& key) {
            log += "button " + key + "\n";
            f.tlbProject.setToolTip(key, "已保存");
            f.tlbProject.setButtonEnabled(f.kDeleteButton, false);
        };
        f.tlbProject.onButtonMenuClick = [&](const std::string& key, int i) {
            log += "menu " + key + " " + std::to_string(i) + "\n";
        };
        f.lvwProject.onItemClick = [&](const std::string& key) { log += "scheme " + key + "\n"; };
        f.lvwProject.addItem({"P9999", "本月入库", 1, 5});
        auto* save = Widget<QToolButton>(dialog, "tlbProject.TLBSAVE");
        ASSERT_NE(save, nullptr);
        EXPECT_EQ(save->toolTip(), QString("保存"));
        QTest::mouseClick(save, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(Widget<QToolButton>(dialog, "tlbProject.TLBSAVE")->toolTip(), QString("已保存"));
        EXPECT_FALSE(Widget<QToolButton>(dialog, "tlbProject.TLBDEL")->isEnabled());
        auto* view = Widget<QToolButton>(dialog, "tlbProject.TLBVIEW");
        ASSERT_NE(view->menu(), nullptr);
        EXPECT_EQ(view->menu()->actions().at(1)->text(), QString("小图表(&M)"));
        view->menu()->actions().at(1)->trigger();
        auto* schemes = Widget<QListWidget>(dialog, "lvwProject");
        ASSERT_NE(schemes, nullptr);
        QTest::mouseClick(schemes->viewport(), Qt::LeftButton, {},
                          schemes->visualItemRect(schemes->item(schemes->count() - 1)).center());
    });
    EXPECT_EQ(log, "button TLBSAVE\nmenu TLBVIEW 1\nscheme P9999\n");
}

// F7 in the value cell of a material row opens the look-up window on the
// items, starting from the cell's text; the chosen item's code or name (by
// the field's return type) lands in the cell, Escape leaves it.
TEST(FilterDialogQt, F7InAValueCellFillsItFromTheLookupWindow) {
    FilterSession session;
    qt::RegisterLookupWindows();
    struct Case {
        const char* field;
        const char* typed;
        const char* cell;
    };
    const Case cases[] = {{"物料代码", "1.02", "1.02.001"}, {"物料名称", "1.02", "圆钢"}};
    std::string seen, afterEscape;
    ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
        auto* conditions = Widget<QTableView>(dialog, "VpFilter");
        for (int i = 0; i < 2; ++i) {
            const int row = i + 1;
            const auto fields = f.VpFilter.comboItems(row, 3);
            const auto at = std::find(fields.begin(), fields.end(), cases[i].field);
            ASSERT_NE(at, fields.end());
            PickInCell(*conditions, row, 3, static_cast<int>(at - fields.begin()));
            TypeIntoCell(*conditions, row, 6, cases[i].typed);
            OnNextModal([&](QWidget& window) {
                QTest::qWait(20);
                auto* items = window.findChild<QTableView*>("items")->model();
                seen += std::to_string(items->rowCount()) + " rows from " +
                        items->index(0, 0).data().toString().toStdString() + "; ";
                QTest::keyClick(&window, Qt::Key_Return);
            });
            QTest::keyClick(conditions, Qt::Key_F7);
            seen += f.VpFilter.text(row, 6) + "\n";
        }
        OnNextModal([](QWidget& window) { QTest::keyClick(&window, Qt::Key_Escape); });
        QTest::keyClick(conditions, Qt::Key_F7);
        afterEscape = f.VpFilter.text(2, 6);
    });
    EXPECT_EQ(seen, "2 rows from 1.02.001; 1.02.001\n2 rows from 1.02.001; 圆钢\n");
    EXPECT_EQ(afterEscape, "圆钢");
}

// Transaction type and selectors above the tabs, the scheme list to their
// left, OK and Cancel at the bottom right; the grids take the extra room.
TEST(FilterDialogQt, LayoutPutsSelectorsOnTopSchemesBesideTabsButtonsBottomRight) {
    FilterSession session;
    ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
        // Hidden codes after the long run of blanks stay out of sight.
        auto* types = Widget<QComboBox>(dialog, "cboTransType");
        ASSERT_GT(types->count(), 0);
        EXPECT_EQ(types->itemText(0).toStdString(),
                  dialog::TransTypeItem::DisplayName(f.cboTransType.items().at(0)));
        const auto rect = [&](const char* name) {
            QWidget* w = Widget(dialog, name);
            return QRect(w->mapTo(&dialog, QPoint(0, 0)), w->size());
        };
        const QRect tabs = rect("SSTab1");
        EXPECT_LT(rect("cboTransType").bottom(), tabs.top());
        EXPECT_LT(rect("cboCheck").bottom(), tabs.top());
        EXPECT_LT(rect("lvwProject").right(), tabs.left());
        EXPECT_GT(rect("cmdOk").top(), tabs.bottom());
        EXPECT_LT(rect("cmdOk").right(), rect("cmdCancel").left());
        EXPECT_GT(rect("cmdCancel").right(), dialog.width() - 40);
        auto* grid = Widget(dialog, "VpFilter");
        const QSize before = grid->size();
        dialog.resize(dialog.width() + 200, dialog.height() + 100);
        QApplication::processEvents();
        EXPECT_GT(grid->width(), before.width());
        EXPECT_GT(grid->height(), before.height());
    });
}

}  // namespace
}  // namespace qelt::testing

#include "dialog/frm_saveschame.h"

namespace qelt::testing {
namespace {

// The save-scheme dialog through its widgets: its title from the resources,
// the name typed, the share box ticked, OK and Cancel pressed, as the
// scripted presenter does it.
TEST(SaveSchemeDialogQt, NameShareAndButtonsThroughTheWidgets) {
    FilterSession session;
    std::string log, drawnState, scriptedState;
    // Stand-ins for the dialog's OK and Cancel rules, the same on both.
    const auto wire = [&log](dialog::frmSaveschame& form) {
        form.cmdOk.onClick = [&log, &form] { log += "ok " + form.txtSchemeName.text() + "\n"; };
        form.cmdCancel.onClick = [&log, &form] {
            log += "cancel\n";
            form.hide();
        };
    };
    dialog::frmSaveschame drawn;
    wire(drawn);
    RunShown(drawn, [&](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString("方案保存"));
        auto* name = Widget<QLineEdit>(dialog, "txtSchemeName");
        name->setFocus();
        TypeText(name, "本月入库");
        ClickCheckBox(*Widget<QWidget>(dialog, "chkShare"));
        QTest::mouseClick(Widget<QPushButton>(dialog, "cmdOk"), Qt::LeftButton);
        drawnState = ui::Dump(drawn);
        QTest::mouseClick(Widget<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
    });
    dialog::frmSaveschame scripted;
    wire(scripted);
    ui::ScriptedPresenter([&scriptedState](ui::Form& form) {
        auto& s = static_cast<dialog::frmSaveschame&>(form);
        s.focus("txtSchemeName");
        s.type("本月入库");
        s.focus("chkShare");
        s.chkShare.click();
        s.focus("cmdOk");
        s.cmdOk.click();
        scriptedState = ui::Dump(s);
        s.focus("cmdCancel");
        s.cmdCancel.click();
    }).runModal(scripted);
    EXPECT_EQ(log, "ok 本月入库\ncancel\nok 本月入库\ncancel\n");
    EXPECT_EQ(LineDiff(drawnState, scriptedState), "");
    EXPECT_EQ(drawn.shown(), scripted.shown());
}

}  // namespace
}  // namespace qelt::testing
