#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "common/host_fake.h"
#include "common/template_rows.h"
#include "host/default_components.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/host/session.h"
#include "support/language.h"
#include "support/shared_settings.h"
#include "template/template_internal.h"

namespace qelt::testing {
namespace {

// One list-head entry as "key=value:type|..." so that one assertion checks
// every key, its order, its value and its value type.
std::string DumpEntry(const Dictionary& d) {
    static const char* const kTypes[] = {"empty",  "null", "bool", "int16", "int32",
                                         "double", "text", "date", "object"};
    std::string out;
    for (const auto& [key, v] : d)
        out += (out.empty() ? "" : "|") + key + "=" + v.toString("") + ":" +
               kTypes[static_cast<int>(v.type())];
    return out;
}

// A text with each CR LF shown as "<CRLF>".
std::string Crlf(const std::string& s) {
    return std::regex_replace(s, std::regex("\r\n"), "<CRLF>");
}

class ListSql : public TemplateTest {
public:
    void SetUp() override {
        addBillList(7);
        addColumn(7, "1 v1.FBillNo AS FBillNo | FMode=1, FIsPrimary=1, FColCaption='单据号'");
        addColumn(7, "2 v1.FDate AS FDate | FMode=1, FColType=0");
        addColumn(7, "3 u1.FQty AS FQty | FColType=2");
        addColumn(7, "4 u1.FAmount AS FAmount | FMode=1, FColType=5");
    }

    // The statement on one line, CR LF shown as "<CRLF>" and its end marked,
    // then one line per head entry.
    std::string dump(const std::string& statement) const {
        std::string out = Crlf(statement) + "<END>\n";
        for (std::size_t i = 0; t.mListHead && i < t.mListHead->size(); ++i)
            out += DumpEntry(*t.mListHead->at(i)) + "\n";
        return out;
    }
};

// The golden transcripts (tests/template/golden/NAME.test) run on the bill
// list 7 of the fixture. Commands, several a line separated by " && " (after
// "table && " all their output on one line, " | " between):
//   list FID TEMPLATE MASTER | column TEMPLATE ROW | relation TEMPLATE ROW
//   exec SQL | option KEY VALUE | condition ALIAS CODE VALUE | sort ALIAS DIR
//   visible ALIAS INDEX WIDTH [WIDTHTEXT ALIGN] | filterext TEXT | voucher | templatelayout
//   liststatus N | money (blVisMoneyInStock)
//   unanswered [TABLE]: a recording connection, answering the table's
//   statements with nothing | load [FILTER]: a template object loaded through
//   it (tries: only how many statements it made) | language CODE | chain N: the end of the joins of
//   N chained pairs props TEXT (the session's) | billlist TEMPLATE | where TEMPLATE cond ALIAS CODE
//   VALUE ANDOR LEFT RIGHT | key ALIAS TYPE | sqlcolumn NAME ALIAS ("-" empty, "_" a blank) |
//   wheresql | sortsql: the texts for those elements and columns, then the elements' field names;
//   the elements go joins ALIAS...: the FROM text of template 7 for the aliases needed ("_" a
//   blank) build TEMPLATE [ALIASES]: prints the statement and head dump; columns TEMPLATE
//   [ALIASES]: the statement on one line and the head's columns; rebuild: so for the loaded
//   templates, without loading them again.
class ListSqlGolden : public ListSql, public ::testing::WithParamInterface<std::string> {
protected:
    std::string run(const std::string& line) {
        if (line.rfind("table && ", 0) == 0) {
            const std::string rows = run(line.substr(9));
            return std::regex_replace(rows, std::regex("\n"), " | ");
        }
        if (const auto at = line.find(" && "); at != std::string::npos) {
            const std::string first = run(line.substr(0, at)), then = run(line.substr(at + 4));
            return first + (first.empty() || then.empty() ? "" : "\n") + then;
        }
        const std::size_t blank = line.find(' ');
        const std::string cmd = line.substr(0, blank);
        const std::string args = blank == std::string::npos ? "" : line.substr(blank + 1);
        std::vector<std::string> w;
        std::istringstream words(args);
        for (std::string word; words >> word;) w.push_back(word);
        const std::vector<std::string> named = w;
        w.resize(std::max<std::size_t>(w.size(), 6));
        // What follows the first word, and the first two.
        const std::string rest1 = args.substr(std::min(args.size(), w[0].size() + 1));
        const std::string rest2 = rest1.substr(std::min(rest1.size(), w[1].size() + 1));
        if (cmd == "list")
            addList(std::stoi(w[0]), std::stoi(w[1]), rest2);
        else if (cmd == "column")
            addColumn(std::stoi(w[0]), rest1);
        else if (cmd == "relation")
            addRelation(std::stoi(w[0]), rest1);
        else if (cmd == "exec")
            db.exec(args);
        else if (cmd == "option")
            setOption(w[0], rest1);
        else if (cmd == "condition")
            filters->push_back(Cond(w[0], w[1], rest2));
        else if (cmd == "sort")
            sorts->push_back(Key(w[0], " " + w[1] + " "));
        else if (cmd == "visible")
            visible->push_back(Visible(w[0], std::stoi(w[1]), std::stod(w[2]), w[3], w[4]));
        else if (cmd == "filterext")
            t.FilterExt = args;
        else if (cmd == "voucher")
            support::Shared().IsMakeVoucher = true;
        else if (cmd == "templatelayout")
            t.setShowFilter(false);
        else if (cmd == "liststatus")
            t.setListShowStatus(std::stoi(w[0]));
        else if (cmd == "money")
            t.blVisMoneyInStock = true;
        else if (cmd == "load" || cmd == "tries") {
            // A new template object loading through the recording connection.
            if (!connection) run("unanswered");
            TemplateData fresh;
            fresh.InitData(args);
            std::erase(connection->calls, "AppConnection.new");
            const std::size_t statements = connection->calls.size();
            std::string out = cmd == "tries"
                                  ? std::to_string(statements) + " statements"
                                  : std::regex_replace(connection->take(), std::regex("; "), "\n");
            connection->calls.clear();
            out += "\nset " + std::to_string(!!fresh.mRsTemplete) +
                   std::to_string(!!fresh.mRsChatBillTitle) +
                   std::to_string(!!fresh.mRsTableRelation) + messages();
            if (fresh.mRsTemplete && !fresh.mRsTemplete->eof())
                out += " " + fresh.mRsTemplete->value("FName").toString();
            return out;
        } else if (cmd == "unanswered") {
            connection = HostFake::Install({"AppConnection"});
            connection->query = [table = args](const std::string& sql) -> RecordsetPtr {
                if (!table.empty() && sql.find(table) != std::string::npos) return nullptr;
                return std::dynamic_pointer_cast<host::IAppConnection>(
                           host::defaults::NewAppConnection())
                    ->getanyrecordset(sql);
            };
        } else if (cmd == "chain") {
            // Relations v1 - t1 - ... - tN, each pair needing one more pass.
            db.exec("DELETE FROM ICTableRelation");
            std::vector<std::string> needed{"v1"};
            for (int i = 1; i <= std::stoi(w[0]); ++i) {
                needed.push_back("t" + std::to_string(i));
                addRelation(7, "T " + needed[i - 1] + ".FID = T " + needed[i] + ".FID");
            }
            t.mTemplateID = 7;
            const std::string from = tpl::BuildJoins(t, needed);
            return "..." + from.substr(std::max<std::size_t>(from.size(), 40) - 40) + messages();
        } else if (cmd == "props")
            host::SetSharedProperty(host::kPropsStringProperty, args);
        else if (cmd == "billlist") {
            addBillList(std::stoi(w[0]));
            addColumn(std::stoi(w[0]), "1 v1.FBillNo AS FBillNo | FMode=1");
        } else if (cmd == "where") {
            if (listSql(std::stoi(w[0])).empty()) return "no statement" + messages();
            const std::string where = info.at("Where").toString();
            return Crlf(where + (t.lastWhere() == where ? "" : " | last " + t.lastWhere())) +
                   messages();
        } else if (cmd == "language")
            support::SetLanguageCode(args);
        else if (cmd == "joins") {
            t.mTemplateID = 7;
            std::vector<std::string> needed = named;
            for (auto& n : needed) std::replace(n.begin(), n.end(), '_', ' ');
            return Crlf(tpl::BuildJoins(t, needed)) + messages();
        } else if (cmd == "cond" || cmd == "key" || cmd == "sqlcolumn") {
            for (auto& x : w) x = x == "-" ? "" : (std::replace(x.begin(), x.end(), '_', ' '), x);
            if (cmd == "cond") filters->push_back(Cond(w[0], w[1], w[2], w[3], w[4], w[5]));
            if (cmd == "key") sorts->push_back(Key(w[0], w[1]));
            if (cmd == "sqlcolumn") {
                sqlColumns.push_back(std::make_shared<clsSQLElement>());
                sqlColumns.back()->sFieldName = w[0];
                sqlColumns.back()->sFieldAlias = w[1];
            }
        } else if (cmd == "wheresql" || cmd == "sortsql") {
            t.setCollectionFilter(filters);
            t.setCollectionSort(sorts);
            std::string out =
                "[" + (cmd == "wheresql" ? t.GetWhereSQL(sqlColumns) : t.GetSortSQL(sqlColumns)) +
                "]";
            for (const auto& f : *filters) out += " " + f->sFieldName;
            for (const auto& k : *sorts) out += " " + k->sFieldName;
            filters->clear();
            sorts->clear();
            return out;
        } else if (cmd == "build" || cmd == "columns" || cmd == "rebuild") {
            t.setCollectionFilter(filters);
            t.setCollectionSort(sorts);
            t.setCollectionHiden(visible);
            const std::string sql =
                cmd == "rebuild" ? t.GetListSQL("", ",8,", &info) : listSql(std::stoi(w[0]), w[1]);
            if (cmd == "build") return dump(sql);
            return Crlf(sql) + "\nhead " + head() + messages();
        } else
            return "unknown command";
        return "";
    }
    std::shared_ptr<HostFake> connection;  // recording, when installed by "unanswered"
    Collection<clsSQLElement> sqlColumns;
    std::shared_ptr<Collection<clsFilterElement>> filters = Coll<clsFilterElement>({});
    std::shared_ptr<Collection<clsSortElement>> sorts = Coll<clsSortElement>({});
    std::shared_ptr<Collection<clsHidenElement>> visible = Coll<clsHidenElement>({});
};

TEST_P(ListSqlGolden, StatementAndHeadMatchTheTranscript) {
    ExpectTranscript(GoldenDir("template/golden") + GetParam() + ".test",
                     [this](const std::string& line) { return run(line); });
}

INSTANTIATE_TEST_SUITE_P(Cases, ListSqlGolden, ::testing::ValuesIn(Transcripts("template/golden")),
                         [](const auto& info) { return info.param; });

TEST_F(ListSql, FailuresGiveAnEmptyStatement) {
    EXPECT_EQ(t.GetListSQL("", "", &info) + std::to_string(info.size()),
              "0");  // nothing loaded
    db.exec("UPDATE ICTableRelation SET FLogic = '=='");
    EXPECT_EQ(listSql() + std::to_string(info.size()) + t.lastWhere(), "0");
}

// Field order and values come straight from the head row of the loading
// query, on every backend.
class TemplateInfo : public ::testing::WithParamInterface<Backend>, public TemplateTest {
protected:
    TemplateInfo() : TemplateTest(GetParam()) {}
};

TEST_P(TemplateInfo, HoldsTheHeadRowOfTheList) {
    addList(1, 7, "v1,u1", "采购订单");
    addList(2, 8, "v1", "Other");
    try {
        t.GetTemplateInfo();
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number, err::kObjectNotSet);
    }
    t.InitData("FID in (1)");
    t.mListID = 1;
    const Dictionary info = t.GetTemplateInfo();
    // The keys are the database's names: PostgreSQL gives them in lower case.
    EXPECT_EQ(std::to_string(info.size()) + text::ToLower(info.keyAt(1)) + "=" +
                  info.at(info.keyAt(1)).toString() + " " + text::ToLower(info.keyAt(22)) + " " +
                  t.mRsTemplete->filter(),
              "23fname=采购订单 fneedstatistic FID=1");
    t.mListID = 2;
    EXPECT_EQ(t.GetTemplateInfo().size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(AllBackends, TemplateInfo, ::testing::ValuesIn(AllBackends()),
                         [](const auto& info) { return BackendName(info.param); });

// A wrong sign in a template is met where the list is built
// (ListSql.FailuresGiveAnEmptyStatement).
TEST(TemplateSigns, KnownSignsTranslateAndOthersRaiseTheTemplateError) {
    TemplateData t;
    std::string s, out;
    for (const char* sign : {"=", "*=", "=*"}) out += t.getJoinCondition(sign, s) ? s : "-";
    for (const char* sign : {"=", "<>", ">", "<"}) out += t.getLogicOperator(sign, s) ? s : "-";
    EXPECT_EQ(out, " INNER JOIN  LEFT OUTER JOIN  RIGHT OUTER JOIN  =  <>  >  < ");
    try {
        t.getLogicOperator(">=", s);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::to_string(e.number) + " " + e.source + " " + e.description,
                  "-1 QeltListServer.clsListSQLBiluder "
                  "序时簿模版表ICTableRelation中出现了非法的FLogic字段值");
    }
}

}  // namespace
}  // namespace qelt::testing
