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

// Walks the relation rows pair by pair, always taking the first remaining
// row whose pair touches the tables joined so far.
class JoinWalk {
public:
    JoinWalk(TemplateData& owner, Recordset& rs) : owner_(owner), rs_(rs) {}

    std::string run() {
        long position = 0;
        for (int pass = 0;; ++pass) {
            if (rs_.recordCount() == 0) return text_;
            // Past the last row every remaining pair has waited since the
            // last join, so no further pass can connect one.
            if (pass > kLastPass || !moveTo(position)) return fail();
            position = joinPair() ? 0 : position + 1;
            rs_.setSort("");
            rs_.setFilter("");
        }
    }

private:
    bool moveTo(long position) {
        rs_.moveFirst();
        if (position > 0) rs_.move(position);
        return !rs_.eof();
    }

    std::string fail() {
        host::ShowMessage(kJoinFailed);
        return {};
    }

    bool joined(const std::string& alias) const {
        return support::TextInCollection(alias, joined_);
    }

    // False when the pair has to wait for one of its tables to be joined.
    bool joinPair() {
        const std::string a = tpl::FieldText(rs_, "FTableNameAlias");
        const std::string b = tpl::FieldText(rs_, "FTableNameAlias11");
        std::string join;
        owner_.getJoinCondition(tpl::FieldText(rs_, "FLogic"), join);
        rs_.setFilter(PairFilter(a, b));
        rs_.setSort(kByIndex);
        const bool aJoined = joined(a);
        const bool bJoined = joined(b);
        if (started_ && !aJoined && !bJoined) return false;
        if (!started_) text_ = tpl::FieldText(rs_, "FTableName") + " " + a + Hint(a);
        text_ += join + tpl::FieldText(rs_, "FTableName11") + " " + b + Hint(b) + kOn;
        writeComparisons(a, b, started_ && aJoined && !bJoined);
        // A line break closes the first pair and any pair that brought in its first table.
        if (!started_ || !aJoined) text_ += tpl::kCrLf;
        started_ = true;
        tpl::AddAlias(joined_, a);
        tpl::AddAlias(joined_, b);
        return true;
    }

    void writeComparisons(const std::string& a, const std::string& b, bool secondIsNew) {
        rs_.moveFirst();
        while (!rs_.eof()) {
            std::string op;
            owner_.getLogicOperator(tpl::FieldText(rs_, "FLogicOperator"), op);
            if (secondIsNew && isPrintCountRelation(a, b))
                text_ += " " + tpl::FieldText(rs_, "FSubFilter");
            else
                text_ += comparisonText(a, b, op);
            rs_.deleteCurrent();
        }
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
    std::string text_;
    std::vector<std::string> joined_;
    bool started_ = false;
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
