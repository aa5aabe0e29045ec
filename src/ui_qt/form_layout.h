#pragma once

#include <QObject>
#include <QSize>
#include <memory>
#include <vector>

#include "qelt/ui/form.h"

class QDialog;
class QSplitter;
class QWidget;

namespace qelt::qt {

// What a layout asks of the view that holds the widgets of a form.
class LayoutHost {
public:
    // The widget of `control`, built by its binder on the first call, not
    // yet in step with its model; the layout gives it its parent.
    virtual QWidget* widget(const ui::Control& control) = 0;
    // The widget of `control` when it is built, else null.
    virtual QWidget* built(const ui::Control& control) const = 0;
    // The widgets built since the last call are in their places: the view
    // brings them in step with their models and puts them in the Tab order.
    virtual void placed() = 0;

protected:
    ~LayoutHost() = default;
};

// Where the widgets of a form go. A widget is built when it first has to
// be on screen: the filter dialog builds a tab's controls when the tab is
// first shown, and a status selector or the planned-order frame when it is
// first visible; any other form is built at once.
class FormLayout : public QObject {
public:
    // The filter dialog's arrangement when the form has its controls, else
    // every control top to bottom in creation order, frames and tabs holding
    // what Form::place put in them and the buttons that end the form at the
    // bottom right.
    static std::unique_ptr<FormLayout> For(const ui::Form& form, QDialog& dialog, LayoutHost& host);

    // The control's visibility changed: the layout closes up or makes room,
    // and builds what now shows.
    virtual void visibilityChanged(const ui::Control&) {}
    // The controls in the order the Tab key walks them, built or not.
    const std::vector<const ui::Control*>& tabOrder() const { return tabOrder_; }
    // The divider a person may move, or null.
    virtual QSplitter* splitter() const { return nullptr; }
    // The size the window opens with when none is remembered.
    virtual QSize defaultSize() const = 0;

protected:
    std::vector<const ui::Control*> tabOrder_;
};

}  // namespace qelt::qt
