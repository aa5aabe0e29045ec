#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/template_data.h"
#include "support/collections.h"
#include "template/template_internal.h"

namespace qelt {

namespace {

constexpr const char* kSignErrorSource = "QeltListServer.clsListSQLBiluder";
constexpr const char* kSignErrorText = "序时簿模版表ICTableRelation中出现了非法的FLogic字段值";

constexpr const char* kIsNull = " IS NULL OR ";
constexpr const char* kEmptyText = "='')";
constexpr const char* kNot = " NOT (";
constexpr const char* kLike = " LIKE ";
constexpr const char* kNotLike = " NOT LIKE ";

struct Sign {
    const char* sign;
    const char* text;
};

constexpr Sign kComparisons[] = {
    {"1", " = "}, {"2", " <> "}, {"3", "  > "}, {"4", " >= "}, {"5", " <  "}, {"6", " <= "},
};
constexpr Sign kJoins[] = {
    {"=", " INNER JOIN "}, {"*=", " LEFT OUTER JOIN "}, {"=*", " RIGHT OUTER JOIN "}};
constexpr Sign kOperators[] = {{"=", " = "}, {"<>", " <> "}, {">", " > "}, {"<", " < "}};

template <std::size_t N>
const char* Lookup(const Sign (&table)[N], const std::string& sign) {
    for (const auto& s : table)
        if (text::IEquals(sign, s.sign)) return s.text;
    return nullptr;
}

// Columns by alias (trimmed, ignoring case), the last of an alias winning:
// an open-addressing table of views into the columns, built without an
// allocation per column.
class ColumnsByAlias {
public:
    explicit ColumnsByAlias(const Collection<clsSQLElement>& columns) {
        std::size_t size = 16;
        while (size < columns.size() * 2) size *= 2;
        slots_.resize(size);
        for (const auto& c : columns) {
            if (!c) continue;
            const std::string_view alias = text::TrimView(c->sFieldAlias);
            Slot& slot = find(alias);
            slot.alias = alias;
            slot.column = c.get();
        }
    }

    const clsSQLElement* operator[](std::string_view alias) { return find(alias).column; }

private:
    struct Slot {
        std::string_view alias;
        const clsSQLElement* column = nullptr;
    };

    static std::size_t Hash(std::string_view s) {
        std::size_t h = 14695981039346656037ull;  // FNV-1a over the upper-cased bytes
        for (char c : s)
            h = (h ^ static_cast<unsigned char>(text::UpperAscii(c))) * 1099511628211ull;
        return h;
    }

    Slot& find(std::string_view alias) {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = Hash(alias) & mask;; i = (i + 1) & mask)
            if (!slots_[i].column || text::IEquals(slots_[i].alias, alias)) return slots_[i];
    }

    std::vector<Slot> slots_;
};

// Every element whose alias matches a column takes that column's expression;
// the last matching column wins. Many elements against many columns go
// through an index of the columns, a few by a plain search.
template <class T>
void ResolveFieldNames(Collection<T>& elements, const Collection<clsSQLElement>& columns) {
    constexpr std::size_t kSearchesWorthAnIndex = 256;
    if (elements.size() * columns.size() > kSearchesWorthAnIndex) {
        ColumnsByAlias byAlias(columns);
        for (auto& e : elements)
            if (e)
                if (const clsSQLElement* c = byAlias[text::TrimView(e->sFieldAlias)])
                    e->sFieldName = text::Trim(c->sFieldName);
        return;
    }
    std::vector<std::string_view> columnAliases;
    columnAliases.reserve(columns.size());
    for (const auto& c : columns)
        columnAliases.push_back(c ? text::TrimView(c->sFieldAlias) : std::string_view());
    for (auto& e : elements) {
        if (!e) continue;
        const std::string_view alias = text::TrimView(e->sFieldAlias);
        for (std::size_t i = columns.size(); i-- > 0;)
            if (columns[i] && text::IEquals(alias, columnAliases[i])) {
                e->sFieldName = text::Trim(columns[i]->sFieldName);
                break;
            }
    }
}

// "'ab'" becomes "'%ab%'": the producer's quotes are replaced, not doubled.
std::string ContainsPattern(const std::string& value) {
    const std::size_t n = text::CharCount(value);
    const std::string inner = n >= 2 ? text::Mid(value, 1, n - 2) : std::string();
    return "'%" + inner + "%'";
}

std::string Comparison(const clsFilterElement& e) {
    const std::string& f = e.sFieldName;
    const std::string& v = e.sValue;
    const std::string& r = e.sRightParentheses;
    const std::string& code = e.sLogicOperator;
    if (const char* op = Lookup(kComparisons, code))
        return text::IsBlank(v) ? std::string() : f + op + v + r;
    if (code == "7") return "(" + f + kIsNull + f + kEmptyText + r;
    if (code == "8") return kNot + f + kIsNull + f + kEmptyText + r;
    if (code == "9" || code == "10") {
        if (text::IsBlank(v)) return {};
        return f + (code == "9" ? kLike : kNotLike) + ContainsPattern(v) + r;
    }
    return {};
}

// A constant column ("59") as a sort key would be read as a column position.
bool IsBareNumber(const std::string& field) {
    std::string_view f = text::TrimView(field);
    if (!f.empty() && (f.front() == '+' || f.front() == '-')) f = text::TrimView(f.substr(1));
    return !f.empty() &&
           std::all_of(f.begin(), f.end(), [](char c) { return c >= '0' && c <= '9'; });
}

[[noreturn]] void ThrowIllegalSign() {
    throw Error(err::kRuleFailed, kSignErrorSource, kSignErrorText);
}

}  // namespace

std::string TemplateData::GetWhereSQL(const Collection<clsSQLElement>& CollectionSQLElements) {
    if (!impl_->filters) return {};
    ResolveFieldNames(*impl_->filters, CollectionSQLElements);
    std::string w;
    for (const auto& e : *impl_->filters) {
        if (!e) continue;
        w.append(" ").append(e->sAndOr).append(" ").append(e->sLeftParentheses);
        w.append(Comparison(*e));
    }
    return text::IsBlank(w) ? std::string() : " (" + w + ") ";
}

std::string TemplateData::GetSortSQL(const Collection<clsSQLElement>& CollectionSQLElements) {
    if (!impl_->sorts) return {};
    ResolveFieldNames(*impl_->sorts, CollectionSQLElements);
    std::string s;
    for (const auto& e : *impl_->sorts)
        if (e && !IsBareNumber(e->sFieldName)) s += e->sFieldName + e->SortType + ",";
    if (!s.empty() && s.back() == ',') s.pop_back();
    return s;
}

bool TemplateData::getJoinCondition(const std::string& strLogic, std::string& strJoin) {
    const char* join = Lookup(kJoins, strLogic);
    if (!join) ThrowIllegalSign();
    strJoin = join;
    return true;
}

bool TemplateData::getLogicOperator(const std::string& strLogic, std::string& strLogicOperator) {
    const char* op = Lookup(kOperators, strLogic);
    if (!op) ThrowIllegalSign();
    strLogicOperator = op;
    return true;
}

bool TemplateData::ColumnNeedAdd(const std::string& ColumnAlias) {
    const bool inFilter = support::FieldAliasInCollection(ColumnAlias, impl_->filters);
    const bool inSort = support::FieldAliasInCollection(ColumnAlias, impl_->sorts);
    const bool inHidden = support::FieldAliasInCollection(ColumnAlias, impl_->hidden);
    return inFilter || inSort || inHidden;
}

}  // namespace qelt
