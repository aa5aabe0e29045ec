#include "ui_qt/qt_test_support.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "qelt/host/session.h"
#include "qelt/ui/presenter.h"
#include "ui_qt/form_view.h"

namespace qelt::testing {

void RunShown(ui::Form& form, const std::function<void(QWidget& dialog)>& drive) {
    qt::QtPresenter presenter;
    presenter.setShownHook([&](QWidget& dialog, ui::Form& shown) {
        if (&shown != &form) return;
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        drive(dialog);
        if (shown.shown()) dialog.close();
        if (shown.shown()) shown.hide();
    });
    presenter.runModal(form);
}

void TypeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

QWidget* OpenPopup() {
    QWidget* popup = QApplication::activePopupWidget();
    return popup && popup->isVisible() ? popup : nullptr;
}

namespace {

// Where a person's next key goes. A window manager gives the activation
// back to the dialog when a pop-up closes; the offscreen platform does not.
QWidget* KeyTarget() {
    QWidget* active = QApplication::activeWindow();
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && (!active || !active->isVisible()) && !OpenPopup()) {
        QApplication::setActiveWindow(modal);
        if (QWidget* focus = modal->focusWidget()) focus->setFocus(Qt::ActiveWindowFocusReason);
    }
    if (QWidget* popup = OpenPopup()) return popup->focusWidget() ? popup->focusWidget() : popup;
    return QApplication::focusWidget();
}

// Clicks item `index` of a drop-down's open list, after moving the pointer
// there (a list opened by a click takes no release before the pointer has
// moved); an item's rectangle may run past the list's visible width.
void ClickListItem(QAbstractItemView& list, int index) {
    const QModelIndex item = list.model()->index(index, 0);
    list.scrollTo(item);
    const QRect at = list.visualRect(item);
    const QPoint middle(std::min(at.center().x(), list.viewport()->width() / 2), at.center().y());
    QMouseEvent move(QEvent::MouseMove, middle, list.viewport()->mapToGlobal(middle), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &move);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, middle);
    QApplication::processEvents();
}

}  // namespace

void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = KeyTarget();
    ASSERT_NE(target, nullptr) << "no widget has the focus";
    QTest::keyClick(target, key, modifiers);
    QApplication::processEvents();  // the window handles one key before the next
}

void TypeKeys(const QString& text) {
    for (const QChar ch : text) {
        QWidget* target = KeyTarget();
        ASSERT_NE(target, nullptr) << "no widget has the focus";
        TypeText(target, QString(ch));
        QApplication::processEvents();
    }
}

std::string FocusName() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w->objectName().toStdString();
    return {};
}

void ClickCheckBox(QWidget& box) {
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
}

void PickInCombo(QComboBox& combo, int index) {
    QTest::mouseClick(&combo, Qt::LeftButton);
    ASSERT_TRUE(combo.view()->isVisible()) << "the list did not open";
    ClickListItem(*combo.view(), index);
}

void ClickTab(QTabWidget& tabs, int tab) {
    QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {}, tabs.tabBar()->tabRect(tab).center());
    QApplication::processEvents();
}

void ClickCell(QTableView& view, int row, int col) {
    const QModelIndex index = view.model()->index(row - 1, col - 1);
    view.scrollTo(index);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(index).center());
}

void PickInCell(QTableView& view, int row, int col, int index) {
    ClickCell(view, row, col);
    auto* combo = qobject_cast<QComboBox*>(view.indexWidget(view.model()->index(row - 1, col - 1)));
    ASSERT_NE(combo, nullptr) << "no drop-down in cell " << row << "," << col;
    ASSERT_TRUE(combo->view()->isVisible()) << "the list of " << row << "," << col << " is shut";
    ClickListItem(*combo->view(), index);
}

void TypeIntoCell(QTableView& view, int row, int col, const QString& text) {
    ClickCell(view, row, col);
    QTest::keyClick(&view, Qt::Key_F2);
    QWidget* editor = view.indexWidget(view.model()->index(row - 1, col - 1));
    ASSERT_NE(editor, nullptr) << "no editor in cell " << row << "," << col;
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
    TypeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

void OnNextModal(const std::function<void(QWidget& window)>& action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QWidget* before = QApplication::activeModalWidget();
    QObject::connect(timer, &QTimer::timeout, [timer, before, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == before || !modal->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        action(*modal);
    });
    timer->start();
}

FilterSession::FilterSession() {
    qt::WindowSettings()->clear();
    db.exec(ReadFile(std::string(QELT_TEST_SOURCE_DIR) + "/data/demo.sql"));
    host::SetSharedProperty("PropsString", "UserID=1;UserName=Administrator");
}

FilterSession::~FilterSession() {
    ui::SetPresenter(nullptr);
}

std::unique_ptr<CFilter> ShowWithQt(
    int listId, const std::function<void(QWidget& dialog, dialog::frmFilter& form)>& drive) {
    auto presenter = std::make_shared<qt::QtPresenter>();
    presenter->setShownHook([&](QWidget& dialog, ui::Form& form) {
        if (form.name() != dialog::frmFilter::kName) return;
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QApplication::setActiveWindow(&dialog);
        drive(dialog, static_cast<dialog::frmFilter&>(form));
        if (form.shown()) QTest::keyClick(&dialog, Qt::Key_Escape);
        if (form.shown()) form.hide();
    });
    ui::SetPresenter(presenter);
    auto filter = std::make_unique<CFilter>();
    filter->setListID(listId);
    filter->Show();
    ui::SetPresenter(nullptr);
    return filter;
}

}  // namespace qelt::testing
