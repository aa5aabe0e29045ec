#include <gtest/gtest.h>
#include <stdlib.h>

#include "common/test_env.h"
#include "host/prog_ids.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/session.h"
#include "support/shared_settings.h"

namespace qelt {
namespace {

using testing::TempDatabase;

constexpr const char* kProductKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\VOSTREL\\QeltPRODUCT";

class EnvComponents : public ::testing::Test {
protected:
    void TearDown() override {
        unsetenv("QELT_USER_NAME");
        unsetenv("QELT_INSTALL_PATH");
    }
    TempDatabase db;
    int32_t pid = 1;
};

TEST_F(EnvComponents, SysInfoReadsTheSystemProfile) {
    db.exec(
        "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', 'ListMaxRows', '800');"
        "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', 'O''Key', NULL);");
    auto info = host::Create<host::ISysInfo>(host::progid::kSysInfo);
    EXPECT_EQ(info->GetSysValue("", "IC", "ListMaxRows").toString(), "800");
    EXPECT_THROW(info->GetSysValue("", "IC", "NeedShowColumnPrompt"), Error);
    EXPECT_THROW(info->GetSysValue("", "IC", "O'Key"), Error);
}

TEST_F(EnvComponents, SharedPropertiesComeFromTheSessionThenTheEnvironment) {
    auto props = host::Create<host::IShareProps>(host::progid::kShareProps);
    EXPECT_TRUE(props->GetProperty(pid, "UserName").isEmpty());
    setenv("QELT_USER_NAME", "环境用户", 1);
    EXPECT_EQ(props->GetProperty(pid, "UserName").toString(), "环境用户");
    host::SetSharedProperty("UserName", "administrator");
    EXPECT_EQ(props->GetProperty(pid, "UserName").toString(), "administrator");
}

TEST_F(EnvComponents, RegistryAnswersTheInstallPathOnly) {
    auto reg = host::Create<host::IRegistry>(host::progid::kRegistry);
    EXPECT_THROW(reg->GetKeyValue(kProductKey, "Path", "1"), Error);
    setenv("QELT_INSTALL_PATH", "/opt/env", 1);
    EXPECT_EQ(reg->GetKeyValue(kProductKey, "Path", "1"), "/opt/env");
    host::SetInstallPath("/opt/erp");
    EXPECT_EQ(reg->GetKeyValue(kProductKey, "path", "1"), "/opt/erp");
    EXPECT_THROW(reg->GetKeyValue(kProductKey, "Version", "1"), Error);
    EXPECT_THROW(reg->GetKeyValue("HKEY_LOCAL_MACHINE\\SOFTWARE\\Other", "Path", "1"), Error);
}

TEST_F(EnvComponents, ResourceLoaderReturnsTheTrimmedText) {
    auto loader = host::Create<host::IResLoader>(host::progid::kResLoader);
    EXPECT_EQ(loader->LoadString2("  保存方案 "), "保存方案");
}

TEST(FrameworkComponents, SplitterAnswersTheIndexedPiece) {
    auto split = host::Create<host::IStringSplitter>(host::progid::kStringSplitter);
    EXPECT_EQ(split->split("a||b||c", 2, "||"), "b");
    EXPECT_EQ(split->split("a||b||c", 3, "||"), "c");
    EXPECT_EQ(split->split("a||b||c", 4, "||"), "");
    EXPECT_EQ(split->split("a||b||c", 0, "||"), "");
    EXPECT_EQ(split->split("abc", 1, "||"), "abc");
}

TEST(FrameworkComponents, FormatMessageReplacesNumberedPlaceholdersOnce) {
    auto util = host::Create<host::IFrameworkUtility>(host::progid::kFrameworkUtility);
    EXPECT_EQ(util->formatMessage("方案[%1]已存在", {"默认"}), "方案[默认]已存在");
    EXPECT_EQ(util->formatMessage("%2-%1-%3", {"a%2", "b"}), "b-a%2-%3");
    EXPECT_EQ(util->formatMessage("100%", {"x"}), "100%");
}

TEST(FrameworkComponents, NullToDefaultReplacesOnlyNull) {
    auto util = host::Create<host::IFrameworkUtility>(host::progid::kFrameworkUtility);
    EXPECT_EQ(util->nullToDefault(Variant::null(), Variant("d")), Variant("d"));
    EXPECT_EQ(util->nullToDefault(Variant(""), Variant("d")), Variant(""));
}

}  // namespace
}  // namespace qelt
