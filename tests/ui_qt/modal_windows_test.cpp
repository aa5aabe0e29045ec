
#include <tuple>

#include "qelt/dictionary.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/host/session.h"
#include "ui_qt/lookup_window.h"
#include "ui_qt/qt_test_support.h"

namespace qelt::testing {
namespace {

// Starts from the typed text, narrows on typing; Enter or 确定 returns the
// row, Escape nothing; classes with no table answer nothing.
TEST(LookupWindows, LookupsStartFromTheTypedTextAndReturnTheChosenItem) {
    DemoSession session;
    qt::RegisterLookupWindows();
    const auto view = host::Create<host::IGLView>(host::progid::kGLView);
    std::string seen;
    const auto rows = [](const std::string&) {  // the window's rows: number and name
        auto* model = QApplication::activeModalWidget()->findChild<QTableView*>("items")->model();
        std::string s;
        for (int r = 0; r < model->rowCount(); ++r)
            s += model->index(r, 0).data().toString().toStdString() + " " +
                 model->index(r, 1).data().toString().toStdString() + "\n";
        return s + "|";
    };
    OnNextModal([&](QWidget& window) {
        QTest::qWait(20);
        seen = RunSteps(window, "?; type .004; |; key Return", rows);
    });
    int32_t classId = 4;
    std::string filter;
    Dictionary settings;
    settings.add("Search", "1.01");
    settings.add("GetDataType", 1);
    const auto item = view->ItemLookup(classId, "1.01", filter, settings)->ReturnObject();
    ASSERT_TRUE(item);
    seen += item->Number() + " " + item->Name() + " " +
            item->Properties("FShortNumber").toString("") + " " +
            std::to_string(item->Properties("FNoSuchField").isEmpty()) + "|";
    OnNextModal([&](QWidget& window) {
        seen += RunSteps(window, "?; type 美", rows);
        auto* box = window.findChild<QDialogButtonBox*>();
        for (QAbstractButton* b : box->buttons()) seen += b->text().toStdString() + " ";
        QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    const auto currency = view->CurrencyLookup()->ReturnObject();
    ASSERT_TRUE(currency);
    EXPECT_EQ(seen + currency->Number() + " " + currency->Name(),
              "1.01.001 冷轧钢板\n1.01.002 冷轧钢板\n1.01.003 不锈钢板\n1.01.004 铝板\n|"
              "1.01.004 铝板\n|1.01.004 铝板 004 1|EUR 欧元\nRMB 人民币\nUSD 美元\n|确定 取消 USD "
              "美元");
    OnNextModal([](QWidget& window) { QTest::keyClick(&window, Qt::Key_Escape); });
    EXPECT_EQ(view->CurrencyLookup()->ReturnObject(), nullptr);
    EXPECT_EQ(view->AccountLookup()->ReturnObject(), nullptr);
    auto single = host::Create<host::ISingleBillLookUp>(host::progid::kSingleBillLookUp);
    single->setClassTypeID(1000001);
    EXPECT_EQ(single->Show(), nullptr);
}

// Every icon and button set, each button and Escape (NoButton): title, text,
// icon, buttons (in the dialogs' language) and the answer.
TEST(MessageBox, ShowsIconAndButtonsAndReturnsTheAnswer) {
    using B = QMessageBox;
    const std::tuple<int, int, B::StandardButton> cases[] = {
        {0, 0, B::Ok},        {16, 0, B::NoButton}, {32, 4, B::Yes},    {32, 4, B::No},
        {32, 4, B::NoButton}, {48, 1, B::Ok},       {48, 1, B::Cancel}, {64, 1, B::NoButton}};
    qt::UseQtDialogs();
    std::string seen;
    for (const auto& [icon, buttons, press] : cases) {
        OnNextModal([&, press = press](QWidget& window) {
            auto* box = qobject_cast<QMessageBox*>(&window);
            ASSERT_NE(box, nullptr);
            seen += box->windowTitle().toStdString() + "|" + box->text().toStdString() + "|" +
                    std::to_string(box->icon());
            for (auto b : {B::Ok, B::Cancel, B::Yes, B::No})
                if (box->button(b)) seen += " " + box->button(b)->text().toStdString();
            if (press == B::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(press)->click();
        });
        host::Message m{"提示", "第一行\n第二行", icon, buttons};
        seen += " = " + std::to_string(qt::ShowMessage(m)) + ";";
    }
    host::SetMessageSink(nullptr);
    const std::string box = "提示|第一行\n第二行|";
    EXPECT_EQ(seen, box + "0 确定 = 1;" + box + "3 确定 = 1;" + box + "4 是(&Y) 否(&N) = 1;" + box +
                        "4 是(&Y) 否(&N) = 7;" + box + "4 是(&Y) 否(&N) = 7;" + box +
                        "2 确定 取消 = 1;" + box + "2 确定 取消 = 2;" + box + "1 确定 取消 = 2;");
}

// A translator the host installed for Qt's own texts stays in charge.
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
