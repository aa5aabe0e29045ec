#include <cmath>
#include <string>

#include "editing/fmaker.h"
#include "editing/grid_cells.h"
#include "editing/grid_columns.h"
#include "editing/vocabularies.h"
#include "host/messages.h"
#include "platform/numbers.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "support/shared_settings.h"

namespace qelt::editing {

namespace {

constexpr const char* kDateMessageTitle = "Vostrel提示：";
constexpr const char* kFirstRowMissing = "请你务必在条件输入框的第一行中输入相应的条件！";
constexpr const char* kPreviousRowEmpty = "条件输入错误：上一行的条件内容不能为空。";
constexpr const char* kLogicMissing =
    "条件输入不完整：请你务必在条件输入框的第一列中选择合适的逻辑！";
constexpr const char* kInvalidCellDate = "日期不合法！请重新输入";
constexpr const char* kIncomplete = "条件数据录入不完整！";
constexpr const char* kInvalidDate = "日期不合法，请重新输入";
constexpr const char* kForbiddenMaterial = "输入的物料不能够为特征类或规划类。请重新选择";
constexpr const char* kParenthesesMismatch = "左右括号的匹配有误！";
constexpr const char* kParenthesesUnequal = "左右括号数量不等！";

constexpr const char* kFirstAndOr = "   ";
constexpr const char* kAndWord = " AND ";
constexpr const char* kOrWord = " OR ";

constexpr const char* kMaterialByIdSql = "SELECT FErpClsID FROM t_ICItem WHERE FItemID=";
constexpr const char* kMaterialWhere = "SELECT FErpClsID FROM t_ICItem WHERE ";
constexpr const char* kMaterialClasses = " AND FErpClsID IN (6,8)";
constexpr int32_t kMaterialClass = 4;
constexpr int32_t kActionControl = 2;

void Notify(const std::string& message, const char* title = host::kMessageTitle) {
    host::ShowMessage(message, host::kIconInformation, host::kButtonsOk, title);
}

// A whole number written in decimal, or false.
bool WholeNumber(const std::string& value, std::string& out) {
    double d = 0;
    if (!number::ParseDecimal(text::Trim(value), d) || d != std::floor(d) ||
        std::fabs(d) > 2147483647.0)
        return false;
    out = text::Num(static_cast<long long>(d));
    return true;
}

// The material check's statement for a value, or empty when there is none.
std::string MaterialQuery(const clsChatTitle& field, const std::string& value) {
    switch (field.RetDataType) {
        case 0: {
            std::string id;
            return WholeNumber(value, id) ? kMaterialByIdSql + id + kMaterialClasses : "";
        }
        case 1:
            return kMaterialWhere +
                   std::string(text::ToUpper(field.FieldName) == "FSHORTNUMBER" ? "FShortNumber="
                                                                                : "FNumber=") +
                   text::SqlQuote(value) + kMaterialClasses;
        case 2:
            return kMaterialWhere + std::string("FName=") + text::SqlQuote(value) +
                   kMaterialClasses;
        default:
            return "";
    }
}

int ParenthesisCount(const std::string& text, char sign) {
    std::string trimmed = text::Trim(text);
    if (trimmed.empty() || trimmed.size() > 4) return 0;
    for (char c : trimmed)
        if (c != sign) return 0;
    return static_cast<int>(trimmed.size());
}

// The SQL literal of a condition value, or the message that refuses it.
std::string FilterLiteral(int colType, const std::string& code, const std::string& value,
                          std::string& literal, int32_t& fieldType) {
    const bool emptiness = code == "7" || code == "8";
    if (value.empty() && colType != kTypeText && !emptiness) return kIncomplete;
    if (colType == kTypeDate) {
        fieldType = 1;
        Date date;
        if (!Date::parse(value, date)) return kInvalidDate;
        literal = " '" + date.format() + "' ";
    } else if (IsNumericLiteralType(colType)) {
        fieldType = 2;
        literal = text::Trim(value);
        if (literal.empty()) literal = "0";
        double unused = 0;
        // Only a number may stand bare in the statement.
        if (!number::ParseDecimal(literal, unused)) return kIncomplete;
    } else {
        fieldType = 1;
        literal = text::SqlQuote(value);
    }
    return "";
}

}  // namespace

const clsChatTitle* FMaker::fieldOfRow(const ui::Grid& grid, int32_t row,
                                       bool allowPlaceholder) const {
    int index = grid.comboIndex(row, ConditionCol::Field);
    if (index < (allowPlaceholder ? 0 : 1) || index >= static_cast<int>(fields_.size()))
        return nullptr;
    return &fields_[index];
}

void FMaker::setValueCell(int32_t row, int colType) {
    const ui::CellSpec spec = ValueCellFor(colType);
    ui::Grid& grid = *conditionGrid_;
    grid.setCellType(row, ConditionCol::Value, spec.type);
    if (spec.type == ui::CellType::Number)
        grid.setNumberLimits(row, ConditionCol::Value, spec.limits);
    else if (spec.type == ui::CellType::Edit)
        grid.setMaxLength(row, ConditionCol::Value, spec.maxLength);
}

bool FMaker::Changed(int32_t Row, int32_t Col) {
    if (!conditionGrid_) return true;
    ui::Grid& grid = *conditionGrid_;
    if (Col == ConditionCol::Field) {
        const clsChatTitle* field = fieldOfRow(grid, Row, false);
        if (!field) return true;
        setComparisonList(Row, IsStatusField(field->ColName) ? kTypeStatus : field->ColType, false);
        grid.setText(Row, ConditionCol::Value, "");
        grid.setText(Row, ConditionCol::FieldId, text::Num(field->InterID));
        grid.setText(Row, ConditionCol::FieldName, field->FieldName);
        grid.setText(Row, ConditionCol::FieldAlias, field->ColName);
        grid.setText(Row, ConditionCol::TableName, field->TableName);
        grid.setText(Row, ConditionCol::TableAlias, field->TableAlias);
        setValueCell(Row, field->ColType);
    } else if (Col == ConditionCol::Compare) {
        const clsChatTitle* field = fieldOfRow(grid, Row, true);
        if (!field) return true;
        int k = grid.comboIndex(Row, ConditionCol::Compare);
        if (k >= 0 && IsNumericCompareType(field->ColType))
            grid.setText(Row, ConditionCol::Value, "0.0");
        grid.setComboIndex(Row, ConditionCol::Code, k);
    }
    return true;
}

void FMaker::ConditionCellChanged(int32_t Row, int32_t Col) {
    Changed(Row, Col);
    if (!conditionGrid_) return;
    ui::Grid& grid = *conditionGrid_;
    const int32_t active = grid.activeRow();
    if (IsEmptinessWord(grid.text(active, ConditionCol::Compare))) {
        grid.setLocked(active, ConditionCol::Value, true);
        grid.setText(active, ConditionCol::Value, "");
    } else {
        grid.setLocked(active, ConditionCol::Value, false);
    }
}

bool FMaker::ConditionLeaveCell(int32_t Row, int32_t Col, int32_t NewRow, int32_t /*NewCol*/) {
    if (!conditionGrid_) return true;
    ui::Grid& grid = *conditionGrid_;
    auto blank = [&](int32_t r, int32_t c) { return text::IsBlank(grid.text(r, c)); };
    lastConditionRow_ = Row;
    if (NewRow >= 2 && blank(NewRow, ConditionCol::Logic) && !blank(NewRow, ConditionCol::Field))
        grid.setComboIndex(NewRow, ConditionCol::Logic, 0);
    if (NewRow == -1 || NewRow == 1) return true;

    bool allowed = true;
    if (Row == 1) {
        for (int32_t c : {ConditionCol::Field, ConditionCol::Compare, ConditionCol::Value}) {
            if (!blank(1, c)) continue;
            if (blank(1, ConditionCol::Field) || blank(1, ConditionCol::Compare) ||
                !IsEmptinessWord(grid.text(1, ConditionCol::Compare))) {
                Notify(kFirstRowMissing);
                grid.setActiveCell(1, c);
                allowed = false;
            }
            break;
        }
    } else if (Row >= 2) {
        int32_t testRow = 0;
        bool valueMissing = false;
        if (NewRow == Row && Row >= 3) {
            testRow = Row - 1;
        } else if (NewRow > Row) {
            testRow = Row;
            valueMissing = !IsEmptinessWord(grid.text(Row, ConditionCol::Compare)) &&
                           grid.text(Row, ConditionCol::Value).empty();
        } else if (NewRow < Row && NewRow >= 3) {
            testRow = NewRow - 1;
        }
        if (testRow > 0 && (grid.text(testRow, ConditionCol::Logic).empty() || valueMissing)) {
            Notify(kPreviousRowEmpty);
            grid.setActiveCell(Row, ConditionCol::Code);
            if (NewRow == Row) grid.clearRange(Row, ConditionCol::Logic, Row, grid.maxCols());
            return false;
        }
        bool filled = false;
        for (int32_t c = ConditionCol::Left; c <= grid.maxCols() && !filled; ++c)
            filled = !grid.text(Row, c).empty();
        if (filled && grid.comboIndex(Row, ConditionCol::Logic) < 0) {
            Notify(kLogicMissing);
            grid.clearRange(Row, ConditionCol::Left, Row, grid.maxCols());
            return true;
        }
    }

    if (Col == ConditionCol::Value &&
        grid.cellType(Row, ConditionCol::Value) == ui::CellType::Date) {
        std::string value = text::Trim(grid.text(Row, ConditionCol::Value));
        Date date;
        if (!value.empty() && !Date::parse(value, date)) {
            Notify(kInvalidCellDate, kDateMessageTitle);
            grid.setActiveCell(Row, ConditionCol::Value);
            return false;
        }
    }
    std::string message;
    if (CheckData(Row, Col, &message) != 0) Notify(message);
    return allowed;
}

void FMaker::ConditionEditEnd() {
    if (!conditionGrid_) return;
    std::string message;
    if (CheckData(conditionGrid_->activeRow(), conditionGrid_->activeCol(), &message) != 0)
        Notify(message);
}

int32_t FMaker::CheckData(int32_t Row, int32_t Col, std::string* sReturn) {
    if (Col != ConditionCol::Value || !conditionGrid_) return 0;
    const clsChatTitle* field = fieldOfRow(*conditionGrid_, Row, true);
    if (!field || field->LookUpClsID != kMaterialClass) return 0;
    const std::string sql = MaterialQuery(*field, conditionGrid_->text(Row, ConditionCol::Value));
    if (sql.empty()) return 0;
    try {
        auto conn = host::Create<host::IAppConnection>(host::progid::kAppConnection);
        auto rs = conn->getanyrecordset(sql);
        if (!rs || rs->eof()) return 0;
    } catch (const Error&) {
        // No answer means nothing to object to.
        return 0;
    }
    if (sReturn) *sReturn = kForbiddenMaterial;
    return -1;
}

std::shared_ptr<Collection<clsFilterElement>> FMaker::getFilterElements(ui::Grid& ctlSpread,
                                                                        bool* bReturn) {
    auto elements = std::make_shared<Collection<clsFilterElement>>();
    const int32_t rows = ctlSpread.maxRows();
    const auto refuse = [&] {
        Notify(kIncomplete);
        if (bReturn) *bReturn = false;
        return nullptr;
    };
    for (int32_t r = 1; r <= rows; ++r) {
        // A row without a field (a blank row the insert button made, or one
        // left empty) holds no condition; the rows below it still count.
        const clsChatTitle* field = fieldOfRow(ctlSpread, r, false);
        if (!field) continue;
        auto e = std::make_shared<clsFilterElement>();
        e->sAndOr = elements->empty()
                        ? kFirstAndOr
                        : (ctlSpread.comboIndex(r, ConditionCol::Logic) == 1 ? kOrWord : kAndWord);
        if (!ctlSpread.text(r, ConditionCol::FieldAlias).empty()) {
            e->sFieldName = ctlSpread.text(r, ConditionCol::FieldName);
            e->sFieldAlias = ctlSpread.text(r, ConditionCol::FieldAlias);
            e->sTableName = ctlSpread.text(r, ConditionCol::TableName);
            e->sTableAlias = ctlSpread.text(r, ConditionCol::TableAlias);
        }
        const int k = ctlSpread.comboIndex(r, ConditionCol::Compare);
        if (k < 0) return refuse();
        e->sRightParentheses = ctlSpread.text(r, ConditionCol::Right);
        e->sLeftParentheses = ctlSpread.text(r, ConditionCol::Left);
        // Only the pick lists' parentheses reach the statement, whoever wrote
        // the cells.
        if (!IsParenthesisItem(e->sLeftParentheses, '(') ||
            !IsParenthesisItem(e->sRightParentheses, ')'))
            return refuse();
        ctlSpread.setComboIndex(r, ConditionCol::Code, k);
        e->sLogicOperator = ctlSpread.text(r, ConditionCol::Code);
        std::string refusal =
            FilterLiteral(field->ColType, e->sLogicOperator, ctlSpread.text(r, ConditionCol::Value),
                          e->sValue, e->lFieldType);
        if (!refusal.empty()) {
            Notify(refusal);
            if (bReturn) *bReturn = false;
            return nullptr;
        }
        if (field->ControlType == kActionControl && !text::IsBlank(field->sAction))
            e->sAction = field->sAction;
        elements->push_back(std::move(e));
    }
    if (bReturn) *bReturn = true;
    return elements;
}

bool FMaker::CheckParentheses(const Collection<clsFilterElement>* elements) {
    if (!elements) return true;
    int opened = 0;
    int closed = 0;
    for (const auto& e : *elements) {
        if (!e) continue;
        opened += ParenthesisCount(e->sLeftParentheses, '(');
        closed += ParenthesisCount(e->sRightParentheses, ')');
        if (closed > opened) {
            Notify(kParenthesesMismatch);
            return false;
        }
    }
    if (opened != closed) {
        Notify(kParenthesesUnequal);
        return false;
    }
    return true;
}

}  // namespace qelt::editing
