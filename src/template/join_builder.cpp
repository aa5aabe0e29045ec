#include <algorithm>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/messages.h"
#include "platform/recordset_filter.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/template_data.h"
#include "support/collections.h"
#include "template/template_internal.h"

namespace qelt::tpl {

namespace {

constexpr const char* kRelationQuery = "SELECT * FROM ICTableRelation WHERE FTypeID=";
constexpr const char* kRelationOrder =
    " ORDER BY FInterID,FTableNameAlias,FFieldName,FTableNameAlias11,FFieldName11,FIndex";
constexpr const char* kJoinFailed = "组织关联条件时可能出现了特殊情况，关联失败！";
constexpr const char* kReadPast = " WITH (READPAST) ";
constexpr const char* kOn = " ON ";
constexpr const char* kAndGroup = " AND (";
constexpr int kLastPass = 50;

constexpr int kFieldWithField = 0;
constexpr int kFieldWithConst = 1;
constexpr int kConstWithField = 2;
constexpr int kConstWithConst = 4;

std::string Hint(const std::string& alias) {
    const std::string a = text::Trim(alias);
    return (a == "v1" || a == "u1") ? std::string(kReadPast) : std::string();
}

// The fields of ICTableRelation the join builder reads.
enum Field : unsigned {
    kFirst,
    kSecond,
    kTable,
    kTable11,
    kField,
    kField11,
    kLogic,
    kLogicOperator,
    kCondition,
    kLeft,
    kRight,
    kSubFilter,
    kIsConst,
    kConstType,
    kIndex,
    kFields
};
constexpr const char* kFieldNames[kFields] = {
    "FTableNameAlias",  "FTableNameAlias11", "FTableName",
    "FTableName11",     "FFieldName",        "FFieldName11",
    "FLogic",           "FLogicOperator",    "Fcondition",
    "FLeftParentheses", "FRightParentheses", "FSubFilter",
    "FIsConst",         "FConstType",        "FIndex"};

// One row of ICTableRelation, read once: the walk below takes pairs of rows
// many times over. Texts are views into the query result.
struct Relation {
    std::string_view text[kIsConst];
    // A NULL alias equals no alias (as a record-set filter compares), yet
    // reads as empty text where a text is wanted.
    bool firstNull = false;
    bool secondNull = false;
    int32_t isConst = -1;
    int32_t constType = 1;
    Variant index;
};

// The rows of the detached query result. A field the result lacks is
// reported (Error 3265) only where it is read, as reading the set would.
struct Relations {
    RecordsetPtr result;                // holds the texts the rows view
    std::deque<std::string> converted;  // texts of fields that hold no text
    std::vector<Relation> rows;
    unsigned missing = 0;  // bit per Field

    void need(Field f) const {
        if (missing & (1u << f))
            throw Error(err::kItemNotFound, "Recordset",
                        std::string("Item cannot be found in the collection corresponding to the "
                                    "requested name or ordinal: ") +
                            kFieldNames[f]);
    }
    std::string_view text(const Relation& r, Field f) const {
        need(f);
        return r.text[f];
    }
};

Relations ReadRelations(RecordsetPtr result) {
    Relations out;
    out.result = std::move(result);
    Recordset& rs = *out.result;
    std::size_t column[kFields];
    for (unsigned f = 0; f < kFields; ++f) {
        column[f] = tpl::ColumnIndex(rs, kFieldNames[f]);
        if (column[f] == std::string::npos) out.missing |= 1u << f;
    }
    out.rows.reserve(static_cast<std::size_t>(rs.recordCount()));
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        Relation x;
        for (unsigned f = 0; f < kIsConst; ++f) {
            if (column[f] == std::string::npos) continue;
            const Variant& v = rs.value(column[f]);
            if (const std::string* text = v.textIf())
                x.text[f] = *text;
            else if (!v.isNull() && !v.isEmpty())
                x.text[f] = out.converted.emplace_back(tpl::Text(v));
        }
        x.firstNull = column[kFirst] != std::string::npos && rs.value(column[kFirst]).isNull();
        x.secondNull = column[kSecond] != std::string::npos && rs.value(column[kSecond]).isNull();
        if (column[kIsConst] != std::string::npos) x.isConst = tpl::Long(rs, column[kIsConst], -1);
        if (column[kConstType] != std::string::npos)
            x.constType = tpl::Long(rs, column[kConstType], 1);
        if (column[kIndex] != std::string::npos) x.index = rs.value(column[kIndex]);
        out.rows.push_back(std::move(x));
    }
    return out;
}

// Relations that touch a table the list does not need are dropped whole.
void Prune(Relations& relations, const std::vector<std::string>& needed) {
    if (relations.rows.empty()) return;
    relations.need(kFirst);
    relations.need(kSecond);
    const auto isNeeded = [&](std::string_view alias) {
        for (const std::string& n : needed)
            if (text::IEquals(n, alias)) return true;
        return false;
    };
    std::erase_if(relations.rows, [&](const Relation& r) {
        return !isNeeded(r.text[kFirst]) || !isNeeded(r.text[kSecond]);
    });
}

// The sign of the same relation read from its second table: "a =* b" keeps
// every row of b, as "b *= a" does.
std::string Mirrored(const std::string& logic) {
    return std::string(logic.rbegin(), logic.rend());
}

[[noreturn]] void ThrowNoRow() {
    throw Error(err::kNoCurrentRecord, "Recordset",
                "Either BOF or EOF is True, or the current record has been deleted. Requested "
                "operation requires a current record.");
}

// Walks the relation rows pair by pair, always taking the first remaining
// row whose pair touches the tables joined so far.
class JoinWalk {
public:
    JoinWalk(TemplateData& owner, Relations relations) : owner_(owner), rel_(std::move(relations)) {
        live_.resize(rel_.rows.size());
        pairOf_.resize(rel_.rows.size(), kNoPair);
        for (std::size_t i = 0; i < live_.size(); ++i) {
            live_[i] = i;
            const Relation& r = rel_.rows[i];
            // A NULL alias is in no pair: a filter on aliases never finds it.
            if (!r.firstNull && !r.secondNull)
                pairOf_[i] =
                    pairIds_.emplace(PairKey(r.text[kFirst], r.text[kSecond]), pairIds_.size())
                        .first->second;
        }
    }

    std::string run() {
        std::size_t position = 0;
        for (int pass = 0;; ++pass) {
            if (live_.empty()) return text();
            // Past the last row every remaining pair has waited since the
            // last join, so no further pass can connect one.
            if (pass > kLastPass || position >= live_.size()) return fail();
            position = joinPair(position) ? 0 : position + 1;
        }
    }

private:
    // One JOIN of the FROM text (the first also names the first table). A
    // line break follows the first one and one that brought in the first
    // table of its pair.
    struct Join {
        std::string on;
        bool lineBreak;
    };
    static constexpr int kNotJoined = -1;

    std::string fail() {
        host::ShowMessage(kJoinFailed);
        return {};
    }

    std::string text() const {
        std::string s;
        for (const Join& j : joins_) {
            s += j.on;
            if (j.lineBreak) s += tpl::kCrLf;
        }
        return s;
    }

    // Both aliases of a pair, upper-cased: rows whose aliases are equal
    // ignoring case are one pair.
    static std::string PairKey(std::string_view a, std::string_view b) {
        std::string key = text::ToUpper(a);
        key.push_back('\0');
        key.append(text::ToUpper(b));
        return key;
    }

    // The join that declared `alias`, or kNotJoined.
    int joinOf(const std::string& alias) const {
        const auto it = joined_.find(text::ToUpper(alias));
        return it == joined_.end() ? kNotJoined : it->second;
    }

    void declare(const std::string& alias) {
        joined_.emplace(text::ToUpper(alias), static_cast<int>(joins_.size()) - 1);
    }

    // The rows of the pair (a, b), as a filter on both aliases finds them,
    // in FIndex order.
    std::vector<std::size_t> pairRows(const std::string& a, const std::string& b) const {
        std::vector<std::size_t> pair;
        const auto id = pairIds_.find(PairKey(a, b));
        if (id != pairIds_.end())
            for (std::size_t i : live_)
                if (pairOf_[i] == id->second) pair.push_back(i);
        rel_.need(kIndex);
        if (pair.size() > 1)
            std::stable_sort(pair.begin(), pair.end(), [&](std::size_t x, std::size_t y) {
                return detail::CompareForSort(rel_.rows[x].index, rel_.rows[y].index) < 0;
            });
        return pair;
    }

    // "Table alias" + hint, from the first row of the pair.
    std::string table(const std::vector<std::size_t>& pair, bool second,
                      const std::string& alias) const {
        if (pair.empty()) ThrowNoRow();
        std::string out(rel_.text(rel_.rows[pair.front()], second ? kTable11 : kTable));
        out.append(" ").append(alias).append(Hint(alias));
        return out;
    }

    // False when the pair has to wait for one of its tables to be joined.
    // Every alias is declared once: a pair whose second table is already
    // there brings in its first one, and a pair between two tables already
    // there adds its comparisons to the join of the later one.
    bool joinPair(std::size_t position) {
        const Relation& current = rel_.rows[live_[position]];
        const std::string a(current.text[kFirst]);
        const std::string b(current.text[kSecond]);
        const std::string logic(rel_.text(current, kLogic));
        std::string join;
        owner_.getJoinCondition(logic, join);
        const std::vector<std::size_t> pair = pairRows(a, b);
        const int aJoin = joinOf(a);
        const int bJoin = joinOf(b);
        // The comparisons use up the pair's rows: the table names are read first.
        if (joins_.empty()) {
            const std::string head = table(pair, false, a) + join + table(pair, true, b) + kOn;
            joins_.push_back({head + comparisons(pair, a, b, false), true});
            declare(a);
            declare(b);
        } else if (aJoin == kNotJoined && bJoin == kNotJoined) {
            return false;
        } else if (bJoin == kNotJoined) {
            const std::string head = join + table(pair, true, b) + kOn;
            joins_.push_back({head + comparisons(pair, a, b, true), false});
            declare(b);
        } else if (aJoin == kNotJoined) {
            owner_.getJoinCondition(Mirrored(logic), join);
            const std::string head = join + table(pair, false, a) + kOn;
            joins_.push_back({head + comparisons(pair, a, b, false), true});
            declare(a);
        } else if (const std::string more = comparisons(pair, a, b, false); !more.empty()) {
            joins_[std::max(aJoin, bJoin)].on += kAndGroup + more + ")";
        }
        return true;
    }

    // The comparisons of the pair's rows, which are used up.
    std::string comparisons(const std::vector<std::size_t>& pair, const std::string& a,
                            const std::string& b, bool secondIsNew) {
        std::string s;
        std::string op;
        for (std::size_t i : pair) {
            const Relation& r = rel_.rows[i];
            owner_.getLogicOperator(std::string(rel_.text(r, kLogicOperator)), op);
            if (secondIsNew && isPrintCountRelation(r, a, b))
                s.append(" ").append(rel_.text(r, kSubFilter));
            else
                appendComparison(s, r, a, b, op);
        }
        std::erase_if(live_, [&](std::size_t i) {
            return std::find(pair.begin(), pair.end(), i) != pair.end();
        });
        return s;
    }

    // Purchase orders count their prints through a relation whose condition
    // the template gives whole.
    bool isPrintCountRelation(const Relation& r, const std::string& a, const std::string& b) const {
        return text::IEquals(a, "v1") && text::IEquals(b, "t562") &&
               text::IEquals(rel_.text(r, kTable), "ICPurchase") &&
               text::IEquals(rel_.text(r, kTable11), "ICPrintCount");
    }

    void appendConstant(std::string& s, const Relation& r, std::string_view value) const {
        rel_.need(kConstType);
        if (r.constType == 0)
            s.append(text::SqlQuote(value));
        else
            s.append(value);
    }

    // " " + connective + " " + parentheses around the comparison the row's
    // FIsConst describes; nothing at all for any other FIsConst.
    void appendComparison(std::string& s, const Relation& r, const std::string& a,
                          const std::string& b, const std::string& op) const {
        const std::string_view f1 = rel_.text(r, kField);
        const std::string_view f2 = rel_.text(r, kField11);
        rel_.need(kIsConst);
        if (r.isConst != kFieldWithField && r.isConst != kFieldWithConst &&
            r.isConst != kConstWithField && r.isConst != kConstWithConst)
            return;
        s.append(" ").append(rel_.text(r, kCondition)).append(" ").append(rel_.text(r, kLeft));
        switch (r.isConst) {
            case kFieldWithField:
                s.append(a).append(".").append(f1).append(op).append(b).append(".").append(f2);
                break;
            case kFieldWithConst:
                s.append(a).append(".").append(f1).append(op);
                appendConstant(s, r, f2);
                break;
            case kConstWithField:
                s.append(b).append(".").append(f2).append(op);
                appendConstant(s, r, f1);
                break;
            default:
                appendConstant(s, r, f1);
                s.append(op);
                appendConstant(s, r, f2);
                break;
        }
        s.append(rel_.text(r, kRight));
    }

    TemplateData& owner_;
    const Relations rel_;
    // The rows not used up yet, in the query's order.
    std::vector<std::size_t> live_;
    std::vector<Join> joins_;
    // The aliases declared so far (upper-cased), each with the index of its join.
    std::unordered_map<std::string, int> joined_;
    static constexpr std::size_t kNoPair = static_cast<std::size_t>(-1);
    std::unordered_map<std::string, std::size_t> pairIds_;
    std::vector<std::size_t> pairOf_;  // per row
};

}  // namespace

std::string BuildJoins(TemplateData& t, const std::vector<std::string>& neededAliases,
                       bool* unrelated) {
    if (unrelated) *unrelated = false;
    const std::string sql = kRelationQuery + text::Num(t.mTemplateID) + kRelationOrder;
    Relations relations;
    {
        // Read and dropped at once: no result outlives the statement it answers.
        RecordsetPtr rs =
            host::Create<host::IAppConnection>(host::progid::kAppConnection)->getanyrecordset(sql);
        if (rs) {
            rs->detach();
            relations = ReadRelations(std::move(rs));
        }
    }
    Prune(relations, neededAliases);
    if (relations.rows.empty()) {
        if (unrelated) *unrelated = true;
        return {};
    }
    return JoinWalk(t, std::move(relations)).run();
}

std::string SingleTableFrom(const TemplateData& t, const std::string& alias) {
    const std::string type = TypeFilter(t.mTemplateID);
    const std::string quoted = text::SqlQuote(alias);
    std::string table;
    if (t.mRsTableRelation) {
        RecordsetPtr rel = t.mRsTableRelation->clone();
        rel->setFilter(type + " AND FTableNameAlias=" + quoted);
        if (!rel->eof()) table = FieldText(*rel, "FTableName");
        if (table.empty()) {
            rel->setFilter(type + " AND FTableNameAlias11=" + quoted);
            if (!rel->eof()) table = FieldText(*rel, "FTableName11");
        }
    }
    if (table.empty() && t.mRsChatBillTitle) {
        RecordsetPtr columns = t.mRsChatBillTitle->clone();
        columns->setFilter(type + " AND FTableAlias=" + quoted);
        for (; !columns->eof() && table.empty(); columns->moveNext())
            table = FieldText(*columns, "FTableName");
    }
    if (text::IsBlank(table)) return {};
    return table + " " + alias + Hint(alias);
}

}  // namespace qelt::tpl
