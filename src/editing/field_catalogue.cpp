#include <cstdio>
#include <cstdlib>
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

std::string TextOf(const Recordset& rs, const char* name) {
    return rs.value(name).toString("");
}

int32_t LongOf(const Recordset& rs, const char* name) {
    const Variant& v = rs.value(name);
    return v.isNull() || v.isEmpty() ? 0 : v.toLong();
}

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
    std::snprintf(buffer, sizeof buffer, "%.2f", twips / kTwipsPerMillimetre);
    return std::strtod(buffer, nullptr);
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
    bool skipFromCatalogue(const Recordset& rs) const {
        int32_t colType = LongOf(rs, "FColType");
        return LongOf(rs, "FVisible") == 0 || (tpl::IsMoneyType(colType) && !moneyVisible) ||
               commonSkip(colType, text::ToUpper(TextOf(rs, "FColName")));
    }
    bool skipFromConditions(const Recordset& rs) const {
        int32_t colType = LongOf(rs, "FColType");
        std::string upper = text::ToUpper(TextOf(rs, "FColName"));
        return LongOf(rs, "FVisForQuest") == 0 || IsSelectorColumn(upper) ||
               (tpl::IsMoneyType(colType) && auditChoice && !moneyVisible) ||
               commonSkip(colType, upper);
    }
};

void AppendCatalogueRow(Recordset& catalogue, const Recordset& rs, int32_t index) {
    std::string caption = Caption(TextOf(rs, "FColCaption"));
    const Variant& width = rs.value("FColWidth");
    catalogue.appendRow({LongOf(rs, "FInterID"), caption, TextOf(rs, "FColName"),
                         TextOf(rs, "FName"), TextOf(rs, "FTableName"), TextOf(rs, "FTableAlias"),
                         DisplayCaption(caption, TextOf(rs, "FHeadSecond")), LongOf(rs, "FColType"),
                         LongOf(rs, "FIsPrimary"), LongOf(rs, "FVisForQuest"),
                         LongOf(rs, "FItemClassID"), LongOf(rs, "FReturnDataType"),
                         LongOf(rs, "FVisible") == 1 ? 1 : 0, LongOf(rs, "FVisForOrder"),
                         width.isNull() || width.isEmpty() ? 0.0 : Millimetres(width.toDouble()),
                         index, 0});
}

clsChatTitle ConditionField(const Recordset& rs) {
    clsChatTitle f;
    f.Desc = DisplayCaption(Caption(TextOf(rs, "FColCaption")), TextOf(rs, "FHeadSecond"));
    f.InterID = LongOf(rs, "FInterID");
    f.ColName = TextOf(rs, "FColName");
    f.FieldName = TextOf(rs, "FName");
    f.TableName = TextOf(rs, "FTableName");
    f.LookUpClsID = LongOf(rs, "FItemClassID");
    f.IsPrimary = LongOf(rs, "FIsPrimary");
    f.RetDataType = LongOf(rs, "FReturnDataType");
    f.VisForQuery = LongOf(rs, "FVisForQuest") != 0;
    f.TableAlias = TextOf(rs, "FTableAlias");
    f.ColType = LongOf(rs, "FColType");
    f.Visible = LongOf(rs, "FVisible") == 1;
    f.VisForOrderBy = LongOf(rs, "FVisForOrder") != 0;
    f.sAction = TextOf(rs, "FAction");
    f.ControlType = LongOf(rs, "FControl");
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

    auto rows = Recordset::copyOf(*template_->mRsChatBillTitle);
    rows->setFilter("FTypeID=" + text::Num(templateId));
    catalogue_ = NewCatalogue();
    int32_t index = 0;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext())
        if (!rules.skipFromCatalogue(*rows)) AppendCatalogueRow(*catalogue_, *rows, ++index);

    fields_.assign(1, Placeholder());
    fieldList_ = kNoField;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        if (rules.skipFromConditions(*rows)) continue;
        fields_.push_back(ConditionField(*rows));
        fieldList_ += kListSeparator + fields_.back().Desc;
        fieldNames_.add(
            DisplayCaption(Caption(TextOf(*rows, "FColCaption_CHS")), TextOf(*rows, "FHeadSecond")),
            fields_.back().Desc);
    }
    catalogue_->moveFirst();
    rows->close();
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
