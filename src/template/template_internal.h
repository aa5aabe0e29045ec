#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "qelt/dictionary.h"
#include "qelt/records.h"
#include "qelt/recordset.h"
#include "qelt/template_data.h"
#include "qelt/variant.h"

// The steps of the TemplateData generators, reachable by the library and its
// tests.
namespace qelt::tpl {

inline constexpr const char* kCrLf = "\r\n";
inline constexpr const char* kErrorSource = "QeltSqlWhere2.TemplateData";

// Template columns may hold NULL; the generators read NULL as empty text or
// as the given number rather than failing the whole list.
std::string Text(const Variant& v);
int32_t Long(const Variant& v, int32_t fallback = 0);
double Dbl(const Variant& v, double fallback = 0.0);
std::string FieldText(const Recordset& rs, const std::string& name);
int32_t FieldLong(const Recordset& rs, const std::string& name, int32_t fallback = 0);

// Template fields read by position: the generators read a dozen fields of
// every template row, and a column looked up once per call spares a name
// search per read. A column the set lacks is npos, which a read reports as
// a read by name would (Error 3265).
std::size_t ColumnIndex(const Recordset& rs, const char* name);
std::string Text(const Recordset& rs, std::size_t column);
// The value as Text gives it, without a copy when it holds text (else
// converted into `scratch`). Valid until the value or `scratch` changes.
std::string_view TextView(const Variant& v, std::string& scratch);
std::string_view TextView(const Recordset& rs, std::size_t column, std::string& scratch);
int32_t Long(const Recordset& rs, std::size_t column, int32_t fallback = 0);

// The current row of a set, read by column positions.
class CurrentRow {
public:
    explicit CurrentRow(const Recordset& rs) : rs_(&rs), row_(rs.currentRow()) {}
    // A column the set lacks raises as a read of it would.
    const Variant& operator[](std::size_t column) const {
        return column < row_.size() ? row_[column] : rs_->value(column);
    }

private:
    const Recordset* rs_;
    std::span<const Variant> row_;
};

// The record-set filter on the rows of one template: "FTypeID=" + id.
std::string TypeFilter(int32_t templateId);

// Adds `alias` unless it is present ignoring case.
void AddAlias(std::vector<std::string>& aliases, const std::string& alias);

void AddSqlElement(Collection<clsSQLElement>& elements, std::string fieldName,
                   std::string fieldAlias);

// What a TemplateData keeps besides its public members.
struct TemplateState {
    std::shared_ptr<Collection<clsFilterElement>> filters;
    std::shared_ptr<Collection<clsSortElement>> sorts;
    std::shared_ptr<Collection<clsHidenElement>> hidden;
    std::string where;
    int32_t listShowStatus = 0;
    bool showFilter = true;
    bool getListByF7 = false;
};

struct ListHeadColumn {
    std::string caption;
    std::string typeCode;
    std::string alias;
    int16_t visible = 0;
    int32_t userWidth = 0;
    std::string logicAction;
    int32_t interId = 0;
    int32_t index = 0;
    bool mergeable = false;
    int16_t isPrimary = 0;
    bool needCount = false;
    bool userVisible = true;
    std::string srcSql;
    std::string srcFieldName;
    std::string srcFieldKey;
    std::string srcTableName;
    std::string extFilter;
};

// The look-up texts of a base-data column.
struct BaseDataLookup {
    std::string sql;
    std::string fieldName;
    std::string fieldKey;
    std::string tableName;
    std::string extFilter;
};

// The condition, sort and visible-column elements by alias (upper-cased):
// whether any names it, and the first visible-column element that does.
// Built once per GetListSQL, so that a wide list does not search every
// collection for every column.
struct AliasUses {
    struct Use {
        bool named = false;
        const clsHidenElement* firstHidden = nullptr;
    };

    explicit AliasUses(const TemplateState& state);
    const Use* find(std::string_view alias) const;

private:
    // The aliases (views into the elements, which the state holds for the
    // call) in the order first met; many of them are also indexed by hash.
    struct Entry {
        std::string_view alias;
        Use use;
    };
    Use& use(std::string_view alias);
    std::size_t slot(std::string_view alias) const;
    std::vector<Entry> entries_;
    std::vector<std::size_t> table_;  // entry + 1 per slot, 0 for a free one
};

// A relation row of the template as the base-data look-ups read it; the
// texts are views into the relation rows (or into ListBuild's own texts).
struct RelationRow {
    std::string_view first, second;  // FTableNameAlias, FTableNameAlias11
    bool firstNull = false;
    bool secondNull = false;
    std::string_view table, table11, field, field11;
};

// Working state of one GetListSQL call.
struct ListBuild {
    int32_t maxRows = 5000;
    int32_t startBranchSale = 1;
    int32_t showRelationSign = 1;
    // Unset when the session carries no usable "UserID".
    std::optional<int16_t> userId;
    std::string sFieldAlias;
    std::string columns;
    // Comma list of the aliases whose columns are selected directly, and
    // its upper-cased copy that searches ignoring case run on.
    std::string mandatory;
    std::string mandatoryUpper;
    std::vector<std::string> needed;
    // The needed aliases upper-cased, for the "already there" test.
    std::unordered_set<std::string> neededUpper;
    Collection<clsSQLElement> elements;
    std::string key1;
    std::string key2;
    // An own cursor over mRsTableRelation for the base-data look-ups, and
    // its rows, read on the first look-up: every base-data column searches
    // them by alias.
    RecordsetPtr relations;
    const std::vector<RelationRow>& relationRows();
    std::vector<RelationRow> relationRowsCache;
    std::deque<std::string> relationTexts;
    bool relationRowsRead = false;

    // Adds an alias to the needed ones unless it is there ignoring case.
    void addNeeded(std::string_view alias);
    void appendMandatory(std::string_view text);
    // Whether `text` occurs in the mandatory aliases ignoring case.
    bool inMandatory(std::string_view text) const;
};

// The whole SELECT of the list (see TemplateData::GetListSQL); raises on the
// way, the caller swallows.
std::string ListSql(TemplateData& t, TemplateState& state, const std::string& sTableAlaise,
                    const std::string& sFieldAlias, Dictionary* vctInfo);

// The FROM text joining the needed aliases, from ICTableRelation of
// t.mTemplateID; empty when nothing is to be joined or the joins cannot be
// organised (a message box says so). `unrelated`, when given, is set to
// whether no relation pair of two needed tables exists. Raises Error for an
// illegal join or comparison sign.
std::string BuildJoins(TemplateData& t, const std::vector<std::string>& neededAliases,
                       bool* unrelated = nullptr);
// "Table alias" + hint of one table, the name found in the template's
// relation rows, else its column rows; empty when the template does not name
// the alias.
std::string SingleTableFrom(const TemplateData& t, const std::string& alias);

// The key column that stands in for a column of a table that is not joined,
// with the look-up statement the host resolves per row; empty when the
// template relates no table to the column's table. Reads the current row of
// t.mRsChatBillTitle.
std::string BaseDataColumn(const TemplateData& t, ListBuild& build, BaseDataLookup& lookup);

// Data permissions. The checks answer false when their query fails.
bool IsAdministrator(int32_t userId);
bool GroupCheckOn();
// Empty variant when aliasText is not empty.
Variant GroupCondition(const std::string& aliasText, int32_t userId);
// The restriction GetListSQL appends to its WHERE text, or empty. Raises
// Error when the restriction applies and the session has no user id.
std::string PermissionFilter(int32_t templateId, const std::optional<int16_t>& userId);

// List head: dColWidth of the column's first visible-column element (the
// first whose alias equals the column's ignoring case), with its lIndex in
// `index` and 1 in `visible`; 0 and both out-values untouched when there
// is none.
double ColumnWidthAndPosition(const clsHidenElement* first, int32_t& index, int32_t& visible);
// Appends one entry to `head` (taking the column's texts); its FColWidth
// and FColAlign come from that element (both empty without one).
void AddListHead(List& head, ListHeadColumn&& column, const clsHidenElement* first);

}  // namespace qelt::tpl

struct qelt::TemplateData::Impl : qelt::tpl::TemplateState {};
