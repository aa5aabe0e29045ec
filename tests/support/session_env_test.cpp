// The session environment: property string, system options, application
// type, and the reset of all process-wide state.
#include "support/session_env.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "common/test_env.h"
#include "host/process_objects.h"
#include "host/prog_ids.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "support/shared_settings.h"

namespace qelt::support {
namespace {

using testing::TempDatabase;

void AddOptions(const TempDatabase& db, const std::string& rows) {
    db.exec("INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES " + rows);
}

std::string SharedOptions() {
    const SharedSettings& s = Shared();
    return std::to_string(s.AuditChoice) + " " + std::to_string(s.StartBranchSale) + " " +
           std::to_string(s.ShowRelationSign) + " " + std::to_string(s.PrecisionOfDiscountRate);
}

class PropertyString : public ::testing::Test {
    TempDatabase db_{false};
};

TEST_F(PropertyString, PairsAreTrimmedBracedValuesKeepSeparatorsAndKeysIgnoreCase) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"A=1;B={x;y=z};C=3", "A", "1"},
        {"A=1;B={x;y=z};C=3", "B", "x;y=z"},
        {"A=1;B={x;y=z};C=3", "C", "3"},
        {"A=1; B = { p ; q } ", "B", "p ; q"},
        {"  UserID = 16394 ;Server= erp01", "userid", "16394"},
        {"  UserID = 16394 ;Server= erp01", "SERVER", "erp01"},
        {"A=1;trailing words;", "A", "1"},
    };
    for (const auto& [text, key, value] : rows) {
        SCOPED_TRACE(std::string(text) + " / " + key);
        EXPECT_TRUE(ParsePropsString(text));
        EXPECT_EQ(PropValue(key), value);
    }
}

TEST_F(PropertyString, MissingKeyRaisesAndEachParseReplacesTheTable) {
    ParsePropsString("A=1");
    EXPECT_THROW(PropValue("UserID"), Error);
    ParsePropsString("A=1; =2;C=3");  // stops at the empty key
    EXPECT_EQ(PropValue("A"), "1");
    EXPECT_THROW(PropValue("C"), Error);
    ParsePropsString("B=2");
    EXPECT_THROW(PropValue("A"), Error);
    EXPECT_THROW(ParsePropsString("A=1;a=2"), Error);
}

TEST_F(PropertyString, ComesFromTheSharedPropertiesThenTheEnvironment) {
    struct EnvGuard {
        ~EnvGuard() { unsetenv("QELT_PROPS"); }
    } guard;
    EXPECT_EQ(CurrentUserName(), "");
    host::SetSharedProperty("UserName", "张三");
    EXPECT_EQ(CurrentUserName(), "张三");
    setenv("QELT_PROPS", "UserID=9", 1);
    EXPECT_EQ(PropsString(), "UserID=9");
    host::SetSharedProperty("PropsString", "UserID=7;Lang=chs");
    EXPECT_EQ(PropValue("UserID"), "7");  // the first lookup parses the session's string
}

TEST(SystemOptions, LoadRunsTheOptionsQuery) {
    struct RecordingConnection : host::IAppConnection {
        std::vector<std::string> statements;
        RecordsetPtr Execute(const std::string& sql) override { return getanyrecordset(sql); }
        RecordsetPtr getanyrecordset(const std::string& sql) override {
            statements.push_back(sql);
            return std::make_shared<Recordset>();
        }
    };
    TempDatabase db(false);
    auto connection = std::make_shared<RecordingConnection>();
    host::RegisterComponent(host::progid::kAppConnection, [connection] { return connection; });
    LoadSystemOptions();
    EXPECT_EQ(connection->statements,
              std::vector<std::string>{
                  "SELECT FCategory,FKey,FValue FROM t_SystemProfile \r\n"
                  "WHERE FCategory='IC' AND FKey IN ('StartBranchSale','ShowRelationSign',"
                  "'AuditChoice','PrecisionOfDiscountRate',\r\n'StartPeriod','ListMaxRows','')"});
}

TEST(SystemOptions, LoadCopiesFourOptionsIntoTheSharedSettingsOrTheirDefaults) {
    TempDatabase db;
    AddOptions(db,
               "('IC','AuditChoice','0'), ('IC','StartBranchSale','0'), "
               "('IC','ShowRelationSign','2'), ('IC','PrecisionOfDiscountRate','6')");
    LoadSystemOptions();
    EXPECT_EQ(SharedOptions(), "0 0 2 6");
    // A NULL value, a row of another category, a missing row, a value that is no number.
    db.exec("DELETE FROM t_SystemProfile");
    AddOptions(db,
               "('IC','AuditChoice',NULL), ('GL','StartBranchSale','0'), "
               "('IC','PrecisionOfDiscountRate','many')");
    LoadSystemOptions();
    EXPECT_EQ(SharedOptions(), "-1 1 1 4");
    EXPECT_EQ(SystemOption("IC", "AuditChoice", "dflt"), "dflt");
}

TEST(SystemOptions, CacheOutlivesItsRowsAndIsUnfilteredAfterEveryLookup) {
    TempDatabase db;
    AddOptions(db, "('IC','StartPeriod','3'), ('IC','ListMaxRows','200')");
    LoadSystemOptions();
    db.exec("DELETE FROM t_SystemProfile");
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "3");
    EXPECT_EQ(SystemOption("IC", "NoSuchKey", "x"), "x");
    EXPECT_EQ(SystemOption("IC", "StartPeriod' OR FKey<>'", "d"), "d");
    EXPECT_EQ(SystemOption("IC", "ListMaxRows", "5000"), "200");
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "3");
    ReleaseSystemOptions();
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "0");
}

TEST(SystemOptions, FailedLoadRaisesButSystemValueFallsBackToTheDefault) {
    TempDatabase noSchema(false);
    EXPECT_THROW(LoadSystemOptions(), Error);
    TempDatabase db;
    AddOptions(db, "('IC','ListMaxRows','800')");
    EXPECT_EQ(SystemValue("IC", "ListMaxRows", "5000"), "800");
    EXPECT_EQ(SystemValue("IC", "NeedShowColumnPrompt", "1"), "1");
    host::RegisterComponent(host::progid::kSysInfo, []() -> std::shared_ptr<host::Component> {
        throw Error(429, "test", "cannot create");
    });
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

TEST(AppType, IsAppTypeOfSectionVersionElseZero) {
    TempDatabase db(false);
    const std::pair<const char*, int32_t> rows[] = {
        {"[Other]\nAppType=7\n[Version]\nName=x\nAppType=1\n", 1},
        {"[VERSION]\napptype = 3\n", 3},
        {"[Version]\nName=x\n", 0},
        {"[Version]\nAppType=abc\n", 0},
        {nullptr, 0}};
    for (const auto& [file, appType] : rows) {
        SCOPED_TRACE(file ? file : "no file");
        InstallBaseScheme(db, file);
        EXPECT_EQ(AppType(), appType);
        EXPECT_EQ(IsAppType1(), appType == 1);
    }
    ResetProcessState();  // no installation path
    EXPECT_THROW(InstallCommonFolder(), std::exception);
    EXPECT_EQ(AppType(), 0);
}

TEST(AppType, IsReadOnceFromTheCommonFolder) {
    TempDatabase db(false);
    const std::string common = InstallBaseScheme(db, "[Version]\nAppType=1\n");
    EXPECT_EQ(InstallCommonFolder(), common);
    EXPECT_EQ(AppType(), 1);
    std::ofstream(common + "QeltBaseScheme.ini") << "[Version]\nAppType=2\n";
    EXPECT_EQ(AppType(), 1);
}

TEST(ProcessState, ResetReturnsEverythingToItsInitialValue) {
    TempDatabase db;
    AddOptions(db, "('IC', 'StartPeriod', '3')");
    LoadSystemOptions();
    ParsePropsString("A=1");
    Shared().TemplateID = 61;
    host::SetSharedProperty("PropsString", "B=2");
    auto gl = host::ProcessObject(host::progid::kGLData);
    ResetProcessState();
    EXPECT_EQ(Shared().TemplateID, 0);
    EXPECT_EQ(Shared().AuditChoice, -1);
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "0");
    EXPECT_EQ(PropsString(), "");
    EXPECT_THROW(PropValue("A"), std::exception);
    EXPECT_NE(host::ProcessObject(host::progid::kGLData), gl);
}

}  // namespace
}  // namespace qelt::support
