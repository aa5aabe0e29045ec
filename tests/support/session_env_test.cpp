// The session environment: property string, system options, application
// type, and the reset of all process-wide state.
#include "support/session_env.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "common/test_env.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "support/shared_settings.h"

namespace qelt::support {
namespace {

using testing::TempDatabase;

void AddOptions(const TempDatabase& db, const std::string& rows) {
    db.exec("INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES " + rows);
}

TEST(PropertyString, PairsAreTrimmedBracedValuesKeepSeparatorsAndMissingKeysRaise) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"A=1;B={x;y=z};C=3", "A", "1"},
        {"A=1;B={x;y=z};C=3", "B", "x;y=z"},
        {"A=1;B={x;y=z};C=3", "C", "3"},
        {"A=1; B = { p ; q } ", "B", "p ; q"},
        {"  UserID = 16394 ;Server= erp01", "userid", "16394"},
        {"A=1;trailing words;", "A", "1"},
    };
    for (const auto& [text, key, value] : rows) {
        SCOPED_TRACE(std::string(text) + " / " + key);
        EXPECT_TRUE(ParsePropsString(text));
        EXPECT_EQ(PropValue(key), value);
    }
    ParsePropsString("A=1; =2;C=3");  // stops at the empty key
    EXPECT_EQ(PropValue("A"), "1");
    EXPECT_THROW(PropValue("C"), Error);
    ParsePropsString("B=2");
    EXPECT_THROW(PropValue("A"), Error);
    EXPECT_THROW(ParsePropsString("A=1;a=2"), Error);
}

TEST(PropertyString, ComesFromTheSharedPropertiesThenTheEnvironment) {
    struct EnvGuard {
        ~EnvGuard() { unsetenv("QELT_PROPS"); }
    } guard;
    TempDatabase db(false);
    EXPECT_EQ(CurrentUserName(), "");
    host::SetSharedProperty("UserName", "张三");
    EXPECT_EQ(CurrentUserName(), "张三");
    setenv("QELT_PROPS", "UserID=9", 1);
    host::SetSharedProperty("PropsString", "UserID=7;Lang=chs");
    EXPECT_EQ(PropValue("UserID"), "7");  // the first lookup parses the session's string
    ResetProcessState();                  // forgets the property and the parsed table
    EXPECT_EQ(PropValue("UserID"), "9");
}

TEST(SystemOptions, LoadCopiesFourOptionsIntoTheSharedSettingsOrTheirDefaultsUntilReset) {
    TempDatabase db;
    const auto sharedOptions = [s = &Shared()] {
        return std::to_string(s->AuditChoice) + " " + std::to_string(s->StartBranchSale) + " " +
               std::to_string(s->ShowRelationSign) + " " +
               std::to_string(s->PrecisionOfDiscountRate);
    };
    // A NULL value, a row of another category, a missing row, a value that is no number.
    AddOptions(db,
               "('IC','AuditChoice',NULL), ('GL','StartBranchSale','0'), "
               "('IC','PrecisionOfDiscountRate','many')");
    LoadSystemOptions();
    EXPECT_EQ(sharedOptions(), "-1 1 1 4");
    EXPECT_EQ(SystemOption("IC", "AuditChoice", "dflt"), "dflt");
    db.exec("DELETE FROM t_SystemProfile");
    AddOptions(db,
               "('IC','AuditChoice','0'), ('IC','StartBranchSale','0'), "
               "('IC','ShowRelationSign','2'), ('IC','PrecisionOfDiscountRate','6')");
    LoadSystemOptions();
    EXPECT_EQ(sharedOptions(), "0 0 2 6");
    ResetProcessState();  // the settings and the cache start over
    EXPECT_EQ(sharedOptions() + " " + SystemOption("IC", "AuditChoice", "d"), "-1 1 1 4 d");
}

TEST(SystemOptions, CacheOutlivesItsRowsAndIsUnfilteredAfterEveryLookup) {
    TempDatabase db;
    AddOptions(db, "('IC','StartPeriod','3'), ('IC','ListMaxRows','200')");
    LoadSystemOptions();
    db.exec("DELETE FROM t_SystemProfile");
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "3");
    EXPECT_EQ(SystemOption("IC", "StartPeriod' OR FKey<>'", "d"), "d");
    EXPECT_EQ(SystemOption("IC", "ListMaxRows", "5000"), "200");
    ReleaseSystemOptions();
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "0");
}

// The system value comes from the system-information component, which raises
// for a missing row or a NULL value.
TEST(SystemOptions, FailedLoadRaisesButSystemValueFallsBackToTheDefault) {
    TempDatabase noSchema(false);
    EXPECT_THROW(LoadSystemOptions(), Error);
    TempDatabase db;
    AddOptions(db, "('IC','O''Key','800'), ('IC','NullKey',NULL)");
    EXPECT_EQ(SystemValue("IC", "O'Key", "5000"), "800");
    EXPECT_EQ(SystemValue("IC", "NullKey", "1") + SystemValue("IC", "NoSuchKey", "2"), "12");
    host::RegisterComponent(host::progid::kSysInfo, nullptr);
    EXPECT_EQ(SystemValue("IC", "ListMaxRows", "5000"), "5000");
}

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

TEST(AppType, IsAppTypeOfSectionVersionReadOnceElseZero) {
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
    ResetProcessState();  // no installation path
    EXPECT_THROW(InstallCommonFolder(), std::exception);
    EXPECT_EQ(AppType(), 0);
    const std::string common = InstallBaseScheme(db, "[Version]\nAppType=1\n");
    EXPECT_EQ(InstallCommonFolder(), common);
    EXPECT_TRUE(IsAppType1());
    std::ofstream(common + "QeltBaseScheme.ini") << "[Version]\nAppType=2\n";
    EXPECT_TRUE(IsAppType1());
}

}  // namespace
}  // namespace qelt::support
