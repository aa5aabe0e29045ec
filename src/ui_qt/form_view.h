#pragma once

#include <QDialog>
#include <QPointer>
#include <map>
#include <vector>

#include "control_binders.h"
#include "qelt/ui/form.h"

class QEventLoop;

namespace qelt::qt {

// The window of one form: closing it asks the form to unload, keys the
// focused widget leaves unhandled go to the form (Form::key).
class FormDialog : public QDialog {
    Q_OBJECT
public:
    FormDialog(ui::Form& form, QWidget* parent);
    // Lets the window close for good (the form is hidden or unloaded).
    void allowClose() { closing_ = true; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    ui::Form& form_;
    bool closing_ = false;
};

// Builds the widgets of a form through the binders of their kinds, keeps
// them in step with the models and forwards the person's input as the
// models' user actions. Lives while the form is on screen; its destructor
// stops every observation.
class FormView : public QObject, private BindingHost {
    Q_OBJECT
public:
    FormView(ui::Form& form, QWidget* parent);
    ~FormView() override;

    FormDialog& dialog() const { return *dialog_; }
    QWidget* widgetOf(const ui::Control& control) const;
    // Runs until the form is hidden or unloaded.
    void exec();

private:
    bool focusControl(const ui::Control& control) override;
    bool syncing() const override { return syncing_; }
    void refresh(ui::Control& control, const ui::Change& change) override;
    void formKey(int keyCode, int shift) override { form_.key(keyCode, shift); }
    QObject* receiver() override { return this; }

    void refreshForm();
    void onFocusChanged(QWidget* now);
    void focusFocusedControl();
    ui::Control* controlOf(QWidget* widget) const;

    ui::Form& form_;
    QPointer<FormDialog> dialog_;
    std::map<const ui::Control*, QWidget*> widgets_;
    std::map<const QWidget*, ui::Control*> controls_;
    std::vector<std::pair<ui::Control*, int>> observers_;
    int formObserver_ = 0;
    QEventLoop* loop_ = nullptr;
    bool syncing_ = false;
};

// Places the built widgets: the filter dialog's arrangement when the form
// has its controls, else every control top to bottom in creation order,
// frames and tabs holding what Form::place put in them.
void LayOutForm(const ui::Form& form, QDialog& dialog,
                const std::map<const ui::Control*, QWidget*>& widgets);

}  // namespace qelt::qt
