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
    bool blBeforeStart = false;
    std::string SystemName;
    // Output: the list id the last call ended with.
    int32_t MyListID = 0;
    int16_t glFastMode = 0;
    int32_t SchemeID = 0;

    // --- inputs -----------------------------------------------------------------
    // Any non-zero value is stored as true.
    void setIsFromListShow(int32_t v) { fromListShow_ = v != 0; }
    int32_t CheckSwitch() const { return checkSwitch_; }
    void setCheckSwitch(int32_t v) { checkSwitch_ = v; }
    // Raises Error when the value does not convert to a whole number.
    void setCheckSwitch(const Variant& v) { checkSwitch_ = v.toLong(); }
    int32_t CROSSRPT() const { return crossRpt_; }
    void setCROSSRPT(int32_t v) { crossRpt_ = v; }
    void setCROSSRPT(const Variant& v) { crossRpt_ = v.toLong(); }
    const std::string& DestBillTransType() const { return destBillTransType_; }
    void setDestBillTransType(const std::string& v) { destBillTransType_ = v; }
    bool CanSelTrantype() const { return canSelTrantype_; }
    void setCanSelTrantype(bool v) { canSelTrantype_ = v; }
    int32_t ListID() const { return listId_; }
    void setListID(int32_t v) { listId_ = v; }
    int32_t ListShowStatus() const { return listShowStatus_; }
    void setListShowStatus(int32_t v) { listShowStatus_ = v; }
    void SetDataFilter(const std::string& SFilter) { dataFilter_ = SFilter; }
    void setSaleMode(Enu_SaleMode v) { saleMode_ = v; }

    // Shared settings.
    void setBaseInfo(const std::string& v);
    void setPickName(bool v);
    void setIsCalculate(bool v);
    void setHideTabs(int16_t v);
    void setFilter(const std::string& v);
    void setICMOShieldCode(const std::string& v);
    void setShowMode(Enu_ShowMode v);
    void setIsMakeVoucher(bool v);
    // Lasts only until the next getInfoByF7Key, which re-reads the option.
    Variant SetAuditChoice(int16_t vNewValue);

    // Opens a direct database connection with a SOCI connection string and
    // keeps it for the process until this CFilter is destroyed. No query of
    // the library uses it. Raises Error when it cannot be opened.
    void setLocalConnectingString(const std::string& connectionString);

    // --- results ----------------------------------------------------------------
    bool OK() const { return ok_; }
    const std::string& Datasql() const { return dataSql_; }
    const std::string& SQLWHERE() const { return sqlWhere_; }
    std::string CJName() const;
    int32_t TemplateID() const;
    // The list head and template information of the last success; null before.
    std::shared_ptr<List> getListHead() const { return listHead_; }
    std::shared_ptr<Dictionary> getListTemplateInfo() const { return templateInfo_; }

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
    void readSystemOptions();

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
