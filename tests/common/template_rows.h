#pragma once

// The one builder of template rows for every test directory: lists, columns
// and relations written into a private database by short row texts, the
// list SQL and head of a template, and the messages shown; and the runner of
// golden transcripts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/golden.h"
#include "common/test_env.h"
#include "platform/text.h"
#include "qelt/dictionary.h"
#include "qelt/template_data.h"

namespace qelt::testing {

// A private database holding small list templates, with the messages the
// library shows recorded.
class TemplateTest : public ::testing::Test {
public:
    explicit TemplateTest(Backend backend = Backend::Sqlite3) : db(backend) {}

    void addList(int fid, int tpl, const std::string& master, const std::string& name = "List") {
        insert("ICListtemplate (FID, FName, FName_EN, FTemplateID, FMasterTable)",
               {N(fid), Q(name), Q(name + " EN"), N(tpl), Q(master)});
    }

    // "1 v1.FBillNo AS FBillNo | FMode=1": FInterID, source field and alias of
    // a column; after " | " further columns as SQL assignments.
    void addColumn(int tpl, const std::string& row) {
        std::string id, field, as, colName;
        std::istringstream(row) >> id >> field >> as >> colName;
        insert("ICChatBillTitle (FInterID, FTypeID, FTableAlias, FName, FColName)",
               {id, N(tpl), Alias(field), Field(field), Q(colName)}, row,
               "FTypeID = " + N(tpl) + " AND FInterID = " + id);
    }

    // "TableA v1.FInterID = TableB u1.FInterID | FIndex=1": one comparison, the
    // join sign between its sides. FInterID follows the order of adding.
    void addRelation(int tpl, const std::string& row) {
        std::string table, a, logic, table11, b;
        std::istringstream(row) >> table >> a >> logic >> table11 >> b;
        const std::string id = N(++relations);
        insert(
            "ICTableRelation (FInterID, FTypeID, FTableName, FTableNameAlias, FFieldName,"
            " FLogic, FTableName11, FTableNameAlias11, FFieldName11)",
            {id, N(tpl), Q(table), Alias(a), Field(a), Q(logic), Q(table11), Alias(b), Field(b)},
            row, "FTypeID = " + N(tpl) + " AND FInterID = " + id);
    }

    // "1 FBillNo 1 | FVisible=0": FInterID, alias and type of a column of v1 in
    // template 7,
    // then further columns as SQL assignments.
    void column(const std::string& row) {
        std::istringstream in(row);
        std::string id, alias, type;
        in >> id >> alias >> type;
        const auto bar = row.find(" | ");
        addColumn(7, id + " v1." + alias + " AS " + alias + " | FColType=" + type +
                         ", FColCaption='" + alias + "'" +
                         (bar == std::string::npos ? "" : ", " + row.substr(bar + 3)));
    }
    // A bill list: tables v1 and u1 joined on FInterID, no columns yet.
    void addBillList(int tpl) {
        addList(tpl, tpl, "v1,u1,");
        addRelation(tpl, "ICStockBill v1.FInterID = ICStockBillEntry u1.FInterID");
    }

    // The list SQL of template `tpl`; the action of a column with FInterID 8 is its expression.
    std::string listSql(int tpl = 7, const std::string& tableAliases = "") {
        t.InitData("");
        t.mTemplateID = tpl;
        return t.GetListSQL(tableAliases, ",8,", &info);
    }

    // The values of one key over the list head, each followed by ",".
    std::string head(const char* key = "FColName") const {
        std::string s;
        for (std::size_t i = 0; t.mListHead && i < t.mListHead->size(); ++i)
            s += t.mListHead->at(i)->at(key).toString() + ",";
        return s;
    }

    // The messages shown since the last call, each as "|text|title|icon|buttons".
    std::string messages() {
        std::string s;
        for (const auto& m : recorder.messages)
            s += "|" + m.text + "|" + m.title + "|" + N(m.icon) + "|" + N(m.buttons);
        recorder.messages.clear();
        return s;
    }

    void setOption(const std::string& key, const std::string& value) {
        db.exec("DELETE FROM t_SystemProfile WHERE FCategory = 'IC' AND FKey = " + Q(key) +
                "; INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC'," + Q(key) +
                "," + Q(value) + ")");
    }

    TempDatabase db;
    MessageRecorder recorder;
    TemplateData t;
    Dictionary info;
    int relations = 0;

private:
    static std::string Q(const std::string& s) { return text::SqlQuote(s); }
    static std::string N(int n) { return std::to_string(n); }
    static std::string Alias(const std::string& f) { return Q(f.substr(0, f.find('.'))); }
    static std::string Field(const std::string& f) { return Q(f.substr(f.find('.') + 1)); }

    // The further columns after " | " in `row` go to the row `key` selects.
    void insert(const std::string& into, const std::vector<std::string>& values,
                const std::string& row = "", const std::string& key = "") {
        std::string sql = "INSERT INTO " + into + " VALUES (";
        for (const auto& v : values) sql += v + (&v == &values.back() ? ")" : ",");
        if (const auto bar = row.find(" | "); bar != std::string::npos)
            sql += "; UPDATE " + into.substr(0, into.find(' ')) + " SET " + row.substr(bar + 3) +
                   " WHERE " + key;
        db.exec(sql);
    }
};

// A transcript command: its words (padded with `pad` to seven), the number in
// word i, the text after word k as written.
struct Words {
    Words(const std::string& text, const char* pad) : line(text) {
        std::istringstream in(line);
        for (std::string x; in >> x;) w.push_back(x);
        given = w.size();
        w.resize(std::max<std::size_t>(given, 7), pad);
    }
    const std::string& operator[](std::size_t i) const { return w[i]; }
    int n(std::size_t i) const { return std::atoi(w[i].c_str()); }
    std::string rest(int k) const {
        std::size_t at = 0;
        for (int i = 0; i < k && at != std::string::npos; ++i) at = line.find(' ', at + 1);
        return at == std::string::npos ? "" : line.substr(at + 1);
    }
    std::string line;
    std::vector<std::string> w;
    std::size_t given = 0;
};

// A word where "_" stands for a blank and "-" alone for nothing.
inline std::string Blank(std::string s) {
    std::replace(s.begin(), s.end(), '_', ' ');
    return s == "-" ? "" : s;
}

// The values joined by "|".
template <class... A>
std::string Bar(const A&... a) {
    std::ostringstream s;
    s.precision(12);
    const char* sep = "";
    ((s << sep << a, sep = "|"), ...);
    return s.str();
}

// A golden transcript (DIR/NAME.test): "> command" lines, several commands
// separated by `sep`, followed by what `run` printed for them ('#' comments
// stay); after "table" + `sep` on one line, " | " between. With
// QELT_UPDATE_GOLDEN=1 the file is rewritten from the output.
inline void ExpectTranscript(const std::string& path, const std::string& sep,
                             const std::function<std::string(const std::string&)>& run) {
    const std::string file = ReadFile(path);
    std::istringstream in(file);
    std::string out;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("#", 0) == 0) out += line + "\n";
        if (line.rfind("> ", 0) != 0) continue;
        const bool table = line.rfind("> table" + sep, 0) == 0;
        std::string printed;
        for (std::size_t at = table ? 7 + sep.size() : 2, end = 0; end != std::string::npos;
             at = end + sep.size()) {
            end = line.find(sep, at);
            const std::string one = run(line.substr(at, end - at));
            if (!one.empty()) printed += (printed.empty() ? "" : table ? " | " : "\n") + one;
        }
        if (table) printed = Replace(printed, "\n", " | ");
        out += line + "\n" + printed + (printed.empty() || printed.back() == '\n' ? "" : "\n");
    }
    ExpectGoldenFile(path, out);
}

// The transcripts of tests/DIR, each run by FIXTURE's run() and messages().
#define QELT_TRANSCRIPTS(Fixture, dir, sep)                                              \
    TEST_P(Fixture, MatchesItsGoldenFile) {                                              \
        ExpectTranscript(TestSource(std::string(dir) + "/") + GetParam() + ".test", sep, \
                         [this](const std::string& c) {                                  \
                             const std::string printed = run(c);                         \
                             return printed + messages();                                \
                         });                                                             \
    }                                                                                    \
    INSTANTIATE_TEST_SUITE_P(Golden, Fixture, ::testing::ValuesIn(Transcripts(dir)),     \
                             [](const auto& info) { return info.param; })

inline std::vector<std::string> Transcripts(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& f : std::filesystem::directory_iterator(TestSource(dir)))
        if (f.path().extension() == ".test") names.push_back(f.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace qelt::testing
