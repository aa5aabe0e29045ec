#include "editing/fmaker.h"
#include "host/calendar_sql.h"
#include "host/messages.h"
#include "host/process_objects.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "support/props_string.h"
#include "support/shared_settings.h"

namespace qelt::editing {

namespace {

constexpr const char* kCostSystemName = "成本(工业)系统";
constexpr const char* kMiddleTierFailed = "中间层调用失败！";
constexpr const char* kTodaySql = "Select getdate() ";
constexpr const char* kRobSql =
    "Select t1.FROB From ICTransactionType t1,ICListTemplate t2 "
    " Where t1.FID=t2.FBillTemplateID and t2.FTemplateID=";
// Lists of this template are red/blue whatever their transaction type says.
constexpr int32_t kAlwaysRobTemplate = 97;

bool CostSystemPeriod(int32_t& year, int32_t& period, Date& start, Date& end) {
    auto info = host::Create<host::IAisInfo>(host::progid::kAisInfo);
    info->setPropsString(support::PropsString());
    int32_t count = info->CBGetPeriodCount();
    year = info->CBGetCurrYear();
    period = info->CBGetCurrPeriod();
    start = info->GetPeriodDate(year, period);
    end =
        period != count ? info->GetPeriodDate(year, period + 1) : info->GetPeriodDate(year + 1, 1);
    return true;
}

}  // namespace

bool FMaker::GetCurPeriod(int32_t& CurYear, int32_t& CurPeriod, Date& dStartDate, Date& dEndDate) {
    try {
        if (SystemName == kCostSystemName)
            return CostSystemPeriod(CurYear, CurPeriod, dStartDate, dEndDate);
        auto server = host::Create<host::IListServer>(host::progid::kListServer);
        if (!server->GetCurPeriod(support::PropsString(), CurYear, CurPeriod, dStartDate,
                                  dEndDate)) {
            host::ShowMessage(kMiddleTierFailed, host::kIconExclamation, host::kButtonsOk,
                              host::kMessageTitle);
            return false;
        }
        return true;
    } catch (const Error&) {
        return false;
    }
}

bool FMaker::GetPeriodDate(int32_t CurYear, int32_t CurPeriod, Date& dStartDate, Date& dEndDate) {
    try {
        auto data = host::Create<host::IBillData>(host::progid::kBillData);
        auto rs =
            data->ExecuteSQL(support::PropsString(), host::PeriodDatesSql(CurYear, CurPeriod));
        if (rs && !rs->eof()) {
            dStartDate = rs->value(std::size_t{0}).toDate();
            dEndDate = rs->value(std::size_t{1}).toDate();
        }
        return true;
    } catch (const Error&) {
        return false;
    }
}

Date FMaker::GetToday() {
    try {
        auto gl = host::ProcessObjectAs<host::IGLData>(host::progid::kGLData);
        auto rs = gl->getanyrecordset(kTodaySql);
        if (rs && !rs->eof()) return rs->value(std::size_t{0}).toDate();
    } catch (const Error&) {
    }
    return Date{};
}

bool FMaker::IsROBBill() {
    int32_t templateId = support::Shared().TemplateID;
    bool rob = false;
    try {
        auto gl = host::ProcessObjectAs<host::IGLData>(host::progid::kGLData);
        auto rs = gl->getanyrecordset(kRobSql + text::Num(templateId));
        if (rs && !rs->eof()) {
            const Variant& v = rs->value("FROB");
            rob = !v.isNull() && v.toLong() == 1;
        }
    } catch (const Error&) {
        rob = false;
    }
    return rob || templateId == kAlwaysRobTemplate;
}

}  // namespace qelt::editing
