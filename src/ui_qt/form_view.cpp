#include "form_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QSettings>
#include <QSplitter>
#include <QTimer>

#include "key_codes.h"
#include "qelt/qt/qt_dialogs.h"
#include "qstring_utf8.h"

namespace qelt::qt {

using ui::Change;

namespace {

constexpr const char* kSettingsOrganization = "QeltSqlWhere2";
constexpr const char* kSettingsFile = "dialogs";
constexpr const char* kSizeKey = "/size";
constexpr const char* kDividerKey = "/divider";

}  // namespace

std::unique_ptr<QSettings> WindowSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       kSettingsOrganization, kSettingsFile);
}

// --- FormDialog -----------------------------------------------------------

FormDialog::FormDialog(ui::Form& form, QWidget* parent) : QDialog(parent), form_(form) {
    setObjectName(FromUtf8(form.name()));
    setModal(true);
    // Set before any widget is built: layouts measure texts in it.
    setFont(DialogFont());
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
    for (ui::Control* control : form.controls())
        observers_.emplace_back(
            control, control->subscribe([this, control](const ui::Control&, const Change& c) {
                refresh(*control, c);
            }));
    layout_ = FormLayout::For(form, *dialog_, *this);
    placed();
    restoreWindow();
    formObserver_ = form.subscribe([this](const ui::Form&) { refreshForm(); });
    refreshForm();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { onFocusChanged(now); });
}

FormView::~FormView() {
    for (auto& [control, id] : observers_) control->unsubscribe(id);
    form_.unsubscribe(formObserver_);
    if (dialog_) {
        rememberWindow();
        dialog_->allowClose();
        dialog_->hide();
        delete dialog_.data();
    }
}

QWidget* FormView::widgetOf(const ui::Control& control) const {
    const auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

QWidget* FormView::widget(const ui::Control& c) {
    if (QWidget* w = widgetOf(c)) return w;
    // The form owns its controls; the layout sees them read-only.
    auto& control = const_cast<ui::Control&>(c);
    QWidget* w = BinderFor(control.kind()).build(control, *this);
    w->setObjectName(FromUtf8(control.name()));
    widgets_[&control] = w;
    controls_[w] = &control;
    fresh_.push_back(&control);
    return w;
}

void FormView::placed() {
    if (fresh_.empty()) return;
    std::vector<ui::Control*> fresh;
    fresh.swap(fresh_);
    for (ui::Control* control : fresh) {
        // Shown without a parent, a widget would be a window of its own.
        if (QWidget* w = widgetOf(*control); !w->parentWidget()) w->setParent(dialog_);
        draw(*control, Change{});
    }
    applyTabOrder();
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

// --- the window's size and divider ------------------------------------------

void FormView::restoreWindow() {
    QSize size = layout_->defaultSize();
    QSplitter* divider = layout_->splitter();
    const QString key = FromUtf8(form_.windowKey());
    if (!key.isEmpty()) {
        auto settings = WindowSettings();
        const QSize kept = settings->value(key + kSizeKey).toSize();
        if (kept.isValid()) size = kept.expandedTo(dialog_->minimumSizeHint());
        const QByteArray state = settings->value(key + kDividerKey).toByteArray();
        if (divider && !state.isEmpty()) divider->restoreState(state);
    }
    dialog_->resize(size);
    openedSize_ = dialog_->size();
    if (divider) openedDivider_ = divider->saveState();
}

// Only what the person changed is written: an unchanged window costs no
// file write.
void FormView::rememberWindow() {
    const QString key = FromUtf8(form_.windowKey());
    if (key.isEmpty()) return;
    QSplitter* divider = layout_->splitter();
    const QByteArray state = divider ? divider->saveState() : QByteArray();
    const bool resized = dialog_->size() != openedSize_;
    const bool moved = divider && state != openedDivider_;
    if (!resized && !moved) return;
    auto settings = WindowSettings();
    if (resized) settings->setValue(key + kSizeKey, dialog_->size());
    if (moved) settings->setValue(key + kDividerKey, state);
}

// --- focus ----------------------------------------------------------------------

void FormView::applyTabOrder() {
    std::vector<QWidget*> stops;
    for (const ui::Control* control : layout_->tabOrder()) {
        QWidget* w = widgetOf(*control);
        if (!w) continue;
        for (QWidget* stop : BinderFor(control->kind()).tabStops(*w))
            if (stop && stop->focusPolicy() & Qt::TabFocus) stops.push_back(stop);
    }
    for (std::size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1], stops[i]);
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

// --- models to widgets ------------------------------------------------------------

void FormView::refresh(ui::Control& control, const Change& change) {
    if (widgetOf(control)) draw(control, change);
    if (layout_ && (change.what == Change::What::Visible || change.what == Change::What::All)) {
        layout_->visibilityChanged(control);
        placed();
    }
}

void FormView::draw(ui::Control& control, const Change& change) {
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
