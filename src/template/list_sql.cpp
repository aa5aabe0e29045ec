#include <cmath>
#include <limits>
#include <string>

#include "platform/text.h"
#include "qelt/template_data.h"
#include "support/session_env.h"
#include "support/shared_settings.h"
#include "template/template_internal.h"

namespace qelt {

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
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool IsMoneyType(int32_t colType) {
    return colType == 4 || colType == 5 || colType == 6 || colType == 11 || colType == 40;
}

// A leading "AND" (any case) of a condition that is appended after one.
std::string DropLeadingAnd(const std::string& s) {
    return text::ToUpper(text::Left(s, 3)) == "AND" ? text::Mid(s, 3) : s;
}

int32_t WholeWidth(double width) {
    const double w = std::nearbyint(width);
    if (!(w >= std::numeric_limits<int32_t>::min() && w <= std::numeric_limits<int32_t>::max()))
        return 0;
    return static_cast<int32_t>(w);
}

}  // namespace

void TemplateData::readListOptions(ListBuild& b) const {
    b.maxRows = OptionLong("ListMaxRows", "5000");
    b.startBranchSale = OptionLong("StartBranchSale", "1");
    b.showRelationSign = OptionLong("ShowRelationSign", "1");
    b.userId = SessionUserId();
}

void TemplateData::collectMandatoryAliases(ListBuild& b, const std::string& sTableAlaise) {
    const std::string type = "FTypeID=" + text::Num(mTemplateID);
    mRsTableRelation->setFilter(type);
    mRsTemplete->setFilter("FTemplateID=" + text::Num(mTemplateID));
    b.mandatory = tpl::FieldText(*mRsTemplete, "FMasterTable");
    mPrimaryKeySels.clear();

    b.relations = mRsTableRelation->clone();
    b.relations->setFilter(type);
    for (b.relations->moveFirst(); !b.relations->eof(); b.relations->moveNext()) {
        const Recordset& r = *b.relations;
        const std::string first = text::ToUpper(tpl::FieldText(r, "FTableNameAlias"));
        if ((first == "V1" || first == "U1") &&
            text::ToUpper(tpl::FieldText(r, "FFieldName")) == "FITEMID" &&
            text::ToUpper(tpl::FieldText(r, "FTableName11")) == "T_ICITEM")
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

bool TemplateData::columnLeftOut(const ListBuild& b) const {
    const Recordset& c = *mRsChatBillTitle;
    const int32_t interId = tpl::FieldLong(c, "FInterID");
    const std::string colName = tpl::FieldText(c, "FColName");
    const int32_t colType = tpl::FieldLong(c, "FColType");
    if (mTemplateID == 61 && b.startBranchSale == 0 && interId == 44 &&
        text::IEquals(colName, "FOrderAffirm"))
        return true;
    if (mTemplateID == 81 && b.startBranchSale == 0 &&
        (text::IEquals(colName, "FOrderAffirm") || text::IEquals(colName, "FOrderRefuse") ||
         text::IEquals(colName, "FTRANSTATUS")))
        return true;
    if (b.showRelationSign == 0 && colType == 12) return true;
    return !blVisMoneyInStock && IsMoneyType(colType);
}

bool TemplateData::columnTaken(const ListBuild&) {
    const Recordset& c = *mRsChatBillTitle;
    if (tpl::FieldLong(c, "FMode") == 1 || tpl::FieldLong(c, "FInterID") < 0 ||
        text::Trim(tpl::FieldText(c, "FColCaption")) == "$")
        return true;
    if (ColumnNeedAdd(tpl::FieldText(c, "FColName"))) return true;
    return !showFilter_ && listShowStatus_ != 0 && tpl::FieldLong(c, "FVisible") == 1;
}

// The column's SELECT text; empty when the column is left out.
std::string TemplateData::columnText(ListBuild& b, BaseDataLookup& lookup) {
    const Recordset& c = *mRsChatBillTitle;
    const std::string alias = tpl::FieldText(c, "FTableAlias");
    const std::string field = alias + "." + tpl::FieldText(c, "FName");
    const std::string colName = tpl::FieldText(c, "FColName");
    const std::string action = tpl::FieldText(c, "FAction");
    const std::string trimmedAction = text::Trim(action);
    const bool mandatory = text::IFind(b.mandatory, alias + ",") != std::string::npos;

    if (text::IsBlank(action)) {
        if (!mandatory) return baseDataColumn(b, lookup);
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

void TemplateData::addColumn(ListBuild& b) {
    const Recordset& c = *mRsChatBillTitle;
    const std::string colName = tpl::FieldText(c, "FColName");
    const int32_t isPrimary = tpl::FieldLong(c, "FIsPrimary");
    const std::string field = tpl::FieldText(c, "FTableAlias") + "." + tpl::FieldText(c, "FName");
    if (isPrimary == 1) b.key1 = field;
    if (isPrimary == 2) b.key2 = field;

    ListHeadColumn head;
    double width = 0.0;
    if (showFilter_) {
        int32_t visible = 0;
        width = columnWidthAndPosition(colName, head.index, visible);
        if (width < 0) width = tpl::Dbl(c.value("FColWidth"));
        head.visible = static_cast<int16_t>(visible);
    } else {
        width = tpl::Dbl(c.value("FColWidth"));
        head.visible = static_cast<int16_t>(tpl::FieldLong(c, "FVisible"));
    }

    BaseDataLookup lookup;
    const std::string text = columnText(b, lookup);
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
    addListHead(head);
}

std::string TemplateData::listWhere(ListBuild& b) {
    std::string w = GetWhereSQL(b.elements);
    if (!text::IsBlank(FilterExt)) {
        FilterExt = DropLeadingAnd(text::Trim(FilterExt));
        w += " AND (" + FilterExt + ")";
    }
    if (text::IsBlank(w)) return kAlwaysTrue;
    return std::string(kAlwaysTrue) + kAnd + DropLeadingAnd(text::Trim(w));
}

std::string TemplateData::listOrder(const ListBuild& b) {
    std::string keys;
    if (!text::IsBlank(b.key1)) keys += b.key1 + ",";
    if (!text::IsBlank(b.key2)) keys += b.key2 + ",";
    const std::string sort = text::Trim(GetSortSQL(b.elements));
    std::string order = sort.empty() ? keys : sort + "," + keys;
    if (!order.empty() && order.back() == ',') order.pop_back();
    return order;
}

std::string TemplateData::GetListSQL(const std::string& sTableAlaise,
                                     const std::string& sFieldAlias, Dictionary* vctInfo) {
    std::string statement;
    if (!mRsTemplete || !mRsChatBillTitle || !mRsTableRelation) return statement;
    try {
        ListBuild b;
        b.sFieldAlias = sFieldAlias;
        readListOptions(b);
        mRsTableRelation->setFilter("");
        mRsTableRelation->moveFirst();
        mRsChatBillTitle->setFilter("");
        mRsChatBillTitle->moveFirst();
        mListHead = std::make_shared<List>();

        collectMandatoryAliases(b, sTableAlaise);
        mRsChatBillTitle->setFilter("FTypeID=" + text::Num(mTemplateID));
        for (; !mRsChatBillTitle->eof(); mRsChatBillTitle->moveNext())
            if (!columnLeftOut(b) && columnTaken(b)) addColumn(b);
        if (!b.columns.empty() && b.columns.back() == ',') b.columns.pop_back();

        std::string where = listWhere(b) + permissionFilter(b);
        const std::string from = text::Trim(buildJoins(b.needed));
        const std::string order = listOrder(b);
        const std::string top = support::Shared().IsMakeVoucher
                                    ? std::string()
                                    : kTop + text::Num(b.maxRows) + " ";
        statement = kSelect + top + b.columns + tpl::kCrLf + kFrom + from + tpl::kCrLf + kWhere +
                    where + " " + (order.empty() ? std::string() : kOrderBy + order);
        if (vctInfo) {
            vctInfo->set("Select", b.columns);
            vctInfo->set("ORDER", order);
            vctInfo->set("Where", where);
            vctInfo->set("From", from);
        }
        where_ = where;
    } catch (const std::exception&) {
    }
    return statement;
}

}  // namespace qelt
