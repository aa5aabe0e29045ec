#include "ui_qt/lookup_window.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/text.h"
#include "qelt/dictionary.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "ui_qt/qstring_utf8.h"

namespace qelt::qt {

namespace {

constexpr const char* kShortNumberField = "FShortNumber";
constexpr const char* kDeletedField = "FDeleted";
constexpr const char* kSearchKey = "Search";
constexpr int32_t kCurrencyClass = 12;
constexpr int32_t kAccountClass = 13;
constexpr int32_t kSettlementTypeClass = 130;
// Column headings of the window.
constexpr const char* kNumberHeader = "代码";
constexpr const char* kNameHeader = "名称";
constexpr const char* kShortNumberHeader = "短代码";
constexpr const char* kSearchPrompt = "查找:";
constexpr const char* kDefaultCaption = "基础资料";

RecordsetPtr Query(const std::string& sql) {
    auto connection = host::Create<host::IAppConnection>(host::progid::kAppConnection);
    return connection->getanyrecordset(sql);
}

// The library's trim (blanks only), kept here: the shared core exports only
// its public names and the quoting helper.
std::string TrimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

bool HasField(const Recordset& rs, const char* name) {
    return rs.fieldIndex(name) >= 0;
}

std::string Text(const Recordset& rs, const std::string& field) {
    return rs.fieldIndex(field) >= 0 ? rs.value(field).toString("") : std::string();
}

}  // namespace

Variant ChosenItem::value(const std::string& name) const {
    for (const auto& [field, v] : fields)
        if (text::IEquals(field, name)) return v;
    return Variant();
}

std::optional<BaseTable> FindBaseTable(int32_t classId) {
    auto rs = Query(
        "SELECT FName, FSQLTableName, FKeyField, FNumberField, FNameField FROM t_ItemClass "
        "WHERE FItemClassID = " +
        std::to_string(classId));
    if (!rs || rs->recordCount() < 1) return std::nullopt;
    rs->moveFirst();
    BaseTable t;
    t.table = TrimBlanks(rs->value("FSQLTableName").toString(""));
    t.keyField = TrimBlanks(rs->value("FKeyField").toString(""));
    t.numberField = TrimBlanks(rs->value("FNumberField").toString("FNumber"));
    t.nameField = TrimBlanks(rs->value("FNameField").toString("FName"));
    if (t.table.empty()) return std::nullopt;
    return t;
}

RecordsetPtr QueryBaseItems(const BaseTable& table, const std::string& text) {
    std::string sql = "SELECT * FROM " + table.table;
    if (!text.empty()) {
        const std::string pattern = text::SqlQuote("%" + text + "%");
        sql += " WHERE (" + table.numberField + " LIKE " + pattern + " OR " + table.nameField +
               " LIKE " + pattern + ")";
    }
    sql += " ORDER BY " + table.numberField;
    auto rs = Query(sql);
    if (rs && HasField(*rs, kDeletedField) && rs->recordCount() > 0)
        rs->setFilter(std::string(kDeletedField) + " = 0");
    return rs;
}

LookupWindow::LookupWindow(BaseTable table, const std::string& caption, const std::string& text,
                           QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeModalWidget()), table_(std::move(table)) {
    setObjectName(kObjectName);
    setWindowTitle(FromUtf8(caption.empty() ? kDefaultCaption : caption));
    setModal(true);
    auto* box = new QVBoxLayout(this);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(FromUtf8(kSearchPrompt)));
    search_ = new QLineEdit(FromUtf8(text));
    search_->setObjectName("search");
    searchRow->addWidget(search_, 1);
    box->addLayout(searchRow);
    view_ = new QTableView;
    view_->setObjectName("items");
    model_ = new QStandardItemModel(this);
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->verticalHeader()->hide();
    box->addWidget(view_, 1);
    connect(search_, &QLineEdit::textChanged, this, [this] { reload(); });
    connect(view_, &QTableView::doubleClicked, this, [this] { accept(); });
    resize(520, 380);
    reload();
}

void LookupWindow::reload() {
    rows_ = QueryBaseItems(table_, ToUtf8(search_->text()));
    model_->clear();
    const bool shortNumbers = rows_ && HasField(*rows_, kShortNumberField);
    QStringList headers{FromUtf8(kNumberHeader), FromUtf8(kNameHeader)};
    if (shortNumbers) headers << FromUtf8(kShortNumberHeader);
    model_->setHorizontalHeaderLabels(headers);
    if (!rows_) return;
    for (rows_->moveFirst(); !rows_->eof(); rows_->moveNext()) {
        QList<QStandardItem*> row{new QStandardItem(FromUtf8(Text(*rows_, table_.numberField))),
                                  new QStandardItem(FromUtf8(Text(*rows_, table_.nameField)))};
        if (shortNumbers) row << new QStandardItem(FromUtf8(Text(*rows_, kShortNumberField)));
        model_->appendRow(row);
    }
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

std::optional<ChosenItem> LookupWindow::choose() {
    search_->setFocus();
    if (exec() != QDialog::Accepted || !rows_) return std::nullopt;
    const int row = view_->currentIndex().row();
    if (row < 0) return std::nullopt;
    rows_->moveFirst();
    rows_->move(row);
    if (rows_->eof()) return std::nullopt;
    ChosenItem item;
    for (std::size_t i = 0; i < rows_->fieldCount(); ++i)
        item.fields.emplace_back(rows_->field(i).name, rows_->value(i));
    return item;
}

namespace {

class Item final : public host::ILookupItem {
public:
    Item(ChosenItem chosen, BaseTable table)
        : chosen_(std::move(chosen)), table_(std::move(table)) {}
    std::string Number() const override { return chosen_.value(table_.numberField).toString(""); }
    std::string Name() const override { return chosen_.value(table_.nameField).toString(""); }
    Variant Properties(const std::string& name) const override { return chosen_.value(name); }

private:
    ChosenItem chosen_;
    BaseTable table_;
};

class Result final : public host::ILookupResult {
public:
    explicit Result(std::shared_ptr<host::ILookupItem> item) : item_(std::move(item)) {}
    std::shared_ptr<host::ILookupItem> ReturnObject() const override { return item_; }

private:
    std::shared_ptr<host::ILookupItem> item_;
};

// Classes without a base table in the database answer nothing, as a
// cancelled window does.
std::optional<ChosenItem> ChooseFromClass(int32_t classId, const std::string& text,
                                          BaseTable* tableOut = nullptr) {
    auto table = FindBaseTable(classId);
    if (!table) return std::nullopt;
    if (tableOut) *tableOut = *table;
    auto caption =
        Query("SELECT FName FROM t_ItemClass WHERE FItemClassID = " + std::to_string(classId));
    std::string title;
    if (caption && caption->recordCount() > 0) {
        caption->moveFirst();
        title = caption->value("FName").toString("");
    }
    LookupWindow window(*table, title, text);
    return window.choose();
}

host::LookupResultPtr ResultOf(int32_t classId, const std::string& text) {
    BaseTable table;
    auto chosen = ChooseFromClass(classId, text, &table);
    if (!chosen) return std::make_shared<Result>(nullptr);
    return std::make_shared<Result>(std::make_shared<Item>(std::move(*chosen), table));
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
        BaseTable table;
        auto chosen = ChooseFromClass(classId_, {}, &table);
        if (!chosen) return nullptr;
        auto rs = std::make_shared<Recordset>();
        rs->appendField("FNumber", adVarWChar, 80);
        rs->appendField("FID", adInteger);
        rs->appendField("FName", adVarWChar, 255);
        rs->open();
        rs->appendRow({chosen->value(table.numberField), chosen->value(table.keyField),
                       chosen->value(table.nameField)});
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
