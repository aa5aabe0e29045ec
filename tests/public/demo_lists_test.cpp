// Every list of the demo database: the look-up statement the library writes
// runs on the database it came from (after a test-only translation of the
// SQL Server specifics) and returns rows, and it is the same whichever
// backend the library read the templates through.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "common/test_env.h"
#include "public/sqlite_translation.h"
#include "qelt/cfilter.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

std::string LookupSql(Backend backend, int list) {
    support::ResetProcessState();
    host::SetDatabase(DemoConnectionString(backend));
    host::SetSharedProperty("PropsString", "UserID=2");
    CFilter filter;
    filter.setListID(list);
    filter.getInfoByF7Key("");
    return filter.OK() ? filter.Datasql() : "";
}

class DemoLists : public ::testing::TestWithParam<std::tuple<int, Backend>> {
protected:
    void TearDown() override { support::ResetProcessState(); }
};

TEST_P(DemoLists, LookupSelectRunsAndReturnsRowsOnEveryBackend) {
    const auto [list, backend] = GetParam();
    const std::string sql = LookupSql(backend, list);
    ASSERT_FALSE(sql.empty());
    if (backend != Backend::Sqlite3) {
        EXPECT_EQ(sql, LookupSql(Backend::Sqlite3, list));
        return;
    }
    std::string error;
    EXPECT_GT(CountRows(ToSqlite(sql), error), 0) << error << "\n" << sql;
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
