#pragma once

#include <functional>
#include <memory>

#include "qelt/export.h"
#include "qelt/ui/form.h"

// How a dialog reaches a screen (or a script). A rule that shows a form
// modally hands it to the process's presenter and goes on when runModal
// returns.
namespace qelt::ui {

// What shows forms: a front end (qelt::qt::QtPresenter), a script
// (ScriptedPresenter) or a host's own.
class QELT_EXPORT Presenter {
public:
    virtual ~Presenter();
    // Loads and activates `form` (Form::show), lets the person act on it and
    // returns when the form is hidden or unloaded. The form stays owned by
    // the caller. A modal form may show another modal form from one of its
    // handlers; runModal is then re-entered for it.
    virtual void runModal(Form& form) = 0;
};

// The process-wide presenter; null (the start state) means no front end is
// registered, and a rule that needs to show a dialog then cannot. It stays
// set until replaced (null restores the start state) or until the library's
// process-state reset for tests.
// @{
QELT_EXPORT void SetPresenter(std::shared_ptr<Presenter> presenter);
QELT_EXPORT std::shared_ptr<Presenter> GetPresenter();
// @}

// Acts as a person from a script. For each form shown modally (forms
// opened from inside another one included) it calls form.show(); when the
// form is then shown it calls `user(form)` once, and when the form is still
// shown afterwards it presses Escape (Form::key). It returns then, whatever
// the form's state: a form that ignores Escape is left shown.
class QELT_EXPORT ScriptedPresenter : public Presenter {
public:
    // `user` acts as the person on each form shown; an empty function does
    // nothing, so each form gets Escape at once.
    explicit ScriptedPresenter(std::function<void(Form&)> user);
    void runModal(Form& form) override;

private:
    std::function<void(Form&)> user_;
};

}  // namespace qelt::ui
