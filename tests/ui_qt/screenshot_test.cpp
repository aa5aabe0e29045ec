#include <gtest/gtest.h>

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSet>

#include "ui_qt/filter_fixture.h"

namespace qelt::testing {
namespace {

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

// The dialog font has the glyphs of the Chinese captions: two characters
// draw two pictures, unlike the one box a font without them draws. The
// filter dialog as a person first sees it (written to <build>/screenshots;
// docs/screenshots holds copies for the README) is no blank window: it
// uses many colours.
TEST(Screenshots, FilterDialogIsDrawnWithTheGlyphsOfItsCaptions) {
    const QFont font = qt::DialogFont();
    EXPECT_EQ(font.families().value(0), QString("WenQuanYi Micro Hei"));
    for (const QChar ch : QString("过滤方案保存确定取消条件排序"))
        EXPECT_TRUE(QFontMetrics(font).inFont(ch)) << int(ch.unicode());
    EXPECT_NE(Render(font, "过"), Render(font, "滤"));
    EXPECT_NE(Render(font, "过"), Render(font, QString(QChar(0xE000))));
    FilterSession session;
    ShowWithQt(1, [&](QWidget& dialog, dialog::frmFilter&) {
        const QPixmap shot = dialog.grab();
        QDir dir(QStringLiteral(QELT_TEST_BINARY_DIR "/screenshots"));
        dir.mkpath(".");
        EXPECT_TRUE(shot.save(dir.filePath("filter-conditions.png")));
        const QImage image = shot.toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
        EXPECT_GT(image.width(), 300);
        EXPECT_GT(colours.size(), 20) << "the dialog looks blank";
    });
}

}  // namespace
}  // namespace qelt::testing
