#include "schemes/scheme_entries.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "dialog/frm_filter.h"
#include "editing/fmaker.h"
#include "editing/grid_cells.h"
#include "editing/grid_columns.h"
#include "editing/vocabularies.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/scheme_content.h"
#include "support/session_env.h"

namespace qelt::schemes {

namespace {

using dialog::frmFilter;
using editing::ColumnCol;
using editing::ConditionCol;
using editing::SortCol;

constexpr const char* kRunNumberSql =
    "select FNumber from ICMrpInfo where FInterID in( select Max(FInterID) from ICMrpInfo "
    "where FType=";
constexpr const char* kVoucherNumber = "凭证字号";

// A whole number written as text, blanks around it allowed.
std::optional<int32_t> WholeNumber(std::string_view s) {
    s = text::TrimView(s);
    int32_t n = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (s.empty() || ec != std::errc{} || end != s.data() + s.size()) return std::nullopt;
    return n;
}

int32_t ToLong(const std::string& s) {
    return WholeNumber(s).value_or(0);
}

// The FValue of a key; `def` when the key is missing or cannot be read.
std::string Value(Recordset& entries, const std::string& key, const std::string& def) {
    try {
        entries.setFilter("FKey=" + text::SqlQuote(key));
        if (entries.eof()) return def;
        return entries.value("FValue").toString(def);
    } catch (const Error&) {
        return def;
    }
}

// Selects a stored index the box has; anything else leaves the box alone.
void SelectStored(ui::ComboBox& combo, const std::string& value) {
    const std::optional<int32_t> index = WholeNumber(value);
    if (index && *index >= 0 && *index < combo.listCount()) combo.setListIndex(*index);
}

const dialog::SelectorInfo& SelectorOf(std::string_view combo) {
    for (const auto& s : dialog::kSelectors)
        if (combo == s.combo) return s;
    throw Error(-1, "QeltSqlWhere2.Scheme", "no selector " + std::string(combo));
}

// Writes a stored condition row into grid row `row`; false (the row partly
// written) when a cell could not hold what the row stores.
bool PlaceConditionRow(frmFilter& d, int row, const ConditionRow& stored) {
    editing::FMaker& maker = *d.models.maker;
    ui::Grid& grid = d.VpFilter;
    const std::string field = maker.GetMappingField(stored.field);
    if (field.empty() || !grid.accepts(row, ConditionCol::Field, field)) return false;
    grid.setText(row, ConditionCol::Field, field);
    if (grid.comboIndex(row, ConditionCol::Field) < 1) return false;
    maker.Changed(row, ConditionCol::Field);
    const std::string compare = maker.GetMappingCompare(stored.comparison);
    if (compare.empty() || !grid.accepts(row, ConditionCol::Compare, compare)) return false;
    const bool emptiness = editing::IsEmptinessWord(compare);
    if (emptiness ? !stored.value.empty() : !grid.accepts(row, ConditionCol::Value, stored.value))
        return false;
    if (!grid.accepts(row, ConditionCol::Left, stored.leftParentheses) ||
        !grid.accepts(row, ConditionCol::Right, stored.rightParentheses))
        return false;
    if (row > 1) {
        const std::string logic = maker.GetMappingLogic(stored.logic);
        if (!grid.accepts(row, ConditionCol::Logic, logic)) return false;
        grid.setText(row, ConditionCol::Logic, logic);
    }
    grid.setText(row, ConditionCol::Left, stored.leftParentheses);
    grid.setText(row, ConditionCol::Compare, compare);
    grid.setComboIndex(row, ConditionCol::Code, grid.comboIndex(row, ConditionCol::Compare));
    grid.setText(row, ConditionCol::Value, stored.value);
    grid.setText(row, ConditionCol::Right, stored.rightParentheses);
    return true;
}

}  // namespace

// --- the dialog's state as entries --------------------------------------------------

// The rows the statement takes (those naming a field and a comparison), with
// the connective it gives them: the first row none, an unchosen one "并且".
std::string EncodeConditionGrid(frmFilter& d) {
    editing::FMaker* maker = d.models.maker.get();
    ui::Grid& grid = d.VpFilter;
    std::vector<ConditionRow> rows;
    for (int row = 1; maker && row <= grid.maxRows(); ++row) {
        std::string ignored;
        maker->CheckData(row, ConditionCol::Value, &ignored);
        const std::string compare = grid.text(row, ConditionCol::Compare);
        const char* code = editing::ComparisonCode(compare);
        if (grid.comboIndex(row, ConditionCol::Field) < 1 || !code) continue;
        std::string logic;
        if (!rows.empty())
            logic = grid.comboIndex(row, ConditionCol::Logic) == 1 ? editing::kOr : editing::kAnd;
        rows.push_back({maker->GetMappingLogic(logic, true),
                        maker->GetMappingField(grid.text(row, ConditionCol::Field), true),
                        maker->GetMappingCompare(compare, true), code,
                        grid.text(row, ConditionCol::Value), grid.text(row, ConditionCol::FieldId),
                        grid.text(row, ConditionCol::Left), grid.text(row, ConditionCol::Right)});
    }
    return EncodeConditionRows(rows);
}

std::string EncodeSortGrid(frmFilter& d) {
    std::vector<SortKeyRow> rows;
    for (int row = 1; row <= d.grids.sortRowCount() && row <= d.vsOrder.maxRows(); ++row) {
        const auto cell = [&](int col) { return d.vsOrder.text(row, col); };
        rows.push_back({cell(SortCol::Caption), cell(SortCol::Ascending), cell(SortCol::Descending),
                        cell(SortCol::Alias), cell(SortCol::TableAlias), cell(SortCol::FieldName),
                        cell(SortCol::TableName)});
    }
    return EncodeSortKeyRows(rows);
}

std::string EncodeColumnGrid(frmFilter& d) {
    ui::Grid& grid = d.vaHideColumn;
    std::vector<ColumnRow> rows;
    for (int row = 1; row <= grid.maxRows(); ++row)
        rows.push_back({text::Trim(grid.text(row, ColumnCol::Shown)),
                        TwipsFromMillimetres(grid.text(row, ColumnCol::Width)), text::Num(row),
                        grid.text(row, ColumnCol::Alias),
                        text::Num(grid.comboIndex(row, ColumnCol::Alignment))});
    return EncodeColumnRows(rows);
}

RecordsetPtr BuildEntries(frmFilter& d, int32_t schemeId) {
    RecordsetPtr entries = host::NewSchemeEntries();
    const auto add = [&](const std::string& key, const std::string& value) {
        entries->addNew();
        entries->setValue("FSchemeID", schemeId);
        entries->setValue("FKey", key);
        entries->setValue("FType", 0);
        entries->setValue("FValue", value);
        entries->update();
    };
    add(kAutoAcceptKey, text::Num(d.chkShowByBeforeProject.value()));
    // A box with nothing selected keeps no index: applying one would empty
    // the box, and with it a condition of the list.
    if (d.cboTransType.listIndex() >= 0) add(kTransTypeKey, text::Num(d.cboTransType.listIndex()));
    for (const char* key : kSelectorKeys) {
        const ui::ComboBox& combo = d.combo(key);
        if (combo.visible() && combo.listIndex() >= 0) add(key, text::Num(combo.listIndex()));
    }
    add(kOrderByKey, EncodeSortGrid(d));
    add(kRelationKey, EncodeConditionGrid(d));
    add(kHideColumnsKey, EncodeColumnGrid(d));
    if (d.framePlanOrder.visible()) {
        for (const char* key : kPlanCheckKeys) add(key, text::Num(d.check(key).value()));
        for (const char* key : kRunNumberKeys) add(key, d.text(key).text());
    }
    return entries;
}

// --- stored entries into the dialog ---------------------------------------------------

void ApplyEntries(frmFilter& d, Recordset& entries) {
    const dialog::DialogInputs& in = d.inputs();
    if (in.listShowStatus == 0) {
        d.chkShowByBeforeProject.setValue(ToLong(Value(entries, kAutoAcceptKey, "0")) != 0 ? 1 : 0);
        // A transaction type the host fixed stays fixed whatever the scheme.
        if (in.canSelTrantype) SelectStored(d.cboTransType, Value(entries, kTransTypeKey, "0"));
        for (const char* key : kSelectorKeys) {
            ui::ComboBox& combo = d.combo(key);
            const dialog::SelectorInfo& s = SelectorOf(key);
            const int n = in.listId == 621 ? s.missingDefault621 : s.missingDefault;
            SelectStored(combo, Value(entries, key, text::Num(combo.listCount() > n ? n : 0)));
        }
    }
    if (dialog::PlanOrderList(d.MyListID)) {
        std::string number;
        try {
            RecordsetPtr rs =
                host::Create<host::IAppConnection>(host::progid::kAppConnection)
                    ->Execute(kRunNumberSql + std::string(in.listId == 604 ? "0" : "1") + ")");
            if (rs && rs->recordCount() > 0) {
                rs->moveFirst();
                number = text::Trim(rs->value(std::size_t{0}).toString(""));
            }
        } catch (const Error&) {
        }
        d.txtRunNoFrom.setText(number);
        d.txtRunNoTO.setText(number);
        for (const char* key : {"chkChecked", "chkClose", "chkPlan"})
            d.check(key).setValue(ToLong(Value(entries, key, "0")) != 0 ? 1 : 0);
    }
    const std::string columns = Value(entries, kHideColumnsKey, "");
    const std::string sorts = Value(entries, kOrderByKey, "");
    const std::string conditions = Value(entries, kRelationKey, "");
    entries.setFilter("");
    DecodeConditionGrid(d, conditions);
    DecodeSortGrid(d, sorts);
    DecodeColumnGrid(d, columns);
}

// A stored row takes a grid row only when every cell holds what a person
// could have chosen there for the field the list still offers; any other
// row is left out and the rows below close up.
void DecodeConditionGrid(frmFilter& d, const std::string& value) {
    editing::FMaker* maker = d.models.maker.get();
    if (!maker) return;
    ui::Grid& grid = d.VpFilter;
    const std::vector<ConditionRow> stored = DecodeConditionRows(value);
    maker->ClearAll();
    // A scheme never loses conditions to a grid that is too short, and one
    // empty row stays ready for input.
    const int needed = stored.empty() ? 0 : static_cast<int>(stored.size()) + 1;
    if (needed > grid.maxRows()) {
        const int from = grid.maxRows() + 1;
        grid.setMaxRows(needed);
        for (int row = from; row <= grid.maxRows(); ++row) d.grids.prepareConditionRow(row);
    }
    int placed = 0;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (!ConditionRowProblem(stored[i], i == 0).empty()) continue;
        const int row = placed + 1;
        if (PlaceConditionRow(d, row, stored[i])) {
            ++placed;
        } else {
            grid.clearRange(row, ConditionCol::Logic, row, ConditionCol::Count);
            d.grids.prepareConditionRow(row);
        }
    }
    if (grid.maxRows() >= 1) grid.setActiveCell(1, ConditionCol::Left);
}

// Sort keys take their caption, field and table from the list's own
// sortable fields; a key the list no longer offers, or one whose directions
// a person could not have ticked, is left out and the others close up.
void DecodeSortGrid(frmFilter& d, const std::string& value) {
    ui::Grid& grid = d.vsOrder;
    std::vector<dialog::GridEditing::OrderField> available;
    for (const std::string& item : d.listOrderFields.items()) {
        dialog::GridEditing::OrderField field;
        if (dialog::GridEditing::ParseOrderField(item, field)) available.push_back(field);
    }
    for (int row = 1; row <= grid.maxRows(); ++row) {
        grid.setText(row, SortCol::Caption, "");
        grid.setText(row, SortCol::Alias, "");
        for (int col : {SortCol::Ascending, SortCol::Descending}) {
            grid.setCellType(row, col, ui::CellType::Static);
            grid.setText(row, col, "");
        }
    }
    int placed = 0;
    for (const SortKeyRow& stored : DecodeSortKeyRows(value)) {
        if (!SortKeyRowProblem(stored).empty()) continue;
        const auto field = std::find_if(available.begin(), available.end(),
                                        [&](const auto& f) { return f.colName == stored.alias; });
        if (field == available.end()) continue;
        if (++placed > grid.maxRows()) grid.setMaxRows(placed);
        const std::string cells[] = {field->caption,  stored.ascending,  stored.descending,
                                     field->colName,  field->tableAlias, field->fieldName,
                                     field->tableName};
        for (int col = 1; col <= SortCol::Count; ++col) {
            const bool check = col == SortCol::Ascending || col == SortCol::Descending;
            grid.setCellType(placed, col, check ? ui::CellType::CheckBox : ui::CellType::Edit);
            grid.setText(placed, col, cells[col - 1]);
        }
    }
    d.grids.setSortRowCount(static_cast<int16_t>(placed));
}

void DecodeColumnGrid(frmFilter& d, const std::string& value) {
    editing::FMaker* maker = d.models.maker.get();
    if (!maker || !maker->Catalogue()) return;
    RecordsetPtr columns = Recordset::copyOf(*maker->Catalogue());
    // The widths a scheme sets, as the grid shows them (the catalogue keeps
    // numbers, which would drop the decimals).
    std::map<std::string, std::string> widths;
    for (const ColumnRow& f : DecodeColumnRows(value)) {
        if (!ColumnRowProblem(f).empty()) continue;
        bool found = false;
        for (columns->moveFirst(); !columns->eof(); columns->moveNext())
            if (text::IEquals(columns->value("ColName").toString(""), f.alias)) {
                found = true;
                break;
            }
        if (!found) continue;
        try {
            columns->setValue("Visible", text::Trim(f.visible) == "1" ? 1 : 0);
            columns->setValue("Index", ToLong(f.position));
            const std::string width = MillimetresFromTwips(f.widthTwips);
            columns->setValue("ColWidth", width);
            widths[text::ToUpper(f.alias)] = width;
            columns->setValue("Align", f.alignment.empty() ? std::string("0") : f.alignment);
            columns->update();
        } catch (const Error&) {
        }
    }
    columns->setSort("Index ASC");
    namespace cells = editing::cells;
    ui::Grid& grid = d.vaHideColumn;
    grid.setMaxRows(columns->recordCount());
    if (grid.maxRows() > 0)
        grid.clearRange(1, ColumnCol::Caption, grid.maxRows(), ColumnCol::Count);
    int row = 0;
    for (columns->moveFirst(); !columns->eof(); columns->moveNext()) {
        ++row;
        const auto text = [&](const char* name) { return columns->value(name).toString(""); };
        cells::SetStatic(grid, row, ColumnCol::Caption, text("ColCaption"));
        cells::SetStatic(grid, row, ColumnCol::SecondCaption, "");
        cells::SetCheck(grid, row, ColumnCol::Shown, columns->value("Visible").toLong() == 1);
        const auto width = widths.find(text::ToUpper(text("ColName")));
        cells::SetEdit(grid, row, ColumnCol::Width,
                       width == widths.end() ? text("ColWidth") : width->second);
        cells::SetEdit(grid, row, ColumnCol::Index, text("Index"));
        cells::MakeList(grid, row, ColumnCol::Alignment, editing::kAlignmentList);
        const int32_t align = ToLong(text("Align"));
        grid.setComboIndex(row, ColumnCol::Alignment, align >= 0 && align < 4 ? align : 0);
        cells::SetEdit(grid, row, ColumnCol::FieldName, text("FieldName"));
        cells::SetEdit(grid, row, ColumnCol::Alias, text("ColName"));
        cells::SetEdit(grid, row, ColumnCol::TableName, text("TableName"));
        cells::SetEdit(grid, row, ColumnCol::TableAlias, text("TableAlias"));
        if (support::IsAppType1() && text("ColCaption") == kVoucherNumber)
            grid.setText(row, ColumnCol::Shown, "0");
    }
}

}  // namespace qelt::schemes
