#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/test_env.h"
#include "host/prog_ids.h"
#include "qelt/demo.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/session.h"

namespace qelt {
namespace {

TEST(DemoDatabase, WritesTheSchemaReplacingAnyFileThere) {
    testing::TempDatabase scratch(false);
    const std::string path = scratch.path() + ".demo";
    std::ofstream(path) << "not a database";
    WriteDemoDatabase(path);
    host::SetDatabase("sqlite3://db=" + path);
    auto rs = host::Create<host::IAppConnection>(host::progid::kAppConnection)
                  ->Execute("SELECT count(*) FROM ICListtemplate");
    EXPECT_EQ(rs->recordCount(), 1);
    std::filesystem::remove(path);
}

TEST(DemoDatabase, UnwritableTargetRaisesAndLeavesNothing) {
    const std::string path = "/nonexistent-folder/demo.db";
    EXPECT_THROW(WriteDemoDatabase(path), Error);
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace qelt
