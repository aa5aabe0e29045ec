#include "dialog/frm_filter.h"
#include "editing/fmaker.h"
#include "qelt/template_data.h"

namespace qelt::dialog {

void frmFilter::wireLifecycle() {}

void frmFilter::createModels() {
    mTemplateData = std::make_shared<TemplateData>();
    mFMaker = std::make_unique<editing::FMaker>();
    mFMaker->setListShowStatus(listShowStatus_);
    mFMaker->setvasProperty(&VpFilter);
    mFMaker->setHideColumnsSpread(&vaHideColumn);
    mFMaker->SystemName = SystemName;
    mFMaker->setDestBillTransType(destBillTransType_);
    mFMaker->MyListID = listId_;
    mFMaker->setTemplate(mTemplateData);
}

}  // namespace qelt::dialog
