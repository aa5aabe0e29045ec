#pragma once

#include <QByteArray>
#include <QDialog>
#include <QPointer>
#include <QSize>
#include <map>
#include <memory>
#include <vector>

#include "control_binders.h"
#include "form_layout.h"
#include "qelt/ui/form.h"

class QEventLoop;
class QSettings;

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

// Where the front end keeps what a person arranged on a window (its size,
// the position of its divider) under the form's window key: an INI file of
// the user's configuration, QeltSqlWhere2/dialogs.
std::unique_ptr<QSettings> WindowSettings();

// Builds the widgets of a form through the binders of their kinds, as its
// layout needs them, keeps them in step with the models and forwards the
// person's input as the models' user actions. Opens the window at the size
// remembered under the form's window key (or the layout's default) and
// remembers what the person changed. Lives while the form is on screen; its
// destructor stops every observation.
class FormView : public QObject, private BindingHost, private LayoutHost {
    Q_OBJECT
public:
    FormView(ui::Form& form, QWidget* parent);
    ~FormView() override;

    FormDialog& dialog() const { return *dialog_; }
    // The widget of `control`, or null while it is not built.
    QWidget* widgetOf(const ui::Control& control) const;
    // Runs until the form is hidden or unloaded.
    void exec();

private:
    bool focusControl(const ui::Control& control) override;
    bool syncing() const override { return syncing_; }
    void refresh(ui::Control& control, const ui::Change& change) override;
    void formKey(int keyCode, int shift) override { form_.key(keyCode, shift); }
    QObject* receiver() override { return this; }
    void focusOrderChanged() override { applyTabOrder(); }

    QWidget* widget(const ui::Control& control) override;
    QWidget* built(const ui::Control& control) const override { return widgetOf(control); }
    void placed() override;

    // Brings the widget of `control` in step with `change` of its model.
    void draw(ui::Control& control, const ui::Change& change);
    void applyTabOrder();
    void restoreWindow();
    void rememberWindow();
    void refreshForm();
    void onFocusChanged(QWidget* now);
    void focusFocusedControl();
    ui::Control* controlOf(QWidget* widget) const;

    ui::Form& form_;
    QPointer<FormDialog> dialog_;
    std::unique_ptr<FormLayout> layout_;
    std::map<const ui::Control*, QWidget*> widgets_;
    std::map<const QWidget*, ui::Control*> controls_;
    std::vector<ui::Control*> fresh_;
    std::vector<std::pair<ui::Control*, int>> observers_;
    int formObserver_ = 0;
    QEventLoop* loop_ = nullptr;
    bool syncing_ = false;
    QSize openedSize_;
    QByteArray openedDivider_;
};

}  // namespace qelt::qt
