#include "dialog/lifecycle.h"

#include <optional>
#include <string>

#include "dialog/frm_filter.h"
#include "dialog/scheme_steps.h"
#include "editing/fmaker.h"
#include "editing/grid_columns.h"
#include "host/messages.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/template_data.h"
#include "support/language.h"
#include "support/props_string.h"
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
constexpr const char* kDestTypeOrderConfirm = "77";

constexpr const char* kAnd = " AND ";
constexpr const char* kAndOpen = " AND (";
constexpr const char* kList69Filter = " (v1.FStatus>=1) ";
constexpr const char* kList401Filter =
    "(u1.FPrice=0 and u1.FAmount=0 and u1.FQty<>0)"
    "  AND (v1.FVchInterID=0 OR v1.FVchInterID is Null) AND (v1.FCheckerID<>0)";

constexpr const char* kUserIdKey = "UserID";

constexpr int kCharQuote = 34;
constexpr int kCharApostrophe = 39;
constexpr int kOutSaleMode = 1;

bool Between(int32_t v, int32_t lo, int32_t hi) {
    return v >= lo && v <= hi;
}

// Column C compared with V by the grid's comparison code; empty for an
// unknown code. The emptiness tests ignore the value. V is a literal the
// condition rows made (its quotes doubled), so its inside stays balanced
// between the LIKE pattern's own quotes.
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

// Each user of a workstation finds the window as he left it; a property
// string without a user shares one arrangement.
std::string WindowKeyOf(const std::string& form) {
    try {
        const std::string user = text::Trim(support::PropValue(kUserIdKey));
        return user.empty() ? form : form + "/" + user;
    } catch (const Error&) {
        return form;
    }
}

}  // namespace

Lifecycle::Lifecycle(frmFilter& dialog) : d_(dialog) {
    d_.onLoad = [this] { load(); };
    d_.onActivate = [this] { activate(); };
    d_.onKeyPress = [this](int& keyAscii) { keyPress(keyAscii); };
    d_.onUnload = [this](bool&) {
        d_.models.maker.reset();
        d_.models.templateData.reset();
    };
    d_.cmdOk.onClick = [this] { accept(); };
    d_.cmdCancel.onClick = [this] { cancel(); };
    d_.cboTransType.onClick = [this] { transTypeSelected(); };
}

void Lifecycle::createModels() {
    const DialogInputs& in = d_.inputs();
    d_.models.templateData = std::make_shared<TemplateData>();
    d_.models.maker = std::make_unique<editing::FMaker>();
    editing::FMaker& maker = *d_.models.maker;
    maker.setListShowStatus(in.listShowStatus);
    maker.setvasProperty(&d_.VpFilter);
    maker.setHideColumnsSpread(&d_.vaHideColumn);
    maker.SystemName = d_.SystemName;
    maker.setDestBillTransType(in.destBillTransType);
    maker.MyListID = in.listId;
    maker.setTemplate(d_.models.templateData);
}

// --- load, activation, keys ----------------------------------------------------

void Lifecycle::load() {
    support::SetFormFonts(static_cast<ui::Form*>(&d_));
    d_.setDialogTexts();
    d_.setWindowKey(WindowKeyOf(d_.name()));
    if (!initialise()) {
        auto box = host::Create<host::IMessageBox>(host::progid::kMessage);
        box->addLine(kInitFailedLine1);
        box->addLine(kInitFailedLine2);
        box->show(host::kButtonsOk, "", -1);
    }
    if (d_.cmdOk.visible() && d_.cmdOk.enabled()) d_.setFocus(d_.cmdOk.name());
    d_.selectors.afterLoad();
    autoAccept_ = d_.chkShowByBeforeProject.value() != 0;
    if (!d_.inputs().isFromListShow && autoAccept_) {
        activate();
        acceptedOnLoad_ = ok_;
    }
}

void Lifecycle::activate() {
    if (acceptedOnLoad_) {
        // Accepted while loading, before the form could be hidden.
        acceptedOnLoad_ = false;
        d_.hide();
        return;
    }
    ok_ = false;
    if (d_.VpFilter.maxRows() < 1) {
        host::ShowMessage(kNoTemplateText, host::kIconNone, host::kButtonsOk, kNoTemplateTitle);
        d_.hide();
        return;
    }
    if (!d_.inputs().isFromListShow && autoAccept_) accept();
}

void Lifecycle::keyPress(int& keyAscii) {
    switch (keyAscii) {
        case kCharQuote:
        case kCharApostrophe:
            keyAscii = 0;
            break;
        case ui::kKeyEscape:
            cancel();
            break;
        case ui::kKeyEnter:
            accept();
            break;
        default:
            break;
    }
}

// --- initialisation ----------------------------------------------------------------

bool Lifecycle::initialise() {
    const DialogInputs& in = d_.inputs();
    try {
        createModels();
        d_.models.templateData->InitData(support::Shared().Filter);
        RecordsetPtr templates = d_.models.templateData->mRsTemplete;
        if (!templates) return false;
        templates->moveFirst();
        if (templates->eof()) throw Error(-1, kSource, "the list has no template");

        // A new dialog builds its grids for whatever type it selects, even
        // when an earlier dialog or look-up left that template current.
        support::Shared().TemplateID = 0;
        fillTransTypes(*templates);

        SchemeSteps* schemes = d_.schemeSteps();
        const std::optional<std::string> start = schemes ? schemes->loadList() : std::nullopt;
        if (start)
            selectTransType(*start);
        else if (d_.cboTransType.listCount() > 0)
            d_.cboTransType.setListIndex(0);

        if (!in.canSelTrantype) {
            selectFixedTransType();
            d_.cboTransType.setEnabled(false);
        }
        // The condition grid fills its panel; a front end lays that out.

        d_.selectors.preset();
        d_.selectors.configure(in.listId, in.destBillTranTypeNumber(), in.listShowStatus,
                               d_.selectors.presetROB(), in.checkSwitch);

        if (in.listShowStatus != 4 && in.listShowStatus != 6) {
            if (schemes) schemes->applyStart();
        } else {
            if (schemes) schemes->showDefaultOnly();
            d_.models.maker->InitField();
            d_.models.maker->InitHideColumns();
        }
        return true;
    } catch (const Error&) {
        if (d_.models.templateData) d_.models.templateData->mRsTemplete.reset();
        return false;
    }
}

void Lifecycle::fillTransTypes(Recordset& templates) {
    const DialogInputs& in = d_.inputs();
    d_.cboTransType.clear();
    hostItem_ = -1;
    const auto& shared = support::Shared();
    for (templates.moveFirst(); !templates.eof(); templates.moveNext()) {
        std::string name = templates.value("FName").toString("");
        const int32_t templateId = templates.value("FTemplateID").toLong();
        const int32_t listId = templates.value("FID").toLong();
        if (listId == in.listId) hostItem_ = d_.cboTransType.listCount();
        if (Between(templateId, 60, 64) && in.saleMode == kOutSaleMode)
            name = kOutSale + (text::IStartsWith(name, kSale) ? text::Mid(name, 2) : name);
        if (listId == 20 && shared.AuditChoice == 0) continue;
        d_.cboTransType.addItem(
            TransTypeItem::Text(name, listId, templateId, templates.value("FFilter").toString("")));
    }
}

void Lifecycle::selectTransType(const std::string& listId) {
    int chosen = 0;
    for (int i = 0; i < d_.cboTransType.listCount(); ++i)
        if (text::IEquals(text::Trim(TransTypeItem::Part(d_.cboTransType.items()[i], 1)),
                          text::Trim(listId))) {
            chosen = i;
            break;
        }
    if (d_.cboTransType.listCount() > 0) d_.cboTransType.setListIndex(chosen);
}

void Lifecycle::selectFixedTransType() {
    const DialogInputs& in = d_.inputs();
    const int hostItem = hostItem_ < 0 ? 0 : hostItem_;
    if (in.destBillTransType == kDestTypeOrderConfirm)
        d_.cboTransType.setListIndex(in.listId == 84 ? 2 : hostItem);
    else
        d_.cboTransType.setListIndex(hostItem);
}

void Lifecycle::transTypeSelected() {
    editing::FMaker* maker = d_.models.maker.get();
    if (d_.cboTransType.listIndex() < 0 || !maker) return;
    auto& shared = support::Shared();
    const std::string item = d_.cboTransType.text();
    d_.MyListID = TransTypeItem::ListId(item);
    const int32_t templateId = TransTypeItem::TemplateId(item);
    maker->MyListID = d_.MyListID;
    // Every dialog builds its own catalogue: the shared template id may
    // already name this template (an earlier dialog or look-up), while this
    // dialog's FMaker has none yet.
    if (templateId != shared.TemplateID || !maker->Catalogue()) {
        shared.TemplateID = templateId;
        maker->InitField();
        maker->InitHideColumns();
    }
    d_.grids.reloadOrderFields();
    d_.selectors.showForTransType(templateId);
}

// --- OK and Cancel ---------------------------------------------------------------

void Lifecycle::accept() {
    const DialogInputs& in = d_.inputs();
    if (d_.framePlanOrder.visible() && PlanOrderList(d_.MyListID) && d_.chkPlan.value() == 0 &&
        d_.chkChecked.value() == 0 && d_.chkClose.value() == 0) {
        host::ShowMessage(kNoOrderStatus, host::kIconInformation, host::kButtonsOk,
                          host::kMessageTitle);
        return;
    }
    d_.selectors.recordInUse();

    if (in.isCrossRpt == 1) {
        if (!buildCrossWhere()) return;
    } else {
        bool anyVisible = false;
        for (int row = 1; row <= d_.vaHideColumn.maxRows() && !anyVisible; ++row)
            anyVisible = d_.vaHideColumn.text(row, editing::ColumnCol::Shown) == "1";
        if (!anyVisible) {
            host::ShowMessage(kNoVisibleColumn, host::kIconInformation, host::kButtonsOk,
                              host::kMessageTitle);
            return;
        }
        if (d_.cboTransType.listCount() > 0) {
            auto& shared = support::Shared();
            const std::string item = d_.cboTransType.text();
            shared.CJName = TransTypeItem::DisplayName(item);
            if (Between(TransTypeItem::TemplateId(item), 60, 63) && in.saleMode == kOutSaleMode)
                shared.CJName = kSale + (text::IStartsWith(shared.CJName, kOutSale)
                                             ? text::Mid(shared.CJName, 2)
                                             : shared.CJName);
            if (!buildDataSql()) return;
        }
    }
    if (SchemeSteps* schemes = d_.schemeSteps();
        schemes && schemes->saveOnOk() == SchemeSteps::Outcome::KeepOpen)
        return;
    ok_ = true;
    d_.hide();
}

void Lifecycle::cancel() {
    ok_ = false;
    d_.unload();
}

// --- results -----------------------------------------------------------------------

bool Lifecycle::buildDataSql() {
    editing::FMaker& maker = *d_.models.maker;
    TemplateData& tpl = *d_.models.templateData;
    try {
        bool done = false;
        auto filters = maker.getFilterElements(d_.VpFilter, &done);
        if (!done) return false;
        auto sorts = maker.getOrderbyElements(d_.vsOrder, &done);
        if (!done) return false;
        auto columns = maker.getHidenElements(d_.vaHideColumn, &done);
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

        tpl.setCollectionFilter(filters);
        tpl.setCollectionSort(sorts);
        tpl.setCollectionHiden(columns);
        tpl.FilterExt = filterExt();
        tpl.mTemplateID = support::Shared().TemplateID;
        tpl.blVisMoneyInStock = maker.GetMoneyVis();
        tpl.setListShowStatus(d_.inputs().listShowStatus);
        Dictionary info;
        std::string sql = tpl.GetListSQL(tables, fields, &info);
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

std::string Lifecycle::conditionText(const Collection<clsFilterElement>& elements) const {
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

bool Lifecycle::buildCrossWhere() {
    bool done = false;
    auto filters = d_.models.maker->getFilterElements(d_.VpFilter, &done);
    if (!done || !editing::FMaker::CheckParentheses(filters.get())) return false;
    std::string condition = filters ? conditionText(*filters) : std::string();
    const std::string extra = filterExt();
    if (!text::IsBlank(condition)) {
        condition = " (" + condition + ") ";
        where_ = text::IsBlank(extra) ? condition : condition + kAnd + extra;
    } else {
        where_ = extra;
    }
    return true;
}

std::string Lifecycle::filterExt() {
    const auto& shared = support::Shared();
    const int32_t listId = d_.inputs().listId;
    std::string typeCondition = TransTypeItem::Filter(d_.cboTransType.text());

    std::string server;
    if (shared.IsCalculate && shared.TemplateID != 84 &&
        (shared.TemplateID != 56 || listId == 401) && !shared.IsMakeVoucher) {
        auto listServer = host::Create<host::IListServer>(host::progid::kListServer);
        server = listServer->GetExtFilter(support::PropsString());
    }
    if (listId == 69) server = kList69Filter;
    // The fixed condition is joined to the server's only when there is one,
    // so that the text never ends in a dangling AND.
    if (listId == 401) server = kList401Filter + (text::IsBlank(server) ? "" : kAnd + server);

    const std::string& dataFilter = d_.selectors.dataFilter();
    if (!text::IsBlank(dataFilter))
        typeCondition =
            text::Trim(typeCondition.empty() ? "(" + dataFilter + ")"
                                             : typeCondition + kAndOpen + dataFilter + ")");
    if (!text::IsBlank(server))
        typeCondition =
            text::Trim(typeCondition.empty() ? server : typeCondition + kAndOpen + server + ")");
    const std::string status = text::Trim(d_.selectors.statusText());
    if (!status.empty())
        typeCondition =
            typeCondition.empty() ? status : text::Trim(typeCondition + kAndOpen + status + ")");
    return typeCondition;
}

}  // namespace qelt::dialog
