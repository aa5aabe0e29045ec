#include <gtest/gtest.h>

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <string>

#include "dialog/frm_saveschame.h"
#include "qelt/host/lookup_query.h"
#include "ui_qt/filter_fixture.h"
#include "ui_qt/lookup_window.h"

namespace qelt::testing {
namespace {

// Pictures of the dialogs as a person sees them at their default size,
// written to <build>/screenshots; docs/screenshots holds copies for the
// README.
QString ShotPath(const char* name) {
    QDir dir(QStringLiteral(QELT_TEST_BINARY_DIR "/screenshots"));
    dir.mkpath(".");
    return dir.filePath(QString::fromLatin1(name));
}

// How many different colours the picture uses: a blank or single-colour
// window has one or two.
int Colours(const QImage& image) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) seen.insert(image.pixel(x, y));
    return seen.size();
}

std::string Save(QWidget& widget, const char* name) {
    const QPixmap shot = widget.grab();
    EXPECT_TRUE(shot.save(ShotPath(name)));
    const QImage image = shot.toImage();
    EXPECT_GT(image.width(), 300);
    EXPECT_GT(Colours(image), 20) << name << " looks blank";
    return name;
}

// The text drawn with `font`, as a picture.
QImage Render(const QFont& font, const QString& text) {
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(image.rect(), Qt::AlignCenter, text);
    return image;
}

int ItemOf(const ui::Grid& grid, int row, int col, const char* item) {
    const auto items = grid.comboItems(row, col);
    return static_cast<int>(std::find(items.begin(), items.end(), item) - items.begin());
}

TEST(Screenshots, DialogFontHasTheGlyphsOfTheChineseCaptions) {
    const QFont font = qt::DialogFont();
    EXPECT_EQ(font.families().value(0), QString("WenQuanYi Micro Hei"));
    const QFontMetrics metrics(font);
    for (const QString& text :
         {QString("过滤"), QString("方案保存"), QString("确定取消条件排序")}) {
        for (const QChar ch : text) EXPECT_TRUE(metrics.inFont(ch)) << text.toStdString();
    }
    // Two different characters draw two different pictures: a font without
    // the glyphs draws the same empty box for both.
    EXPECT_NE(Render(font, "过"), Render(font, "滤"));
    EXPECT_NE(Render(font, "过"), Render(font, QString(QChar(0xE000))));
}

TEST(Screenshots, FilterDialogEachTabSaveSchemeDialogAndLookupWindow) {
    constexpr int kOpen = 1;  // "(" and ")" in their lists
    constexpr int kOr = 1;    // "或者"
    constexpr int kAnd = 0;   // "并且"
    FilterSession session;
    std::vector<std::string> saved;
    ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter& f) {
        // Two bill numbers in parentheses joined by OR, and a date; the
        // date first and the bill number descending as sort keys; through
        // the person's actions.
        ui::Grid& g = f.VpFilter;
        f.focus("VpFilter");
        g.pick(1, 2, kOpen);
        g.pick(1, 3, ItemOf(g, 1, 3, "单据编号"));
        g.type(1, 6, "WIN-2026");
        g.pick(2, 1, kOr);
        g.pick(2, 3, ItemOf(g, 2, 3, "单据编号"));
        g.type(2, 6, "WIN-2027");
        g.pick(2, 7, kOpen);
        g.pick(3, 1, kAnd);
        g.pick(3, 3, ItemOf(g, 3, 3, "日期"));
        g.type(3, 6, "2026-12-01");
        f.focus("cboTime");
        f.cboTime.select(3);
        f.SSTab1.select(1);
        f.focus("listOrderFields");
        f.listOrderFields.select(0);
        f.focus("cmdAdd");
        f.cmdAdd.click();
        f.listOrderFields.select(1);
        f.cmdAdd.click();
        f.focus("vsOrder");
        f.vsOrder.click(2, 3);
        f.vsOrder.clickCheck(2, 3);
        f.SSTab1.select(0);
        f.focus("VpFilter");
        auto* tabs = Widget<QTabWidget>(dialog, "SSTab1");
        const char* names[] = {"filter-conditions.png", "filter-sort.png", "filter-columns.png"};
        for (int tab = 0; tab < 3; ++tab) {
            if (tab > 0) tabs->tabBar()->setFocus();  // as after a click on the tab
            tabs->setCurrentIndex(tab);
            QApplication::processEvents();
            saved.push_back(Save(dialog, names[tab]));
        }
    });
    dialog::frmSaveschame save;
    save.txtSchemeName.setText("本月外购入库");
    save.chkShare.setValue(1);
    RunShown(save, [&](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString("方案保存"));
        saved.push_back(Save(dialog, "save-scheme.png"));
    });
    constexpr int kMaterials = 4;
    auto materials = host::LookupQuery::ForClass(kMaterials);
    ASSERT_TRUE(materials);
    qt::LookupWindow lookup(std::move(*materials), "1.01");
    lookup.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lookup));
    saved.push_back(Save(lookup, "lookup.png"));
    EXPECT_EQ(saved.size(), 5u);
}

}  // namespace
}  // namespace qelt::testing
