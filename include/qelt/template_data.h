#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "qelt/dictionary.h"
#include "qelt/export.h"
#include "qelt/records.h"
#include "qelt/recordset.h"

namespace qelt {

// One loaded list template, and the generator of its SQL.
//
// InitData loads the template head (ICListtemplate), its columns
// (ICChatBillTitle) and its join relations (ICTableRelation) through the
// connection component. GetListSQL turns them, together with the condition,
// sort and visible-column collections, into the list's whole SELECT statement
// and rebuilds mListHead. GetWhereSQL and GetSortSQL give the WHERE and ORDER
// BY text of the collections alone.
//
// GetListSQL and GetTemplateInfo leave filters on the record sets; a host
// that reads them afterwards sets its own filter.
class QELT_EXPORT TemplateData {
public:
    TemplateData();
    ~TemplateData();

    RecordsetPtr mRsTemplete;
    RecordsetPtr mRsChatBillTitle;
    RecordsetPtr mRsTableRelation;
    std::shared_ptr<List> mListHead;
    std::string mPrimaryKeySels;
    int32_t mListID = 0;
    int32_t mTemplateID = 0;
    bool mSilence = false;
    bool blVisMoneyInStock = false;
    std::string SysName;
    std::string FilterExt;

    void setListShowStatus(int32_t status) { listShowStatus_ = status; }
    bool ShowFilter() const { return showFilter_; }
    void setShowFilter(bool v) { showFilter_ = v; }
    bool GetListByF7() const { return getListByF7_; }
    void setGetListByF7(bool v) { getListByF7_ = v; }

    // Collections the generators read; a null pointer is an unset collection.
    void setCollectionFilter(std::shared_ptr<Collection<clsFilterElement>> c);
    void setCollectionSort(std::shared_ptr<Collection<clsSortElement>> c);
    void setCollectionHiden(std::shared_ptr<Collection<clsHidenElement>> c);

    // Loads the three record sets for the templates selected by sTplFilter (a
    // condition on ICListtemplate, e.g. "FID in (12)"; empty selects all).
    // Failures are reported in a message box, never raised. Returns false.
    bool InitData(const std::string& sTplFilter);

    // The head row of list mListID as a dictionary (empty when not loaded).
    // Raises Error when InitData never loaded a head record set.
    Dictionary GetTemplateInfo();

    // The list's whole SELECT. sTableAlaise is a comma list of further table
    // aliases whose columns are selected directly; sFieldAlias is a comma-
    // enclosed list of column ids (",12,") whose action is their expression.
    // When vctInfo is given it receives "Select", "ORDER", "Where" and "From".
    // A failure on the way returns the statement as far as it was complete
    // (normally empty) and is never raised.
    std::string GetListSQL(const std::string& sTableAlaise, const std::string& sFieldAlias,
                           Dictionary* vctInfo = nullptr);

    // The WHERE condition of the condition collection, without "WHERE", and
    // the ORDER BY key list of the sort collection, without "ORDER BY".
    // Both rewrite sFieldName of the elements matched to a column.
    std::string GetWhereSQL(const Collection<clsSQLElement>& CollectionSQLElements);
    std::string GetSortSQL(const Collection<clsSQLElement>& CollectionSQLElements);

    // Template notation translators: "=", "*=", "=*" to join keywords and
    // "=", "<>", ">", "<" to operators. Raise Error (-1) for any other sign.
    bool getJoinCondition(const std::string& strLogic, std::string& strJoin);
    bool getLogicOperator(const std::string& strLogic, std::string& strLogicOperator);

    // Whether a condition, sort or visible-column element names the alias.
    bool ColumnNeedAdd(const std::string& ColumnAlias);

    // The WHERE text of the last GetListSQL.
    const std::string& lastWhere() const { return where_; }

private:
    friend struct TemplateDataAccess;

    std::shared_ptr<Collection<clsFilterElement>> filters_;
    std::shared_ptr<Collection<clsSortElement>> sorts_;
    std::shared_ptr<Collection<clsHidenElement>> hidden_;
    std::string where_;
    int32_t listShowStatus_ = 0;
    bool showFilter_ = true;
    bool getListByF7_ = false;
};

}  // namespace qelt
