#include "schemes/scheme_entries.h"

#include <algorithm>
#include <charconv>
#include <deque>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
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

// The FValue of each FKey (the first entry of a key, keys compared
// ignoring case, as a filter on FKey finds them); `def` for a key that is
// missing or cannot be read. Read in one walk: a scheme is asked for a
// dozen keys.
class StoredValues {
public:
    explicit StoredValues(const Recordset& entries) {
        const int key = entries.fieldIndex("FKey");
        const int value = entries.fieldIndex("FValue");
        if (key < 0 || value < 0) return;
        for (RecordsetPtr walk = entries.clone(); !walk->eof(); walk->moveNext()) {
            const std::span<const Variant> row = walk->currentRow();
            if (const std::string* k = row[static_cast<std::size_t>(key)].textIf())
                values_.emplace(text::ToUpper(*k), row[static_cast<std::size_t>(value)]);
        }
    }

    std::string get(const std::string& key, const std::string& def) const {
        const auto it = values_.find(text::ToUpper(key));
        if (it == values_.end()) return def;
        try {
            return it->second.toString(def);
        } catch (const Error&) {
            return def;
        }
    }

private:
    std::unordered_map<std::string, Variant> values_;
};

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

// Writes a stored condition row into grid row `row` when it names a field
// the list offers and fits it; false (nothing written) otherwise.
bool PlaceConditionRow(frmFilter& d, int row, const ConditionRow& stored) {
    editing::FMaker& maker = *d.models.maker;
    ui::Grid& grid = d.VpFilter;
    const std::string caption = maker.GetMappingField(stored.field);
    const auto& fields = maker.ConditionFields();
    const auto field = std::find_if(fields.begin() + 1, fields.end(),
                                    [&](const clsChatTitle& f) { return f.Desc == caption; });
    if (caption.empty() || field == fields.end()) return false;
    ConditionRow shown = stored;
    shown.comparison = maker.GetMappingCompare(stored.comparison);
    if (!ConditionRowProblemForField(shown, field->ColType, field->ColName).empty()) return false;
    const std::string logic = row > 1 ? maker.GetMappingLogic(stored.logic) : "";
    if (row > 1 && !grid.accepts(row, ConditionCol::Logic, logic)) return false;
    grid.setText(row, ConditionCol::Field, caption);
    maker.Changed(row, ConditionCol::Field);
    if (row > 1) grid.setText(row, ConditionCol::Logic, logic);
    grid.setText(row, ConditionCol::Left, stored.leftParentheses);
    grid.setText(row, ConditionCol::Compare, shown.comparison);
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
    rows.reserve(static_cast<std::size_t>(std::max(grid.maxRows(), 0)));
    for (int row = 1; row <= grid.maxRows(); ++row)
        rows.push_back({text::Trim(grid.text(row, ColumnCol::Shown)),
                        TwipsFromMillimetres(grid.text(row, ColumnCol::Width)), text::Num(row),
                        grid.text(row, ColumnCol::Alias),
                        text::Num(grid.comboIndex(row, ColumnCol::Alignment))});
    return EncodeColumnRows(rows);
}

std::vector<std::pair<std::string, std::string>> EntryValues(frmFilter& d) {
    std::vector<std::pair<std::string, std::string>> entries;
    const auto add = [&](const char* key, std::string value) {
        entries.emplace_back(key, std::move(value));
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

RecordsetPtr BuildEntries(frmFilter& d, int32_t schemeId) {
    RecordsetPtr entries = host::NewSchemeEntries();
    const auto column = [&](const char* name) {
        const int i = entries->fieldIndex(name);
        return i < 0 ? std::string::npos : static_cast<std::size_t>(i);
    };
    const std::size_t id = column("FSchemeID"), k = column("FKey"), type = column("FType"),
                      v = column("FValue");
    for (auto& [key, value] : EntryValues(d)) {
        entries->addNew();
        entries->setValue(id, schemeId);
        entries->setValue(k, std::move(key));
        entries->setValue(type, 0);
        entries->setValue(v, std::move(value));
        entries->update();
    }
    return entries;
}

// --- stored entries into the dialog ---------------------------------------------------

void ApplyEntries(frmFilter& d, Recordset& entries) {
    const dialog::DialogInputs& in = d.inputs();
    const StoredValues stored(entries);
    if (in.listShowStatus == 0) {
        d.chkShowByBeforeProject.setValue(ToLong(stored.get(kAutoAcceptKey, "0")) != 0 ? 1 : 0);
        // A transaction type the host fixed stays fixed whatever the scheme.
        if (in.canSelTrantype) SelectStored(d.cboTransType, stored.get(kTransTypeKey, "0"));
        for (const char* key : kSelectorKeys) {
            ui::ComboBox& combo = d.combo(key);
            const dialog::SelectorInfo& s = SelectorOf(key);
            const int n = in.listId == 621 ? s.missingDefault621 : s.missingDefault;
            SelectStored(combo, stored.get(key, text::Num(combo.listCount() > n ? n : 0)));
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
            d.check(key).setValue(ToLong(stored.get(key, "0")) != 0 ? 1 : 0);
    }
    const std::string columns = stored.get(kHideColumnsKey, "");
    const std::string sorts = stored.get(kOrderByKey, "");
    const std::string conditions = stored.get(kRelationKey, "");
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
        if (PlaceConditionRow(d, row, stored[i])) ++placed;
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

// The column grid is the catalogue's columns with a scheme's settings laid
// over them, in the order of their positions (a stable sort: equal
// positions keep the catalogue's order).
void DecodeColumnGrid(frmFilter& d, const std::string& value) {
    editing::FMaker* maker = d.models.maker.get();
    if (!maker || !maker->Catalogue()) return;
    using F = editing::CatalogueField;
    // The catalogue's rows as the grid takes them (texts viewed in the
    // catalogue, which stays as it is).
    struct Column {
        std::string_view caption, colName, fieldName, tableName, tableAlias;
        int32_t visible = 0;
        int32_t index = 0;
        int32_t align = 0;
        const Variant* width = nullptr;
    };
    std::vector<Column> columns;
    std::unordered_map<std::string, std::size_t> byName;  // upper-cased ColName, first row
    RecordsetPtr walk = maker->Catalogue()->clone();
    columns.reserve(static_cast<std::size_t>(walk->recordCount()));
    std::deque<std::string> texts;  // fields that hold no text, as text
    const auto view = [&](const Variant& v) -> std::string_view {
        if (const std::string* s = v.textIf()) return *s;
        return texts.emplace_back(v.toString(""));
    };
    for (; !walk->eof(); walk->moveNext()) {
        const std::span<const Variant> c = walk->currentRow();
        Column col;
        col.caption = view(c[F::ColCaption]);
        col.colName = view(c[F::ColName]);
        col.fieldName = view(c[F::FieldName]);
        col.tableName = view(c[F::TableName]);
        col.tableAlias = view(c[F::TableAlias]);
        col.visible = c[F::Visible].toLong();
        col.index = c[F::Index].toLong();
        col.align = c[F::Align].toLong();
        col.width = &c[F::ColWidth];
        byName.emplace(text::ToUpper(col.colName), columns.size());
        columns.push_back(col);
    }
    // The widths a scheme sets, as the grid shows them (the catalogue keeps
    // numbers, which would drop the decimals), by upper-cased column name.
    std::unordered_map<std::string, std::string> widths;
    for (const ColumnRow& f : DecodeColumnRows(value)) {
        if (!ColumnRowProblem(f).empty()) continue;
        const auto found = byName.find(text::ToUpper(f.alias));
        if (found == byName.end()) continue;
        Column& col = columns[found->second];
        // As the catalogue's fields take them: a value its field cannot
        // hold stops the row's remaining settings.
        try {
            col.visible = text::Trim(f.visible) == "1" ? 1 : 0;
            col.index = ToLong(f.position);
            const std::string width = MillimetresFromTwips(f.widthTwips);
            Variant(width).toDouble();
            widths[text::ToUpper(f.alias)] = width;
            col.align = Variant(f.alignment.empty() ? std::string("0") : f.alignment).toLong();
        } catch (const Error&) {
        }
    }
    std::vector<std::size_t> order(columns.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return columns[a].index < columns[b].index;
    });

    namespace cells = editing::cells;
    ui::Grid& grid = d.vaHideColumn;
    grid.setMaxRows(static_cast<int>(columns.size()));
    if (grid.maxRows() > 0)
        grid.clearRange(1, ColumnCol::Caption, grid.maxRows(), ColumnCol::Count);
    const bool appType1 = support::IsAppType1();
    int row = 0;
    for (std::size_t i : order) {
        const Column& col = columns[i];
        ++row;
        cells::SetStatic(grid, row, ColumnCol::Caption, std::string(col.caption));
        cells::SetStatic(grid, row, ColumnCol::SecondCaption, "");
        cells::SetCheck(grid, row, ColumnCol::Shown, col.visible == 1);
        const auto width = widths.find(text::ToUpper(col.colName));
        cells::SetEdit(grid, row, ColumnCol::Width,
                       width == widths.end() ? col.width->toString("") : width->second);
        cells::SetEdit(grid, row, ColumnCol::Index, text::Num(col.index));
        cells::MakeList(grid, row, ColumnCol::Alignment, editing::kAlignmentList);
        grid.setComboIndex(row, ColumnCol::Alignment,
                           col.align >= 0 && col.align < 4 ? col.align : 0);
        cells::SetEdit(grid, row, ColumnCol::FieldName, std::string(col.fieldName));
        cells::SetEdit(grid, row, ColumnCol::Alias, std::string(col.colName));
        cells::SetEdit(grid, row, ColumnCol::TableName, std::string(col.tableName));
        cells::SetEdit(grid, row, ColumnCol::TableAlias, std::string(col.tableAlias));
        if (appType1 && col.caption == kVoucherNumber) grid.setText(row, ColumnCol::Shown, "0");
    }
}

}  // namespace qelt::schemes
