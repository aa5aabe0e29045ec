#pragma once

#include <QFont>
#include <functional>
#include <memory>
#include <string>

#include "qelt/host/session.h"
#include "qelt/ui/form.h"
#include "qelt/ui/presenter.h"

class QWidget;

// The Qt 6 Widgets front end of the library (link qelt::sqlwhere_qt). Every
// call here runs on the thread of the QApplication, which must exist before
// any dialog is shown.
namespace qelt::qt {

// Draws any Form as a modal QDialog: one widget per control, built when it
// first has to be on screen (a tab's controls when the tab is first shown)
// and kept in step with the models through their change notifications;
// widget input becomes the models' user actions (click, select, type,
// Grid::moveTo, Form::key for Enter, Escape, Delete and F7, ...). In a grid,
// Tab leaves after the last cell and F6 / Shift+F6 from any cell. The
// dialog closes when the form is hidden or unloaded; the window's close
// button asks Form::unload, which the form's rules may refuse. Forms shown
// from a handler (a dialog opened from another) nest. A form with a window
// key (Form::windowKey) opens at the size, and with the divider, the person
// left it at; they are kept with QSettings in the user's configuration
// folder (QeltSqlWhere2/dialogs.conf), written only when changed.
class QtPresenter : public ui::Presenter {
public:
    // `parent`: the window the dialogs are centred on and modal to; null
    // uses the application's active window.
    explicit QtPresenter(QWidget* parent = nullptr);
    ~QtPresenter() override;

    // Shows `form` as a modal dialog and returns when the form is hidden or
    // unloaded (Presenter::runModal).
    void runModal(ui::Form& form) override;

    // Called once for each dialog right after it is put on screen, with the
    // dialog (whose widgets carry the names of their controls as object
    // names) and its form. For hosts that decorate the dialog, and for
    // tests and benchmarks that drive it. The form may be hidden inside.
    void setShownHook(std::function<void(QWidget& dialog, ui::Form& form)> hook);

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// Registers the Qt front end for the process: a QtPresenter (no parent) as
// the presenter, message boxes as the message sink, and the look-up windows
// of the ledger view object and the single-bill class look-up. Applies the
// dialog font to the application and installs Qt's own translations
// (InstallQtTranslations). Needs a QApplication.
void UseQtDialogs();

// Installs Qt's own translations of its standard texts ("qtbase", from Qt's
// translations folder: Debian's qt6-translations-l10n) for the dialogs'
// language, Simplified Chinese, so that standard buttons read 确定, 取消,
// 是(Y), 否(N) as the dialogs' own texts do. A translator serves the whole
// process, so nothing is installed when one already translates Qt's standard
// texts: the host chose their language. Nothing either when the file is
// missing. True when it installed the translator (owned by the application).
bool InstallQtTranslations();

// Shows `message` as a QMessageBox (icon 16 critical, 32 question, 48
// warning, 64 information; buttons 0 OK, 1 OK and Cancel, 4 Yes and No)
// and returns the button chosen: 1 OK or Yes, 2 Cancel, 7 No. Closing the
// box without a button answers as its escape button does (Cancel, No, or
// OK when OK is the only one).
int ShowMessage(const host::Message& message, QWidget* parent = nullptr);

// The font the dialogs use: "WenQuanYi Micro Hei" when the font database
// has it (Chinese captions need a font with CJK glyphs), else the
// application's font with a CJK family first in its fallback list.
QFont DialogFont();

// What RunWithQt writes to stderr when there is no display.
inline constexpr const char* kNoDisplayMessage =
    "no display: set DISPLAY or WAYLAND_DISPLAY (or QT_QPA_PLATFORM=offscreen) to show the "
    "dialog";
// Runs `body` inside a QApplication created for it (or the one that already
// exists), with UseQtDialogs() in force, and returns body's result. Without
// a display (none of QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY is set and
// non-empty) it runs nothing, writes kNoDisplayMessage as one line to
// stderr and returns 2.
int RunWithQt(int& argc, char** argv, const std::function<int()>& body);
// Whether RunWithQt finds a display in the environment.
bool DisplayAvailable();

}  // namespace qelt::qt
