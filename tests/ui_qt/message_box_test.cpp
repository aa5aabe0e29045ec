#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTranslator>
#include <string>

#include "qelt/host/session.h"
#include "ui_qt/qt_test_support.h"

namespace qelt::testing {
namespace {

struct BoxCase {
    int icon;
    int buttons;
    QMessageBox::StandardButton press;  // NoButton: Escape
    int answer;
    QMessageBox::Icon shownIcon;
    const char* shownButtons;
};

// Every icon and button set the rules use, with every button pressed and
// Escape; the box's title, text, icon and buttons as shown: the standard
// buttons speak the dialogs' language.
TEST(MessageBox, ShowsIconAndButtonsAndReturnsTheAnswer) {
    const BoxCase cases[] = {
        {0, 0, QMessageBox::Ok, 1, QMessageBox::NoIcon, "确定"},
        {16, 0, QMessageBox::NoButton, 1, QMessageBox::Critical, "确定"},
        {32, 4, QMessageBox::Yes, 1, QMessageBox::Question, "是(&Y),否(&N)"},
        {32, 4, QMessageBox::No, 7, QMessageBox::Question, "是(&Y),否(&N)"},
        {32, 4, QMessageBox::NoButton, 7, QMessageBox::Question, "是(&Y),否(&N)"},
        {48, 1, QMessageBox::Ok, 1, QMessageBox::Warning, "确定,取消"},
        {48, 1, QMessageBox::Cancel, 2, QMessageBox::Warning, "确定,取消"},
        {64, 1, QMessageBox::NoButton, 2, QMessageBox::Information, "确定,取消"},
    };
    qt::UseQtDialogs();
    for (const auto& c : cases) {
        SCOPED_TRACE("icon " + std::to_string(c.icon) + " buttons " + std::to_string(c.buttons) +
                     " press " + std::to_string(c.press));
        std::string seen;
        OnNextModal([&](QWidget& window) {
            auto* box = qobject_cast<QMessageBox*>(&window);
            ASSERT_NE(box, nullptr);
            seen = box->windowTitle().toStdString() + "|" + box->text().toStdString() + "|";
            EXPECT_EQ(box->icon(), c.shownIcon);
            std::string names;
            for (auto b : {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No})
                if (box->button(b))
                    names += (names.empty() ? "" : ",") + box->button(b)->text().toStdString();
            seen += names;
            if (c.press == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(c.press)->click();
        });
        // The library's messages go through the sink that UseQtDialogs set.
        host::Message m{"提示", "第一行\n第二行", c.icon, c.buttons};
        EXPECT_EQ(qt::ShowMessage(m), c.answer);
        EXPECT_EQ(seen, std::string("提示|第一行\n第二行|") + c.shownButtons);
    }
    host::SetMessageSink(nullptr);
}

// A translator serves the whole process: one the host installed for Qt's
// own texts stays in charge.
TEST(MessageBox, TheHostsTranslationOfQtTextsStays) {
    class HostTranslator : public QTranslator {
    public:
        QString translate(const char* context, const char* text, const char*, int) const override {
            return QByteArray(context) == "QPlatformTheme" ? QString("[%1]").arg(text) : QString();
        }
        bool isEmpty() const override { return false; }
    } host;
    QCoreApplication::installTranslator(&host);
    EXPECT_FALSE(qt::InstallQtTranslations());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("[Cancel]"));
    QCoreApplication::removeTranslator(&host);
}

}  // namespace
}  // namespace qelt::testing
