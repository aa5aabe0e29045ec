#include "public/cfilter_impl.h"
#include "qelt/cfilter.h"

namespace qelt {

void CFilter::setIsFromListShow(int32_t v) {
    impl_->fromListShow_ = v != 0;
}
int32_t CFilter::CheckSwitch() const {
    return impl_->checkSwitch_;
}
void CFilter::setCheckSwitch(int32_t v) {
    impl_->checkSwitch_ = v;
}
void CFilter::setCheckSwitch(const Variant& v) {
    impl_->checkSwitch_ = v.toLong();
}
int32_t CFilter::CROSSRPT() const {
    return impl_->crossRpt_;
}
void CFilter::setCROSSRPT(int32_t v) {
    impl_->crossRpt_ = v;
}
void CFilter::setCROSSRPT(const Variant& v) {
    impl_->crossRpt_ = v.toLong();
}
const std::string& CFilter::DestBillTransType() const {
    return impl_->destBillTransType_;
}
void CFilter::setDestBillTransType(const std::string& v) {
    impl_->destBillTransType_ = v;
}
bool CFilter::CanSelTrantype() const {
    return impl_->canSelTrantype_;
}
void CFilter::setCanSelTrantype(bool v) {
    impl_->canSelTrantype_ = v;
}
int32_t CFilter::ListID() const {
    return impl_->listId_;
}
void CFilter::setListID(int32_t v) {
    impl_->listId_ = v;
}
int32_t CFilter::ListShowStatus() const {
    return impl_->listShowStatus_;
}
void CFilter::setListShowStatus(int32_t v) {
    impl_->listShowStatus_ = v;
}
void CFilter::SetDataFilter(const std::string& SFilter) {
    impl_->dataFilter_ = SFilter;
}
void CFilter::setSaleMode(Enu_SaleMode v) {
    impl_->saleMode_ = v;
}

bool CFilter::OK() const {
    return impl_->ok_;
}
const std::string& CFilter::Datasql() const {
    return impl_->dataSql_;
}
const std::string& CFilter::SQLWHERE() const {
    return impl_->sqlWhere_;
}
std::shared_ptr<List> CFilter::getListHead() const {
    return impl_->listHead_;
}
std::shared_ptr<Dictionary> CFilter::getListTemplateInfo() const {
    return impl_->templateInfo_;
}

}  // namespace qelt
