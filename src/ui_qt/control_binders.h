#pragma once

#include <vector>

#include "qelt/ui/control.h"

class QObject;
class QWidget;

namespace qelt::qt {

// What a binder asks of the view that holds the widgets of a form.
class BindingHost {
public:
    // Makes `control` the form's focused control, as a person's input on its
    // widget does first (Form::focus); false when the form refused.
    virtual bool focusControl(const ui::Control& control) = 0;
    // True while the view writes the models' state into the widgets: a
    // widget's signal then is nobody's input.
    virtual bool syncing() const = 0;
    // Redraws `control` for `change`, as a notification of the model does.
    virtual void refresh(ui::Control& control, const ui::Change& change) = 0;
    // A key goes down on the form (Form::key).
    virtual void formKey(int keyCode, int shift) = 0;
    // The receiver of the widgets' connections; it outlives the widgets.
    virtual QObject* receiver() = 0;
    // A binder replaced widgets that take the focus (a toolbar's buttons):
    // the Tab order is set again.
    virtual void focusOrderChanged() = 0;

protected:
    ~BindingHost() = default;
};

// The front end's work for one kind of control, as Qt's delegates group it
// per cell type: the widget, how it follows the model, and how the person's
// input on it becomes the model's user actions. Binders keep no state (a
// widget keeps its own); one instance serves every control of its kind.
class ControlBinder {
public:
    virtual ~ControlBinder() = default;
    // A new widget for `control` (no parent), its input connected: each
    // signal of a person's input first focuses the control through `host`,
    // then calls the control's user action, then shows what the model kept.
    virtual QWidget* build(ui::Control& control, BindingHost& host) const = 0;
    // Brings `widget` in step with `change` of `control`. Visibility, the
    // enabled state and the tool tip, which every kind shares, are the
    // view's; it calls this with host.syncing() true.
    virtual void refresh(ui::Control& control, QWidget& widget, const ui::Change& change,
                         BindingHost& host) const = 0;
    // The widget that takes the keyboard focus for the control.
    virtual QWidget* focusWidget(QWidget& widget) const { return &widget; }
    // The widgets the Tab key stops at for the control, in order.
    virtual std::vector<QWidget*> tabStops(QWidget& widget) const { return {focusWidget(widget)}; }
};

// The binder of `kind`, from one table of every kind.
const ControlBinder& BinderFor(ui::ControlKind kind);

}  // namespace qelt::qt
