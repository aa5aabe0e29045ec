#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dialog/filter_form.h"
#include "dialog/grid_editing.h"
#include "dialog/lifecycle.h"
#include "dialog/selector_panel.h"
#include "dialog/trans_type_item.h"
#include "qelt/dictionary.h"
#include "qelt/recordset.h"

namespace qelt {
class TemplateData;
namespace editing {
class FMaker;
}
}  // namespace qelt

namespace qelt::dialog {

class SchemeSteps;

// What the host gives the dialog before it is shown; the rules only read it.
struct DialogInputs {
    int32_t isCrossRpt = 0;  // 1: a cross report, OK gives a WHERE text only
    int32_t saleMode = 0;    // 1: out-sale mode
    bool isFromListShow = false;
    int32_t listId = 0;  // the list the host asked for
    int32_t checkSwitch = 0;
    bool canSelTrantype = true;
    int32_t listShowStatus = 0;
    std::string destBillTransType;
    // The destination type as a number: its leading whole number, as the
    // host writes two types ("2,3" gives 2); 0 when there is none.
    int32_t destBillTranTypeNumber() const;
};

// The models the dialog works on, created by its initialisation and
// released when it unloads.
struct DialogModels {
    std::shared_ptr<TemplateData> templateData;
    std::unique_ptr<editing::FMaker> maker;
};

// The filter dialog: its controls (FilterForm) and the objects that own its
// rules, each with its own state: the status selectors, grid editing and
// the lifecycle (load, activation, OK, Cancel, the result). Its schemes are
// kept by the scheme layer through SchemeSteps. The members below are what
// the facade sets and reads.
class frmFilter : public FilterForm {
public:
    frmFilter();
    ~frmFilter() override;

    // --- the facade's inputs and results ------------------------------------
    int32_t glFastMode = 0;  // written by the fast-mode box
    std::string SystemName;  // given by the facade
    int32_t MyListID = 0;    // the list id of the selected transaction type
    bool blBeforeStart = false;

    const DialogInputs& inputs() const { return inputs_; }
    void setIsCrossRpt(int32_t v) { inputs_.isCrossRpt = v; }
    int32_t IsCrossRpt() const { return inputs_.isCrossRpt; }
    void setIsFromListShow(int32_t v) { inputs_.isFromListShow = v != 0; }
    int32_t CheckSwitch() const { return inputs_.checkSwitch; }
    void setCheckSwitch(int32_t v) { inputs_.checkSwitch = v; }
    const std::string& DestBillTransType() const { return inputs_.destBillTransType; }
    void setDestBillTransType(const std::string& v) { inputs_.destBillTransType = v; }
    int32_t ListID() const { return inputs_.listId; }
    void SetListID(int32_t lListID) { inputs_.listId = lListID; }
    bool CanSelTrantype() const { return inputs_.canSelTrantype; }
    void setCanSelTrantype(bool v) { inputs_.canSelTrantype = v; }
    int32_t ListShowStatus() const { return inputs_.listShowStatus; }
    void setListShowStatus(int32_t v) { inputs_.listShowStatus = v; }
    void setSaleMode(int32_t v) { inputs_.saleMode = v; }
    bool ShowCancel() const { return selectors.showCancel(); }
    void setShowCancel(bool v) { selectors.setShowCancel(v); }
    bool ShowConnect() const { return selectors.showConnect(); }
    void setShowConnect(bool v) { selectors.setShowConnect(v); }
    void SetDataFilter(const std::string& SFilter) { selectors.setDataFilter(SFilter); }

    bool OK() const { return lifecycle.ok(); }
    // The data SQL: the whole SELECT of an ordinary list.
    const std::string& SQLWHERE() const { return lifecycle.dataSql(); }
    // The WHERE text of a cross report.
    const std::string& WHERE() const { return lifecycle.where(); }
    // The scheme in use (0 without schemes).
    int32_t SchemeID() const;
    std::string getFilterExt() { return lifecycle.filterExt(); }

    // The start period option ("StartPeriod", 0 when unreadable) and the
    // stock system's start date (empty when unreadable).
    int32_t GetStartPeriod();
    std::string GetStartDate();
    // The FValue of the entry `KEY` of scheme entries; `Default` when there
    // is none, empty on an error.
    std::string GetPlanValueByKey(const RecordsetPtr& Rs, const std::string& KEY,
                                  const std::string& Default = "");
    Variant DelPlan(int32_t RptID, const std::string& Plan);
    // The list head in ascending FIndex order (null before a statement).
    std::shared_ptr<List> getListHead();
    Dictionary GetTemplateInfo();
    double GetTheColWidthByColName(const std::string& strColName, int32_t& theIndex);

    // The steps the lifecycle runs for the schemes (null: none). The object
    // must outlive the dialog's use of it.
    void setSchemeSteps(SchemeSteps* steps) { schemeSteps_ = steps; }
    SchemeSteps* schemeSteps() const { return schemeSteps_; }

    DialogModels models;
    SelectorPanel selectors;
    GridEditing grids;
    Lifecycle lifecycle;

private:
    DialogInputs inputs_;
    SchemeSteps* schemeSteps_ = nullptr;
};

}  // namespace qelt::dialog
