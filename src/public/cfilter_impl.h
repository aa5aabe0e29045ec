#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "qelt/cfilter.h"
#include "qelt/dictionary.h"

namespace qelt {

struct CFilter::Impl {
    std::string sqlWhere_;
    std::string dataSql_;
    bool ok_ = false;
    int32_t saleMode_ = 0;
    std::shared_ptr<List> listHead_;
    std::shared_ptr<Dictionary> templateInfo_;
    std::string dataFilter_;
    int32_t listId_ = 0;
    int32_t listShowStatus_ = 0;
    bool canSelTrantype_ = true;
    std::string destBillTransType_;
    int32_t crossRpt_ = 0;
    bool fromListShow_ = false;
    int32_t checkSwitch_ = 0;
};

}  // namespace qelt
