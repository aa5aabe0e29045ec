#include "ui_qt/qt_test_support.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "qelt/host/session.h"
#include "support/shared_settings.h"

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

namespace {

QPoint CellCentre(QTableView& view, int row, int col) {
    const QModelIndex index = view.model()->index(row - 1, col - 1);
    view.scrollTo(index);
    return view.visualRect(index).center();
}

}  // namespace

void TypeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

void ClickCheckBox(QWidget& box) {
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
}

QWidget* OpenPopup() {
    QWidget* popup = QApplication::activePopupWidget();
    return popup && popup->isVisible() ? popup : nullptr;
}

namespace {

// A window manager gives the activation back to the dialog when a pop-up
// closes; the offscreen platform leaves it with the closed pop-up.
void SettleActiveWindow() {
    QWidget* active = QApplication::activeWindow();
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && (!active || !active->isVisible()) && !OpenPopup()) {
        QApplication::setActiveWindow(modal);
        if (QWidget* focus = modal->focusWidget()) focus->setFocus(Qt::ActiveWindowFocusReason);
    }
}

}  // namespace

void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    SettleActiveWindow();
    QWidget* target = QApplication::focusWidget();
    if (QWidget* popup = OpenPopup()) target = popup->focusWidget() ? popup->focusWidget() : popup;
    ASSERT_NE(target, nullptr) << "no widget has the focus";
    QTest::keyClick(target, key, modifiers);
    // A person's next key comes after the window has handled this one.
    QApplication::processEvents();
}

void TypeKeys(const QString& text) {
    for (const QChar ch : text) {
        SettleActiveWindow();
        QWidget* target = QApplication::focusWidget();
        if (QWidget* popup = OpenPopup())
            target = popup->focusWidget() ? popup->focusWidget() : popup;
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

namespace {

// Clicks `list` (a drop-down's open list) on item `index`: an item's
// rectangle may run past the list's visible width.
void ClickListItem(QAbstractItemView& list, int index) {
    const QModelIndex item = list.model()->index(index, 0);
    list.scrollTo(item);
    const QRect at = list.visualRect(item);
    const QPoint middle(std::min(at.center().x(), list.viewport()->width() / 2), at.center().y());
    // The person moves the pointer to the item first: a drop-down opened by
    // a click takes no release until the pointer has moved.
    QMouseEvent move(QEvent::MouseMove, middle, list.viewport()->mapToGlobal(middle), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &move);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, middle);
    QApplication::processEvents();
}

}  // namespace

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
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, CellCentre(view, row, col));
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

void PickInCell(QTableView& view, int row, int col, int index) {
    ClickCell(view, row, col);
    auto* combo = qobject_cast<QComboBox*>(view.indexWidget(view.model()->index(row - 1, col - 1)));
    ASSERT_NE(combo, nullptr) << "no drop-down in cell " << row << "," << col;
    ASSERT_TRUE(combo->view()->isVisible())
        << "the list of cell " << row << "," << col << " is not open";
    ClickListItem(*combo->view(), index);
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

std::string LineDiff(const std::string& a, const std::string& b) {
    const auto split = [](const std::string& s) {
        std::vector<std::string> lines;
        std::size_t at = 0;
        while (at < s.size()) {
            const auto end = s.find('\n', at);
            lines.push_back(s.substr(at, end == std::string::npos ? end : end - at));
            if (end == std::string::npos) break;
            at = end + 1;
        }
        return lines;
    };
    const auto la = split(a);
    const auto lb = split(b);
    std::string out;
    for (std::size_t i = 0; i < std::max(la.size(), lb.size()); ++i) {
        const std::string x = i < la.size() ? la[i] : "(none)";
        const std::string y = i < lb.size() ? lb[i] : "(none)";
        if (x != y) out += "-" + x + "\n+" + y + "\n";
    }
    return out;
}

DemoSession::DemoSession() {
    support::ResetProcessState();
    host::SetDatabase(std::string("sqlite3://db=") + QELT_TEST_DEMO_DB);
}

DemoSession::~DemoSession() {
    support::ResetProcessState();
}

}  // namespace qelt::testing
