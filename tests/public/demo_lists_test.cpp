// Every list of the demo database: the statement the library writes runs on
// the database it came from (after a test-only translation of the SQL Server
// specifics) and returns rows, and it is the same whichever backend the
// library read the templates through.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "common/test_env.h"
#include "public/sqlite_translation.h"
#include "qelt/cfilter.h"
#include "qelt/template_data.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

void UseDemo(Backend backend, const std::string& props) {
    support::ResetProcessState();
    host::SetDatabase(DemoConnectionString(backend));
    host::SetSharedProperty("PropsString", props);
}

// The look-up path of a list: only the columns a template always selects.
std::string LookupSql(Backend backend, int list, const std::string& props) {
    UseDemo(backend, props);
    CFilter filter;
    filter.setListID(list);
    filter.getInfoByF7Key("");
    return filter.OK() ? filter.Datasql() : "";
}

// Every column the template shows, as the dialog asks for them.
std::string AllColumnsSql(Backend backend, int list, const std::string& props) {
    UseDemo(backend, props);
    CFilter facade;  // reads the options and resets the shared settings
    facade.setListID(list);
    facade.getInfoByF7Key("");
    TemplateData tpl;
    tpl.InitData("FID in (" + std::to_string(list) + ")");
    tpl.mListID = list;
    tpl.mTemplateID = facade.TemplateID();
    tpl.blVisMoneyInStock = true;
    auto hidden = std::make_shared<Collection<clsHidenElement>>();
    auto& rs = *tpl.mRsChatBillTitle;
    rs.setFilter("FTypeID=" + std::to_string(tpl.mTemplateID));
    for (int index = 1; !rs.eof(); rs.moveNext(), ++index) {
        auto e = std::make_shared<clsHidenElement>();
        e->sFieldAlias = rs.value("FColName").toString("");
        e->lIndex = index;
        e->dColWidth = 1000;
        e->lVisible = 1;
        hidden->push_back(e);
    }
    tpl.setCollectionHiden(hidden);
    return tpl.GetListSQL("", "");
}

class DemoLists : public ::testing::TestWithParam<std::tuple<int, Backend>> {
protected:
    void TearDown() override { support::ResetProcessState(); }
    // The statement runs on the demo database with rows; read through
    // another backend, the template gives the same statement.
    void ExpectRowsAndTheSameOnEveryBackend(std::string (*build)(Backend, int, const std::string&),
                                            const std::string& props) {
        const auto [list, backend] = GetParam();
        const std::string sql = build(backend, list, props);
        ASSERT_FALSE(sql.empty());
        if (backend != Backend::Sqlite3) {
            EXPECT_EQ(sql, build(Backend::Sqlite3, list, props));
            return;
        }
        std::string error;
        long rows = CountRows(ToSqlite(sql), error);
        EXPECT_GT(rows, 0) << error << "\n" << sql;
    }
};

TEST_P(DemoLists, LookupSelectRunsAndReturnsRowsOnEveryBackend) {
    ExpectRowsAndTheSameOnEveryBackend(LookupSql, "UserID=2");
}

TEST_P(DemoLists, SelectOfEveryColumnRunsAndReturnsRowsOnEveryBackend) {
    ExpectRowsAndTheSameOnEveryBackend(AllColumnsSql, "UserID=1");
}

INSTANTIATE_TEST_SUITE_P(Demo, DemoLists,
                         ::testing::Combine(::testing::ValuesIn(DemoListIds()),
                                            ::testing::ValuesIn(AllBackends())),
                         [](const auto& info) {
                             return "List" + std::to_string(std::get<0>(info.param)) + "_" +
                                    BackendName(std::get<1>(info.param));
                         });

TEST(DemoDatabase, HasAtLeastFiveListsOverThreeTemplates) {
    EXPECT_GE(DemoListIds().size(), 5u);
    std::string error;
    EXPECT_GE(CountRows("select distinct FTemplateID from ICListTemplate", error), 3);
}

}  // namespace
}  // namespace qelt::testing
