#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "qelt/dictionary.h"
#include "qelt/export.h"
#include "qelt/records.h"
#include "qelt/variant.h"

namespace qelt {

// The library's entry point for a host: set the inputs (list id, list show
// status, options), then ask for the list's SQL; read the results through the
// properties afterwards.
//
// Some settings are shared by every CFilter of the process (TemplateID,
// CJName, Filter, BaseInfo, IsCalculate, IsMakeVoucher, PickName, HideTabs,
// ShowMode, ICMOShieldCode and the options read from the database). Creating
// a CFilter resets TemplateID, CJName, Filter, IsCalculate, IsMakeVoucher,
// PickName, ShowMode and ICMOShieldCode for all of them. All calls run on the
// caller's thread; the library keeps no locks.
class QELT_EXPORT CFilter {
public:
    CFilter();
    ~CFilter();
    CFilter(const CFilter&) = delete;
    CFilter& operator=(const CFilter&) = delete;

    // --- public fields --------------------------------------------------------
    // Input: the list shows documents from before the stock system's start.
    // The dialog then hides its date and posting selectors and keeps the
    // documents dated before the start date (IStockRptData::GetStartDate).
    bool blBeforeStart = false;
    // Input: the host's subsystem. Some names change what the dialog offers
    // ("AR" and "AP" show the kick-back selector) or select money columns
    // ("Calculate", "PLAN", ...).
    std::string SystemName;
    // Output: the list id the last call ended with.
    int32_t MyListID = 0;
    // Output of the dialog's OK: its fast-mode box, 1 ticked or 0.
    int16_t glFastMode = 0;
    // Output of the dialog's OK: the filter scheme in use (FSchemeID).
    int32_t SchemeID = 0;

    // --- inputs -----------------------------------------------------------------
    // Whether the dialog is opened from a list on screen; then a start scheme
    // whose auto-accept box is set does not accept the dialog as it opens.
    // Any non-zero value is stored as true.
    void setIsFromListShow(int32_t v);
    // The check switch of the list's selector configuration (FCheckSwitch of
    // ICListFilter); 0 by default.
    // @{
    int32_t CheckSwitch() const;
    void setCheckSwitch(int32_t v);
    // @}
    // Raises Error when the value does not convert to a whole number.
    void setCheckSwitch(const Variant& v);
    // 1 for a cross report: the dialog offers conditions only, and its OK
    // gives SQLWHERE(); 0 (the default) for a list.
    // @{
    int32_t CROSSRPT() const;
    void setCROSSRPT(int32_t v);
    // @}
    // Raises Error when the value does not convert to a whole number.
    void setCROSSRPT(const Variant& v);
    // The transaction type (a number as text) of the document the list picks
    // source documents for; it selects the selector configuration
    // (FDestBillTranType of ICListFilter, 0 when empty). Empty by default.
    // @{
    const std::string& DestBillTransType() const;
    void setDestBillTransType(const std::string& v);
    // @}
    // Kept for the host; true by default. Whether the dialog's transaction
    // type can be changed follows ListShowStatus.
    // @{
    bool CanSelTrantype() const;
    void setCanSelTrantype(bool v);
    // @}
    // The list (FID of ICListtemplate) the dialog opens with and
    // getInfoByF7Key builds; 0 by default.
    // @{
    int32_t ListID() const;
    void setListID(int32_t v);
    // @}
    // How the calling list shows documents; 0 by default. It selects the
    // selector configuration (FListShowStatus of ICListFilter); 2, 4 and 6
    // fix the dialog's transaction type, hide its cancellation and closing
    // selectors and preset its red/blue and audit selectors from the data
    // filter; 4 and 6 offer the default scheme only.
    // On the look-up path a status other than 0 selects the columns the
    // template shows.
    // @{
    int32_t ListShowStatus() const;
    void setListShowStatus(int32_t v);
    // @}
    // The calling list's own condition on its documents (for example
    // "FStatus=1 And FROB=1"), added to the dialog's statement. Under list
    // show status 2, 4 or 6 its FROB and FStatus terms preset the selectors,
    // and the FStatus term is then taken out.
    void SetDataFilter(const std::string& SFilter);
    // OutSaleMode names the sale transaction types as out-sale ones.
    void setSaleMode(Enu_SaleMode v);

    // --- shared settings (every CFilter of the process) -------------------------
    // The host's base-information text; its second "|"-separated piece is
    // the number the base-list look-up window is shown for.
    void setBaseInfo(const std::string& v);
    // Kept for the host, true after a new CFilter; the library does not read
    // it.
    void setPickName(bool v);
    // Cost-calculation lists: the dialog fixes its selectors to take every
    // document and adds the list server's extra condition
    // (IListServer::GetExtFilter); money columns are selected.
    void setIsCalculate(bool v);
    // Kept for the host; the library does not read it.
    void setHideTabs(int16_t v);
    // The transaction types the dialog offers: a condition on ICListtemplate
    // (for example "FID in (1,2)"); empty offers all. It also names the
    // dialog's filter schemes (schemes::SchemeKey).
    void setFilter(const std::string& v);
    // Kept for the host; the library does not read it.
    void setICMOShieldCode(const std::string& v);
    // Kept for the host; the library does not read it.
    void setShowMode(Enu_ShowMode v);
    // Lists for making vouchers: the list's SELECT has no TOP, and under
    // cost calculation the dialog hides its fast-mode box.
    void setIsMakeVoucher(bool v);
    // Overrides the system option AuditChoice until the next getInfoByF7Key
    // or Show, which read the options again. Returns an empty Variant.
    Variant SetAuditChoice(int16_t vNewValue);

    // Opens a direct database connection and keeps it for the process until
    // this CFilter is destroyed. It takes the connection strings of
    // host::SetDatabase and opens like the library's own sessions; no query
    // of the library uses it. Raises Error (passwords masked) when it cannot
    // be opened, keeping the connection opened before.
    void setLocalConnectingString(const std::string& connectionString);

    // --- results ----------------------------------------------------------------
    // Whether the last getInfoByF7Key built its statement; false before.
    bool OK() const;
    // The whole SELECT of the last success; empty before and after a failure.
    const std::string& Datasql() const;
    // The WHERE condition (without "WHERE") of the last accepted cross
    // report; the OK of a list's dialog empties it. Empty before.
    const std::string& SQLWHERE() const;
    // The name of the list last read (its transaction type, in the user's
    // language); shared by every CFilter of the process.
    std::string CJName() const;
    // The template (FTemplateID) of the list last read or chosen in the
    // dialog; shared by every CFilter of the process.
    int32_t TemplateID() const;
    // The list head (one dictionary per output column) and the template's
    // head row (field name to value) of the last success; null before.
    // @{
    std::shared_ptr<List> getListHead() const;
    std::shared_ptr<Dictionary> getListTemplateInfo() const;
    // @}

    // Shows the filter dialog modally through the process's presenter
    // (qelt/ui/presenter.h) and returns when the person has closed it. Reads
    // the system options first. On OK, OK() is true and, for a cross report
    // (CROSSRPT() non-zero), SQLWHERE() holds the WHERE text and nothing else
    // changes; otherwise getListHead(), getListTemplateInfo(), SchemeID,
    // Datasql() (the whole SELECT), SQLWHERE() and glFastMode are replaced.
    // Cancel makes OK() false and empties Datasql() only. MyListID is the list
    // the dialog ended with. The dialog offers the transaction types (list
    // templates) that setFilter selects, all when it is empty, the first one
    // chosen; with a list show status of 2, 4 or 6 it shows ListID's type
    // and the person cannot change it. No error escapes: a failure on the way leaves
    // the outputs copied so far and the rest as they were. Without a
    // presenter nothing can be shown: a message says so and OK() is false.
    void Show();

    // With bshowform true this is Show() (the other arguments are not used).
    // Otherwise it builds the list's SQL from its template without a dialog
    // (the look-up path): on success OK() is true and Datasql() holds the
    // whole SELECT. SFilter is an extra condition; unless blnNotNeedTranType
    // is true it is combined with the list's own template filter. A list id
    // that does not exist (or whose template id is absent) leaves OK() and
    // every result as they were: a host clears or checks OK() itself. When the
    // template cannot be turned into SQL, OK() becomes false and Datasql()
    // empty. Raises Error when the database cannot be read. Returns an empty
    // Variant.
    Variant getInfoByF7Key(const std::string& SFilter, bool bshowform = false,
                           bool blnNotNeedTranType = false);

private:
    // The inputs and results above.
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qelt
