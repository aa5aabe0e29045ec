// The filter dialog on the demo database: whatever a person types, or a
// look-up writes, into a condition, the statement Show returns stays one
// balanced statement that the database runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "common/test_env.h"
#include "public/sqlite_translation.h"
#include "qelt/cfilter.h"
#include "qelt/ui/presenter.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

constexpr int kDemoList = 1;
// Condition fields of demo list 1.
constexpr int kBillNo = 2;
constexpr int kItemName = 9;
constexpr int kEqual = 0;
constexpr int kContains = 6;

class ShowOnDemo : public ::testing::Test {
protected:
    void SetUp() override {
        support::ResetProcessState();
        // Show saves the scheme in use: a copy keeps the demo database as built.
        std::filesystem::copy_file(QELT_TEST_DEMO_DB, db.path(),
                                   std::filesystem::copy_options::overwrite_existing);
        host::SetDatabase(db.sociConnectionString());
        host::SetSharedProperty("PropsString", "UserID=1");
        host::SetSharedProperty("UserName", "Administrator");
    }
    void TearDown() override {
        ui::SetPresenter(nullptr);
        support::ResetProcessState();
    }

    // Show with a person who fills row 1 and presses OK; `write` puts the
    // value in as a person types it (true) or as a look-up writes it.
    std::string accepted(int field, int comparison, const std::string& value, bool typed,
                         int crossReport) {
        ui::SetPresenter(std::make_shared<ui::ScriptedPresenter>([&](ui::Form& f) {
            ui::Grid& grid = f.grid("VpFilter");
            ASSERT_TRUE(grid.pick(1, 3, field));
            ASSERT_TRUE(grid.pick(1, 4, comparison));
            if (typed)
                ASSERT_TRUE(grid.type(1, 6, value));
            else
                grid.setText(1, 6, value);
            f.button("cmdOk").click();
        }));
        CFilter filter;
        filter.setListID(kDemoList);
        filter.setCROSSRPT(crossReport);
        filter.Show();
        EXPECT_TRUE(filter.OK()) << value;
        return crossReport ? filter.SQLWHERE() : filter.Datasql();
    }

    TempDatabase db{false};
    MessageRecorder messages;
};

TEST_F(ShowOnDemo, HostileValuesGiveStatementsTheDatabaseRuns) {
    const std::string hostile[] = {
        "O'Brien",
        "x' OR '1'='1",
        "a\"b",
        "-- the rest is a comment",
        "1; DELETE FROM t_User",
        "输送机'链条\"--;",
        std::string(255, 'z'),
        [] {
            std::string s;
            for (int i = 0; i < 255; ++i) s += "链";
            return s;
        }(),
    };
    for (const auto& value : hostile)
        for (bool typed : {true, false})
            for (int field : {kBillNo, kItemName})
                for (int comparison : {kEqual, kContains}) {
                    std::string error;
                    const std::string sql = accepted(field, comparison, value, typed, 0);
                    EXPECT_GE(CountRows(ToSqlite(sql), error), 0) << error << "\n" << sql;
                    const std::string where = accepted(field, comparison, value, typed, 1);
                    const std::string probe =
                        "SELECT count(*) FROM ICStockBill v1 INNER JOIN ICStockBillEntry u1 ON "
                        "v1.FInterID = u1.FInterID INNER JOIN t_ICItem t1 ON u1.FItemID = "
                        "t1.FItemID WHERE " +
                        where;
                    EXPECT_EQ(CountRows(probe, error), 1) << error << "\n" << probe;
                }
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace qelt::testing
