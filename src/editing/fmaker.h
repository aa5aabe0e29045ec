#pragma once

#include <cstdint>
#include <string>

#include "qelt/variant.h"

namespace qelt::editing {

// The editing model between the filter dialog and the list template. This
// part answers questions about the working environment: accounting periods,
// the server's date, red/blue bills and whether money columns may be shown.
class FMaker {
public:
    // --- inputs given by the dialog or the facade ----------------------------
    std::string SystemName;
    // The dialog's mode text ("70" for the order-confirmation mode).
    std::string ModeText;
    // The transaction type of the current selection; 0 means "use the default".
    int32_t CurTransType = 0;
    // The host's destination bill transaction type, as a number (0 when none).
    int32_t DefaultTransType = 0;
    int32_t MyListID = 0;

    int32_t ListShowStatus() const { return listShowStatus_; }
    void setListShowStatus(int32_t v) { listShowStatus_ = v; }
    // Takes the facade's destination bill transaction type text; a text that
    // is not a whole number leaves no default.
    void setDestBillTransType(const std::string& text);

    // --- periods and dates ----------------------------------------------------
    // The current accounting year and period and their dates. A refused
    // list-server call is reported to the user; any error returns false.
    bool GetCurPeriod(int32_t& CurYear, int32_t& CurPeriod, Date& dStartDate, Date& dEndDate);
    // The dates of the given period; false on any error (dates then untouched).
    bool GetPeriodDate(int32_t CurYear, int32_t CurPeriod, Date& dStartDate, Date& dEndDate);
    // The database server's current date and time, or the empty date.
    Date GetToday();
    // Whether the current template's transaction type is marked red/blue.
    bool IsROBBill();

    // --- money columns --------------------------------------------------------
    bool GetMoneyVis();
    // Computes the stock-money flag from the rights of the transaction type.
    bool GetMoneyVisForStock();
    bool StockMoneyVisible() const { return stockMoney_; }

private:
    int32_t listShowStatus_ = 0;
    bool stockMoney_ = false;
};

}  // namespace qelt::editing
