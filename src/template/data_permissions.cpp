#include <string>

#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/template_data.h"
#include "template/template_internal.h"

namespace qelt::tpl {

namespace {

constexpr const char* kAdminQueryHead =
    "select t_User.FUserID from t_Group, t_User \r\n"
    " where t_Group.FUserID = t_User.FUserID \r\n"
    " And t_User.FUserID = ";
constexpr const char* kAdminQueryTail = " and t_Group.FGroupID = 1 ";
constexpr const char* kGroupCheckQuery =
    " Select FValue From t_Systemprofile Where FCategory = 'IC' and FKey='CheckUserGroup' ";
constexpr const char* kGroupConditionHead =
    " and v1.fbillerid  in (select c1.Fuserid from t_group c1 \r\n"
    " where c1.FGroupid in (select c2.fgroupid from t_group c2 where c2.FGroupId <> 0 "
    " and c2.fuserid = ";
constexpr const char* kGroupConditionTail = " )) ";
constexpr const char* kNoUserId = "The session has no valid UserID for the group restriction.";

// Templates whose lists are never restricted to the user's groups.
constexpr int32_t kOpenTemplates[] = {604, 86};

RecordsetPtr Query(const std::string& sql) {
    return host::Create<host::IAppConnection>(host::progid::kAppConnection)->getanyrecordset(sql);
}

}  // namespace

bool IsAdministrator(int32_t userId) {
    try {
        RecordsetPtr rs = Query(kAdminQueryHead + text::Num(userId) + kAdminQueryTail);
        return rs && rs->recordCount() > 0;
    } catch (const Error&) {
        return false;
    }
}

bool GroupCheckOn() {
    try {
        RecordsetPtr rs = Query(kGroupCheckQuery);
        if (!rs || rs->recordCount() == 0) return false;
        rs->moveFirst();
        return rs->value(std::size_t{0}).toInteger() == 1;
    } catch (const Error&) {
        return false;
    }
}

Variant GroupCondition(const std::string& aliasText, int32_t userId) {
    if (!aliasText.empty()) return {};
    return kGroupConditionHead + text::Num(userId) + kGroupConditionTail;
}

std::string PermissionFilter(int32_t templateId, const std::optional<int16_t>& userId) {
    for (int32_t open : kOpenTemplates)
        if (templateId == open) return {};
    if (userId && IsAdministrator(*userId)) return {};
    if (!GroupCheckOn()) return {};
    // Without a known user the restriction cannot be written, and the list
    // must not show every document instead.
    if (!userId) throw Error(err::kRuleFailed, kErrorSource, kNoUserId);
    return GroupCondition("", *userId).toString("");
}

}  // namespace qelt::tpl
