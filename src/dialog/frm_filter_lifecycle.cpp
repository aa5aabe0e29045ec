#include <algorithm>
#include <cstdlib>

#include "dialog/frm_filter.h"
#include "editing/fmaker.h"
#include "host/messages.h"
#include "host/process_objects.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/template_data.h"
#include "support/language.h"
#include "support/session_env.h"
#include "support/shared_settings.h"

namespace qelt::dialog {

namespace {

constexpr const char* kSource = "QeltSqlWhere2.frmFilter";

constexpr const char* kInitFailedLine1 = "在初始查询条件时出错！";
constexpr const char* kInitFailedLine2 = "因此，你不能进行条件查询操作。";
constexpr const char* kNoTemplateTitle = "提示";
constexpr const char* kNoTemplateText = "系统设置的模版不存在！";
constexpr const char* kNoOrderStatus = "请至少选择一种订单状态!";
constexpr const char* kNoVisibleColumn = "你已经把全部数据列置为不可见，请重新选择。";
constexpr const char* kDataSqlFailed = "GetDataSql:";
constexpr const char* kNoStatement =
    "the list's template could not be turned into a statement (a list restricted to the "
    "user's groups needs the user's UserID)";

constexpr const char* kOutSale = "外销";
constexpr const char* kSale = "销售";
constexpr const char* kDefaultSchemeKey = "P0000";
constexpr const char* kDestTypeOrderConfirm = "77";
constexpr const char* kCodeSeparator = "||";

constexpr const char* kAnd = " AND ";
constexpr const char* kAndOpen = " AND (";
constexpr const char* kList69Filter = " (v1.FStatus>=1) ";
constexpr const char* kList401Filter =
    "(u1.FPrice=0 and u1.FAmount=0 and u1.FQty<>0)"
    "  AND (v1.FVchInterID=0 OR v1.FVchInterID is Null) AND (v1.FCheckerID<>0)";

constexpr int kCharQuote = 34;
constexpr int kCharApostrophe = 39;
constexpr int kOutSaleMode = 1;
constexpr int kColumnVisible = 3;
constexpr int kColumnWidth = 4;
constexpr int kColumnName = 8;

// A leading whole number as the host's loose conversions read it ("77",
// " 2,3" gives 2); 0 when there is none.
int32_t LeadingNumber(const std::string& s) {
    return static_cast<int32_t>(std::atol(s.c_str()));
}

bool Between(int32_t v, int32_t lo, int32_t hi) {
    return v >= lo && v <= hi;
}

// Column C compared with V by the grid's comparison code; empty for an
// unknown code. The emptiness tests ignore the value.
std::string CrossComparison(const std::string& code, const std::string& c, const std::string& v) {
    if (code == "7") return "(" + c + " IS NULL OR " + c + "='')";
    if (code == "8") return " NOT (" + c + " IS NULL OR " + c + "='')";
    const std::size_t chars = text::CharCount(v);
    const std::string inner = text::Mid(v, 1, chars >= 2 ? chars - 2 : 0);
    if (code == "1") return c + " = " + v;
    if (code == "2") return c + " <> " + v;
    if (code == "3") return c + "  > " + v;
    if (code == "4") return c + " >= " + v;
    if (code == "5") return c + " <  " + v;
    if (code == "6") return c + " <= " + v;
    if (code == "9") return c + " LIKE " + "'%" + inner + "%'";
    if (code == "10") return c + " NOT LIKE " + "'%" + inner + "%'";
    return {};
}

bool UsesValue(const std::string& code) {
    return code != "7" && code != "8";
}

}  // namespace

void frmFilter::wireLifecycle() {
    // Form initialisation: the selectors the facade may switch off start on.
    showCancel_ = true;
    showConnect_ = true;
    destBillTransType_.clear();

    onLoad = [this] { Form_Load(); };
    onActivate = [this] { Form_Activate(); };
    onKeyPress = [this](int& keyAscii) { Form_KeyPress(keyAscii); };
    onUnload = [this](bool&) {
        mFMaker.reset();
        mTemplateData.reset();
    };
    cmdOk.onClick = [this] { cmdOk_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
}

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

// --- load, activation, keys ----------------------------------------------------

void frmFilter::Form_Load() {
    support::SetFormFonts(static_cast<ui::Form*>(this));
    setDialogTexts();
    loading_ = true;
    if (!initialise()) {
        auto box = host::Create<host::IMessageBox>(host::progid::kMessage);
        box->addLine(kInitFailedLine1);
        box->addLine(kInitFailedLine2);
        box->show(host::kButtonsOk, "", -1);
    }
    loading_ = false;
    if (cmdOk.visible() && cmdOk.enabled()) setFocus(cmdOk.name());
    if (support::IsAppType1()) {
        lblPost.setVisible(false);
        cboPost.setVisible(false);
    }
    autoAccept_ = chkShowByBeforeProject.value() != 0;
    if (!isFromListShow_ && autoAccept_) {
        Form_Activate();
        acceptedOnLoad_ = ok_;
    }
}

void frmFilter::Form_Activate() {
    if (acceptedOnLoad_) {
        // Accepted while loading, before the form could be hidden.
        acceptedOnLoad_ = false;
        hide();
        return;
    }
    ok_ = false;
    if (VpFilter.maxRows() < 1) {
        host::ShowMessage(kNoTemplateText, host::kIconNone, host::kButtonsOk, kNoTemplateTitle);
        hide();
        return;
    }
    if (!isFromListShow_ && autoAccept_) cmdOk_Click();
}

void frmFilter::Form_KeyPress(int& keyAscii) {
    switch (keyAscii) {
        case kCharQuote:
        case kCharApostrophe:
            keyAscii = 0;
            break;
        case ui::kKeyEscape:
            cmdCancel_Click();
            break;
        case ui::kKeyEnter:
            cmdOk_Click();
            break;
        default:
            break;
    }
}

// --- initialisation ----------------------------------------------------------------

bool frmFilter::initialise() {
    try {
        createModels();
        mTemplateData->InitData(support::Shared().Filter);
        RecordsetPtr templates = mTemplateData->mRsTemplete;
        if (!templates) return false;
        templates->moveFirst();
        if (templates->eof()) throw Error(-1, kSource, "the list has no template");

        // A new dialog builds its grids for whatever type it selects, even
        // when an earlier dialog or look-up left that template current.
        support::Shared().TemplateID = 0;
        fillTransTypes(*templates);

        RecordsetPtr schemes = loadSchemeList();
        if (!schemes || schemes->recordCount() < 1) {
            if (cboTransType.listCount() > 0) cboTransType.setListIndex(0);
        } else {
            chooseInitialScheme(*schemes);
        }

        if (!canSelTrantype_) {
            selectFixedTransType();
            cboTransType.setEnabled(false);
        }
        selectedListCode_ = LeadingNumber(TransTypeItem::Part(cboTransType.text(), 1));
        // The condition grid fills its panel; a front end lays that out.

        PresetSelectors();
        if (showCancel_) cboCancel.setListIndex(1);
        if (showConnect_) cboConnect.setListIndex(2);
        ConfigureSelectors(listId_, LeadingNumber(destBillTransType_), listShowStatus_, PresetROB(),
                           checkSwitch_);

        if (listShowStatus_ != 4 && listShowStatus_ != 6) {
            applyScheme();
        } else {
            showDefaultSchemeOnly();
            mFMaker->InitField();
            mFMaker->InitHideColumns();
        }
        return true;
    } catch (const Error&) {
        if (mTemplateData) mTemplateData->mRsTemplete.reset();
        return false;
    }
}

void frmFilter::fillTransTypes(Recordset& templates) {
    cboTransType.clear();
    hostItem_ = -1;
    const auto& shared = support::Shared();
    for (templates.moveFirst(); !templates.eof(); templates.moveNext()) {
        std::string name = templates.value("FName").toString("");
        const int32_t templateId = templates.value("FTemplateID").toLong();
        const int32_t listId = templates.value("FID").toLong();
        if (listId == listId_) hostItem_ = cboTransType.listCount();
        if (Between(templateId, 60, 64) && saleMode_ == kOutSaleMode)
            name = kOutSale + (text::IStartsWith(name, kSale) ? text::Mid(name, 2) : name);
        if (listId == 20 && shared.AuditChoice == 0) continue;
        cboTransType.addItem(
            TransTypeItem::Text(name, listId, templateId, templates.value("FFilter").toString("")));
    }
}

void frmFilter::selectFixedTransType() {
    const int hostItem = hostItem_ < 0 ? 0 : hostItem_;
    if (destBillTransType_ == kDestTypeOrderConfirm)
        cboTransType.setListIndex(listId_ == 84 ? 2 : hostItem);
    else
        cboTransType.setListIndex(hostItem);
}

void frmFilter::showDefaultSchemeOnly() {
    tlbProject.setEnabled(false);
    tlbProject.setVisible(false);
    lvwProject.clear();
    lvwProject.addItem({kDefaultSchemeKey, kDefaultSchemeName, 1, 5});
}

// --- schemes ------------------------------------------------------------------

void frmFilter::chooseInitialScheme(Recordset& schemes) {
    std::string tranType;
    const auto take = [&] {
        tranType = schemes.value("FTranType").toString("");
        schemeId_ = schemes.value("FSchemeID").toLong();
        schemeName_ = schemes.value("FSchemeName").toString("");
    };
    schemes.moveFirst();
    take();
    inUseSchemeId_ = 0;
    // Other users' schemes come with FStatus 0: a scheme in use is the user's own.
    for (; !schemes.eof(); schemes.moveNext()) {
        const std::string status = text::Trim(schemes.value("FStatus").toString(""));
        if (status == "2" || status == "1") {
            take();
            inUseSchemeId_ = schemeId_;
        }
    }
    int chosen = 0;
    for (int i = 0; i < cboTransType.listCount(); ++i)
        if (text::IEquals(text::Trim(TransTypeItem::Part(cboTransType.items()[i], 1)),
                          text::Trim(tranType))) {
            chosen = i;
            break;
        }
    if (cboTransType.listCount() > 0) cboTransType.setListIndex(chosen);
}

// --- OK and Cancel ---------------------------------------------------------------

void frmFilter::cmdOk_Click() {
    if (framePlanOrder.visible() && (MyListID == 604 || MyListID == 605) && chkPlan.value() == 0 &&
        chkChecked.value() == 0 && chkClose.value() == 0) {
        host::ShowMessage(kNoOrderStatus, host::kIconInformation, host::kButtonsOk,
                          host::kMessageTitle);
        return;
    }
    recordSelectorsInUse();

    if (isCrossRpt_ == 1) {
        if (!buildCrossWhere()) return;
    } else {
        bool anyVisible = false;
        for (int row = 1; row <= vaHideColumn.maxRows() && !anyVisible; ++row)
            anyVisible = vaHideColumn.text(row, kColumnVisible) == "1";
        if (!anyVisible) {
            host::ShowMessage(kNoVisibleColumn, host::kIconInformation, host::kButtonsOk,
                              host::kMessageTitle);
            return;
        }
        if (cboTransType.listCount() > 0) {
            auto& shared = support::Shared();
            const std::string item = cboTransType.text();
            shared.CJName = TransTypeItem::DisplayName(item);
            auto splitter = host::Create<host::IStringSplitter>(host::progid::kStringSplitter);
            const int32_t templateId =
                LeadingNumber(splitter->split(TransTypeItem::HiddenCode(item), 2, kCodeSeparator));
            if (Between(templateId, 60, 63) && saleMode_ == kOutSaleMode)
                shared.CJName = kSale + (text::IStartsWith(shared.CJName, kOutSale)
                                             ? text::Mid(shared.CJName, 2)
                                             : shared.CJName);
            if (!buildDataSql()) return;
        }
    }
    abort_ = false;
    saveScheme(false, 1);
    if (abort_) return;
    ok_ = true;
    hide();
}

void frmFilter::cmdCancel_Click() {
    ok_ = false;
    unload();
}

// --- results -----------------------------------------------------------------------

bool frmFilter::buildDataSql() {
    try {
        bool done = false;
        auto filters = mFMaker->getFilterElements(VpFilter, &done);
        if (!done) return false;
        auto sorts = mFMaker->getOrderbyElements(vsOrder, &done);
        if (!done) return false;
        auto columns = mFMaker->getHidenElements(vaHideColumn, &done);
        if (!done) return false;
        if (!editing::FMaker::CheckParentheses(filters.get())) return false;

        std::string tables, fields;
        if (filters)
            for (const auto& e : *filters) {
                tables += e->sTableAlias + ",";
                fields += e->sFieldAlias + ",";
            }
        if (sorts)
            for (const auto& e : *sorts) {
                tables += e->sTableAlias + ",";
                fields += e->sFieldAlias + ",";
            }
        tables = "," + tables;
        fields = "," + fields;

        mTemplateData->setCollectionFilter(filters);
        mTemplateData->setCollectionSort(sorts);
        mTemplateData->setCollectionHiden(columns);
        mTemplateData->FilterExt = getFilterExt();
        mTemplateData->mTemplateID = support::Shared().TemplateID;
        mTemplateData->blVisMoneyInStock = mFMaker->GetMoneyVis();
        mTemplateData->setListShowStatus(listShowStatus_);
        Dictionary info;
        std::string sql = mTemplateData->GetListSQL(tables, fields, &info);
        // An empty statement is no result: the host would list nothing, or
        // everything, without knowing why.
        if (sql.empty()) throw Error(-1, kSource, kNoStatement);
        dataSql_ = std::move(sql);
        return true;
    } catch (const Error& e) {
        host::ShowMessage(kDataSqlFailed + e.description, host::kIconNone, host::kButtonsOk,
                          host::kMessageTitle);
        return false;
    }
}

std::string frmFilter::conditionText(const Collection<clsFilterElement>& elements) const {
    std::string text;
    for (const auto& e : elements) {
        text += " " + e->sAndOr + " " + e->sLeftParentheses;
        const std::string column =
            e->sAction.empty() ? e->sTableAlias + "." + e->sFieldName : "(" + e->sAction + ")";
        if (UsesValue(e->sLogicOperator) && text::IsBlank(e->sValue)) continue;
        text += CrossComparison(e->sLogicOperator, column, e->sValue) + e->sRightParentheses;
    }
    return text;
}

bool frmFilter::buildCrossWhere() {
    bool done = false;
    auto filters = mFMaker->getFilterElements(VpFilter, &done);
    if (!done || !editing::FMaker::CheckParentheses(filters.get())) return false;
    std::string condition = filters ? conditionText(*filters) : std::string();
    const std::string extra = getFilterExt();
    if (!text::IsBlank(condition)) {
        condition = " (" + condition + ") ";
        where_ = text::IsBlank(extra) ? condition : condition + kAnd + extra;
    } else {
        where_ = extra;
    }
    return true;
}

std::string frmFilter::getFilterExt() {
    const auto& shared = support::Shared();
    std::string typeCondition = text::Trim(TransTypeItem::Part(cboTransType.text(), 3));

    std::string server;
    if (shared.IsCalculate && shared.TemplateID != 84 &&
        (shared.TemplateID != 56 || listId_ == 401) && !shared.IsMakeVoucher) {
        auto listServer = host::Create<host::IListServer>(host::progid::kListServer);
        server = listServer->GetExtFilter(support::PropsString());
    }
    if (listId_ == 69) server = kList69Filter;
    // The fixed condition is joined to the server's only when there is one,
    // so that the text never ends in a dangling AND.
    if (listId_ == 401) server = kList401Filter + (text::IsBlank(server) ? "" : kAnd + server);

    if (!text::IsBlank(dataFilter_))
        typeCondition =
            text::Trim(typeCondition.empty() ? "(" + dataFilter_ + ")"
                                             : typeCondition + kAndOpen + dataFilter_ + ")");
    if (!text::IsBlank(server))
        typeCondition =
            text::Trim(typeCondition.empty() ? server : typeCondition + kAndOpen + server + ")");
    const std::string status = text::Trim(StatusText());
    if (!status.empty())
        typeCondition =
            typeCondition.empty() ? status : text::Trim(typeCondition + kAndOpen + status + ")");
    return typeCondition;
}

// --- public helpers ----------------------------------------------------------------

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
    if (!mTemplateData || !mTemplateData->mListHead) return nullptr;
    const List& head = *mTemplateData->mListHead;
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
    if (!mTemplateData) return {};
    mTemplateData->mListID = MyListID;
    return mTemplateData->GetTemplateInfo();
}

double frmFilter::GetTheColWidthByColName(const std::string& strColName, int32_t& theIndex) {
    for (int row = 1; row <= vaHideColumn.maxRows(); ++row) {
        if (vaHideColumn.text(row, kColumnName) != strColName) continue;
        theIndex = row;
        const double width = std::atof(vaHideColumn.text(row, kColumnWidth).c_str());
        return width > 0 ? width : 0;
    }
    return 0;
}

}  // namespace qelt::dialog
