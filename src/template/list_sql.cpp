#include <string.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/template_data.h"
#include "support/session_env.h"
#include "support/shared_settings.h"
#include "template/column_types.h"
#include "template/template_internal.h"

namespace qelt::tpl {

namespace {

constexpr const char* kSelect = "SELECT ";
constexpr const char* kTop = "TOP ";
constexpr const char* kFrom = "  from ";
constexpr const char* kWhere = " where ";
constexpr const char* kOrderBy = " ORDER BY ";
constexpr const char* kAlwaysTrue = "1=1";
constexpr const char* kAnd = " AND ";
constexpr const char* kAs = " AS ";
constexpr const char* kTranTypeAlias = "FTranType";

int32_t OptionLong(const char* key, const char* fallback) {
    const Variant dflt{std::string(fallback)};
    return tpl::Long(Variant(support::SystemValue("IC", key, fallback)), dflt.toLong());
}

std::optional<int16_t> SessionUserId() {
    try {
        return Variant(support::PropValue("UserID")).toInteger();
    } catch (const Error&) {
        return std::nullopt;
    }
}

// A leading "AND" (any case) of a condition that is appended after one.
std::string DropLeadingAnd(const std::string& s) {
    return text::IEquals(text::Left(s, 3), "AND") ? text::Mid(s, 3) : s;
}

int32_t WholeWidth(double width) {
    const double w = std::nearbyint(width);
    if (!(w >= std::numeric_limits<int32_t>::min() && w <= std::numeric_limits<int32_t>::max()))
        return 0;
    return static_cast<int32_t>(w);
}

// The fields of the template's column rows that a list reads.
struct ChatColumns {
    explicit ChatColumns(const Recordset& rs)
        : interId(ColumnIndex(rs, "FInterID")),
          colName(ColumnIndex(rs, "FColName")),
          colType(ColumnIndex(rs, "FColType")),
          colCaption(ColumnIndex(rs, "FColCaption")),
          mode(ColumnIndex(rs, "FMode")),
          visible(ColumnIndex(rs, "FVisible")),
          colWidth(ColumnIndex(rs, "FColWidth")),
          tableAlias(ColumnIndex(rs, "FTableAlias")),
          name(ColumnIndex(rs, "FName")),
          action(ColumnIndex(rs, "FAction")),
          control(ColumnIndex(rs, "FControl")),
          isPrimary(ColumnIndex(rs, "FIsPrimary")),
          logicAction(ColumnIndex(rs, "FLogicAction")),
          mergeable(ColumnIndex(rs, "FMergeable")),
          needCount(ColumnIndex(rs, "FNeedCount")) {}

    std::size_t interId, colName, colType, colCaption, mode, visible, colWidth, tableAlias, name,
        action, control, isPrimary, logicAction, mergeable, needCount;
};

}  // namespace

void ListBuild::addNeeded(std::string_view alias) {
    if (neededUpper.insert(text::ToUpper(alias)).second) needed.emplace_back(alias);
}

void ListBuild::appendMandatory(std::string_view text) {
    mandatory.append(text);
    mandatoryUpper.append(text::ToUpper(text));
}

bool ListBuild::inMandatory(std::string_view text) const {
    const std::string needle = text::ToUpper(text);
    return memmem(mandatoryUpper.data(), mandatoryUpper.size(), needle.data(), needle.size()) !=
           nullptr;
}

// One GetListSQL call over the template's record sets.
class ListBuilder {
public:
    ListBuilder(TemplateData& t, TemplateState& s)
        : t_(t), s_(s), c_(*t.mRsChatBillTitle), k_(*t.mRsChatBillTitle), uses_(s) {}

    std::string run(const std::string& sTableAlaise, const std::string& sFieldAlias,
                    Dictionary* vctInfo);

private:
    void readListOptions();
    void collectMandatoryAliases(const std::string& sTableAlaise);
    void readRow();
    bool columnLeftOut() const;
    bool columnTaken();
    void addColumn();
    bool appendColumn(BaseDataLookup& lookup);
    std::string listWhere();
    std::string listOrder();
    std::string listFrom();

    TemplateData& t_;
    TemplateState& s_;
    const Recordset& c_;  // the template's column rows, on the row at hand
    const ChatColumns k_;
    const AliasUses uses_;
    std::string scratch_;
    // The fields of the row at hand, each read once (texts as views into
    // the record set, or into the scratch texts when converted).
    std::optional<CurrentRow> row_;
    // What this call already knows of an alias (spelt as a column gives
    // it): most columns share a few aliases, and the mandatory list only
    // grows, so a found alias stays found.
    struct KnownAlias {
        bool needed = false;
        bool mandatory = false;
        std::size_t searched = std::string::npos;  // the mandatory list's length when searched
    };
    std::unordered_map<std::string, KnownAlias> known_;
    bool isMandatory(std::string_view alias, KnownAlias& known);
    const Variant& f(std::size_t column) const { return (*row_)[column]; }
    struct Row {
        int32_t interId = 0;
        int32_t colType = 0;
        std::string_view colName;
        std::string_view tableAlias;
        std::string_view name;
        std::string_view action;
        std::string scratch[4];
    } r_;
    ListBuild b;
};

void ListBuilder::readListOptions() {
    b.maxRows = OptionLong("ListMaxRows", "5000");
    b.startBranchSale = OptionLong("StartBranchSale", "1");
    b.showRelationSign = OptionLong("ShowRelationSign", "1");
    b.userId = SessionUserId();
}

void ListBuilder::collectMandatoryAliases(const std::string& sTableAlaise) {
    const std::string type = TypeFilter(t_.mTemplateID);
    t_.mRsTableRelation->setFilter(type);
    t_.mRsTemplete->setFilter("FTemplateID=" + text::Num(t_.mTemplateID));
    b.appendMandatory(tpl::FieldText(*t_.mRsTemplete, "FMasterTable"));
    t_.mPrimaryKeySels.clear();

    b.relations = t_.mRsTableRelation->clone();
    b.relations->setFilter(type);
    const Recordset& r = *b.relations;
    const std::size_t first = ColumnIndex(r, "FTableNameAlias");
    const std::size_t field = ColumnIndex(r, "FFieldName");
    const std::size_t table = ColumnIndex(r, "FTableName11");
    const std::size_t second = ColumnIndex(r, "FTableNameAlias11");
    for (b.relations->moveFirst(); !b.relations->eof(); b.relations->moveNext()) {
        const std::string_view a = TextView(r, first, scratch_);
        if ((text::IEquals(a, "v1") || text::IEquals(a, "u1")) &&
            text::IEquals(TextView(r, field, scratch_), "FItemID") &&
            text::IEquals(TextView(r, table, scratch_), "t_ICItem")) {
            b.appendMandatory(TextView(r, second, scratch_));
            b.appendMandatory(",");
        }
    }
    b.appendMandatory(",");
    b.appendMandatory(sTableAlaise);

    std::size_t start = 0;
    while (start <= b.mandatory.size()) {
        std::size_t end = b.mandatory.find(',', start);
        if (end == std::string::npos) end = b.mandatory.size();
        const std::string_view piece =
            text::TrimView(std::string_view(b.mandatory).substr(start, end - start));
        if (!piece.empty()) b.addNeeded(piece);
        start = end + 1;
    }
}

// What every row needs to be taken or left out.
void ListBuilder::readRow() {
    row_.emplace(c_);
    r_.interId = tpl::Long(f(k_.interId));
    r_.colName = TextView(f(k_.colName), r_.scratch[0]);
    r_.colType = tpl::Long(f(k_.colType));
}

bool ListBuilder::columnLeftOut() const {
    if (t_.mTemplateID == 61 && b.startBranchSale == 0 && r_.interId == 44 &&
        text::IEquals(r_.colName, "FOrderAffirm"))
        return true;
    if (t_.mTemplateID == 81 && b.startBranchSale == 0 &&
        (text::IEquals(r_.colName, "FOrderAffirm") || text::IEquals(r_.colName, "FOrderRefuse") ||
         text::IEquals(r_.colName, "FTRANSTATUS")))
        return true;
    if (b.showRelationSign == 0 && r_.colType == 12) return true;
    return !t_.blVisMoneyInStock && IsMoneyType(r_.colType);
}

bool ListBuilder::columnTaken() {
    if (tpl::Long(f(k_.mode)) == 1 || r_.interId < 0 ||
        text::TrimView(TextView(f(k_.colCaption), scratch_)) == "$")
        return true;
    if (uses_.find(r_.colName)) return true;
    return !s_.showFilter && s_.listShowStatus != 0 && tpl::Long(f(k_.visible)) == 1;
}

bool ListBuilder::isMandatory(std::string_view alias, KnownAlias& known) {
    if (!known.mandatory && known.searched != b.mandatoryUpper.size()) {
        std::string key;
        key.reserve(alias.size() + 1);
        key.append(alias).push_back(',');
        known.mandatory = b.inMandatory(key);
        known.searched = b.mandatoryUpper.size();
    }
    return known.mandatory;
}

// Appends the column's SELECT text to the column list; false when the
// column is left out (it has none).
bool ListBuilder::appendColumn(BaseDataLookup& lookup) {
    const std::string_view alias = r_.tableAlias;
    const std::string_view colName = r_.colName;
    const std::string_view action = r_.action;
    const std::string_view trimmedAction = text::TrimView(action);
    std::string field;
    field.reserve(alias.size() + 1 + r_.name.size());
    field.append(alias).append(".").append(r_.name);
    KnownAlias& known = known_[std::string(alias)];
    const bool mandatory = isMandatory(alias, known);
    const auto needed = [&] {
        if (!known.needed) b.addNeeded(alias);
        known.needed = true;
    };
    const auto append = [&](std::string_view expression, std::string_view name) {
        b.columns.append(expression).append(kAs).append(name);
        return true;
    };

    if (text::IsBlank(action)) {
        if (!mandatory) {
            const std::string text = BaseDataColumn(t_, b, lookup);
            b.columns += text;
            return !text.empty();
        }
        needed();
        append(field, colName);
        tpl::AddSqlElement(b.elements, std::move(field), std::string(colName));
        return true;
    }
    if (trimmedAction == "58" || trimmedAction == "59") {
        tpl::AddSqlElement(b.elements, std::string(trimmedAction), kTranTypeAlias);
        return append(trimmedAction, kTranTypeAlias);
    }
    const std::string id = "," + text::Num(r_.interId) + ",";
    const int32_t control = tpl::Long(f(k_.control));
    const bool actionIsExpression = text::IFind(b.sFieldAlias, id) != std::string::npos;
    if (!actionIsExpression && (control == 0 || control == 7 || control == 4 || control == 5)) {
        if (!mandatory) {
            b.appendMandatory(alias);
            b.appendMandatory(",");
        }
        needed();
    }
    if (!actionIsExpression && (control == 0 || control == 7)) {
        append(field, colName);
        tpl::AddSqlElement(b.elements, std::move(field), std::string(colName));
        return true;
    }
    if (actionIsExpression || control == 4 || control == 5 || control == 1 || control == 2) {
        tpl::AddSqlElement(b.elements, std::string(trimmedAction), std::string(colName));
        return append(action, colName);
    }
    return false;
}

void ListBuilder::addColumn() {
    const int32_t isPrimary = tpl::Long(f(k_.isPrimary));
    r_.tableAlias = TextView(f(k_.tableAlias), r_.scratch[1]);
    r_.name = TextView(f(k_.name), r_.scratch[2]);
    if (isPrimary == 1 || isPrimary == 2) {
        std::string& key = isPrimary == 1 ? b.key1 : b.key2;
        key.assign(r_.tableAlias).append(".").append(r_.name);
    }

    const AliasUses::Use* use = uses_.find(r_.colName);
    const clsHidenElement* first = use ? use->firstHidden : nullptr;
    ListHeadColumn head;
    double width = 0.0;
    if (s_.showFilter) {
        int32_t visible = 0;
        width = ColumnWidthAndPosition(first, head.index, visible);
        if (width < 0) width = tpl::Dbl(f(k_.colWidth));
        head.visible = static_cast<int16_t>(visible);
    } else {
        width = tpl::Dbl(f(k_.colWidth));
        head.visible = static_cast<int16_t>(tpl::Long(f(k_.visible)));
    }

    r_.action = TextView(f(k_.action), r_.scratch[3]);
    BaseDataLookup lookup;
    if (!appendColumn(lookup)) return;
    if (b.columns.back() != ',') b.columns += ",";

    head.caption = tpl::Text(f(k_.colCaption));
    head.typeCode = tpl::Text(f(k_.colType));
    head.alias = r_.colName;
    head.userWidth = WholeWidth(width);
    head.logicAction = tpl::Text(f(k_.logicAction));
    head.interId = r_.interId;
    head.mergeable = tpl::Long(f(k_.mergeable)) != 0;
    head.isPrimary = static_cast<int16_t>(isPrimary);
    head.needCount = tpl::Long(f(k_.needCount)) != 0;
    head.srcSql = std::move(lookup.sql);
    head.srcFieldName = std::move(lookup.fieldName);
    head.srcFieldKey = std::move(lookup.fieldKey);
    head.srcTableName = std::move(lookup.tableName);
    head.extFilter = std::move(lookup.extFilter);
    AddListHead(*t_.mListHead, std::move(head), first);
}

std::string ListBuilder::listWhere() {
    std::string w = t_.GetWhereSQL(b.elements);
    if (!text::IsBlank(t_.FilterExt)) {
        t_.FilterExt = DropLeadingAnd(text::Trim(t_.FilterExt));
        w += " AND (" + t_.FilterExt + ")";
    }
    if (text::IsBlank(w)) return kAlwaysTrue;
    return std::string(kAlwaysTrue) + kAnd + DropLeadingAnd(text::Trim(w));
}

std::string ListBuilder::listOrder() {
    std::string keys;
    if (!text::IsBlank(b.key1)) keys += b.key1 + ",";
    if (!text::IsBlank(b.key2)) keys += b.key2 + ",";
    const std::string sort = text::Trim(t_.GetSortSQL(b.elements));
    std::string order = sort.empty() ? keys : sort + "," + keys;
    if (!order.empty() && order.back() == ',') order.pop_back();
    return order;
}

// With nothing to join, the list reads from its main table alone, written
// as the first table of a joined list is.
std::string ListBuilder::listFrom() {
    bool unrelated = false;
    std::string from = text::Trim(BuildJoins(t_, b.needed, &unrelated));
    if (from.empty() && unrelated && !b.needed.empty())
        from = text::Trim(SingleTableFrom(t_, b.needed.front()));
    return from;
}

std::string ListBuilder::run(const std::string& sTableAlaise, const std::string& sFieldAlias,
                             Dictionary* vctInfo) {
    b.sFieldAlias = sFieldAlias;
    readListOptions();
    t_.mRsTableRelation->setFilter("");
    t_.mRsTableRelation->moveFirst();
    t_.mRsChatBillTitle->setFilter("");
    t_.mRsChatBillTitle->moveFirst();
    t_.mListHead = std::make_shared<List>();

    collectMandatoryAliases(sTableAlaise);
    Recordset& columns = *t_.mRsChatBillTitle;
    columns.setFilter(TypeFilter(t_.mTemplateID));
    for (; !columns.eof(); columns.moveNext()) {
        readRow();
        if (!columnLeftOut() && columnTaken()) addColumn();
    }
    if (!b.columns.empty() && b.columns.back() == ',') b.columns.pop_back();

    const std::string where = listWhere() + PermissionFilter(t_.mTemplateID, b.userId);
    const std::string from = listFrom();
    const std::string order = listOrder();
    const bool top = !support::Shared().IsMakeVoucher;
    const std::string rows = top ? text::Num(b.maxRows) : std::string();
    std::string statement;
    statement.reserve(b.columns.size() + from.size() + where.size() + order.size() + 64);
    statement += kSelect;
    if (top) statement.append(kTop).append(rows).push_back(' ');
    statement.append(b.columns).append(kCrLf).append(kFrom).append(from).append(kCrLf);
    statement.append(kWhere).append(where).push_back(' ');
    if (!order.empty()) statement.append(kOrderBy).append(order);
    if (vctInfo) {
        vctInfo->set("Select", b.columns);
        vctInfo->set("ORDER", order);
        vctInfo->set("Where", where);
        vctInfo->set("From", from);
    }
    s_.where = where;
    return statement;
}

std::string ListSql(TemplateData& t, TemplateState& state, const std::string& sTableAlaise,
                    const std::string& sFieldAlias, Dictionary* vctInfo) {
    return ListBuilder(t, state).run(sTableAlaise, sFieldAlias, vctInfo);
}

}  // namespace qelt::tpl
