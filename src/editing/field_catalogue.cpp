#include <charconv>
#include <span>
#include <string>

#include "editing/fmaker.h"
#include "editing/grid_cells.h"
#include "editing/grid_columns.h"
#include "editing/vocabularies.h"
#include "platform/text.h"
#include "qelt/template_data.h"
#include "support/shared_settings.h"
#include "template/column_types.h"

namespace qelt::editing {

namespace {

constexpr int32_t kClientCursor = 3;
constexpr int32_t kCaptionSize = 50;
constexpr double kTwipsPerMillimetre = 56.7;

// Columns whose conditions and display depend on branch sales being on.
bool IsBranchSaleColumn(const std::string& upperColName) {
    return upperColName == "FORDERAFFIRM" || upperColName == "FORDERREFUSE" ||
           upperColName == "FTRANSTATUS";
}

// Columns never offered as conditions: their selectors cover them.
bool IsSelectorColumn(const std::string& upperColName) {
    return upperColName == "FCANCELLATION" || upperColName == "FCLOSESTATUS";
}

// The fields of the template's column rows the catalogue reads, looked up
// once per build: every field of every row is read, some twice.
struct TitleColumns {
    explicit TitleColumns(const Recordset& rs) {
        const auto col = [&](const char* name) {
            const int i = rs.fieldIndex(name);
            return i < 0 ? std::string::npos : static_cast<std::size_t>(i);
        };
        interId = col("FInterID");
        colCaption = col("FColCaption");
        colCaptionChs = col("FColCaption_CHS");
        headSecond = col("FHeadSecond");
        colName = col("FColName");
        name = col("FName");
        tableName = col("FTableName");
        tableAlias = col("FTableAlias");
        colType = col("FColType");
        colWidth = col("FColWidth");
        visible = col("FVisible");
        itemClassId = col("FItemClassID");
        visForQuest = col("FVisForQuest");
        returnDataType = col("FReturnDataType");
        isPrimary = col("FIsPrimary");
        visForOrder = col("FVisForOrder");
        action = col("FAction");
        control = col("FControl");
    }
    std::size_t interId, colCaption, colCaptionChs, headSecond, colName, name, tableName,
        tableAlias, colType, colWidth, visible, itemClassId, visForQuest, returnDataType, isPrimary,
        visForOrder, action, control;
};

// The current row of the template's column rows. A field the set lacks
// raises as a read of it by name would.
struct TitleRow {
    TitleRow(const Recordset& rs, const TitleColumns& columns)
        : set(rs), k(columns), row(rs.currentRow()) {}
    const Variant& operator[](std::size_t column) const {
        return column < row.size() ? row[column] : set.value(column);
    }
    std::string text(std::size_t column) const { return (*this)[column].toString(""); }
    int32_t whole(std::size_t column) const {
        const Variant& v = (*this)[column];
        return v.isNull() || v.isEmpty() ? 0 : v.toLong();
    }

    const Recordset& set;
    const TitleColumns& k;
    std::span<const Variant> row;
};

// The caption without its second line: cut before "+" when the text holds a
// "+" and a "|", else before the first "$".
std::string Caption(const std::string& colCaption) {
    std::size_t cut = std::string::npos;
    if (colCaption.find('+') != std::string::npos && colCaption.find('|') != std::string::npos)
        cut = colCaption.find('+');
    else
        cut = colCaption.find('$');
    return colCaption.substr(0, cut);
}

// The caption followed by "$" and the trimmed second header when there is one.
std::string DisplayCaption(const std::string& caption, const std::string& headSecond) {
    std::string second = text::Trim(headSecond);
    return second.empty() ? caption : caption + "$" + second;
}

// The width in millimetres, to two decimals as the catalogue keeps it.
double Millimetres(double twips) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, twips / kTwipsPerMillimetre,
                                   std::chars_format::fixed, 2)
                         .ptr;
    double mm = 0;
    std::from_chars(buffer, end, mm);
    return mm;
}

RecordsetPtr NewCatalogue() {
    auto rs = std::make_shared<Recordset>();
    rs->appendField("InterID", adInteger);
    for (const char* name :
         {"ColCaption", "ColName", "FieldName", "TableName", "TableAlias", "Desc"})
        rs->appendField(name, adVarWChar, kCaptionSize);
    for (const char* name : {"ColType", "IsPrimary", "VisForQuery", "LookUpClsID", "RetDataType",
                             "Visible", "VisForOrderBy"})
        rs->appendField(name, adInteger);
    rs->appendField("ColWidth", adDouble);
    rs->appendField("Index", adInteger);
    rs->appendField("Align", adInteger);
    rs->setCursorLocation(kClientCursor);
    rs->open();
    static_assert(CatalogueField::Count == 17);
    return rs;
}

// What decides whether a column of the template is left out.
struct SkipRules {
    bool moneyVisible;
    bool branchSale;
    bool relationSign;
    bool auditChoice;

    bool commonSkip(int32_t colType, const std::string& upperColName) const {
        return (IsBranchSaleColumn(upperColName) && !branchSale) ||
               (colType == kTypeRelationSign && !relationSign);
    }
    bool skipFromCatalogue(const TitleRow& r) const {
        int32_t colType = r.whole(r.k.colType);
        return r.whole(r.k.visible) == 0 || (tpl::IsMoneyType(colType) && !moneyVisible) ||
               commonSkip(colType, text::ToUpper(r.text(r.k.colName)));
    }
    bool skipFromConditions(const TitleRow& r) const {
        int32_t colType = r.whole(r.k.colType);
        std::string upper = text::ToUpper(r.text(r.k.colName));
        return r.whole(r.k.visForQuest) == 0 || IsSelectorColumn(upper) ||
               (tpl::IsMoneyType(colType) && auditChoice && !moneyVisible) ||
               commonSkip(colType, upper);
    }
};

void AppendCatalogueRow(Recordset& catalogue, const TitleRow& r, int32_t index) {
    const TitleColumns& k = r.k;
    std::string caption = Caption(r.text(k.colCaption));
    const Variant& width = r[k.colWidth];
    std::string desc = DisplayCaption(caption, r.text(k.headSecond));
    // Built in place (an initializer list would copy every value once more).
    std::vector<Variant> row;
    row.reserve(CatalogueField::Count);
    row.emplace_back(r.whole(k.interId));
    row.emplace_back(std::move(caption));
    row.emplace_back(r.text(k.colName));
    row.emplace_back(r.text(k.name));
    row.emplace_back(r.text(k.tableName));
    row.emplace_back(r.text(k.tableAlias));
    row.emplace_back(std::move(desc));
    row.emplace_back(r.whole(k.colType));
    row.emplace_back(r.whole(k.isPrimary));
    row.emplace_back(r.whole(k.visForQuest));
    row.emplace_back(r.whole(k.itemClassId));
    row.emplace_back(r.whole(k.returnDataType));
    row.emplace_back(r.whole(k.visible) == 1 ? 1 : 0);
    row.emplace_back(r.whole(k.visForOrder));
    row.emplace_back(width.isNull() || width.isEmpty() ? 0.0 : Millimetres(width.toDouble()));
    row.emplace_back(index);
    row.emplace_back(0);
    catalogue.appendRow(std::move(row));
}

clsChatTitle ConditionField(const TitleRow& r) {
    const TitleColumns& k = r.k;
    clsChatTitle f;
    f.Desc = DisplayCaption(Caption(r.text(k.colCaption)), r.text(k.headSecond));
    f.InterID = r.whole(k.interId);
    f.ColName = r.text(k.colName);
    f.FieldName = r.text(k.name);
    f.TableName = r.text(k.tableName);
    f.LookUpClsID = r.whole(k.itemClassId);
    f.IsPrimary = r.whole(k.isPrimary);
    f.RetDataType = r.whole(k.returnDataType);
    f.VisForQuery = r.whole(k.visForQuest) != 0;
    f.TableAlias = r.text(k.tableAlias);
    f.ColType = r.whole(k.colType);
    f.Visible = r.whole(k.visible) == 1;
    f.VisForOrderBy = r.whole(k.visForOrder) != 0;
    f.sAction = r.text(k.action);
    f.ControlType = r.whole(k.control);
    return f;
}

clsChatTitle Placeholder() {
    clsChatTitle f;
    f.Desc = kNoField;
    f.ColType = kTypePlaceholder;
    return f;
}

}  // namespace

FMaker::FMaker()
    : fields_{Placeholder()},
      fieldList_(kNoField),
      comparisonNames_(ComparisonNameMap()),
      logicNames_(LogicNameMap()) {}

FMaker::~FMaker() = default;

bool FMaker::InitField(int16_t* /*FastMode*/) {
    GetMoneyVisForStock();
    buildCatalogue();
    prepareConditionGrid();
    return false;
}

void FMaker::buildCatalogue() {
    const int32_t templateId = support::Shared().TemplateID;
    if (templateId == 0 || !template_ || !template_->mRsChatBillTitle) return;
    const auto& shared = support::Shared();
    const SkipRules rules{GetMoneyVis(), shared.StartBranchSale != 0, shared.ShowRelationSign != 0,
                          shared.AuditChoice == 1};

    // A second cursor over the template's rows, not a copy of them; it
    // walks them in the order the template's set is sorted in.
    const Recordset& source = *template_->mRsChatBillTitle;
    auto rows = source.clone();
    if (!source.sort().empty()) rows->setSort(source.sort());
    rows->setFilter("FTypeID=" + text::Num(templateId));
    const TitleColumns k(*rows);
    catalogue_ = NewCatalogue();
    int32_t index = 0;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        const TitleRow r(*rows, k);
        if (!rules.skipFromCatalogue(r)) AppendCatalogueRow(*catalogue_, r, ++index);
    }

    fields_.assign(1, Placeholder());
    fields_.reserve(static_cast<std::size_t>(rows->recordCount()) + 1);
    fieldList_ = kNoField;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        const TitleRow r(*rows, k);
        if (rules.skipFromConditions(r)) continue;
        fields_.push_back(ConditionField(r));
        fieldList_ += kListSeparator;
        fieldList_ += fields_.back().Desc;
        fieldNames_.add(DisplayCaption(Caption(r.text(k.colCaptionChs)), r.text(k.headSecond)),
                        fields_.back().Desc);
    }
    catalogue_->moveFirst();
}

std::string FMaker::GetMappingField(const std::string& Name, bool CHStoOther) const {
    return CHStoOther ? fieldNames_.valueOf(Name) : fieldNames_.keyOf(Name);
}

std::string FMaker::GetMappingCompare(const std::string& Name, bool CHStoOther) const {
    return CHStoOther ? comparisonNames_.valueOf(Name) : comparisonNames_.keyOf(Name);
}

std::string FMaker::GetMappingLogic(const std::string& Name, bool CHStoOther) const {
    return CHStoOther ? logicNames_.valueOf(Name) : logicNames_.keyOf(Name);
}

}  // namespace qelt::editing

namespace qelt::editing {

void FMaker::prepareConditionGrid() {
    if (!conditionGrid_) return;
    ui::Grid& grid = *conditionGrid_;
    const int32_t n = ConditionFieldCount();
    grid.setMaxRows(n);
    if (n >= 1) {
        grid.setLocked(1, ConditionCol::Logic, true);
        grid.setBackColor(1, ConditionCol::Logic, ui::Color::TooltipBackground);
    }
    for (int32_t row = 1; row <= grid.maxRows(); ++row) prepareRow(row);
    for (int32_t row = 2; row <= n; ++row)
        cells::MakeList(grid, row, ConditionCol::Logic, kLogicList);
}

void FMaker::prepareRow(int32_t row) {
    ui::Grid& grid = *conditionGrid_;
    cells::MakeList(grid, row, ConditionCol::Field, fieldList_);
    cells::MakeList(grid, row, ConditionCol::Left, kLeftParenthesisList);
    cells::MakeList(grid, row, ConditionCol::Right, kRightParenthesisList);
    grid.setLocked(row, ui::Grid::All, false);
    if (row == 1) grid.setLocked(1, ConditionCol::Logic, true);
    setComparisonList(row, kTypePlaceholder, true);
}

void FMaker::setComparisonList(int32_t row, int colType, bool keepText) {
    ui::Grid& grid = *conditionGrid_;
    const ComparisonList& list = ComparisonsFor(colType);
    cells::MakeList(grid, row, ConditionCol::Compare, list.wordText());
    cells::MakeList(grid, row, ConditionCol::Code, list.codeText());
    if (keepText) return;
    for (std::size_t i = 0; i < list.words.size(); ++i)
        if (list.words[i] == std::string_view(list.defaultWord))
            grid.setComboIndex(row, ConditionCol::Compare, static_cast<int>(i));
}

void FMaker::ClearAll() {
    if (!conditionGrid_) return;
    conditionGrid_->clearRange(ui::Grid::All, ui::Grid::All, ui::Grid::All, ui::Grid::All);
    for (int32_t row = 1; row <= conditionGrid_->maxRows(); ++row) prepareRow(row);
}

}  // namespace qelt::editing
