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
    TemplateData(const TemplateData&) = delete;
    TemplateData& operator=(const TemplateData&) = delete;

    // The loaded templates: head rows (ICListtemplate), column rows
    // (ICChatBillTitle) and join relations (ICTableRelation). Null until
    // InitData loads them; a host may also assign its own.
    // @{
    RecordsetPtr mRsTemplete;
    RecordsetPtr mRsChatBillTitle;
    RecordsetPtr mRsTableRelation;
    // @}
    // One dictionary per output column of the last GetListSQL, in column order.
    std::shared_ptr<List> mListHead;
    // Kept for hosts; GetListSQL empties it.
    std::string mPrimaryKeySels;
    // The list (FID of ICListtemplate) GetTemplateInfo reads.
    int32_t mListID = 0;
    // The template (FTemplateID) GetListSQL builds.
    int32_t mTemplateID = 0;
    // Kept for hosts; the library reads neither mSilence nor SysName.
    bool mSilence = false;
    // Whether money columns (types 4, 5, 6, 11, 40) are selected; false by default.
    bool blVisMoneyInStock = false;
    // Kept for hosts, as mSilence.
    std::string SysName;
    // An extra condition GetListSQL appends to its WHERE text.
    std::string FilterExt;

    // The list show status of the calling list: with ShowFilter false, a
    // status other than 0 also selects the columns the template shows.
    void setListShowStatus(int32_t status);
    // Whether the filter dialog's visible-column collection decides the
    // columns' width, position and visibility (true, the default) or the
    // template does (false).
    // @{
    bool ShowFilter() const;
    void setShowFilter(bool v);
    // @}
    // Whether the list is asked for by a look-up (F7) window; false by
    // default. Recorded only: no generator reads it.
    // @{
    bool GetListByF7() const;
    void setGetListByF7(bool v);
    // @}

    // The condition, sort and visible-column collections the generators
    // read, shared with the caller (a change made through the caller's
    // pointer is seen here). A null pointer is an unset collection: no
    // condition, no sort key, no visible-column settings.
    // @{
    void setCollectionFilter(std::shared_ptr<Collection<clsFilterElement>> c);
    void setCollectionSort(std::shared_ptr<Collection<clsSortElement>> c);
    void setCollectionHiden(std::shared_ptr<Collection<clsHidenElement>> c);
    // @}

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
    // When no two needed tables are related (a list of the main table alone),
    // the FROM text is the main table with its alias and hint, as the first
    // table of a joined list is written: "ICStockBill v1 WITH (READPAST)".
    // A failure on the way returns the statement as far as it was complete
    // (normally empty) and is never raised; the join builder's own message
    // box ("organising the joins failed") leaves the FROM text empty.
    std::string GetListSQL(const std::string& sTableAlaise, const std::string& sFieldAlias,
                           Dictionary* vctInfo = nullptr);

    // The WHERE condition of the condition collection, without "WHERE", and
    // the ORDER BY key list of the sort collection, without "ORDER BY";
    // empty when the collection is unset or yields nothing. Both rewrite
    // sFieldName of the elements whose alias matches a column of
    // CollectionSQLElements (ignoring case; the last match wins). A sort key
    // whose expression is a bare number is left out, since ORDER BY would
    // read it as a column position.
    // @{
    std::string GetWhereSQL(const Collection<clsSQLElement>& CollectionSQLElements);
    std::string GetSortSQL(const Collection<clsSQLElement>& CollectionSQLElements);
    // @}

    // Template notation translators: "=", "*=", "=*" to " INNER JOIN ",
    // " LEFT OUTER JOIN ", " RIGHT OUTER JOIN ", and "=", "<>", ">", "<" to
    // the operator between blanks (" = "). Return true with the translation
    // in the second argument; raise Error (-1) for any other sign, leaving it
    // as it was.
    // @{
    bool getJoinCondition(const std::string& strLogic, std::string& strJoin);
    bool getLogicOperator(const std::string& strLogic, std::string& strLogicOperator);
    // @}

    // Whether a condition, sort or visible-column element names the alias.
    bool ColumnNeedAdd(const std::string& ColumnAlias);

    // The WHERE text of the last GetListSQL that completed; empty before.
    const std::string& lastWhere() const;

private:
    // The collections, the call settings and the last WHERE text.
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qelt
