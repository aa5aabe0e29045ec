#include "ui_qt/lookup_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <string>

#include "qelt/dictionary.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/host/session.h"
#include "support/shared_settings.h"
#include "ui_qt/grid_view.h"
#include "ui_qt/qt_test_support.h"

namespace qelt::testing {
namespace {

// The rows the window lists: number and name, each row on a line.
std::string Rows(QWidget& window) {
    auto* model = window.findChild<QTableView*>("items")->model();
    std::string s;
    for (int r = 0; r < model->rowCount(); ++r)
        s += model->index(r, 0).data().toString().toStdString() + " " +
             model->index(r, 1).data().toString().toStdString() + "\n";
    return s;
}

// The session database is the bundled demo database.
class LookupWindows : public ::testing::Test {
protected:
    LookupWindows() {
        support::ResetProcessState();
        host::SetDatabase(std::string("sqlite3://db=") + QELT_TEST_DEMO_DB);
        qt::RegisterLookupWindows();
        view = host::Create<host::IGLView>(host::progid::kGLView);
    }
    ~LookupWindows() override { support::ResetProcessState(); }
    std::shared_ptr<host::IGLView> view;
};

// F7 on materials: the window starts from the typed text, narrows as the
// person types, and Enter returns the current row's number, name and short
// number. Classes the database has no table for answer nothing.
TEST_F(LookupWindows, ItemLookupStartsFromTheTypedTextAndReturnsTheChosenItem) {
    std::string seen;
    OnNextModal([&](QWidget& window) {
        EXPECT_EQ(window.objectName(), QString(qt::LookupWindow::kObjectName));
        seen = Rows(window) + "|";
        auto* search = window.findChild<QLineEdit*>("search");
        QTest::qWait(20);
        QTest::keyClicks(search, ".004");
        seen += Rows(window);
        QTest::keyClick(search, Qt::Key_Return);
    });
    int32_t classId = 4;
    std::string filter;
    Dictionary settings;
    settings.add("Search", "1.01");
    settings.add("GetDataType", 1);
    auto result = view->ItemLookup(classId, "1.01", filter, settings);
    EXPECT_EQ(seen,
              "1.01.001 冷轧钢板\n1.01.002 冷轧钢板\n1.01.003 不锈钢板\n1.01.004 铝板\n|"
              "1.01.004 铝板\n");
    ASSERT_TRUE(result && result->ReturnObject());
    auto item = result->ReturnObject();
    EXPECT_EQ(item->Number() + "|" + item->Name() + "|" +
                  item->Properties("FShortNumber").toString("") + "|" +
                  std::to_string(item->Properties("FNoSuchField").isEmpty()),
              "1.01.004|铝板|004|1");
    EXPECT_EQ(view->AccountLookup()->ReturnObject(), nullptr);
    auto single = host::Create<host::ISingleBillLookUp>(host::progid::kSingleBillLookUp);
    single->setClassTypeID(1000001);
    EXPECT_EQ(single->Show(), nullptr);
}

// The search line says what it searches, rows are as high as a grid's, 确定
// chooses as Enter does and Escape chooses nothing.
TEST_F(LookupWindows, CurrencyLookupReturnsCodeAndNameAndEscapeChoosesNothing) {
    OnNextModal([&](QWidget& window) {
        EXPECT_EQ(Rows(window), "EUR 欧元\nRMB 人民币\nUSD 美元\n");
        auto* search = window.findChild<QLineEdit*>("search");
        EXPECT_FALSE(search->placeholderText().isEmpty());
        auto* items = window.findChild<QTableView*>("items");
        EXPECT_EQ(items->rowHeight(0), qt::GridRowHeight(*items));
        auto* box = window.findChild<QDialogButtonBox*>();
        std::string buttons;
        for (QAbstractButton* b : box->buttons()) buttons += b->text().toStdString() + " ";
        EXPECT_EQ(buttons, "确定 取消 ");
        TypeText(search, "美");
        QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    auto item = view->CurrencyLookup()->ReturnObject();
    ASSERT_TRUE(item);
    EXPECT_EQ(item->Number() + " " + item->Name(), "USD 美元");
    OnNextModal([](QWidget& window) { QTest::keyClick(&window, Qt::Key_Escape); });
    EXPECT_EQ(view->CurrencyLookup()->ReturnObject(), nullptr);
}

}  // namespace
}  // namespace qelt::testing
