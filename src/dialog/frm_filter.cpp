#include "dialog/frm_filter.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "dialog/scheme_steps.h"
#include "editing/fmaker.h"
#include "editing/grid_columns.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/template_data.h"
#include "support/session_env.h"

namespace qelt::dialog {

int32_t DialogInputs::destBillTranTypeNumber() const {
    return static_cast<int32_t>(std::atol(destBillTransType.c_str()));
}

frmFilter::frmFilter() : selectors(*this), grids(*this), lifecycle(*this) {}

frmFilter::~frmFilter() = default;

int32_t frmFilter::SchemeID() const {
    return schemeSteps_ ? schemeSteps_->schemeId() : 0;
}

int32_t frmFilter::GetStartPeriod() {
    try {
        return Variant(support::SystemOption("IC", "StartPeriod", "0")).toLong();
    } catch (const Error&) {
        return 0;
    }
}

std::string frmFilter::GetStartDate() {
    try {
        auto data = host::Create<host::IStockRptData>(host::progid::kStockRptData);
        int32_t startPeriod = GetStartPeriod();
        return data->GetStartDate(support::PropsString(), startPeriod);
    } catch (const Error&) {
        return {};
    }
}

std::string frmFilter::GetPlanValueByKey(const RecordsetPtr& Rs, const std::string& KEY,
                                         const std::string& Default) {
    try {
        if (!Rs) return {};
        Rs->setFilter("FKey=" + text::SqlQuote(KEY));
        if (Rs->eof()) return Default;
        return Rs->value("FValue").toString(Default);
    } catch (const Error&) {
        return {};
    }
}

Variant frmFilter::DelPlan(int32_t RptID, const std::string& Plan) {
    auto profile = host::Create<host::IProfile>(host::progid::kSchemeProfile);
    profile->DelPlan(support::PropsString(), RptID, Plan);
    return {};
}

std::shared_ptr<List> frmFilter::getListHead() {
    if (!models.templateData || !models.templateData->mListHead) return nullptr;
    const List& head = *models.templateData->mListHead;
    std::vector<std::shared_ptr<Dictionary>> columns;
    for (std::size_t i = 0; i < head.size(); ++i) columns.push_back(head.at(i));
    std::stable_sort(columns.begin(), columns.end(), [](const auto& a, const auto& b) {
        return a->value("FIndex", Variant(0)).toDouble() <
               b->value("FIndex", Variant(0)).toDouble();
    });
    auto sorted = std::make_shared<List>();
    for (auto& c : columns) sorted->add(c);
    return sorted;
}

Dictionary frmFilter::GetTemplateInfo() {
    if (!models.templateData) return {};
    models.templateData->mListID = MyListID;
    return models.templateData->GetTemplateInfo();
}

double frmFilter::GetTheColWidthByColName(const std::string& strColName, int32_t& theIndex) {
    using editing::ColumnCol;
    for (int row = 1; row <= vaHideColumn.maxRows(); ++row) {
        if (vaHideColumn.text(row, ColumnCol::Alias) != strColName) continue;
        theIndex = row;
        const double width = std::atof(vaHideColumn.text(row, ColumnCol::Width).c_str());
        return width > 0 ? width : 0;
    }
    return 0;
}

}  // namespace qelt::dialog
