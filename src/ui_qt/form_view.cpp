#include "form_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QTimer>

#include "key_codes.h"
#include "qstring_utf8.h"

namespace qelt::qt {

using ui::Change;

// --- FormDialog -----------------------------------------------------------

FormDialog::FormDialog(ui::Form& form, QWidget* parent) : QDialog(parent), form_(form) {
    setObjectName(FromUtf8(form.name()));
    setModal(true);
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
    const int code = FormKeyCode(*event);
    if (code == ui::kKeyEnter || code == ui::kKeyEscape || code == ui::kKeyF7 ||
        code == ui::kKeyDelete) {
        form_.key(code, FormShift(*event));
        return event->accept();
    }
    QDialog::keyPressEvent(event);
}

void FormDialog::closeEvent(QCloseEvent* event) {
    if (closing_) return QDialog::closeEvent(event);
    // The window stays until the form is gone; FormView closes it then.
    event->ignore();
    form_.unload();
}

void FormDialog::reject() {
    if (closing_) QDialog::reject();
}

// --- FormView -------------------------------------------------------------

FormView::FormView(ui::Form& form, QWidget* parent) : form_(form) {
    dialog_ = new FormDialog(form, parent);
    for (ui::Control* control : form.controls()) {
        QWidget* w = BinderFor(control->kind()).build(*control, *this);
        w->setObjectName(FromUtf8(control->name()));
        widgets_[control] = w;
        controls_[w] = control;
    }
    LayOutForm(form, *dialog_, widgets_);
    for (ui::Control* control : form.controls()) {
        refresh(*control, Change{});
        observers_.emplace_back(
            control, control->subscribe([this, control](const ui::Control&, const Change& c) {
                refresh(*control, c);
            }));
    }
    formObserver_ = form.subscribe([this](const ui::Form&) { refreshForm(); });
    refreshForm();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { onFocusChanged(now); });
}

FormView::~FormView() {
    for (auto& [control, id] : observers_) control->unsubscribe(id);
    form_.unsubscribe(formObserver_);
    if (dialog_) {
        dialog_->allowClose();
        dialog_->hide();
        delete dialog_.data();
    }
}

QWidget* FormView::widgetOf(const ui::Control& control) const {
    const auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

ui::Control* FormView::controlOf(QWidget* widget) const {
    for (; widget; widget = widget->parentWidget()) {
        const auto it = controls_.find(widget);
        if (it != controls_.end()) return it->second;
        if (widget == dialog_) return nullptr;
    }
    return nullptr;
}

void FormView::exec() {
    if (!form_.shown() || !form_.loaded()) return;
    QEventLoop loop;
    loop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    loop_ = nullptr;
}

void FormView::refreshForm() {
    if (!dialog_) return;
    dialog_->setWindowTitle(FromUtf8(form_.caption()));
    if (!form_.shown() || !form_.loaded()) {
        if (loop_) loop_->quit();
        return;
    }
    focusFocusedControl();
}

void FormView::focusFocusedControl() {
    const ui::Control* focused = form_.focused();
    QWidget* w = focused ? widgetOf(*focused) : nullptr;
    if (!w) return;
    w = BinderFor(focused->kind()).focusWidget(*w);
    QWidget* now = QApplication::focusWidget();
    if (now && controlOf(now) == focused) return;
    const bool was = syncing_;
    syncing_ = true;
    w->setFocus(Qt::OtherFocusReason);
    syncing_ = was;
}

bool FormView::focusControl(const ui::Control& control) {
    if (form_.focused() == &control) return true;
    const bool was = syncing_;
    syncing_ = true;
    const bool ok = form_.focus(control.name());
    syncing_ = was;
    if (!ok) QTimer::singleShot(0, this, [this] { focusFocusedControl(); });
    return ok;
}

void FormView::onFocusChanged(QWidget* now) {
    if (syncing_ || !now || !dialog_ || now->window() != dialog_) return;
    ui::Control* control = controlOf(now);
    if (!control) return;
    if (control->takesFocus()) focusControl(*control);
}

void FormView::refresh(ui::Control& control, const Change& change) {
    QWidget* w = widgetOf(control);
    if (!w) return;
    const bool all = change.what == Change::What::All;
    const bool was = syncing_;
    syncing_ = true;
    if (all || change.what == Change::What::Visible) w->setHidden(!control.visible());
    if (all || change.what == Change::What::Enabled) w->setEnabled(control.enabled());
    if (all || change.what == Change::What::ToolTip) w->setToolTip(FromUtf8(control.toolTip()));
    BinderFor(control.kind()).refresh(control, *w, change, *this);
    syncing_ = was;
}

}  // namespace qelt::qt
