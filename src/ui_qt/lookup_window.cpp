#include "lookup_window.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <utility>

#include "grid_view.h"
#include "qelt/dictionary.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qstring_utf8.h"

namespace qelt::qt {

namespace {

constexpr const char* kShortNumberField = "FShortNumber";
constexpr const char* kSearchKey = "Search";
constexpr int32_t kCurrencyClass = 12;
constexpr int32_t kAccountClass = 13;
constexpr int32_t kSettlementTypeClass = 130;
// Column headings of the window.
constexpr const char* kNumberHeader = "代码";
constexpr const char* kNameHeader = "名称";
constexpr const char* kShortNumberHeader = "短代码";
constexpr const char* kSearchPrompt = "查找(&F):";
constexpr const char* kSearchHint = "输入代码或名称的一部分，列表随之缩小";
constexpr const char* kDefaultCaption = "基础资料";
constexpr const char* kChooseCaption = "确定";
constexpr const char* kCancelCaption = "取消";

}  // namespace

LookupWindow::LookupWindow(host::LookupQuery query, const std::string& text, QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeModalWidget()), query_(std::move(query)) {
    setObjectName(kObjectName);
    const std::string& caption = query_.table().caption;
    setWindowTitle(FromUtf8(caption.empty() ? kDefaultCaption : caption));
    setModal(true);
    auto* box = new QVBoxLayout(this);
    auto* searchRow = new QHBoxLayout;
    auto* prompt = new QLabel(FromUtf8(kSearchPrompt));
    searchRow->addWidget(prompt);
    search_ = new QLineEdit(FromUtf8(text));
    search_->setObjectName("search");
    search_->setPlaceholderText(FromUtf8(kSearchHint));
    search_->setClearButtonEnabled(true);
    prompt->setBuddy(search_);
    searchRow->addWidget(search_, 1);
    box->addLayout(searchRow);
    view_ = new QTableView;
    view_->setObjectName("items");
    model_ = new QStandardItemModel(this);
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(GridRowHeight(*view_));
    view_->setTabKeyNavigation(false);
    box->addWidget(view_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(FromUtf8(kChooseCaption));
    buttons->button(QDialogButtonBox::Cancel)->setText(FromUtf8(kCancelCaption));
    // Enter belongs to the window (it chooses the current row), not to a
    // default button.
    for (QAbstractButton* b : buttons->buttons())
        if (auto* push = qobject_cast<QPushButton*>(b)) push->setAutoDefault(false);
    box->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (view_->currentIndex().isValid()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(search_, &QLineEdit::textChanged, this, [this] { reload(); });
    connect(view_, &QTableView::doubleClicked, this, [this] { accept(); });
    resize(520, 380);
    reload();
}

void LookupWindow::reload() {
    found_ = query_.search(ToUtf8(search_->text()));
    model_->clear();
    QStringList headers{FromUtf8(kNumberHeader), FromUtf8(kNameHeader)};
    if (found_.hasShortNumbers) headers << FromUtf8(kShortNumberHeader);
    model_->setHorizontalHeaderLabels(headers);
    for (const host::LookupRow& item : found_.rows) {
        QList<QStandardItem*> row{new QStandardItem(FromUtf8(item.number)),
                                  new QStandardItem(FromUtf8(item.name))};
        if (found_.hasShortNumbers) row << new QStandardItem(FromUtf8(item.shortNumber));
        model_->appendRow(row);
    }
    // Codes as wide as they are, the name takes the rest.
    QHeaderView* header = view_->horizontalHeader();
    header->setStretchLastSection(false);
    for (int c = 0; c < model_->columnCount(); ++c)
        header->setSectionResizeMode(c,
                                     c == 1 ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
    if (model_->rowCount() > 0) view_->setCurrentIndex(model_->index(0, 0));
}

void LookupWindow::keyPressEvent(QKeyEvent* event) {
    // Up and down move in the list while the search line keeps the focus.
    if (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up) {
        const int step = event->key() == Qt::Key_Down ? 1 : -1;
        const int row =
            std::clamp(view_->currentIndex().row() + step, 0, std::max(model_->rowCount() - 1, 0));
        if (model_->rowCount() > 0) view_->setCurrentIndex(model_->index(row, 0));
        return event->accept();
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (view_->currentIndex().isValid()) accept();
        return event->accept();
    }
    QDialog::keyPressEvent(event);
}

void LookupWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The person goes on typing after the text brought from the cell, rather
    // than replacing it.
    QTimer::singleShot(0, search_, [this] {
        search_->deselect();
        search_->end(false);
    });
}

std::optional<host::LookupRow> LookupWindow::choose() {
    search_->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    const int row = view_->currentIndex().row();
    if (row < 0 || row >= static_cast<int>(found_.rows.size())) return std::nullopt;
    return found_.rows[static_cast<std::size_t>(row)];
}

namespace {

class Item final : public host::ILookupItem {
public:
    Item(host::LookupRow row, bool hasShortNumber)
        : row_(std::move(row)), hasShortNumber_(hasShortNumber) {}
    std::string Number() const override { return row_.number; }
    std::string Name() const override { return row_.name; }
    Variant Properties(const std::string& name) const override {
        const bool shortNumber =
            QString::compare(FromUtf8(name), kShortNumberField, Qt::CaseInsensitive) == 0;
        return shortNumber && hasShortNumber_ ? Variant(row_.shortNumber) : Variant();
    }

private:
    host::LookupRow row_;
    bool hasShortNumber_;
};

class Result final : public host::ILookupResult {
public:
    explicit Result(std::shared_ptr<host::ILookupItem> item) : item_(std::move(item)) {}
    std::shared_ptr<host::ILookupItem> ReturnObject() const override { return item_; }

private:
    std::shared_ptr<host::ILookupItem> item_;
};

// The chosen row, and whether its table has short numbers. Classes without
// a base table in the database answer nothing, as a cancelled window does.
std::optional<std::pair<host::LookupRow, bool>> ChooseFromClass(int32_t classId,
                                                                const std::string& text) {
    auto query = host::LookupQuery::ForClass(classId);
    if (!query) return std::nullopt;
    LookupWindow window(std::move(*query), text);
    auto chosen = window.choose();
    if (!chosen) return std::nullopt;
    return std::pair{std::move(*chosen), window.hasShortNumbers()};
}

host::LookupResultPtr ResultOf(int32_t classId, const std::string& text) {
    auto chosen = ChooseFromClass(classId, text);
    if (!chosen) return std::make_shared<Result>(nullptr);
    return std::make_shared<Result>(
        std::make_shared<Item>(std::move(chosen->first), chosen->second));
}

class GLView final : public host::IGLView {
public:
    host::LookupResultPtr ItemLookup(int32_t& classId, const std::string& text, std::string&,
                                     Dictionary& settings) override {
        std::string search = text;
        if (search.empty()) search = settings.value(kSearchKey, Variant()).toString("");
        return ResultOf(classId, search);
    }
    host::LookupResultPtr CurrencyLookup() override { return ResultOf(kCurrencyClass, {}); }
    host::LookupResultPtr AccountLookup() override { return ResultOf(kAccountClass, {}); }
    host::LookupResultPtr SettTypeLookup() override { return ResultOf(kSettlementTypeClass, {}); }
    host::LookupResultPtr SubMesLookup(int32_t& classId, const Variant&, std::string&) override {
        return ResultOf(classId, {});
    }
};

class SingleBillLookUp final : public host::ISingleBillLookUp {
public:
    void setClassTypeID(int32_t classTypeId) override { classId_ = classTypeId; }
    void setShowType(int32_t) override {}
    RecordsetPtr Show() override {
        auto chosen = ChooseFromClass(classId_, {});
        if (!chosen) return nullptr;
        const host::LookupRow& row = chosen->first;
        auto rs = std::make_shared<Recordset>();
        rs->appendField("FNumber", adVarWChar, 80);
        rs->appendField("FID", adInteger);
        rs->appendField("FName", adVarWChar, 255);
        rs->open();
        rs->appendRow({Variant(row.number), row.id, Variant(row.name)});
        return rs;
    }

private:
    int32_t classId_ = 0;
};

}  // namespace

void RegisterLookupWindows() {
    // The ledger view object lives for the process; one instance serves all.
    auto glView = std::make_shared<GLView>();
    host::RegisterComponent(host::progid::kGLView, [glView] { return glView; });
    host::RegisterComponent(host::progid::kSingleBillLookUp,
                            [] { return std::make_shared<SingleBillLookUp>(); });
}

}  // namespace qelt::qt
