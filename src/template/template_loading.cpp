#include <string>

#include "host/messages.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/template_data.h"
#include "support/language.h"
#include "template/template_internal.h"

namespace qelt {

namespace {

constexpr const char* kMessageTitle = "Vostrel提示：";
constexpr const char* kHeadMissing = "模板数据有误!";
constexpr const char* kColumnsMissing = "模板详细数据有误!";
constexpr const char* kRelationsMissing = "模板关联信息有误!";

constexpr const char* kHeadSelect = "Select FID,";
constexpr const char* kHeadColumns =
    " As FName "
    ",FTemplateID,FFontID,FLogicStr,FToolBarVis,FHeadVis,FBottomVis,"
    "FSourceType,FSourceSql,FGroupID,FBillTemplateID,FNeedCount,FHeadHeight,"
    "FBottomHeight,FType,FGetDataType,FMenuID,FBillCls,FFilter,FRptTemplateID,"
    "FMasterTable,FNeedStatistic From ICListtemplate ";
constexpr const char* kColumnSelect = "Select FInterID,FTypeID,FColCaption as FColCaption_CHS,";
constexpr const char* kColumnColumns =
    " As FColCaption "
    ",FHeadSecond,FColName,FTableName,FColType,"
    " FColWidth,FVisible,FItemClassID,FVisForQuest,FReturnDataType,FCountPriceType,"
    " FCtlIndex,FName,FTableAlias,FAction,FNeedCount,FIsPrimary,FLogicAction,"
    "FStatistical,FMergeable,FVisForOrder,FControl,FMode From ICChatBillTitle"
    " Where FTypeID IN (select FTemplateID From ICListtemplate ";
constexpr const char* kRelationSelect =
    "Select * from ICTableRelation where  FIndex=0 AND FTypeID IN "
    "(select FTemplateID From ICListtemplate";
constexpr const char* kWhere = " Where ";
constexpr const char* kOrderByInterId = ") order by FInterID";

constexpr const char* kNotLoaded = "The list template is not loaded.";

std::string WhereClause(const std::string& filter) {
    return filter.empty() ? std::string() : kWhere + filter;
}

// A failed query keeps the previous record set; the caller's checks decide.
void Load(host::IAppConnection* conn, const std::string& sql, RecordsetPtr& target) {
    if (!conn) return;
    try {
        if (auto rs = conn->getanyrecordset(sql)) target = std::move(rs);
    } catch (const Error&) {
    }
}

void Notify(const char* text) {
    host::ShowMessage(text, host::kIconInformation, host::kButtonsOk, kMessageTitle);
}

}  // namespace

bool TemplateData::InitData(const std::string& sTplFilter) {
    std::shared_ptr<host::IAppConnection> conn;
    try {
        conn = host::Create<host::IAppConnection>(host::progid::kAppConnection);
    } catch (const Error&) {
    }
    const std::string where = WhereClause(sTplFilter);
    Load(conn.get(), kHeadSelect + support::LanguageColumn("FName") + kHeadColumns + where,
         mRsTemplete);
    if (!mRsTemplete) {
        Notify(kHeadMissing);
        return false;
    }
    Load(conn.get(),
         kColumnSelect + support::LanguageColumn("FColCaption") + kColumnColumns + where +
             kOrderByInterId,
         mRsChatBillTitle);
    if (!mRsChatBillTitle) {
        Notify(kColumnsMissing);
        return false;
    }
    Load(conn.get(), kRelationSelect + where + kOrderByInterId, mRsTableRelation);
    if (!mRsTableRelation) Notify(kRelationsMissing);
    return false;
}

Dictionary TemplateData::GetTemplateInfo() {
    if (!mRsTemplete) throw Error(err::kObjectNotSet, tpl::kErrorSource, kNotLoaded);
    Dictionary info;
    mRsTemplete->setFilter("FID=" + text::Num(mListID));
    if (mRsTemplete->eof()) return info;
    for (std::size_t i = 0; i < mRsTemplete->fieldCount(); ++i)
        info.set(mRsTemplete->field(i).name, mRsTemplete->value(i));
    return info;
}

}  // namespace qelt
