#include <algorithm>
#include <string>
#include <vector>

#include "host/messages.h"
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
constexpr const char* kByIndex = "FIndex ASC";
constexpr int kLastPass = 50;

constexpr int kFieldWithField = 0;
constexpr int kFieldWithConst = 1;
constexpr int kConstWithField = 2;
constexpr int kConstWithConst = 4;

std::string Hint(const std::string& alias) {
    const std::string a = text::Trim(alias);
    return (a == "v1" || a == "u1") ? std::string(kReadPast) : std::string();
}

std::string PairFilter(const std::string& a, const std::string& b) {
    return "FTableNameAlias=" + text::SqlQuote(a) + " AND FTableNameAlias11=" + text::SqlQuote(b);
}

// Relations that touch a table the list does not need are dropped whole.
void Prune(Recordset& rs, const std::vector<std::string>& needed) {
    rs.moveFirst();
    while (!rs.eof()) {
        const bool keep =
            support::TextInCollection(tpl::FieldText(rs, "FTableNameAlias"), needed) &&
            support::TextInCollection(tpl::FieldText(rs, "FTableNameAlias11"), needed);
        if (keep)
            rs.moveNext();
        else
            rs.deleteCurrent();
    }
}

// The sign of the same relation read from its second table: "a =* b" keeps
// every row of b, as "b *= a" does.
std::string Mirrored(const std::string& logic) {
    return std::string(logic.rbegin(), logic.rend());
}

// Walks the relation rows pair by pair, always taking the first remaining
// row whose pair touches the tables joined so far.
class JoinWalk {
public:
    JoinWalk(TemplateData& owner, Recordset& rs) : owner_(owner), rs_(rs) {}

    std::string run() {
        long position = 0;
        for (int pass = 0;; ++pass) {
            if (rs_.recordCount() == 0) return text();
            // Past the last row every remaining pair has waited since the
            // last join, so no further pass can connect one.
            if (pass > kLastPass || !moveTo(position)) return fail();
            position = joinPair() ? 0 : position + 1;
            rs_.setSort("");
            rs_.setFilter("");
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

    bool moveTo(long position) {
        rs_.moveFirst();
        if (position > 0) rs_.move(position);
        return !rs_.eof();
    }

    std::string fail() {
        host::ShowMessage(kJoinFailed);
        return {};
    }

    std::string text() const {
        std::string s;
        for (const Join& j : joins_) s += j.on + (j.lineBreak ? tpl::kCrLf : "");
        return s;
    }

    // The join that declared `alias`, or kNotJoined.
    int joinOf(const std::string& alias) const {
        for (std::size_t i = 0; i < joined_.size(); ++i)
            if (text::IEquals(joined_[i], alias)) return joinOf_[i];
        return kNotJoined;
    }

    void declare(const std::string& alias) {
        if (joinOf(alias) != kNotJoined) return;
        joined_.push_back(alias);
        joinOf_.push_back(static_cast<int>(joins_.size()) - 1);
    }

    std::string table(const char* nameField, const std::string& alias) const {
        return tpl::FieldText(rs_, nameField) + " " + alias + Hint(alias);
    }

    // False when the pair has to wait for one of its tables to be joined.
    // Every alias is declared once: a pair whose second table is already
    // there brings in its first one, and a pair between two tables already
    // there adds its comparisons to the join of the later one.
    bool joinPair() {
        const std::string a = tpl::FieldText(rs_, "FTableNameAlias");
        const std::string b = tpl::FieldText(rs_, "FTableNameAlias11");
        const std::string logic = tpl::FieldText(rs_, "FLogic");
        std::string join;
        owner_.getJoinCondition(logic, join);
        rs_.setFilter(PairFilter(a, b));
        rs_.setSort(kByIndex);
        const int aJoin = joinOf(a);
        const int bJoin = joinOf(b);
        // The comparisons use up the pair's rows: the table names are read first.
        if (joins_.empty()) {
            const std::string head = table("FTableName", a) + join + table("FTableName11", b) + kOn;
            joins_.push_back({head + comparisons(a, b, false), true});
            declare(a);
            declare(b);
        } else if (aJoin == kNotJoined && bJoin == kNotJoined) {
            return false;
        } else if (bJoin == kNotJoined) {
            const std::string head = join + table("FTableName11", b) + kOn;
            joins_.push_back({head + comparisons(a, b, true), false});
            declare(b);
        } else if (aJoin == kNotJoined) {
            owner_.getJoinCondition(Mirrored(logic), join);
            const std::string head = join + table("FTableName", a) + kOn;
            joins_.push_back({head + comparisons(a, b, false), true});
            declare(a);
        } else if (const std::string more = comparisons(a, b, false); !more.empty()) {
            joins_[std::max(aJoin, bJoin)].on += kAndGroup + more + ")";
        }
        return true;
    }

    std::string comparisons(const std::string& a, const std::string& b, bool secondIsNew) {
        std::string s;
        rs_.moveFirst();
        while (!rs_.eof()) {
            std::string op;
            owner_.getLogicOperator(tpl::FieldText(rs_, "FLogicOperator"), op);
            if (secondIsNew && isPrintCountRelation(a, b))
                s += " " + tpl::FieldText(rs_, "FSubFilter");
            else
                s += comparisonText(a, b, op);
            rs_.deleteCurrent();
        }
        return s;
    }

    // Purchase orders count their prints through a relation whose condition
    // the template gives whole.
    bool isPrintCountRelation(const std::string& a, const std::string& b) const {
        return text::IEquals(a, "v1") && text::IEquals(b, "t562") &&
               text::IEquals(tpl::FieldText(rs_, "FTableName"), "ICPurchase") &&
               text::IEquals(tpl::FieldText(rs_, "FTableName11"), "ICPrintCount");
    }

    std::string constant(const std::string& value) const {
        return tpl::FieldLong(rs_, "FConstType", 1) == 0 ? text::SqlQuote(value) : value;
    }

    std::string comparisonText(const std::string& a, const std::string& b,
                               const std::string& op) const {
        const std::string f1 = tpl::FieldText(rs_, "FFieldName");
        const std::string f2 = tpl::FieldText(rs_, "FFieldName11");
        std::string cmp;
        switch (tpl::FieldLong(rs_, "FIsConst", -1)) {
            case kFieldWithField:
                cmp = a + "." + f1 + op + b + "." + f2;
                break;
            case kFieldWithConst:
                cmp = a + "." + f1 + op + constant(f2);
                break;
            case kConstWithField:
                cmp = b + "." + f2 + op + constant(f1);
                break;
            case kConstWithConst:
                cmp = constant(f1) + op + constant(f2);
                break;
            default:
                return {};
        }
        return " " + tpl::FieldText(rs_, "Fcondition") + " " +
               tpl::FieldText(rs_, "FLeftParentheses") + cmp +
               tpl::FieldText(rs_, "FRightParentheses");
    }

    TemplateData& owner_;
    Recordset& rs_;
    std::vector<Join> joins_;
    // The aliases declared so far, each with the index of its join.
    std::vector<std::string> joined_;
    std::vector<int> joinOf_;
};

}  // namespace

std::string BuildJoins(TemplateData& t, const std::vector<std::string>& neededAliases,
                       bool* unrelated) {
    if (unrelated) *unrelated = false;
    const std::string sql = kRelationQuery + text::Num(t.mTemplateID) + kRelationOrder;
    RecordsetPtr rs =
        host::Create<host::IAppConnection>(host::progid::kAppConnection)->getanyrecordset(sql);
    if (rs) {
        rs->detach();
        Prune(*rs, neededAliases);
    }
    if (!rs || rs->recordCount() == 0) {
        if (unrelated) *unrelated = true;
        return {};
    }
    return JoinWalk(t, *rs).run();
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
