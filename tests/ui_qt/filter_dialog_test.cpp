#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <string>

#include "qelt/ui/presenter.h"
#include "ui_qt/lookup_window.h"
#include "ui_qt/qt_test_support.h"

namespace qelt::testing {
namespace {

void ClickItem(QListWidget& list, int row) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(row)).center());
}

// Clicks alone: all dates from the drop-down; field "单据编号" (item 2),
// comparison item 1 and a typed value; a sort key whose direction boxes
// tick with the mouse (a click on either makes it the row's one direction,
// ending descending); a column unticked; OK.
TEST(FilterDialogQt, MouseActionsReachTheRulesAndGiveTheSelect) {
    constexpr int kAllDates = 3, kBillNo = 2, kComparison = 1, kColumnTab = 2;
    FilterSession session;
    std::string seen;
    auto filter = ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
        PickInCombo(*Widget<QComboBox>(dialog, "cboTime"), kAllDates);
        auto* conditions = Widget<QTableView>(dialog, "VpFilter");
        PickInCell(*conditions, 1, 3, kBillNo);
        PickInCell(*conditions, 1, 4, kComparison);
        TypeIntoCell(*conditions, 1, 6, "WIN");
        auto* tabs = Widget<QTabWidget>(dialog, "SSTab1");
        ClickTab(*tabs, 1);
        ClickItem(*Widget<QListWidget>(dialog, "listOrderFields"), kBillNo - 1);
        QTest::mouseClick(Widget<QPushButton>(dialog, "cmdAdd"), Qt::LeftButton);
        for (int col : {3, 2, 3}) {
            ClickCell(*Widget<QTableView>(dialog, "vsOrder"), 1, col);
            seen += f.vsOrder.text(1, 2) + f.vsOrder.text(1, 3) + " ";
        }
        ClickTab(*tabs, kColumnTab);
        ClickCell(*Widget<QTableView>(dialog, "vaHideColumn"), 2, 3);
        seen += std::to_string(f.cboTime.listIndex()) + " " + f.VpFilter.text(1, 3) + " " +
                f.VpFilter.text(1, 6) + " " + f.vaHideColumn.text(2, 3);
        QTest::mouseClick(Widget<QPushButton>(dialog, "cmdOk"), Qt::LeftButton);
    });
    EXPECT_EQ(seen, "01 10 01 3 单据编号 WIN 0");
    ASSERT_TRUE(filter->OK()) << session.messages.messages.size();
    EXPECT_NE(filter->Datasql().find("WIN"), std::string::npos) << filter->Datasql();
    EXPECT_NE(filter->Datasql().find("FBillNo DESC"), std::string::npos) << filter->Datasql();
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
        const auto button = [&](const char* key) {
            return Widget<QToolButton>(dialog, std::string("tlbProject.") + key);
        };
        log += button("TLBSAVE")->toolTip().toStdString() + "\n";
        QTest::mouseClick(button("TLBSAVE"), Qt::LeftButton);
        QApplication::processEvents();
        log += button("TLBSAVE")->toolTip().toStdString() +
               (button("TLBDEL")->isEnabled() ? "" : " TLBDEL disabled") + "\n";
        QAction* small = button("TLBVIEW")->menu()->actions().at(1);
        log += small->text().toStdString() + "\n";
        small->trigger();
        auto* schemes = Widget<QListWidget>(dialog, "lvwProject");
        ClickItem(*schemes, schemes->count() - 1);
    });
    EXPECT_EQ(log,
              "保存\nbutton TLBSAVE\n已保存 TLBDEL disabled\n小图表(&M)\nmenu TLBVIEW 1\n"
              "scheme P9999\n");
}

// F7 in the value cell of a material row opens the look-up window on the
// items, starting from the cell's text; the chosen item's code or name (by
// the field's return type) lands in the cell, Escape leaves it. F7 on a
// date value opens its calendar; the date chosen there is the cell's.
TEST(FilterDialogQt, F7InAValueCellFillsItFromTheLookupWindowOrTheCalendar) {
    FilterSession session;
    qt::RegisterLookupWindows();
    std::string seen;
    ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
        auto* conditions = Widget<QTableView>(dialog, "VpFilter");
        const auto pickField = [&](int row, const char* field) {
            const auto fields = f.VpFilter.comboItems(row, 3);
            const auto at = std::find(fields.begin(), fields.end(), field);
            ASSERT_NE(at, fields.end());
            PickInCell(*conditions, row, 3, static_cast<int>(at - fields.begin()));
        };
        int row = 0;
        for (const char* field : {"物料代码", "物料名称", ""}) {
            if (*field) {
                pickField(++row, field);
                TypeIntoCell(*conditions, row, 6, "1.02");
            }
            OnNextModal([&, field](QWidget& window) {
                QTest::qWait(20);
                auto* items = window.findChild<QTableView*>("items")->model();
                seen += std::to_string(items->rowCount()) + " rows from " +
                        items->index(0, 0).data().toString().toStdString() + "; ";
                QTest::keyClick(&window, *field ? Qt::Key_Return : Qt::Key_Escape);
            });
            QTest::keyClick(conditions, Qt::Key_F7);
            seen += f.VpFilter.text(row, 6) + "\n";
        }
        pickField(3, "日期");
        ClickCell(*conditions, 3, 6);
        PressKey(Qt::Key_F7);
        ASSERT_NE(OpenPopup(), nullptr) << "no calendar";
        EXPECT_NE(OpenPopup()->findChild<QCalendarWidget*>(), nullptr);
        PressKey(Qt::Key_Right);
        PressKey(Qt::Key_Return);
        seen += f.VpFilter.text(3, 6);
    });
    EXPECT_EQ(seen,
              "2 rows from 1.02.001; 1.02.001\n2 rows from 1.02.001; 圆钢\n"
              "1 rows from 1.02.001; 圆钢\n" +
                  QDate::currentDate().addDays(1).toString("yyyy-MM-dd").toStdString());
}

}  // namespace
}  // namespace qelt::testing
