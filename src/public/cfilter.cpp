#include "qelt/cfilter.h"

#include <exception>

#include "dialog/frm_filter.h"
#include "editing/fmaker.h"
#include "host/connection_query.h"
#include "host/messages.h"
#include "platform/text.h"
#include "public/cfilter_impl.h"
#include "public/local_connection.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/template_data.h"
#include "qelt/ui/presenter.h"
#include "schemes/scheme_panel.h"
#include "support/language.h"
#include "support/shared_settings.h"
#include "support/system_options.h"

namespace qelt {

namespace {

constexpr const char* kListQueryHead = "select FTemplateID,";
constexpr const char* kListQueryName = " As FName ";
constexpr const char* kListQueryTail = ",FFilter from ICListTemplate Where FID=";
constexpr const char* kAnd = " AND ";
constexpr int32_t kNoTemplate = -1;
constexpr const char* kNoFrontEnd =
    "No dialog front end is registered: the filter dialog cannot be shown.";
constexpr int kConditionTab = 0;
constexpr int kSortTab = 1;
constexpr int kColumnTab = 2;

// The list show statuses under which the host fixes the transaction type.
bool FixedTransType(int32_t listShowStatus) {
    return listShowStatus == 2 || listShowStatus == 4 || listShowStatus == 6;
}

struct ListRow {
    bool found = false;
    int32_t templateId = kNoTemplate;
    std::string name;
    std::string filter;
};

ListRow ReadListRow(int32_t listId) {
    const std::string sql = kListQueryHead + support::LanguageColumn("FName") + kListQueryName +
                            kListQueryTail + text::Num(listId);
    RecordsetPtr rs = host::QueryThroughConnection(sql, host::ConnectionMember::Execute);
    ListRow row;
    if (rs->eof() && rs->bof()) return row;
    row.found = true;
    row.name = rs->value("FName").toString("");
    const Variant& templateId = rs->value("FTemplateID");
    row.templateId =
        templateId.isNull() || templateId.isEmpty() ? kNoTemplate : templateId.toLong();
    row.filter = rs->value("FFilter").toString("");
    return row;
}

std::string CombineExtraFilter(const std::string& sFilter, const std::string& templateFilter,
                               bool notNeedTranType) {
    bool filterBlank = text::IsBlank(sFilter);
    bool templateBlank = text::IsBlank(templateFilter);
    if (!filterBlank && !templateBlank && !notNeedTranType) return sFilter + kAnd + templateFilter;
    if (filterBlank && !templateBlank) return templateFilter;
    return sFilter;
}

}  // namespace

CFilter::CFilter() : impl_(std::make_unique<Impl>()) {
    auto& shared = support::Shared();
    shared.TemplateID = 0;
    shared.CJName.clear();
    shared.Filter.clear();
    shared.IsCalculate = false;
    shared.IsMakeVoucher = false;
    shared.PickName = true;
    shared.ShowMode = 0;
    shared.ICMOShieldCode.clear();
}

CFilter::~CFilter() {
    support::ReleaseSystemOptions();
    facade::ReleaseLocalConnection();
}

void CFilter::setBaseInfo(const std::string& v) {
    support::Shared().BaseInfo = v;
}
void CFilter::setPickName(bool v) {
    support::Shared().PickName = v;
}
void CFilter::setIsCalculate(bool v) {
    support::Shared().IsCalculate = v;
}
void CFilter::setHideTabs(int16_t v) {
    support::Shared().HideTabs = v;
}
void CFilter::setFilter(const std::string& v) {
    support::Shared().Filter = v;
}
void CFilter::setICMOShieldCode(const std::string& v) {
    support::Shared().ICMOShieldCode = v;
}
void CFilter::setShowMode(Enu_ShowMode v) {
    support::Shared().ShowMode = v;
}
void CFilter::setIsMakeVoucher(bool v) {
    support::Shared().IsMakeVoucher = v;
}

Variant CFilter::SetAuditChoice(int16_t vNewValue) {
    support::Shared().AuditChoice = vNewValue;
    return Variant();
}

void CFilter::setLocalConnectingString(const std::string& connectionString) {
    facade::OpenLocalConnection(connectionString);
}

std::string CFilter::CJName() const {
    return support::Shared().CJName;
}
int32_t CFilter::TemplateID() const {
    return support::Shared().TemplateID;
}

void CFilter::Show() {
    std::unique_ptr<dialog::frmFilter> dlg;
    try {
        support::LoadSystemOptions();
        auto presenter = ui::GetPresenter();
        if (!presenter) {
            impl_->ok_ = false;
            impl_->dataSql_.clear();
            host::ShowMessage(kNoFrontEnd, host::kIconExclamation);
            return;
        }
        dlg = std::make_unique<dialog::frmFilter>();
        schemes::SchemePanel schemes(*dlg);
        dlg->setIsCrossRpt(impl_->crossRpt_);
        dlg->setSaleMode(impl_->saleMode_);
        dlg->setIsFromListShow(impl_->fromListShow_ ? 1 : 0);
        dlg->SetListID(impl_->listId_);
        dlg->blBeforeStart = blBeforeStart;
        dlg->SystemName = SystemName;
        dlg->setCheckSwitch(impl_->checkSwitch_);
        const bool free = !FixedTransType(impl_->listShowStatus_);
        dlg->setCanSelTrantype(free);
        dlg->setShowCancel(free);
        dlg->setShowConnect(free);
        dlg->setListShowStatus(impl_->listShowStatus_);
        dlg->setDestBillTransType(impl_->destBillTransType_);
        dlg->SetDataFilter(impl_->dataFilter_);
        if (impl_->crossRpt_ == 1) {
            // A cross report takes conditions only.
            dlg->SSTab1.setTabEnabled(kSortTab, false);
            dlg->SSTab1.setTabEnabled(kColumnTab, false);
            dlg->SSTab1.setCurrent(kConditionTab);
        }

        presenter->runModal(*dlg);

        impl_->ok_ = dlg->OK();
        if (impl_->ok_) {
            if (impl_->crossRpt_ != 0) {
                impl_->sqlWhere_ = dlg->WHERE();
            } else {
                impl_->listHead_ = dlg->getListHead();
                impl_->templateInfo_ = std::make_shared<Dictionary>(dlg->GetTemplateInfo());
                SchemeID = dlg->SchemeID();
                impl_->dataSql_ = dlg->SQLWHERE();
                impl_->sqlWhere_ = dlg->WHERE();
                glFastMode = static_cast<int16_t>(dlg->glFastMode);
            }
        } else {
            impl_->dataSql_.clear();
        }
        MyListID = dlg->MyListID;
        dlg->unload();
    } catch (const Error&) {
        // A dialog that failed is no result: nothing of an earlier call stays.
        impl_->ok_ = false;
        impl_->dataSql_.clear();
        if (dlg) dlg->unload();
    }
}

Variant CFilter::getInfoByF7Key(const std::string& SFilter, bool bshowform,
                                bool blnNotNeedTranType) {
    if (bshowform) {
        Show();
        return Variant();
    }
    ListRow list;
    try {
        support::LoadSystemOptions();
        list = ReadListRow(impl_->listId_);
    } catch (const Error& e) {
        throw Error(e.number, e.source,
                    e.description + " (reading list " + text::Num(impl_->listId_) + ")");
    }
    if (!list.found) return Variant();
    support::Shared().CJName = list.name;
    if (list.templateId == kNoTemplate) return Variant();

    MyListID = impl_->listId_;
    TemplateData tpl;
    tpl.setListShowStatus(impl_->listShowStatus_);
    tpl.mListID = MyListID;
    tpl.mTemplateID = list.templateId;
    tpl.setShowFilter(bshowform);
    tpl.setGetListByF7(true);
    tpl.FilterExt = CombineExtraFilter(SFilter, list.filter, blnNotNeedTranType);
    support::Shared().TemplateID = list.templateId;

    {
        editing::FMaker maker;
        maker.SystemName = SystemName;
        maker.setListShowStatus(impl_->listShowStatus_);
        maker.setDestBillTransType(impl_->destBillTransType_);
        maker.MyListID = impl_->listId_;
        maker.GetMoneyVisForStock();
        tpl.blVisMoneyInStock = maker.GetMoneyVis();
    }

    tpl.InitData("FID in (" + text::Num(impl_->listId_) + ")");
    Dictionary info;
    std::string sql = tpl.GetListSQL("", "", &info);
    if (sql.empty()) {
        // The template could not be turned into SQL (its messages have been
        // shown): an empty statement is no success.
        impl_->ok_ = false;
        impl_->dataSql_.clear();
        return Variant();
    }
    impl_->listHead_ = tpl.mListHead;
    impl_->templateInfo_ = std::make_shared<Dictionary>(tpl.GetTemplateInfo());
    impl_->dataSql_ = sql;
    impl_->ok_ = true;
    return Variant();
}

}  // namespace qelt
