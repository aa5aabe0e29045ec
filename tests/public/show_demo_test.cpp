// The filter dialog on the demo database: whatever a person types, or a
// look-up writes, into a condition, the statement Show returns stays one
// balanced statement that the database runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "common/test_env.h"
#include "public/sqlite_translation.h"
#include "qelt/cfilter.h"
#include "qelt/ui/presenter.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

TEST(ShowOnDemo, HostileValuesGiveStatementsTheDatabaseRuns) {
    // Show saves the scheme in use: a copy keeps the demo database as built.
    TempDatabase db(false);
    std::filesystem::copy_file(QELT_TEST_DEMO_DB, db.path(),
                               std::filesystem::copy_options::overwrite_existing);
    host::SetDatabase(db.sociConnectionString());
    host::SetSharedProperty("PropsString", "UserID=1");
    host::SetSharedProperty("UserName", "Administrator");
    MessageRecorder messages;
    std::string cjk;
    for (int i = 0; i < 255; ++i) cjk += "链";
    const std::string hostile[] = {"O'Brien",
                                   "x' OR '1'='1",
                                   "a\"b",
                                   "-- the rest is a comment",
                                   "1; DELETE FROM t_User",
                                   "输送机'链条\"--;",
                                   std::string(255, 'z'),
                                   cjk};
    // Demo list 1: bill number and item name; equal to and contains. A value
    // goes in as a person types it or as a look-up writes it.
    for (const auto& value : hostile)
        for (int field : {2, 9})
            for (int comparison : {0, 6})
                for (int how = 0; how < 4; ++how) {
                    const bool typed = how % 2, crossReport = how / 2;
                    ui::SetPresenter(std::make_shared<ui::ScriptedPresenter>([&](ui::Form& f) {
                        ui::Grid& grid = f.grid("VpFilter");
                        ASSERT_TRUE(grid.pick(1, 3, field) && grid.pick(1, 4, comparison));
                        if (typed)
                            ASSERT_TRUE(grid.type(1, 6, value));
                        else
                            grid.setText(1, 6, value);
                        f.button("cmdOk").click();
                    }));
                    CFilter filter;
                    filter.setListID(1);
                    filter.setCROSSRPT(crossReport);
                    filter.Show();
                    ASSERT_TRUE(filter.OK()) << value;
                    const std::string sql =
                        crossReport ? "SELECT count(*) FROM ICStockBill v1 INNER JOIN "
                                      "ICStockBillEntry u1 ON v1.FInterID = u1.FInterID INNER "
                                      "JOIN t_ICItem t1 ON u1.FItemID = t1.FItemID WHERE " +
                                          filter.SQLWHERE()
                                    : ToSqlite(filter.Datasql());
                    std::string error;
                    const long rows = CountRows(sql, error);
                    EXPECT_TRUE(crossReport ? rows == 1 : rows >= 0) << error << "\n" << sql;
                }
    EXPECT_TRUE(messages.messages.empty());
    ui::SetPresenter(nullptr);
}

}  // namespace
}  // namespace qelt::testing
