// The filter dialog as a person meets it: arrangement, size, keyboard, mouse.

#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

#include "qelt/host/session.h"
#include "qelt/ui/presenter.h"
#include "ui_qt/form_view.h"
#include "ui_qt/grid_view.h"
#include "ui_qt/qt_test_support.h"

namespace qelt::testing {
namespace {

QRect RectIn(QWidget& dialog, QWidget& w) {
    return {w.mapTo(&dialog, QPoint(0, 0)), w.size()};
}

// The visible controls but frames and tabs, with their places in `dialog`.
std::vector<std::pair<std::string, QRect>> Shown(QWidget& dialog, const dialog::frmFilter& f) {
    std::vector<std::pair<std::string, QRect>> shown;
    for (const ui::Control* c : f.controls()) {
        QWidget* w = Widget(dialog, c->name());
        if (w && w->isVisible() && c->kind() != ui::ControlKind::Frame &&
            c->kind() != ui::ControlKind::TabControl)
            shown.emplace_back(c->name(), RectIn(dialog, *w));
    }
    return shown;
}

// The visible selectors as "name@column,row" (numbered by distinct left
// edges and tops), the caption ends and the spread of their widths.
std::string Selectors(QWidget& dialog, const dialog::frmFilter& f) {
    const std::string names =
        " cboTime cboCheck cboICMO cboROB cboPost cboKickBack cboCancel cboConnect ";
    std::vector<std::pair<std::string, QRect>> boxes;
    std::set<int> lefts, tops, widths, captionEnds;
    for (const auto& [name, r] : Shown(dialog, f)) {
        if (names.find(" " + name + " ") == std::string::npos) continue;
        boxes.emplace_back(name, r);
        lefts.insert(r.left());
        tops.insert(r.top());
        widths.insert(r.width());
        captionEnds.insert(RectIn(dialog, *Widget(dialog, "lbl" + name.substr(3))).right());
    }
    const auto ordinal = [](const std::set<int>& s, int v) {
        return std::to_string(std::distance(s.begin(), s.find(v)));
    };
    std::string out;
    for (const auto& [name, r] : boxes)
        out += name + "@" + ordinal(lefts, r.left()) + "," + ordinal(tops, r.top()) + " ";
    return out + std::to_string(captionEnds.size()) + " caption ends, widths within " +
           std::to_string(*widths.rbegin() - *widths.begin());
}

// Ten condition rows, every control inside, selectors above the tabs, schemes
// left, OK and Cancel bottom right; the grid takes the room the window gains;
// made as small as it goes, no two controls overlap. The font has the glyphs.
TEST(FilterLayout, ArrangementAtOpeningWhenGrownAndWhenShrunk) {
    for (const QChar ch : QString("过滤方案保存确定取消条件排序"))
        EXPECT_TRUE(QFontMetrics(qt::DialogFont()).inFont(ch)) << int(ch.unicode());
    DemoSession session;
    ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
        const auto at = [&](const char* name) { return RectIn(dialog, *Widget(dialog, name)); };
        const std::tuple<int, int, const char*> relations[] = {
            {at("cboTransType").bottom(), at("SSTab1").top(), "types above tabs"},
            {at("cboCheck").bottom(), at("SSTab1").top(), "selectors above tabs"},
            {at("lvwProject").right(), at("SSTab1").left(), "schemes left of tabs"},
            {at("SSTab1").bottom(), at("cmdOk").top(), "tabs above OK"},
            {at("cmdOk").right(), at("cmdCancel").left(), "OK left of Cancel"},
            {dialog.width() - 40, at("cmdCancel").right(), "Cancel at the right"},
        };
        for (const auto& [a, b, what] : relations) EXPECT_LT(a, b) << what;
        for (const auto& [name, r] : Shown(dialog, f))
            EXPECT_TRUE(dialog.rect().contains(r)) << name;
        // The first picture (<build>/screenshots, copied for the README) is no blank window.
        const QImage shot = dialog.grab().toImage();
        QDir dir(QStringLiteral(QELT_TEST_BINARY_DIR "/screenshots"));
        dir.mkpath(".");
        EXPECT_TRUE(shot.save(dir.filePath("filter-conditions.png")));
        QSet<QRgb> colours;
        for (int y = 0; y < shot.height(); y += 2)
            for (int x = 0; x < shot.width(); x += 2) colours.insert(shot.pixel(x, y));
        EXPECT_GT(colours.size(), 20) << "the dialog looks blank";
        auto* grid = Widget<QTableView>(dialog, "VpFilter");
        EXPECT_GE(grid->viewport()->height(), 10 * qt::GridRowHeight(*grid));
        // Narrow columns fit their texts; name and value share what is left.
        std::vector<int> width;
        for (int c = 0; c < 7; ++c) width.push_back(grid->columnWidth(c));
        for (int c : {0, 1, 3, 6}) EXPECT_LT(width[c], width[2]) << c;
        const QSize before = grid->size();
        dialog.resize(dialog.width() + 200, dialog.height() + 100);
        QApplication::processEvents();
        EXPECT_TRUE(grid->width() > before.width() && grid->height() > before.height());
        for (int c : {0, 1, 3, 6}) EXPECT_EQ(grid->columnWidth(c), width[c]) << c;
        for (int c : {2, 5}) EXPECT_GT(grid->columnWidth(c), width[c]) << c;
        // Selectors: three aligned columns of one width, closing up over a hidden one.
        std::string selectors = Selectors(dialog, f) + "\n";
        f.cboCheck.setVisible(false);
        f.lblCheck.setVisible(false);
        f.lblKickBack.setVisible(true);
        f.cboKickBack.setVisible(true);
        QApplication::processEvents();
        EXPECT_EQ(selectors + Selectors(dialog, f),
                  "cboTime@0,0 cboCheck@1,0 cboROB@2,0 cboPost@0,1 cboCancel@1,1 3 caption ends, "
                  "widths within 1\n"
                  "cboTime@0,0 cboROB@1,0 cboPost@2,0 cboKickBack@0,1 cboCancel@1,1 3 caption "
                  "ends, widths within 1");
        dialog.resize(1, 1);
        QApplication::processEvents();
        const auto shown = Shown(dialog, f);
        for (auto a = shown.begin(); a != shown.end(); ++a)
            for (auto b = shown.begin(); b != a; ++b)
                EXPECT_FALSE(a->second.intersects(b->second))
                    << a->first << " overlaps " << b->first;
    });
}

// The window's size and the scheme list's divider are kept per user.
TEST(FilterLayout, EachUserFindsTheWindowAsHeLeftIt) {
    DemoSession session;
    std::vector<int> seen;  // width, height and scheme list width at each opening
    for (const char* user :
         {"1;UserName=Administrator", "1;UserName=Administrator", "2;UserName=张伟"}) {
        host::SetSharedProperty("PropsString", std::string("UserID=") + user);
        ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter&) {
            auto* divider = dialog.findChild<QSplitter*>();
            seen.insert(seen.end(), {dialog.width(), dialog.height(), divider->sizes()[0]});
            if (seen.size() > 3) return;
            dialog.resize(dialog.width() + 120, dialog.height() + 60);
            divider->setSizes({divider->sizes()[0] + 50, divider->sizes()[1] - 50});
        });
    }
    ASSERT_EQ(seen.size(), 9u);
    EXPECT_EQ(std::vector<int>(seen.begin() + 3, seen.begin() + 6),
              (std::vector<int>{seen[0] + 120, seen[1] + 60, seen[2] + 50}));
    EXPECT_EQ(std::vector<int>(seen.begin() + 6, seen.end()),
              std::vector<int>(seen.begin(), seen.begin() + 3));
}

// Keys alone: OK has the focus and shows it; Tab walks the dialog in drawing
// order, F6 leaves the grid; back to the conditions, a field from its open
// list, a typed value; the first Return ends the edit, the second is OK.
TEST(FilterEveryPerson, FiltersAListWithTheKeyboardAlone) {
    DemoSession session;
    std::string walk;
    auto filter = ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
        EXPECT_EQ(FocusName(), "cmdOk");
        auto* ok = Widget<QPushButton>(dialog, "cmdOk");
        const QImage focused = ok->grab().toImage();
        for (int i = 0; i < 24 && (walk.empty() || FocusName() != "cmdOk"); ++i) {
            RunSteps(dialog, FocusName() == "VpFilter" ? "key F6" : "key Tab");
            walk += FocusName() + " ";
            EXPECT_TRUE(i != 0 || ok->grab().toImage() != focused) << "the focus is not shown";
        }
        walk += RunSteps(dialog,
                         "key S-Tab; key S-Tab; key S-Tab; key S-Tab; key S-Tab; ?; key Home; "
                         "key Right; key Right; key F2; key Down; key Down; ?; key Return; ?; "
                         "key Right; key Right; type WIN; key Return; key Return",
                         [&](auto&) {
                             auto* list = qobject_cast<QComboBox*>(QApplication::focusWidget());
                             const QString item =
                                 list ? list->view()->currentIndex().data().toString() : "-";
                             return "| " + FocusName() + " [" + f.VpFilter.text(1, 3) + "] " +
                                    item.toStdString() + " ";
                         });
    });
    EXPECT_EQ(walk,
              "cmdCancel cboTransType chkFastMode cboTime cboCheck cboROB cboPost cboCancel "
              "tlbProject.TLBSAVE tlbProject.TLBDEL tlbProject.TLBCLEAR tlbProject.TLBVIEW "
              "lvwProject SSTab1 VpFilter cmdInsert cmdDel cmdDelAll chkShowByBeforeProject "
              "cmdOk | VpFilter [] - | VpFilter [] 单据编号 | VpFilter [单据编号] - ");
    ASSERT_TRUE(filter->OK()) << session.messages.messages.size();
    EXPECT_NE(filter->Datasql().find("'%WIN%'"), std::string::npos) << filter->Datasql();
}

// Clicks alone: all dates, a condition, a date from the calendar F7 opens
// (a step right of today), a sort key made descending, a column unticked; OK.
TEST(FilterDialogQt, ClicksAndTheCalendarReachTheRulesAndGiveTheSelect) {
    DemoSession session;
    std::string seen;
    auto filter = ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
        const auto fields = f.VpFilter.comboItems(2, 3);
        const auto date = std::find(fields.begin(), fields.end(), "日期") - fields.begin();
        seen = RunSteps(
            dialog,
            "combo cboTime 3; pick VpFilter 1,3,2; pick VpFilter 1,4,1; cell VpFilter 1,6 WIN; "
            "pick VpFilter 2,3," +
                std::to_string(date) +
                "; click VpFilter 2,6; key F7; key Right; key Return; tab SSTab1 1; "
                "item listOrderFields 1; press cmdAdd; click vsOrder 1,3; tab SSTab1 2; "
                "click vaHideColumn 2,3; =; press cmdOk",
            [&](const std::string&) {
                return std::to_string(f.cboTime.listIndex()) + " " + f.VpFilter.text(1, 3) + " " +
                       f.VpFilter.text(1, 6) + " " + f.vaHideColumn.text(2, 3) + " " +
                       f.VpFilter.text(2, 6);
            });
    });
    EXPECT_EQ(seen, "3 单据编号 WIN 0 " +
                        QDate::currentDate().addDays(1).toString("yyyy-MM-dd").toStdString());
    ASSERT_TRUE(filter->OK()) << session.messages.messages.size();
    EXPECT_NE(filter->Datasql().find("WIN"), std::string::npos) << filter->Datasql();
    EXPECT_NE(filter->Datasql().find("FBillNo DESC"), std::string::npos) << filter->Datasql();
}

// Toolbar, view menu and scheme list reach the rules; a rule may change the
// toolbar from its own button. Underlined letters press buttons: 添加(A),
// 删除(R) (a sort key chosen), 取消(C).
TEST(FilterDialogQt, ToolbarMenuSchemeListAndUnderlinedLettersFireTheirEvents) {
    DemoSession session;
    std::string log;
    auto filter = ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
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
        QAction* small = button("TLBVIEW")->menu()->actions().at(1);
        log +=
            button("TLBSAVE")->toolTip().toStdString() + " " + small->text().toStdString() + "\n";
        small->trigger();
        const int last = Widget<QListWidget>(dialog, "lvwProject")->count() - 1;
        RunSteps(
            dialog,
            "press tlbProject.TLBSAVE; ?; item lvwProject " + std::to_string(last) +
                "; tab SSTab1 1; key A-A; #; click vsOrder 1,1; key A-R; #; key A-A; #; key A-C",
            [&](const std::string& step) {
                if (step == "#") log += std::to_string(f.grids.sortRowCount()) + "\n";
                if (step == "?")
                    log += button("TLBSAVE")->toolTip().toStdString() +
                           (button("TLBDEL")->isEnabled() ? "\n" : " TLBDEL disabled\n");
                return std::string();
            });
        EXPECT_TRUE(QTest::qWaitFor([&] { return !f.shown(); }));
    });
    EXPECT_FALSE(filter->OK());
    EXPECT_EQ(log,
              "保存 小图表(&M)\nmenu TLBVIEW 1\nbutton TLBSAVE\n已保存 TLBDEL disabled\n"
              "scheme P9999\n1\n0\n1\n");
}

}  // namespace
}  // namespace qelt::testing
