#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/test_env.h"
#include "qelt/host/session.h"
#include "support/session_env.h"
#include "support/shared_settings.h"

namespace qelt::support {
namespace {

class AppTypeFile : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::path(db_.path()).parent_path() / "install";
        std::filesystem::create_directories(root_ / "Common");
        host::SetInstallPath(root_.string());
    }
    void Write(const std::string& content) {
        std::ofstream(root_ / "Common" / "QeltBaseScheme.ini") << content;
    }
    testing::TempDatabase db_{false};
    std::filesystem::path root_;
};

TEST_F(AppTypeFile, CommonFolderIsTheInstallPathWithCommon) {
    EXPECT_EQ(InstallCommonFolder(), root_.string() + "/Common/");
}

TEST_F(AppTypeFile, ReadsAppTypeOfSectionVersion) {
    Write("[Other]\nAppType=7\n[Version]\nName=x\nAppType=1\n");
    EXPECT_EQ(AppType(), 1);
    EXPECT_TRUE(IsAppType1());
}

TEST_F(AppTypeFile, SectionAndKeyIgnoreCase) {
    Write("[VERSION]\napptype = 3\n");
    EXPECT_EQ(AppType(), 3);
}

TEST_F(AppTypeFile, SecondRequestDoesNotReadTheFileAgain) {
    Write("[Version]\nAppType=1\n");
    EXPECT_EQ(AppType(), 1);
    Write("[Version]\nAppType=2\n");
    EXPECT_EQ(AppType(), 1);
}

TEST_F(AppTypeFile, MissingKeyGivesZero) {
    Write("[Version]\nName=x\n");
    EXPECT_EQ(AppType(), 0);
    EXPECT_FALSE(IsAppType1());
}

TEST_F(AppTypeFile, UnreadableValueGivesZero) {
    Write("[Version]\nAppType=abc\n");
    EXPECT_EQ(AppType(), 0);
}

TEST_F(AppTypeFile, MissingFileGivesZero) {
    EXPECT_EQ(AppType(), 0);
}

TEST(AppType, WithoutInstallPathIsZero) {
    testing::TempDatabase db(false);
    EXPECT_THROW(InstallCommonFolder(), std::exception);
    EXPECT_EQ(AppType(), 0);
}

}  // namespace
}  // namespace qelt::support
