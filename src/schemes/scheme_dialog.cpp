// The filter dialog's schemes: what a scheme holds, the scheme list, and
// saving, applying and deleting schemes through the scheme store.
#include <algorithm>
#include <cstdlib>
#include <map>

#include "dialog/frm_filter.h"
#include "dialog/frm_saveschame.h"
#include "editing/fmaker.h"
#include "editing/grid_cells.h"
#include "editing/vocabularies.h"
#include "host/messages.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/scheme_content.h"
#include "qelt/ui/presenter.h"
#include "support/session_env.h"
#include "support/shared_settings.h"

namespace qelt::dialog {

namespace {

constexpr const char* kSource = "QeltSqlWhere2.frmFilter";
constexpr const char* kDefaultSchemeTraditional = "默認方案";
constexpr const char* kDefaultSchemeEnglish = "Default Schema";
constexpr const char* kItemKeyPrefix = "Scheme";
constexpr std::size_t kItemKeyPrefixChars = 6;

constexpr const char* kCannotOverwrite = "不能覆盖";
constexpr const char* kCannotDelete = "不能删除";
constexpr const char* kSetByOwner = "设置的方案。";
constexpr const char* kTooManyColumns = "当前选择待显示的列数超过最大预警列数，请慎重选择必需列";
constexpr const char* kOverwriteSelected = "是否覆盖原方案?";
constexpr const char* kDefaultNameRefused = "用户自定义方案不允许命名为默认方案";
constexpr const char* kOverwriteExisting = "该方案已经存在,是否覆盖原方案?";
constexpr const char* kTooLong = "过滤条件太长,%1保存方案失败!";
constexpr const char* kSaveFailedOpen = "保存方案 [";
constexpr const char* kSaveFailedClose = "] 失败！";
constexpr const char* kDefaultNotDeleted = "不能删除[";
constexpr const char* kDefaultNotDeletedClose = "]!";
constexpr const char* kAskDeleteOpen = "是否要删除方案[";
constexpr const char* kAskDeleteClose = "]？";
constexpr const char* kDeleteFailedOpen = "删除方案 [";

constexpr const char* kStartSchemeSql1 = "SELECT a.FSchemeid FROM ICSchemeProfileEntry a";
constexpr const char* kStartSchemeSql2 =
    " inner join ICSchemeProfile b  on a.Fschemeid =b.Fschemeid";
constexpr const char* kStartSchemeSql3 = " inner join t_user c on b.Fuserid=c.Fuserid";
constexpr const char* kStartSchemeSql4 = " where  FtranType=";
constexpr const char* kStartSchemeSql5 = " and Fname=";
constexpr const char* kStartSchemeSql6 = " and Fkey='chkShowByBeforeProject'  and fvalue like '1' ";
constexpr const char* kOwnerSql =
    "select Fname as Fname from t_user where Fuserid=(SELECT Fuserid  as Fuserid FROM "
    "ICSchemeProfile WHERE FSchemeID=";
constexpr const char* kShareSql =
    "SELECT FISShare as FISShare  FROM ICSchemeProfile WHERE FSchemeID=";
constexpr const char* kSharedOwnerSql1 =
    "select Fname as Fname from t_user where Fuserid=(select Fuserid from ICSchemeProfile "
    "where FSchemeName=";
constexpr const char* kSharedOwnerSql2 = " and Fisshare=1  and Ftrantype=";
constexpr const char* kRunNumberSql1 =
    "select FNumber from ICMrpInfo where FInterID in( select Max(FInterID) from ICMrpInfo "
    "where FType=";
constexpr const char* kViewMenu[] = {"大图标(&G)", "小图表(&M)", "列表(&L)", "详细资料(&D)"};
constexpr int kViews = 4;

// Condition grid columns.
constexpr int kLogic = 1, kLeft = 2, kField = 3, kCompare = 4, kCode = 5, kValue = 6, kRight = 7,
              kInterId = 8;
// Column grid columns.
constexpr int kColCaption = 1, kColVisible = 3, kColWidth = 4, kColIndex = 5, kColAlign = 6,
              kColField = 7, kColName = 8, kColTable = 9, kColTableAlias = 10;
constexpr const char* kAlignmentList = "默认\t靠左\t靠右\t居中";
constexpr const char* kVoucherNumber = "凭证字号";

bool IsDefaultName(const std::string& name) {
    return name == frmFilter::kDefaultSchemeName || name == kDefaultSchemeTraditional ||
           name == kDefaultSchemeEnglish;
}

int32_t ToLong(const std::string& s) {
    return static_cast<int32_t>(std::atol(text::Trim(s).c_str()));
}

std::string Replace(std::string s, const std::string& what, const std::string& with) {
    for (auto at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size()))
        s.replace(at, what.size(), with);
    return s;
}

// The list id in the hidden code of the selected transaction type.
int32_t SelectedTranType(const ui::ComboBox& types) {
    return ToLong(TransTypeItem::Part(types.text(), 1));
}

RecordsetPtr Execute(const std::string& sql) {
    return host::Create<host::IAppConnection>(host::progid::kAppConnection)->Execute(sql);
}

// The first column of a query's first row as trimmed text; empty for none.
std::string FirstValue(const std::string& sql) {
    RecordsetPtr rs = Execute(sql);
    if (!rs || rs->recordCount() < 1) return {};
    rs->moveFirst();
    return text::Trim(rs->value(std::size_t{0}).toString(""));
}

int Ask(const std::string& text, int buttons) {
    return host::ShowMessage(text, host::kIconQuestion, buttons, host::kMessageTitle);
}

void Tell(const std::string& text) {
    host::ShowMessage(text, host::kIconInformation, host::kButtonsOk, host::kMessageTitle);
}

}  // namespace

void frmFilter::wireSchemes() {
    for (int i = 0; i < kViews; ++i) tlbProject.setMenuItem(kViewButton, i, kViewMenu[i]);
    tlbProject.onButtonClick = [this](const std::string& key) { tlbProject_ButtonClick(key); };
    tlbProject.onButtonMenuClick = [this](const std::string& key, int index) {
        tlbProject_ButtonMenuClick(key, index);
    };
    lvwProject.onItemClick = [this](const std::string& key) { lvwProject_ItemClick(key); };
}

// --- content ----------------------------------------------------------------------

// The rows the statement takes (those naming a field and a comparison), with
// the connective it gives them: the first row none, an unchosen one "并且".
std::string frmFilter::EncodeConditionGrid() {
    std::vector<schemes::ConditionRow> rows;
    for (int row = 1; row <= VpFilter.maxRows(); ++row) {
        if (!mFMaker) break;
        std::string ignored;
        mFMaker->CheckData(row, kValue, &ignored);
        const std::string compare = VpFilter.text(row, kCompare);
        const char* code = editing::ComparisonCode(compare);
        if (VpFilter.comboIndex(row, kField) < 1 || !code) continue;
        std::string logic;
        if (!rows.empty())
            logic = VpFilter.comboIndex(row, kLogic) == 1 ? editing::kOr : editing::kAnd;
        rows.push_back({mFMaker->GetMappingLogic(logic, true),
                        mFMaker->GetMappingField(VpFilter.text(row, kField), true),
                        mFMaker->GetMappingCompare(compare, true), code, VpFilter.text(row, kValue),
                        VpFilter.text(row, kInterId), VpFilter.text(row, kLeft),
                        VpFilter.text(row, kRight)});
    }
    return schemes::EncodeConditionRows(rows);
}

std::string frmFilter::EncodeSortGrid() {
    std::vector<schemes::SortKeyRow> rows;
    for (int row = 1; row <= sortRowCount_ && row <= vsOrder.maxRows(); ++row) {
        const auto cell = [&](int col) { return vsOrder.text(row, col); };
        rows.push_back({cell(1), cell(2), cell(3), cell(4), cell(5), cell(6), cell(7)});
    }
    return schemes::EncodeSortKeyRows(rows);
}

std::string frmFilter::EncodeColumnGrid() {
    std::vector<schemes::ColumnRow> rows;
    for (int row = 1; row <= vaHideColumn.maxRows(); ++row)
        rows.push_back({text::Trim(vaHideColumn.text(row, kColVisible)),
                        schemes::TwipsFromMillimetres(vaHideColumn.text(row, kColWidth)),
                        text::Num(row), vaHideColumn.text(row, kColName),
                        text::Num(vaHideColumn.comboIndex(row, kColAlign))});
    return schemes::EncodeColumnRows(rows);
}

RecordsetPtr frmFilter::BuildSchemeEntries() {
    RecordsetPtr entries = host::NewSchemeEntries();
    const auto add = [&](const std::string& key, const std::string& value) {
        entries->addNew();
        entries->setValue("FSchemeID", schemeId_);
        entries->setValue("FKey", key);
        entries->setValue("FType", 0);
        entries->setValue("FValue", value);
        entries->update();
    };
    add("chkShowByBeforeProject", text::Num(chkShowByBeforeProject.value()));
    // A box with nothing selected keeps no index: applying one would empty
    // the box, and with it a condition of the list.
    if (cboTransType.listIndex() >= 0) add("cboTransType", text::Num(cboTransType.listIndex()));
    const std::pair<const char*, ui::ComboBox*> selectors[] = {
        {"cboTime", &cboTime},       {"cboCheck", &cboCheck},      {"cboCancel", &cboCancel},
        {"cboConnect", &cboConnect}, {"cboROB", &cboROB},          {"cboPost", &cboPost},
        {"cboICMO", &cboICMO},       {"cboKickBack", &cboKickBack}};
    for (const auto& [key, combo] : selectors)
        if (combo->visible() && combo->listIndex() >= 0) add(key, text::Num(combo->listIndex()));
    add("OrderBy", EncodeSortGrid());
    add("Relation", EncodeConditionGrid());
    add("HideColumns", EncodeColumnGrid());
    if (framePlanOrder.visible()) {
        add("chkPlan", text::Num(chkPlan.value()));
        add("chkChecked", text::Num(chkChecked.value()));
        add("chkClose", text::Num(chkClose.value()));
        add("txtRunNoFrom", txtRunNoFrom.text());
        add("txtRunNoTO", txtRunNoTO.text());
    }
    return entries;
}

RecordsetPtr frmFilter::saveSchemeContent(const std::string& name, int mark, int32_t schemeId) {
    RecordsetPtr head = host::NewSchemeHeads();
    head->addNew();
    head->setValue("FSchemeID", schemeId != 0 ? schemeId : (name == schemeName_ ? schemeId_ : 0));
    head->setValue("FSchemeName", text::SqlEscape(name));
    head->setValue("FTranType", SelectedTranType(cboTransType));
    head->setValue("FSysName", schemeKey_);
    head->setValue("FStatus", mark == 1 ? 2 : 0);
    head->setValue("FISShare", static_cast<int32_t>(shareFlag_));
    head->update();
    RecordsetPtr entries = BuildSchemeEntries();
    auto store = host::Create<host::IScheme>(host::progid::kScheme);
    RecordsetPtr saved = store->SaveSchemeProfile(support::PropsString(), head, entries);
    if (!saved || saved->recordCount() < 1) throw Error(-1, kSource, "the scheme was not stored");
    saved->moveFirst();
    saved->setValue("FSchemeName", name);
    saved->update();
    return saved;
}

std::string frmFilter::schemeValue(Recordset& entries, const std::string& key,
                                   const std::string& def) {
    try {
        entries.setFilter("FKey=" + text::SqlQuote(key));
        if (entries.eof()) return def;
        return entries.value("FValue").toString(def);
    } catch (const Error&) {
        return def;
    }
}

void frmFilter::ApplySchemeEntries(Recordset& entries) {
    const auto setIndex = [](ui::ComboBox& combo, const std::string& value) {
        try {
            const int32_t index = ToLong(value);
            if (index >= 0 && index < combo.listCount()) combo.setListIndex(index);
        } catch (const Error&) {
        }
    };
    if (listShowStatus_ == 0) {
        chkShowByBeforeProject.setValue(
            ToLong(schemeValue(entries, "chkShowByBeforeProject", "0")) != 0 ? 1 : 0);
        // A transaction type the host fixed stays fixed whatever the scheme.
        if (canSelTrantype_) setIndex(cboTransType, schemeValue(entries, "cboTransType", "0"));
        const auto byDefault = [](ui::ComboBox& combo, int n) {
            return text::Num(combo.listCount() > n ? n : 0);
        };
        setIndex(cboTime, schemeValue(entries, "cboTime", byDefault(cboTime, 2)));
        setIndex(cboCheck, schemeValue(entries, "cboCheck", byDefault(cboCheck, 2)));
        setIndex(cboCancel, schemeValue(entries, "cboCancel", byDefault(cboCancel, 1)));
        setIndex(cboConnect, schemeValue(entries, "cboConnect", byDefault(cboConnect, 2)));
        setIndex(cboROB, schemeValue(entries, "cboROB", "0"));
        setIndex(cboPost, schemeValue(entries, "cboPost", byDefault(cboPost, 2)));
        setIndex(cboICMO,
                 schemeValue(entries, "cboICMO", byDefault(cboICMO, listId_ == 621 ? 3 : 4)));
        setIndex(cboKickBack, schemeValue(entries, "cboKickBack", byDefault(cboKickBack, 2)));
    }
    if (MyListID == 604 || MyListID == 605) {
        std::string number;
        try {
            number = FirstValue(kRunNumberSql1 + std::string(listId_ == 604 ? "0" : "1") + ")");
        } catch (const Error&) {
        }
        txtRunNoFrom.setText(number);
        txtRunNoTO.setText(number);
        chkChecked.setValue(ToLong(schemeValue(entries, "chkChecked", "0")) != 0 ? 1 : 0);
        chkClose.setValue(ToLong(schemeValue(entries, "chkClose", "0")) != 0 ? 1 : 0);
        chkPlan.setValue(ToLong(schemeValue(entries, "chkPlan", "0")) != 0 ? 1 : 0);
    }
    const std::string columns = schemeValue(entries, "HideColumns", "");
    const std::string sorts = schemeValue(entries, "OrderBy", "");
    const std::string conditions = schemeValue(entries, "Relation", "");
    entries.setFilter("");
    DecodeConditionGrid(conditions);
    DecodeSortGrid(sorts);
    DecodeColumnGrid(columns);
}

// A stored row takes a grid row only when every cell holds what a person
// could have chosen there for the field the list still offers; any other
// row is left out and the rows below close up.
void frmFilter::DecodeConditionGrid(const std::string& value) {
    if (!mFMaker) return;
    const std::vector<schemes::ConditionRow> stored = schemes::DecodeConditionRows(value);
    mFMaker->ClearAll();
    // A scheme never loses conditions to a grid that is too short, and one
    // empty row stays ready for input.
    const int needed = stored.empty() ? 0 : static_cast<int>(stored.size()) + 1;
    if (needed > VpFilter.maxRows()) {
        const int from = VpFilter.maxRows() + 1;
        VpFilter.setMaxRows(needed);
        for (int row = from; row <= VpFilter.maxRows(); ++row) prepareConditionRow(row);
    }
    int placed = 0;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (!schemes::ConditionRowProblem(stored[i], i == 0).empty()) continue;
        const int row = placed + 1;
        if (placeConditionRow(row, stored[i])) {
            ++placed;
        } else {
            VpFilter.clearRange(row, 1, row, kConditionCols);
            prepareConditionRow(row);
        }
    }
    if (VpFilter.maxRows() >= 1) VpFilter.setActiveCell(1, kLeft);
}

bool frmFilter::placeConditionRow(int row, const schemes::ConditionRow& stored) {
    const std::string field = mFMaker->GetMappingField(stored.field);
    if (field.empty() || !VpFilter.accepts(row, kField, field)) return false;
    VpFilter.setText(row, kField, field);
    if (VpFilter.comboIndex(row, kField) < 1) return false;
    mFMaker->Changed(row, kField);
    const std::string compare = mFMaker->GetMappingCompare(stored.comparison);
    if (compare.empty() || !VpFilter.accepts(row, kCompare, compare)) return false;
    const bool emptiness = editing::IsEmptinessWord(compare);
    if (emptiness ? !stored.value.empty() : !VpFilter.accepts(row, kValue, stored.value))
        return false;
    if (!VpFilter.accepts(row, kLeft, stored.leftParentheses) ||
        !VpFilter.accepts(row, kRight, stored.rightParentheses))
        return false;
    if (row > 1) {
        const std::string logic = mFMaker->GetMappingLogic(stored.logic);
        if (!VpFilter.accepts(row, kLogic, logic)) return false;
        VpFilter.setText(row, kLogic, logic);
    }
    VpFilter.setText(row, kLeft, stored.leftParentheses);
    VpFilter.setText(row, kCompare, compare);
    VpFilter.setComboIndex(row, kCode, VpFilter.comboIndex(row, kCompare));
    VpFilter.setText(row, kValue, stored.value);
    VpFilter.setText(row, kRight, stored.rightParentheses);
    return true;
}

// Sort keys take their caption, field and table from the list's own
// sortable fields; a key the list no longer offers, or one whose directions
// a person could not have ticked, is left out and the others close up.
void frmFilter::DecodeSortGrid(const std::string& value) {
    std::vector<OrderField> available;
    for (const std::string& item : listOrderFields.items()) {
        OrderField field;
        if (ParseOrderField(item, field)) available.push_back(std::move(field));
    }
    for (int row = 1; row <= vsOrder.maxRows(); ++row) {
        vsOrder.setText(row, 1, "");
        vsOrder.setText(row, 4, "");
        for (int col : {2, 3}) {
            vsOrder.setCellType(row, col, ui::CellType::Static);
            vsOrder.setText(row, col, "");
        }
    }
    int placed = 0;
    for (const schemes::SortKeyRow& stored : schemes::DecodeSortKeyRows(value)) {
        if (!schemes::SortKeyRowProblem(stored).empty()) continue;
        const auto field =
            std::find_if(available.begin(), available.end(),
                         [&](const OrderField& f) { return f.colName == stored.alias; });
        if (field == available.end()) continue;
        if (++placed > vsOrder.maxRows()) vsOrder.setMaxRows(placed);
        const std::string cells[] = {field->caption,  stored.ascending,  stored.descending,
                                     field->colName,  field->tableAlias, field->fieldName,
                                     field->tableName};
        for (int col = 1; col <= kSortCols; ++col) {
            const bool check = col == 2 || col == 3;
            vsOrder.setCellType(placed, col, check ? ui::CellType::CheckBox : ui::CellType::Edit);
            vsOrder.setText(placed, col, cells[col - 1]);
        }
    }
    sortRowCount_ = static_cast<int16_t>(placed);
}

void frmFilter::DecodeColumnGrid(const std::string& value) {
    if (!mFMaker || !mFMaker->Catalogue()) return;
    RecordsetPtr columns = Recordset::copyOf(*mFMaker->Catalogue());
    // The widths a scheme sets, as the grid shows them (the catalogue keeps
    // numbers, which would drop the decimals).
    std::map<std::string, std::string> widths;
    for (const schemes::ColumnRow& f : schemes::DecodeColumnRows(value)) {
        if (!schemes::ColumnRowProblem(f).empty()) continue;
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
            const std::string width = schemes::MillimetresFromTwips(f.widthTwips);
            columns->setValue("ColWidth", width);
            widths[text::ToUpper(f.alias)] = width;
            columns->setValue("Align", f.alignment.empty() ? std::string("0") : f.alignment);
            columns->update();
        } catch (const Error&) {
        }
    }
    columns->setSort("Index ASC");
    namespace cells = editing::cells;
    vaHideColumn.setMaxRows(columns->recordCount());
    if (vaHideColumn.maxRows() > 0)
        vaHideColumn.clearRange(1, 1, vaHideColumn.maxRows(), kColumnCols);
    int row = 0;
    for (columns->moveFirst(); !columns->eof(); columns->moveNext()) {
        ++row;
        const auto text = [&](const char* name) { return columns->value(name).toString(""); };
        cells::SetStatic(vaHideColumn, row, kColCaption, text("ColCaption"));
        cells::SetStatic(vaHideColumn, row, 2, "");
        cells::SetCheck(vaHideColumn, row, kColVisible, columns->value("Visible").toLong() == 1);
        const auto width = widths.find(text::ToUpper(text("ColName")));
        cells::SetEdit(vaHideColumn, row, kColWidth,
                       width == widths.end() ? text("ColWidth") : width->second);
        cells::SetEdit(vaHideColumn, row, kColIndex, text("Index"));
        cells::MakeList(vaHideColumn, row, kColAlign, kAlignmentList);
        const int32_t align = ToLong(text("Align"));
        vaHideColumn.setComboIndex(row, kColAlign, align >= 0 && align < 4 ? align : 0);
        cells::SetEdit(vaHideColumn, row, kColField, text("FieldName"));
        cells::SetEdit(vaHideColumn, row, kColName, text("ColName"));
        cells::SetEdit(vaHideColumn, row, kColTable, text("TableName"));
        cells::SetEdit(vaHideColumn, row, kColTableAlias, text("TableAlias"));
        if (support::IsAppType1() && text("ColCaption") == kVoucherNumber)
            vaHideColumn.setText(row, kColVisible, "0");
    }
}

// --- the scheme list ------------------------------------------------------------

int32_t frmFilter::selectedSchemeId() const {
    return ToLong(text::Mid(lvwProject.selectedKey(), kItemKeyPrefixChars));
}

std::string frmFilter::selectedSchemeText() const {
    const int at = lvwProject.find(lvwProject.selectedKey());
    return at < 0 ? std::string() : lvwProject.items()[at].text;
}

RecordsetPtr frmFilter::loadSchemeList() {
    lvwProject.clear();
    schemeKey_ = schemes::SchemeKey(support::Shared().Filter);
    // A store that cannot be read (no user, no tables) leaves the dialog
    // usable without schemes; saving then says that it failed.
    try {
        return loadStoredSchemes();
    } catch (const Error&) {
        lvwProject.clear();
        return nullptr;
    }
}

RecordsetPtr frmFilter::loadStoredSchemes() {
    auto store = host::Create<host::IScheme>(host::progid::kScheme);
    std::string key = schemeKey_, again = schemeKey_;
    RecordsetPtr list = store->GetSchemeList(support::PropsString(), key, again);
    bool hasDefault = false;
    if (list && list->recordCount() > 0) {
        const std::string previous = list->filter();
        list->setFilter("FSchemeName=" + text::SqlQuote(kDefaultSchemeName));
        hasDefault = !list->eof();
        list->setFilter(previous);
    }
    if (hasDefault) {
        for (list->moveFirst(); !list->eof(); list->moveNext())
            lvwProject.addItem({kItemKeyPrefix + text::Num(list->value("FSchemeID").toLong()),
                                list->value("FSchemeName").toString(""), 1, 1});
        list->moveFirst();
        return list;
    }
    schemeName_ = kDefaultSchemeName;
    if (cboTransType.listCount() > 0) cboTransType.setListIndex(0);
    selectedListCode_ = ToLong(TransTypeItem::Part(cboTransType.text(), 1));
    if (mFMaker) mFMaker->InitHideColumns();
    shareFlag_ = 0;
    RecordsetPtr saved = saveSchemeContent(kDefaultSchemeName, 1, 0);
    if (!list)
        list = Recordset::copyOf(*saved);
    else
        list->appendRow({saved->value("FSchemeID"), saved->value("FSchemeName"),
                         saved->value("FUserID"), saved->value("FTranType"),
                         saved->value("FSysName"), saved->value("FStatus"),
                         saved->value("FISShare")});
    schemeId_ = saved->value("FSchemeID").toLong();
    // The user's other schemes (imported ones, colleagues' shared ones) are
    // listed beside the new default.
    for (list->moveFirst(); !list->eof(); list->moveNext())
        lvwProject.addItem({kItemKeyPrefix + text::Num(list->value("FSchemeID").toLong()),
                            list->value("FSchemeName").toString(""), 1, 1});
    list->moveFirst();
    return list;
}

void frmFilter::applyScheme() {
    // The start scheme: the one the user marked to accept at once for this
    // transaction type, else the first of the list.
    std::string startId;
    try {
        startId = FirstValue(std::string(kStartSchemeSql1) + kStartSchemeSql2 + kStartSchemeSql3 +
                             kStartSchemeSql4 + text::Num(SelectedTranType(cboTransType)) +
                             kStartSchemeSql5 + text::SqlQuote(support::CurrentUserName()) +
                             kStartSchemeSql6);
    } catch (const Error&) {
    }
    // Else the user's own scheme in use, ahead of the first of the list
    // (which may be a colleague's shared one).
    std::string key;
    const std::string inUse = kItemKeyPrefix + text::Num(inUseSchemeId_);
    if (!startId.empty() && lvwProject.find(kItemKeyPrefix + startId) >= 0) {
        schemeId_ = ToLong(startId);
        key = kItemKeyPrefix + startId;
    } else if (inUseSchemeId_ != 0 && lvwProject.find(inUse) >= 0) {
        key = inUse;
    } else if (!lvwProject.items().empty()) {
        key = lvwProject.items().front().key;
    }
    if (key.empty()) return;
    lvwProject.setSelectedKey(key);
    lvwProject_ItemClick(key);
}

void frmFilter::lvwProject_ItemClick(const std::string& key) {
    if (listShowStatus_ == 4 || listShowStatus_ == 6) return;
    const int at = lvwProject.find(key);
    if (at < 0) return;
    schemeName_ = lvwProject.items()[at].text;
    schemeId_ = ToLong(text::Mid(key, kItemKeyPrefixChars));
    try {
        auto store = host::Create<host::IScheme>(host::progid::kScheme);
        RecordsetPtr head, entries;
        int32_t id = schemeId_;
        store->LoadSchemeProfile(support::PropsString(), id, head, entries);
        if (entries) ApplySchemeEntries(*entries);
        appliedSchemeId_ = schemeId_;
        appliedContent_ = schemeContent();
    } catch (const Error&) {
        // A scheme that cannot be read leaves the dialog as it is.
    }
}

std::string frmFilter::schemeContent() {
    RecordsetPtr entries = BuildSchemeEntries();
    std::string out;
    for (entries->moveFirst(); !entries->eof(); entries->moveNext())
        out += entries->value("FKey").toString("") + '\n' + entries->value("FValue").toString("") +
               '\n';
    return out;
}

std::string frmFilter::schemeOwner(int32_t schemeId) {
    return FirstValue(kOwnerSql + text::Num(schemeId) + ")");
}

// --- saving, deleting, clearing ---------------------------------------------------

void frmFilter::saveScheme(bool ask, int mark) {
    // Without a scheme tab (list show status 4 or 6) nothing is kept.
    if (listShowStatus_ == 4 || listShowStatus_ == 6) return;
    std::string name;
    try {
        schemeId_ = selectedSchemeId();
        const std::string owner = schemeOwner(schemeId_);
        const std::string share = FirstValue(kShareSql + text::Num(schemeId_));
        if (!owner.empty() &&
            text::ToUpper(owner) != text::ToUpper(text::Trim(support::CurrentUserName()))) {
            // Accepting a colleague's scheme as it was applied keeps nothing
            // and needs no word; only a changed one would have to be saved.
            if (!ask && schemeId_ == appliedSchemeId_ && schemeContent() == appliedContent_) return;
            Tell(kCannotOverwrite + owner + kSetByOwner);
            return;
        }
        shareFlag_ = static_cast<int16_t>(ToLong(share));

        if (isCrossRpt_ != 1) {
            int visible = 0;
            for (int row = 1; row <= vaHideColumn.maxRows(); ++row)
                if (vaHideColumn.text(row, kColVisible) == "1") ++visible;
            const int32_t limit = ToLong(support::SystemValue("IC", "NeedShowColumnPrompt", "1"));
            if (visible > limit &&
                Ask(kTooManyColumns, host::kButtonsOkCancel) != host::kAnswerOk) {
                abort_ = true;
                return;
            }
        }

        int32_t saveId = 0;
        bool decided = false;
        if (lvwProject.items().empty()) {
            name = kDefaultSchemeName;
            decided = true;
        } else {
            name = selectedSchemeText();
            if (!ask) {
                // Nothing selected: no scheme is in use, none is made up.
                if (name.empty()) return;
                decided = true;
            } else if (name != kDefaultSchemeName &&
                       Ask(kOverwriteSelected, host::kButtonsOkCancel) == host::kAnswerOk) {
                decided = true;
            }
        }
        if (!decided) {
            // Without a front end there is no one to name the scheme.
            const auto presenter = ui::GetPresenter();
            if (!presenter) return;
            frmSaveschame dialog;
            presenter->runModal(dialog);
            const auto result = dialog.DctScheme();
            dialog.unload();
            if (!result) return;
            name = result->value("FSchemeName", Variant("")).toString("");
            shareFlag_ = result->value("FIsShare", Variant(0)).toInteger();
            if (IsDefaultName(name)) {
                Tell(kDefaultNameRefused);
                return;
            }
            const std::string sharedOwner =
                FirstValue(kSharedOwnerSql1 + text::SqlQuote(name) + kSharedOwnerSql2 +
                           text::Num(SelectedTranType(cboTransType)) + ")");
            for (const auto& item : lvwProject.items()) {
                if (item.text != name) continue;
                if (!sharedOwner.empty() &&
                    text::ToUpper(sharedOwner) !=
                        text::ToUpper(text::Trim(support::CurrentUserName()))) {
                    Tell(kCannotOverwrite + sharedOwner + kSetByOwner);
                    return;
                }
                if (Ask(kOverwriteExisting, host::kButtonsOkCancel) != host::kAnswerOk) return;
                saveId = ToLong(text::Mid(item.key, kItemKeyPrefixChars));
                break;
            }
        }

        RecordsetPtr saved = saveSchemeContent(name, mark, saveId);
        const std::string key = kItemKeyPrefix + text::Num(saved->value("FSchemeID").toLong());
        if (lvwProject.find(key) < 0)
            lvwProject.addItem({key, saved->value("FSchemeName").toString(""), 1, 1});
        lvwProject.setSelectedKey(key);
    } catch (const Error& e) {
        if (e.number == kErrMultipleStep)
            host::ShowMessage(Replace(kTooLong, "%1", "\n"), host::kIconInformation,
                              host::kButtonsOk, host::kMessageTitle);
        else
            host::ShowMessage(kSaveFailedOpen + name + kSaveFailedClose, host::kIconInformation,
                              host::kButtonsOk, host::kMessageTitle);
    }
}

void frmFilter::deleteScheme() {
    try {
        schemeId_ = selectedSchemeId();
        schemeName_ = selectedSchemeText();
        if (lvwProject.selectedKey().empty()) return;
        const std::string owner = schemeOwner(schemeId_);
        if (!owner.empty() &&
            text::ToUpper(owner) != text::ToUpper(text::Trim(support::CurrentUserName()))) {
            Tell(kCannotDelete + owner + kSetByOwner);
            return;
        }
        if (schemeName_ == kDefaultSchemeName) {
            Tell(std::string(kDefaultNotDeleted) + kDefaultSchemeName + kDefaultNotDeletedClose);
            return;
        }
        if (Ask(kAskDeleteOpen + schemeName_ + kAskDeleteClose, host::kButtonsYesNo) !=
            host::kAnswerOk)
            return;
        auto store = host::Create<host::IScheme>(host::progid::kScheme);
        int32_t id = schemeId_;
        if (!store->DelScheme(support::PropsString(), id)) {
            Tell(kDeleteFailedOpen + schemeName_ + kSaveFailedClose);
            return;
        }
        lvwProject.removeItem(lvwProject.selectedKey());
    } catch (const Error&) {
        Tell(kDeleteFailedOpen + schemeName_ + kSaveFailedClose);
    }
}

void frmFilter::clearScheme() {
    if (mFMaker) mFMaker->ClearAll();
    for (int row = 1; row <= vsOrder.maxRows(); ++row)
        for (int col = 1; col <= kSortCols; ++col) {
            if (col == 2 || col == 3) vsOrder.setCellType(row, col, ui::CellType::Static);
            vsOrder.setText(row, col, "");
        }
    sortRowCount_ = 0;
    if (mFMaker) mFMaker->InitHideColumns();
    ConfigureSelectors(listId_, ToLong(destBillTransType_), listShowStatus_, PresetROB(),
                       checkSwitch_);
}

void frmFilter::tlbProject_ButtonClick(const std::string& key) {
    if (key == kSaveButton) {
        saveScheme(true, 0);
    } else if (key == kDeleteButton) {
        deleteScheme();
    } else if (key == kClearButton) {
        clearScheme();
    } else if (key == kViewButton) {
        const ui::ToolButton* button = tlbProject.button(kViewButton);
        int view = (button ? ToLong(button->tag) : 0) + 1;
        if (view >= kViews) view = 0;
        tlbProject.setButtonTag(kViewButton, text::Num(view));
        lvwProject.setView(view);
    }
}

void frmFilter::tlbProject_ButtonMenuClick(const std::string& key, int index) {
    if (key != kViewButton || index < 0 || index >= kViews) return;
    tlbProject.setButtonTag(kViewButton, text::Num(index));
    lvwProject.setView(index);
}

}  // namespace qelt::dialog
