#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "qelt/dictionary.h"
#include "qelt/export.h"
#include "qelt/records.h"
#include "qelt/recordset.h"

namespace qelt {

namespace detail {
struct ListBuild;
struct ListHeadColumn;
struct BaseDataLookup;
}  // namespace detail

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
    // mRsTableRelation holds only the first comparison (FIndex 0) of each pair.
    // A failed query keeps the record set it would have replaced; the first
    // record set still unset is reported in a message box, never raised.
    // Returns false.
    bool InitData(const std::string& sTplFilter);

    // The head row of list mListID as a dictionary (empty when not loaded).
    // Raises Error when InitData never loaded a head record set.
    Dictionary GetTemplateInfo();

    // The list's whole SELECT. sTableAlaise is a comma list of further table
    // aliases whose columns are selected directly; sFieldAlias is a comma-
    // enclosed list of column ids (",12,") whose action is their expression.
    // When vctInfo is given it receives "Select", "ORDER", "Where" and "From".
    // Rebuilds mListHead, clears mPrimaryKeySels, may rewrite FilterExt (a
    // leading "AND" dropped) and leaves filters on the record sets.
    // Where the group restriction applies (option CheckUserGroup on, user not
    // an administrator) the session's "UserID" property must be a 16-bit
    // integer; without one the statement is empty rather than unrestricted.
    // A failure on the way returns the statement as far as it was complete
    // (normally empty) and is never raised; the join builder's own message
    // box ("organising the joins failed") leaves the FROM text empty.
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
    // Working state of one GetListSQL call, one column's list-head values and
    // the look-up texts of a base-data column (src/template/template_internal.h).
    using ListBuild = detail::ListBuild;
    using ListHeadColumn = detail::ListHeadColumn;
    using BaseDataLookup = detail::BaseDataLookup;

    // List head: appends one entry to mListHead.
    void addListHead(const ListHeadColumn& column);
    // FColWidth and FColAlign of the first visible-column element whose alias
    // equals `alias` ignoring case; both empty when there is none.
    void columnWidthAndAlign(const std::string& alias, std::string& width,
                             std::string& align) const;
    // dColWidth of that element, with its lIndex in `index` and 1 in
    // `visible`; 0 and both out-values untouched when there is none.
    double columnWidthAndPosition(const std::string& alias, int32_t& index,
                                  int32_t& visible) const;

    // The FROM text joining the needed aliases, from ICTableRelation of
    // mTemplateID; empty when nothing is to be joined or the joins cannot be
    // organised. Raises Error for an illegal join or comparison sign.
    std::string buildJoins(const std::vector<std::string>& neededAliases);

    // The key column that stands in for a column of a table that is not
    // joined, with the look-up statement the host resolves per row; empty
    // when the template relates no table to the column's table.
    std::string baseDataColumn(ListBuild& build, BaseDataLookup& lookup);

    // Data permissions. The checks return false on any failure.
    bool isAdministrator(int32_t userId);
    bool groupCheckOn();
    // Empty variant when aliasText is not empty.
    Variant groupCondition(const std::string& aliasText, int32_t userId);
    // The restriction GetListSQL appends to its WHERE text, or empty.
    std::string permissionFilter(const ListBuild& build);

    // GetListSQL steps.
    void readListOptions(ListBuild& build) const;
    void collectMandatoryAliases(ListBuild& build, const std::string& sTableAlaise);
    bool columnLeftOut(const ListBuild& build) const;
    bool columnTaken(const ListBuild& build);
    void addColumn(ListBuild& build);
    std::string columnText(ListBuild& build, BaseDataLookup& lookup);
    std::string listWhere(ListBuild& build);
    std::string listOrder(const ListBuild& build);

    std::shared_ptr<Collection<clsFilterElement>> filters_;
    std::shared_ptr<Collection<clsSortElement>> sorts_;
    std::shared_ptr<Collection<clsHidenElement>> hidden_;
    std::string where_;
    int32_t listShowStatus_ = 0;
    bool showFilter_ = true;
    bool getListByF7_ = false;
};

}  // namespace qelt
