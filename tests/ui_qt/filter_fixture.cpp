#include "ui_qt/filter_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTest>

#include "qelt/host/session.h"
#include "qelt/ui/presenter.h"
#include "ui_qt/form_view.h"

namespace qelt::testing {

FilterSession::FilterSession() {
    // Every test opens the dialog as it is designed.
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

std::unique_ptr<CFilter> ShowScripted(int listId,
                                      const std::function<void(dialog::frmFilter& form)>& user) {
    ui::SetPresenter(std::make_shared<ui::ScriptedPresenter>([&](ui::Form& form) {
        if (form.name() == dialog::frmFilter::kName) user(static_cast<dialog::frmFilter&>(form));
    }));
    auto filter = std::make_unique<CFilter>();
    filter->setListID(listId);
    filter->Show();
    ui::SetPresenter(nullptr);
    return filter;
}

}  // namespace qelt::testing
