#include "qelt/qt/qt_dialogs.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "form_view.h"
#include "lookup_window.h"
#include "qstring_utf8.h"

namespace qelt::qt {

namespace {

// A font with the CJK glyphs of the dialog texts, installed with the system.
constexpr const char* kCjkFamily = "WenQuanYi Micro Hei";
constexpr const char* kCjkFallbacks[] = {kCjkFamily, "Noto Sans CJK SC", "Source Han Sans SC",
                                         "Droid Sans Fallback"};

// The dialogs' texts are Simplified Chinese; Qt's standard texts follow.
constexpr const char* kDialogLocale = "zh_CN";
constexpr const char* kQtCatalogue = "qtbase";
constexpr const char* kCatalogueSeparator = "_";
// A text every translation of Qt's standard buttons translates.
constexpr const char* kProbeContext = "QPlatformTheme";
constexpr const char* kProbeText = "Cancel";

constexpr int kIconCritical = 16;
constexpr int kIconQuestion = 32;
constexpr int kIconExclamation = 48;
constexpr int kIconInformation = 64;
constexpr int kButtonsOkCancel = 1;
constexpr int kButtonsYesNo = 4;
constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerNo = 7;

QWidget* DialogParent(QWidget* parent) {
    if (parent) return parent;
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

bool NonEmptyEnv(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

}  // namespace

// --- fonts ------------------------------------------------------------------

QFont DialogFont() {
    QFont font = QApplication::font();
    const QStringList families = QFontDatabase::families();
    for (const char* family : kCjkFallbacks) {
        if (families.contains(QString::fromLatin1(family))) {
            font.setFamilies({QString::fromLatin1(family)});
            return font;
        }
    }
    return font;
}

// --- translations -------------------------------------------------------------

bool InstallQtTranslations() {
    if (!qApp) return false;
    if (QCoreApplication::translate(kProbeContext, kProbeText) != QLatin1String(kProbeText))
        return false;
    auto translator = std::make_unique<QTranslator>(qApp);
    if (!translator->load(QLocale(QString::fromLatin1(kDialogLocale)),
                          QString::fromLatin1(kQtCatalogue),
                          QString::fromLatin1(kCatalogueSeparator),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.release());
    return true;
}

// --- messages ---------------------------------------------------------------

int ShowMessage(const host::Message& message, QWidget* parent) {
    QMessageBox box(DialogParent(parent));
    box.setObjectName("qeltMessageBox");
    box.setWindowTitle(FromUtf8(message.title));
    box.setText(FromUtf8(message.text));
    switch (message.icon) {
        case kIconCritical:
            box.setIcon(QMessageBox::Critical);
            break;
        case kIconQuestion:
            box.setIcon(QMessageBox::Question);
            break;
        case kIconExclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case kIconInformation:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
    }
    switch (message.buttons) {
        case kButtonsOkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        case kButtonsYesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Ok);
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Cancel:
            return kAnswerCancel;
        case QMessageBox::No:
            return kAnswerNo;
        default:
            return kAnswerOk;
    }
}

// --- presenter --------------------------------------------------------------

struct QtPresenter::Impl {
    QPointer<QWidget> parent;
    std::function<void(QWidget&, ui::Form&)> shownHook;
};

QtPresenter::QtPresenter(QWidget* parent) : d_(std::make_unique<Impl>()) {
    d_->parent = parent;
}

QtPresenter::~QtPresenter() = default;

void QtPresenter::setShownHook(std::function<void(QWidget&, ui::Form&)> hook) {
    d_->shownHook = std::move(hook);
}

void QtPresenter::runModal(ui::Form& form) {
    form.load();
    if (!form.loaded()) return;
    FormView view(form, DialogParent(d_->parent));
    form.show();
    if (!form.shown() || !form.loaded()) return;
    view.dialog().show();
    view.dialog().activateWindow();
    // The control that has the focus as the dialog opens shows it, as after
    // a Tab: a person starting with the keyboard sees where keys go.
    view.dialog().setAttribute(Qt::WA_KeyboardFocusChange);
    if (d_->shownHook) d_->shownHook(view.dialog(), form);
    view.exec();
}

// --- registration -------------------------------------------------------------

void UseQtDialogs() {
    if (qApp) QApplication::setFont(DialogFont());
    InstallQtTranslations();
    ui::SetPresenter(std::make_shared<QtPresenter>());
    host::SetMessageSink([](const host::Message& m) { return ShowMessage(m); });
    RegisterLookupWindows();
}

bool DisplayAvailable() {
    return NonEmptyEnv("QT_QPA_PLATFORM") || NonEmptyEnv("DISPLAY") ||
           NonEmptyEnv("WAYLAND_DISPLAY");
}

int RunWithQt(int& argc, char** argv, const std::function<int()>& body) {
    if (!DisplayAvailable()) {
        std::fprintf(stderr, "%s\n", kNoDisplayMessage);
        return 2;
    }
    std::unique_ptr<QApplication> app;
    if (!qApp) app = std::make_unique<QApplication>(argc, argv);
    UseQtDialogs();
    return body ? body() : 0;
}

}  // namespace qelt::qt
