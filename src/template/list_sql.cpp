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

}  // namespace

// One GetListSQL call over the template's record sets.
class ListBuilder {
public:
    ListBuilder(TemplateData& t, TemplateState& s) : t_(t), s_(s) {}

    std::string run(const std::string& sTableAlaise, const std::string& sFieldAlias,
                    Dictionary* vctInfo);

private:
    void readListOptions();
    void collectMandatoryAliases(const std::string& sTableAlaise);
    bool columnLeftOut() const;
    bool columnTaken() const;
    void addColumn();
    std::string columnText(BaseDataLookup& lookup);
    std::string listWhere();
    std::string listOrder();
    std::string listFrom();

    TemplateData& t_;
    TemplateState& s_;
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
    b.mandatory = tpl::FieldText(*t_.mRsTemplete, "FMasterTable");
    t_.mPrimaryKeySels.clear();

    b.relations = t_.mRsTableRelation->clone();
    b.relations->setFilter(type);
    for (b.relations->moveFirst(); !b.relations->eof(); b.relations->moveNext()) {
        const Recordset& r = *b.relations;
        const std::string first = tpl::FieldText(r, "FTableNameAlias");
        if ((text::IEquals(first, "v1") || text::IEquals(first, "u1")) &&
            text::IEquals(tpl::FieldText(r, "FFieldName"), "FItemID") &&
            text::IEquals(tpl::FieldText(r, "FTableName11"), "t_ICItem"))
            b.mandatory += tpl::FieldText(r, "FTableNameAlias11") + ",";
    }
    b.mandatory += "," + sTableAlaise;

    std::size_t start = 0;
    while (start <= b.mandatory.size()) {
        std::size_t end = b.mandatory.find(',', start);
        if (end == std::string::npos) end = b.mandatory.size();
        const std::string piece = text::Trim(b.mandatory.substr(start, end - start));
        if (!piece.empty()) tpl::AddAlias(b.needed, piece);
        start = end + 1;
    }
}

bool ListBuilder::columnLeftOut() const {
    const Recordset& c = *t_.mRsChatBillTitle;
    const int32_t interId = tpl::FieldLong(c, "FInterID");
    const std::string colName = tpl::FieldText(c, "FColName");
    const int32_t colType = tpl::FieldLong(c, "FColType");
    if (t_.mTemplateID == 61 && b.startBranchSale == 0 && interId == 44 &&
        text::IEquals(colName, "FOrderAffirm"))
        return true;
    if (t_.mTemplateID == 81 && b.startBranchSale == 0 &&
        (text::IEquals(colName, "FOrderAffirm") || text::IEquals(colName, "FOrderRefuse") ||
         text::IEquals(colName, "FTRANSTATUS")))
        return true;
    if (b.showRelationSign == 0 && colType == 12) return true;
    return !t_.blVisMoneyInStock && IsMoneyType(colType);
}

bool ListBuilder::columnTaken() const {
    const Recordset& c = *t_.mRsChatBillTitle;
    if (tpl::FieldLong(c, "FMode") == 1 || tpl::FieldLong(c, "FInterID") < 0 ||
        text::Trim(tpl::FieldText(c, "FColCaption")) == "$")
        return true;
    if (t_.ColumnNeedAdd(tpl::FieldText(c, "FColName"))) return true;
    return !s_.showFilter && s_.listShowStatus != 0 && tpl::FieldLong(c, "FVisible") == 1;
}

// The column's SELECT text; empty when the column is left out.
std::string ListBuilder::columnText(BaseDataLookup& lookup) {
    const Recordset& c = *t_.mRsChatBillTitle;
    const std::string alias = tpl::FieldText(c, "FTableAlias");
    const std::string field = alias + "." + tpl::FieldText(c, "FName");
    const std::string colName = tpl::FieldText(c, "FColName");
    const std::string action = tpl::FieldText(c, "FAction");
    const std::string trimmedAction = text::Trim(action);
    const bool mandatory = text::IFind(b.mandatory, alias + ",") != std::string::npos;

    if (text::IsBlank(action)) {
        if (!mandatory) return BaseDataColumn(t_, b, lookup);
        tpl::AddAlias(b.needed, alias);
        tpl::AddSqlElement(b.elements, field, colName);
        return field + kAs + colName;
    }
    if (trimmedAction == "58" || trimmedAction == "59") {
        tpl::AddSqlElement(b.elements, trimmedAction, kTranTypeAlias);
        return trimmedAction + kAs + kTranTypeAlias;
    }
    const std::string id = "," + text::Num(tpl::FieldLong(c, "FInterID")) + ",";
    const int32_t control = tpl::FieldLong(c, "FControl");
    const bool actionIsExpression = text::IFind(b.sFieldAlias, id) != std::string::npos;
    if (!actionIsExpression && (control == 0 || control == 7 || control == 4 || control == 5)) {
        if (!mandatory) b.mandatory += alias + ",";
        tpl::AddAlias(b.needed, alias);
    }
    if (!actionIsExpression && (control == 0 || control == 7)) {
        tpl::AddSqlElement(b.elements, field, colName);
        return field + kAs + colName;
    }
    if (actionIsExpression || control == 4 || control == 5 || control == 1 || control == 2) {
        tpl::AddSqlElement(b.elements, trimmedAction, colName);
        return action + kAs + colName;
    }
    return {};
}

void ListBuilder::addColumn() {
    const Recordset& c = *t_.mRsChatBillTitle;
    const std::string colName = tpl::FieldText(c, "FColName");
    const int32_t isPrimary = tpl::FieldLong(c, "FIsPrimary");
    const std::string field = tpl::FieldText(c, "FTableAlias") + "." + tpl::FieldText(c, "FName");
    if (isPrimary == 1) b.key1 = field;
    if (isPrimary == 2) b.key2 = field;

    ListHeadColumn head;
    double width = 0.0;
    if (s_.showFilter) {
        int32_t visible = 0;
        width = ColumnWidthAndPosition(s_.hidden.get(), colName, head.index, visible);
        if (width < 0) width = tpl::Dbl(c.value("FColWidth"));
        head.visible = static_cast<int16_t>(visible);
    } else {
        width = tpl::Dbl(c.value("FColWidth"));
        head.visible = static_cast<int16_t>(tpl::FieldLong(c, "FVisible"));
    }

    BaseDataLookup lookup;
    const std::string text = columnText(lookup);
    if (text.empty()) return;
    b.columns += text;
    if (b.columns.back() != ',') b.columns += ",";

    head.caption = tpl::FieldText(c, "FColCaption");
    head.typeCode = tpl::FieldText(c, "FColType");
    head.alias = colName;
    head.userWidth = WholeWidth(width);
    head.logicAction = tpl::FieldText(c, "FLogicAction");
    head.interId = tpl::FieldLong(c, "FInterID");
    head.mergeable = tpl::FieldLong(c, "FMergeable") != 0;
    head.isPrimary = static_cast<int16_t>(isPrimary);
    head.needCount = tpl::FieldLong(c, "FNeedCount") != 0;
    head.srcSql = lookup.sql;
    head.srcFieldName = lookup.fieldName;
    head.srcFieldKey = lookup.fieldKey;
    head.srcTableName = lookup.tableName;
    head.extFilter = lookup.extFilter;
    AddListHead(*t_.mListHead, head, s_.hidden.get());
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
    for (; !columns.eof(); columns.moveNext())
        if (!columnLeftOut() && columnTaken()) addColumn();
    if (!b.columns.empty() && b.columns.back() == ',') b.columns.pop_back();

    const std::string where = listWhere() + PermissionFilter(t_.mTemplateID, b.userId);
    const std::string from = listFrom();
    const std::string order = listOrder();
    const std::string top =
        support::Shared().IsMakeVoucher ? std::string() : kTop + text::Num(b.maxRows) + " ";
    std::string statement = kSelect + top + b.columns + kCrLf + kFrom + from + kCrLf + kWhere +
                            where + " " + (order.empty() ? std::string() : kOrderBy + order);
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
