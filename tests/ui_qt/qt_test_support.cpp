#include "ui_qt/qt_test_support.h"

#include <algorithm>
#include <sstream>

#include "qelt/host/session.h"
#include "qelt/ui/presenter.h"
#include "ui_qt/form_view.h"

namespace qelt::testing {
namespace {

// The open drop-down list or calendar, or null.
QWidget* OpenPopup() {
    QWidget* popup = QApplication::activePopupWidget();
    return popup && popup->isVisible() ? popup : nullptr;
}

// Waits for `dialog` on screen, runs `drive`, then closes a form still shown
// by `key`, else by its window's close button, else by code.
void Drive(QWidget& dialog, ui::Form& form, const std::function<void()>& drive, int key = 0) {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QApplication::setActiveWindow(&dialog);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    drive();
    if (form.shown() && key) QTest::keyClick(&dialog, Qt::Key(key));
    if (form.shown()) dialog.close();
    if (form.shown()) form.hide();
}

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
    return QApplication::focusWidget() ? QApplication::focusWidget() : modal;
}

// Clicks item `index` of a drop-down's open list after moving the pointer
// there (a list opened by a click takes no release before a move).
void Pick(QComboBox* combo, int index) {
    ASSERT_TRUE(combo && combo->view()->isVisible()) << "no open list";
    QAbstractItemView& list = *combo->view();
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

// Key presses of `text` one character at a time, each to where `target` says
// once the last one is handled (QTest::keyClicks takes ASCII only).
void TypeText(const std::function<QWidget*()>& target, const QString& text) {
    for (const QChar ch : text) {
        QWidget* to = target();
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent key(type, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(to, &key);
        }
        QApplication::processEvents();
    }
}

}  // namespace

void RunShown(ui::Form& form, const std::function<void(QWidget& dialog)>& drive) {
    qt::QtPresenter presenter;
    presenter.setShownHook([&](QWidget& dialog, ui::Form& shown) {
        if (&shown == &form) Drive(dialog, form, [&] { drive(dialog); });
    });
    presenter.runModal(form);
}

std::string FocusName() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w->objectName().toStdString();
    return {};
}

std::string RunSteps(QWidget& dialog, const std::string& script,
                     const std::function<std::string(const std::string& step)>& other) {
    std::string out;
    std::istringstream steps(script);
    for (std::string step; std::getline(steps >> std::ws, step, ';');) {
        std::istringstream in(step);
        std::string verb, name, rest;
        in >> verb >> name;
        std::getline(in >> std::ws, rest);
        QWidget* w = dialog.findChild<QWidget*>(QString::fromStdString(name));
        auto* view = qobject_cast<QTableView*>(w);
        int r = 0, c = 0, i = 0;
        std::sscanf(rest.c_str(), "%d,%d,%d", &r, &c, &i);
        const auto cell = [&] { return view->indexWidget(view->model()->index(r - 1, c - 1)); };
        if (verb == "key") {
            const QKeyCombination key = QKeySequence(
                QString::fromStdString(name).replace("A-", "Alt+").replace("S-", "Shift+"))[0];
            QTest::keyClick(KeyTarget(), key.key(), key.keyboardModifiers());
            if (name.starts_with("A-")) QTest::qWait(200);  // a shortcut clicks after a moment
        } else if (verb == "type") {
            TypeText(KeyTarget, QString::fromStdString(step.substr(5)));
        } else if (!w && !name.empty()) {
            ADD_FAILURE() << "no widget: " << step;
        } else if (verb == "press") {
            const bool box = qobject_cast<QCheckBox*>(w);
            QTest::mouseClick(w, Qt::LeftButton, {}, box ? QPoint(6, w->height() / 2) : QPoint());
        } else if (verb == "combo") {
            QTest::mouseClick(w, Qt::LeftButton);
            Pick(qobject_cast<QComboBox*>(w), r);
        } else if (auto* tabs = qobject_cast<QTabWidget*>(w); tabs && verb == "tab") {
            QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                              tabs->tabBar()->tabRect(r).center());
        } else if (auto* list = qobject_cast<QListWidget*>(w); list && verb == "item") {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(r)).center());
        } else if (view && (verb == "click" || verb == "pick" || verb == "cell")) {
            view->scrollTo(view->model()->index(r - 1, c - 1));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(view->model()->index(r - 1, c - 1)).center());
            if (verb == "pick") Pick(qobject_cast<QComboBox*>(cell()), i);
            if (verb == "cell") QTest::keyClick(view, Qt::Key_F2);
            if (verb == "cell" && cell()) {
                if (auto* line = qobject_cast<QLineEdit*>(cell())) line->selectAll();
                TypeText(cell, QString::fromStdString(rest.substr(rest.find(' ') + 1)));
                QTest::keyClick(cell(), Qt::Key_Return);
            } else if (verb == "cell") {
                ADD_FAILURE() << "no editor: " << step;
            }
        } else {
            out += other(step);
        }
        QApplication::processEvents();  // the window handles one step before the next
    }
    return out;
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

DemoSession::DemoSession() {
    qt::WindowSettings()->clear();
    db.exec(ReadFile(std::string(QELT_TEST_SOURCE_DIR) + "/data/demo.sql"));
    host::SetSharedProperty("PropsString", "UserID=1;UserName=Administrator");
}

std::unique_ptr<CFilter> ShowWithQt(
    int listId, const std::function<void(QWidget& dialog, dialog::frmFilter& form)>& drive) {
    auto presenter = std::make_shared<qt::QtPresenter>();
    presenter->setShownHook([&](QWidget& dialog, ui::Form& form) {
        if (form.name() != dialog::frmFilter::kName) return;
        Drive(
            dialog, form, [&] { drive(dialog, static_cast<dialog::frmFilter&>(form)); },
            Qt::Key_Escape);
    });
    ui::SetPresenter(presenter);
    auto filter = std::make_unique<CFilter>();
    filter->setListID(listId);
    filter->Show();
    ui::SetPresenter(nullptr);
    return filter;
}

}  // namespace qelt::testing
