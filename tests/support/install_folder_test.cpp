#include "support/install_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/test_env.h"
#include "qelt/error.h"
#include "qelt/host/session.h"
#include "support/shared_settings.h"

namespace qelt::support {
namespace {

using testing::TempDatabase;

// Installs a base-scheme file (none for nullptr) and forgets the application type read.
std::string InstallBaseScheme(const TempDatabase& db, const char* content) {
    ResetProcessState();
    const auto common = std::filesystem::path(db.path()).parent_path() / "install" / "Common";
    std::filesystem::create_directories(common);
    std::filesystem::remove(common / "QeltBaseScheme.ini");
    if (content) std::ofstream(common / "QeltBaseScheme.ini") << content;
    host::SetInstallPath(common.parent_path().string());
    return common.string() + "/";
}

// AppType of section Version else 0, read once; the common folder ends in its separator.
TEST(AppType, IsAppTypeOfSectionVersionElseZeroReadOnce) {
    TempDatabase db(false);
    const std::pair<const char*, int32_t> rows[] = {
        {"[Other]\nAppType=1\n[VERSION]\napptype = 3\n[Other]\nAppType=7\n", 3},
        {"[Version]\nName=x\n", 0},
        {"[Version]\nAppType=abc\n", 0},
        {nullptr, 0}};
    for (const auto& [file, appType] : rows) {
        SCOPED_TRACE(file ? file : "no file");
        InstallBaseScheme(db, file);
        EXPECT_EQ(AppType(), appType);
    }
    const std::string common = InstallBaseScheme(db, "[Version]\nAppType=1\n");
    EXPECT_EQ(InstallCommonFolder(), common);
    EXPECT_TRUE(IsAppType1());
    std::ofstream(common + "QeltBaseScheme.ini") << "[Version]\nAppType=2\n";
    EXPECT_EQ(AppType(), 1);
    ResetProcessState();  // no installation path
    EXPECT_THROW(InstallCommonFolder(), Error);
    EXPECT_FALSE(IsAppType1());
}

}  // namespace
}  // namespace qelt::support
