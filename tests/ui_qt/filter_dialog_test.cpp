
#include <algorithm>

#include "qelt/ui/presenter.h"
#include "ui_qt/lookup_window.h"
#include "ui_qt/qt_test_support.h"

namespace qelt::testing {
namespace {

// Clicks alone: all dates, a condition, a sort key whose direction boxes
// exclude each other, a column unticked; OK.
TEST(FilterDialogQt, MouseActionsReachTheRulesAndGiveTheSelect) {
    FilterSession session;
    std::string seen;
    auto filter = ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
        seen = RunSteps(
            dialog,
            "combo cboTime 3; pick VpFilter 1,3,2; pick VpFilter 1,4,1; cell VpFilter 1,6 WIN; "
            "tab SSTab1 1; item listOrderFields 1; press cmdAdd; click vsOrder 1,3; ?; "
            "click vsOrder 1,2; ?; click vsOrder 1,3; ?; tab SSTab1 2; click vaHideColumn 2,3; =; "
            "press cmdOk",
            [&](const std::string& step) {
                if (step == "?") return f.vsOrder.text(1, 2) + f.vsOrder.text(1, 3) + " ";
                return std::to_string(f.cboTime.listIndex()) + " " + f.VpFilter.text(1, 3) + " " +
                       f.VpFilter.text(1, 6) + " " + f.vaHideColumn.text(2, 3);
            });
    });
    EXPECT_EQ(seen, "01 10 01 3 单据编号 WIN 0");
    ASSERT_TRUE(filter->OK()) << session.messages.messages.size();
    EXPECT_NE(filter->Datasql().find("WIN"), std::string::npos) << filter->Datasql();
    EXPECT_NE(filter->Datasql().find("FBillNo DESC"), std::string::npos) << filter->Datasql();
}

// Toolbar, view menu and scheme list reach the rules; a rule may change the
// toolbar from its own button.
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
        const int last = Widget<QListWidget>(dialog, "lvwProject")->count() - 1;
        RunSteps(dialog, "item lvwProject " + std::to_string(last));
    });
    EXPECT_EQ(log,
              "保存\nbutton TLBSAVE\n已保存 TLBDEL disabled\n小图表(&M)\nmenu TLBVIEW 1\n"
              "scheme P9999\n");
}

// F7 in a material value cell looks up from its text; code or name (by the
// field) lands in it, Escape leaves it. F7 on a date opens a calendar.
TEST(FilterDialogQt, F7InAValueCellFillsItFromTheLookupWindowOrTheCalendar) {
    FilterSession session;
    qt::RegisterLookupWindows();
    std::string seen;
    ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
        const auto pickField = [&](int row, const char* field) {
            const auto fields = f.VpFilter.comboItems(row, 3);
            const auto at = std::find(fields.begin(), fields.end(), field);
            ASSERT_NE(at, fields.end());
            const std::string r = std::to_string(row);
            RunSteps(dialog, "pick VpFilter " + r + ",3," + std::to_string(at - fields.begin()) +
                                 (row < 3 ? "; cell VpFilter " + r + ",6 1.02" : ""));
        };
        int row = 0;
        for (const char* field : {"物料代码", "物料名称", ""}) {
            if (*field) pickField(++row, field);
            OnNextModal([&, field](QWidget& window) {
                QTest::qWait(20);
                auto* items = window.findChild<QTableView*>("items")->model();
                seen += std::to_string(items->rowCount()) + " rows from " +
                        items->index(0, 0).data().toString().toStdString() + "; ";
                QTest::keyClick(&window, *field ? Qt::Key_Return : Qt::Key_Escape);
            });
            RunSteps(dialog, "click VpFilter " + std::to_string(row) + ",6; key F7");
            seen += f.VpFilter.text(row, 6) + "\n";
        }
        pickField(3, "日期");
        RunSteps(dialog, "click VpFilter 3,6; key F7; ?; key Right; key Return", [&](auto&) {
            return OpenPopup() && OpenPopup()->findChild<QCalendarWidget*>() ? "" : "no calendar ";
        });
        seen += f.VpFilter.text(3, 6);
    });
    EXPECT_EQ(seen,
              "2 rows from 1.02.001; 1.02.001\n2 rows from 1.02.001; 圆钢\n"
              "1 rows from 1.02.001; 圆钢\n" +
                  QDate::currentDate().addDays(1).toString("yyyy-MM-dd").toStdString());
}

}  // namespace
}  // namespace qelt::testing
