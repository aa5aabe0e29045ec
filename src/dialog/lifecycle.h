#pragma once

#include <cstdint>
#include <string>

#include "qelt/records.h"

namespace qelt {
class Recordset;
}

namespace qelt::dialog {

class frmFilter;

// The filter dialog from load to unload: the initialisation that creates the
// models and fills the transaction types, the activation, the form's keys,
// the transaction-type selection, OK with its result (the list's SELECT, or
// the WHERE text of a cross report) and Cancel.
class Lifecycle {
public:
    explicit Lifecycle(frmFilter& dialog);

    // True only after an accepted OK.
    bool ok() const { return ok_; }
    // The SELECT of an ordinary list, and the WHERE text of a cross report.
    const std::string& dataSql() const { return dataSql_; }
    const std::string& where() const { return where_; }

    // Creates the TemplateData and the FMaker and hands the FMaker its
    // inputs and grids (the first step of the initialisation).
    void createModels();
    // The transaction type box's selection: the dialog's list, the grids of
    // its template, its sort fields and the selectors it shows. The dialog
    // runs it whenever it selects a type by code too.
    void transTypeSelected();
    // The extra filter: the type's template filter, the host's data filter,
    // the list server's filter and the status selectors' text.
    std::string filterExt();

private:
    frmFilter& d_;
    bool ok_ = false;
    std::string dataSql_;
    std::string where_;
    bool autoAccept_ = false;
    // Set when the dialog accepted itself while loading, so that the
    // activation that follows only closes it.
    bool acceptedOnLoad_ = false;
    // Position of the host's list among the transaction types; -1 when none.
    int hostItem_ = -1;

    void load();
    void activate();
    void keyPress(int& keyAscii);
    void accept();
    void cancel();
    // The initialisation the load runs; false when it failed.
    bool initialise();
    void fillTransTypes(Recordset& templates);
    // Selects the type of the list id given (the first item when none has it).
    void selectTransType(const std::string& listId);
    // The item of the list the host asked for: the one fixed selection.
    void selectFixedTransType();
    bool buildDataSql();
    bool buildCrossWhere();
    std::string conditionText(const Collection<clsFilterElement>& elements) const;
};

}  // namespace qelt::dialog
