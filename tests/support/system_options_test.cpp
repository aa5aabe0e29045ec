#include <gtest/gtest.h>

#include "common/test_env.h"
#include "host/prog_ids.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "support/session_env.h"
#include "support/shared_settings.h"

namespace qelt::support {
namespace {

using testing::TempDatabase;

void AddOption(const TempDatabase& db, const std::string& key, const std::string& valueSql,
               const std::string& category = "IC") {
    db.exec("INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('" + category + "', '" +
            key + "', " + valueSql + ")");
}

// Records the statements and answers with an in-memory options table.
struct RecordingConnection : host::IAppConnection {
    std::vector<std::string> statements;
    RecordsetPtr Execute(const std::string& sql) override { return getanyrecordset(sql); }
    RecordsetPtr getanyrecordset(const std::string& sql) override {
        statements.push_back(sql);
        auto rs = std::make_shared<Recordset>();
        rs->appendField("FCategory", adVarWChar, 30);
        rs->appendField("FKey", adVarWChar, 50);
        rs->appendField("FValue", adVarWChar, 255);
        rs->open();
        return rs;
    }
};

TEST(SystemOptions, LoadRunsTheOptionsQuery) {
    TempDatabase db;
    auto connection = std::make_shared<RecordingConnection>();
    host::RegisterComponent(host::progid::kAppConnection, [connection] { return connection; });
    LoadSystemOptions();
    ASSERT_EQ(connection->statements.size(), 1u);
    EXPECT_EQ(
        connection->statements[0],
        "SELECT FCategory,FKey,FValue FROM t_SystemProfile \r\n"
        "WHERE FCategory='IC' AND FKey IN ('StartBranchSale','ShowRelationSign','AuditChoice',"
        "'PrecisionOfDiscountRate',\r\n'StartPeriod','ListMaxRows','')");
}

TEST(SystemOptions, LoadCopiesTheFourOptionsIntoTheSharedSettings) {
    TempDatabase db;
    AddOption(db, "AuditChoice", "'0'");
    AddOption(db, "StartBranchSale", "'0'");
    AddOption(db, "ShowRelationSign", "'2'");
    AddOption(db, "PrecisionOfDiscountRate", "'6'");
    LoadSystemOptions();
    EXPECT_EQ(Shared().AuditChoice, 0);
    EXPECT_EQ(Shared().StartBranchSale, 0);
    EXPECT_EQ(Shared().ShowRelationSign, 2);
    EXPECT_EQ(Shared().PrecisionOfDiscountRate, 6);
}

TEST(SystemOptions, MissingAndNullOptionsTakeTheirDefaults) {
    TempDatabase db;
    AddOption(db, "AuditChoice", "NULL");
    AddOption(db, "StartBranchSale", "'0'", "GL");
    Shared().AuditChoice = 5;
    LoadSystemOptions();
    EXPECT_EQ(Shared().AuditChoice, -1);
    EXPECT_EQ(Shared().StartBranchSale, 1);
    EXPECT_EQ(Shared().ShowRelationSign, 1);
    EXPECT_EQ(Shared().PrecisionOfDiscountRate, 4);
    EXPECT_EQ(SystemOption("IC", "AuditChoice", "dflt"), "dflt");
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "0");
}

TEST(SystemOptions, UnreadableNumberKeepsTheDefault) {
    TempDatabase db;
    AddOption(db, "PrecisionOfDiscountRate", "'many'");
    LoadSystemOptions();
    EXPECT_EQ(Shared().PrecisionOfDiscountRate, 4);
}

TEST(SystemOptions, CacheIsUnfilteredAfterEveryLookup) {
    TempDatabase db;
    AddOption(db, "StartPeriod", "'3'");
    AddOption(db, "ListMaxRows", "'200'");
    LoadSystemOptions();
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "3");
    EXPECT_EQ(SystemOption("IC", "NoSuchKey", "x"), "x");
    EXPECT_EQ(SystemOption("IC", "ListMaxRows", "5000"), "200");
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "3");
}

TEST(SystemOptions, QuotesInNamesCannotBreakTheFilter) {
    TempDatabase db;
    AddOption(db, "StartPeriod", "'3'");
    LoadSystemOptions();
    EXPECT_EQ(SystemOption("IC", "StartPeriod' OR FKey<>'", "d"), "d");
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "3");
}

TEST(SystemOptions, CacheOutlivesTheDatabaseUntilReleased) {
    TempDatabase db;
    AddOption(db, "StartPeriod", "'3'");
    LoadSystemOptions();
    db.exec("DELETE FROM t_SystemProfile");
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "3");
    ReleaseSystemOptions();
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "0");
}

TEST(SystemOptions, FailedLoadRaises) {
    TempDatabase db(false);
    EXPECT_THROW(LoadSystemOptions(), Error);
}

TEST(SystemValue, ReadsThroughTheSystemInformationComponent) {
    TempDatabase db;
    AddOption(db, "ListMaxRows", "'800'");
    EXPECT_EQ(SystemValue("IC", "ListMaxRows", "5000"), "800");
    EXPECT_EQ(SystemValue("IC", "NeedShowColumnPrompt", "1"), "1");
}

TEST(SystemValue, FailingComponentGivesTheDefault) {
    TempDatabase db;
    host::RegisterComponent(host::progid::kSysInfo, []() -> std::shared_ptr<host::Component> {
        throw Error(429, "test", "cannot create");
    });
    EXPECT_EQ(SystemValue("IC", "ListMaxRows", "5000"), "5000");
}

}  // namespace
}  // namespace qelt::support
