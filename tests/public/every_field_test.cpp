// Every field of every demo list as condition and sort key, via TemplateData and the dialog,
// declares every alias it uses once and runs on the demo database.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>

#include "common/sqlite_translation.h"
#include "common/test_env.h"
#include "platform/text.h"
#include "qelt/cfilter.h"
#include "qelt/template_data.h"
#include "qelt/ui/presenter.h"

namespace qelt::testing {
namespace {

using namespace std::string_literals;

// Aliases used and not declared, and aliases the statement's own FROM text declares twice (SQL
// Server refuses both; SQLite lets a second declaration pass). A declaration is the word after
// "<FROM or JOIN> <table>", else the table; a sub-select's count for the whole statement.
std::string AliasFaults(const std::string& sql) {
    static const std::regex quoted("'([^']|'')*'");
    static const std::regex declaration(
        "\\b(from|join)\\s+([A-Za-z_][\\w#]*)(\\s+([A-Za-z_]\\w*))?", std::regex::icase);
    static const std::regex use("\\b([A-Za-z_]\\w*)\\.(?=[A-Za-z_])");
    static const std::set<std::string> keywords{"where", "with", "on",    "inner", "left",
                                                "right", "join", "order", "group", "as"};
    const std::string bare = std::regex_replace(sql, quoted, "''");
    const std::size_t from = bare.find("\r\n  from "), where = bare.find("\r\n where ");
    std::set<std::string> declared, undeclared;
    std::string faults;
    for (std::sregex_iterator m(bare.begin(), bare.end(), declaration), end; m != end; ++m) {
        std::string alias = text::ToLower((*m)[4].str());
        if (alias.empty() || keywords.count(alias)) alias = text::ToLower((*m)[2].str());
        const auto at = static_cast<std::size_t>(m->position());
        if (!declared.insert(alias).second && at + 2 >= from && at < where)
            faults += " twice " + alias;
    }
    for (std::sregex_iterator m(bare.begin(), bare.end(), use), end; m != end; ++m)
        if (!declared.count(text::ToLower((*m)[1].str()))) undeclared.insert((*m)[1].str());
    for (const auto& alias : undeclared) faults += " undeclared " + alias;
    return faults;
}

using Statement = std::pair<std::string, std::string>;  // field, SQL

// One element per template column as the dialog gives it: text "is empty", date ">=", else "= 0".
std::vector<Statement> ThroughTemplateData(int list, bool sort) {
    CFilter facade;  // reads the options and resets the shared settings
    facade.setListID(list);
    facade.getInfoByF7Key("");
    TemplateData t;
    t.InitData("FID in (" + std::to_string(list) + ")");
    t.mListID = list;
    t.mTemplateID = facade.TemplateID();
    t.blVisMoneyInStock = true;
    auto columns = Recordset::copyOf(*t.mRsChatBillTitle);
    columns->setFilter("FTypeID=" + std::to_string(t.mTemplateID));
    std::vector<Statement> statements;
    if (!sort) statements.push_back({"look-up", facade.OK() ? facade.Datasql() : ""});
    for (; !columns->eof(); columns->moveNext()) {
        auto column = [&](const char* name) { return columns->value(name).toString(""); };
        const std::string alias = column("FColName");
        if (sort)
            t.setCollectionSort(std::make_shared<Collection<clsSortElement>>(
                Collection<clsSortElement>{std::make_shared<clsSortElement>(
                    clsSortElement{column("FName"), alias, column("FTableName"),
                                   column("FTableAlias"), " ASC "})}));
        else {
            const int kind = std::clamp(columns->value("FColType").toLong(), 0, 2);
            static const char* const comparison[] = {"4", "7", "1"};
            static const char* const value[] = {" '2026/12/01' ", "", "0"};
            auto e = std::make_shared<clsFilterElement>(clsFilterElement{
                column("FName"), alias, column("FTableName"), column("FTableAlias"), 1, "", "",
                "   ", comparison[kind], value[kind], ""});
            t.setCollectionFilter(
                std::make_shared<Collection<clsFilterElement>>(Collection<clsFilterElement>{e}));
        }
        statements.push_back(
            {alias, t.GetListSQL("," + column("FTableAlias") + ",", "," + alias + ",")});
    }
    return statements;
}

class EveryField : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(QELT_TEST_DEMO_DB, db.path(),
                                   std::filesystem::copy_options::overwrite_existing);
        db.exec(
            "CREATE TABLE KeptProfile AS SELECT * FROM ICSchemeProfile;"
            "CREATE TABLE KeptEntry AS SELECT * FROM ICSchemeProfileEntry");
        // The demo user's groups restrict every statement.
        host::SetSharedProperty("PropsString", "UserID=2;UserName=张伟");
        host::SetSharedProperty("UserName", "张伟");
    }

    // The dialog's statement after `act` and OK, over the demo's own schemes.
    std::string accepted(int list, const std::function<void(ui::Form&)>& act) {
        db.exec(
            "DELETE FROM ICSchemeProfile; INSERT INTO ICSchemeProfile SELECT * FROM KeptProfile;"
            "DELETE FROM ICSchemeProfileEntry;"
            "INSERT INTO ICSchemeProfileEntry SELECT * FROM KeptEntry");
        ui::SetPresenter(std::make_shared<ui::ScriptedPresenter>([&](ui::Form& f) {
            act(f);
            f.button("cmdOk").click();
        }));
        CFilter filter;
        filter.setListID(list);
        filter.setFilter("FID in (" + std::to_string(list) + ")");
        filter.Show();
        return filter.Datasql();
    }

    // Each field the dialog offers, in condition row 1 ("is empty" or a value) or as a sort key.
    std::vector<Statement> throughDialog(int list, bool sort) {
        std::vector<Statement> statements;
        for (int i = 0, fields = 1; i < fields; ++i) {
            std::string alias;
            std::string sql = accepted(list, [&](ui::Form& f) {
                ui::Grid& grid = f.grid("VpFilter");
                ui::ListBox& order = f.listBox("listOrderFields");
                fields =
                    sort ? order.listCount() : static_cast<int>(grid.comboItems(1, 3).size()) - 1;
                if (sort) {
                    ASSERT_TRUE(f.tabs("SSTab1").select(1) && order.select(i) &&
                                f.focus("cmdAdd") && f.button("cmdAdd").click());
                    alias = order.text().substr(order.text().find("|*|") + 3);
                    alias = alias.substr(0, alias.find("|*|"));
                    return;
                }
                ASSERT_TRUE(grid.pick(1, 3, i + 1));
                alias = grid.text(1, 10);
                const auto comparisons = grid.comboItems(1, 4);
                const auto empty = std::find(comparisons.begin(), comparisons.end(), "为空值");
                if (empty != comparisons.end()) {
                    ASSERT_TRUE(grid.pick(1, 4, static_cast<int>(empty - comparisons.begin())));
                } else {
                    ASSERT_TRUE(grid.pick(1, 4, 0));
                    ASSERT_TRUE(grid.type(
                        1, 6, grid.cellType(1, 6) == ui::CellType::Date ? "2026-12-01" : "1"));
                }
            });
            statements.push_back({alias, sql});
        }
        return statements;
    }

    TempDatabase db{false};
    MessageRecorder messages;
};

TEST_F(EveryField, AsConditionOrSortKeyGivesAStatementWithDeclaredAliasesThatRuns) {
    int checked = 0;
    std::vector<int> lists;
    std::string error;
    CountRows("select FID from ICListTemplate order by FID", error, &lists);
    for (int list : lists)
        for (bool sort : {false, true})
            for (bool dialog : {false, true})
                for (const auto& [field, sql] :
                     dialog ? throughDialog(list, sort) : ThroughTemplateData(list, sort)) {
                    ++checked;
                    const std::string faults = AliasFaults(sql);
                    EXPECT_TRUE(faults.empty() && !sql.empty() &&
                                CountRows(ToSqlite(sql), error) >= (field == "look-up" ? 1 : 0))
                        << "list " << list << (sort ? ", sort key " : ", condition ") << field
                        << (dialog ? " in the dialog:" : ":") << faults << " " << error << "\n"
                        << sql;
                }
    EXPECT_GE(checked, 600) << "the walk missed lists or fields";
}

// Hostile values typed (the grid drops quotes) or written by code (as a scheme loads them)
// into a condition give statements the database runs.
TEST_F(EveryField, HostileValuesGiveStatementsTheDatabaseRuns) {
    std::string cjk;
    for (int i = 0; i < 255; ++i) cjk += "链";
    // Demo list 1: bill number and item name; equal to and contains.
    for (const std::string& value :
         {"O'Brien"s, "x' OR '1'='1"s, "a\"b"s, "-- the rest is a comment"s,
          "1; DELETE FROM t_User"s, "输送机'链条\"--;"s, std::string(255, 'z'), cjk})
        for (int field : {2, 9})
            for (int comparison : {0, 6})
                for (bool typed : {false, true}) {
                    const std::string sql = accepted(1, [&](ui::Form& f) {
                        ui::Grid& grid = f.grid("VpFilter");
                        ASSERT_TRUE(grid.pick(1, 3, field) && grid.pick(1, 4, comparison));
                        if (typed)
                            ASSERT_TRUE(grid.type(1, 6, value));
                        else
                            grid.setText(1, 6, value);
                    });
                    std::string error;
                    EXPECT_GE(CountRows(ToSqlite(sql), error), 0) << error << "\n" << sql;
                }
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace qelt::testing
