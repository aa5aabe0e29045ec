// The connection component on the embedded SQLite backend.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "common/test_env.h"
#include "host/prog_ids.h"
#include "qelt/demo.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/session.h"
#include "support/shared_settings.h"

namespace qelt {
namespace {

using testing::TempDatabase;

std::shared_ptr<host::IAppConnection> Connection() {
    return host::Create<host::IAppConnection>(host::progid::kAppConnection);
}

TEST(SqliteConnection, GetdateAnswersTheLocalDateAndTimeAsText) {
    TempDatabase db(false);
    const std::string before = Date::now().isoText();
    auto rs = Connection()->getanyrecordset("Select getdate() ");
    const std::string after = Date::now().isoText();
    ASSERT_EQ(rs->recordCount(), 1);
    const std::string text = rs->value(0).toString();
    ASSERT_EQ(text.size(), 19u) << text;
    Date parsed;
    ASSERT_TRUE(Date::parse(text, parsed)) << text;
    EXPECT_EQ(parsed.isoText(), text);
    EXPECT_LE(before, text);
    EXPECT_LE(text, after);
}

TEST(SqliteConnection, ResultOutlivesTheComponentAndTheSession) {
    TempDatabase db(false);
    db.exec("CREATE TABLE T (FName NVARCHAR(20)); INSERT INTO T VALUES ('甲'), ('乙');");
    RecordsetPtr rs;
    {
        auto connection = Connection();
        rs = connection->Execute("SELECT FName FROM T ORDER BY FName");
    }
    support::ResetProcessState();
    EXPECT_EQ(rs->recordCount(), 2);
    EXPECT_EQ(rs->value("FName").toString(), "乙");
    rs->setFilter("FName = '甲'");
    EXPECT_EQ(rs->recordCount(), 1);
}

TEST(SqliteConnection, InstancesSeeTheSameDatabase) {
    TempDatabase db(false);
    db.exec("CREATE TABLE T (F INTEGER); INSERT INTO T VALUES (7);");
    EXPECT_EQ(Connection()->Execute("SELECT F FROM T")->value(0).toLong(), 7);
    EXPECT_EQ(Connection()->getanyrecordset("SELECT F FROM T")->value(0).toLong(), 7);
}

TEST(SqliteConnection, WritesThroughTheDatabaseAreSeenByTheNextQuery) {
    TempDatabase db(false);
    db.exec("CREATE TABLE T (F INTEGER);");
    EXPECT_EQ(Connection()->Execute("SELECT count(*) FROM T")->value(0).toLong(), 0);
    db.exec("INSERT INTO T VALUES (1);");
    EXPECT_EQ(Connection()->Execute("SELECT count(*) FROM T")->value(0).toLong(), 1);
}

TEST(SqliteConnection, StatementWithoutResultGivesAnEmptySet) {
    TempDatabase db(false);
    db.exec("CREATE TABLE T (F INTEGER);");
    auto rs = Connection()->Execute("INSERT INTO T VALUES (3)");
    EXPECT_EQ(rs->fieldCount(), 0u);
    EXPECT_TRUE(rs->eof());
    EXPECT_EQ(Connection()->Execute("SELECT F FROM T")->value(0).toLong(), 3);
}

TEST(SqliteConnection, UnopenableDatabaseRaisesWithTheConnectionString) {
    TempDatabase db(false);
    host::SetDatabase("sqlite3://db=/nonexistent-folder/x/erp.db");
    try {
        Connection()->Execute("SELECT 1");
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_NE(e.description.find("/nonexistent-folder/x/erp.db"), std::string::npos)
            << e.description;
    }
}

TEST(OdbcConnection, PasswordIsMaskedWhenTheDatabaseCannotBeOpened) {
    TempDatabase db(false);
    host::SetDatabase("odbc://DRIVER=NoSuchDriver;UID=sa;PWD=secret;Database=erp;");
    try {
        Connection()->Execute("SELECT 1");
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.description.find("secret"), std::string::npos) << e.description;
        EXPECT_NE(e.description.find("PWD=***;Database=erp;"), std::string::npos) << e.description;
    }
}

TEST(SqliteConnection, LedgerAndBillDataQueryTheSessionDatabase) {
    TempDatabase db(false);
    db.exec("CREATE TABLE T (F INTEGER); INSERT INTO T VALUES (5);");
    auto gl = host::Create<host::IGLData>(host::progid::kGLData);
    EXPECT_EQ(gl->getanyrecordset("SELECT F FROM T")->value(0).toLong(), 5);
    EXPECT_TRUE(gl->AccessCheck(1088, 21, 4));
    auto bill = host::Create<host::IBillData>(host::progid::kBillData);
    EXPECT_EQ(bill->ExecuteSQL("UserID=1", "SELECT F FROM T")->value(0).toLong(), 5);
}

class DatabaseChoice : public ::testing::Test {
protected:
    void SetUp() override { support::ResetProcessState(); }
    void TearDown() override {
        unsetenv("QELT_DATABASE");
        support::ResetProcessState();
    }
};

TEST_F(DatabaseChoice, EnvironmentNamesTheDatabaseWhenNoneWasSet) {
    TempDatabase db(false);
    db.exec("CREATE TABLE Marker (F INTEGER); INSERT INTO Marker VALUES (11);");
    support::ResetProcessState();
    setenv("QELT_DATABASE", db.sociConnectionString().c_str(), 1);
    EXPECT_EQ(Connection()->Execute("SELECT F FROM Marker")->value(0).toLong(), 11);
}

TEST_F(DatabaseChoice, SetDatabaseWinsOverTheEnvironment) {
    TempDatabase db(false);
    db.exec("CREATE TABLE Marker (F INTEGER);");
    setenv("QELT_DATABASE", "sqlite3://db=/nonexistent-folder/erp.db", 1);
    EXPECT_NO_THROW(Connection()->Execute("SELECT F FROM Marker"));
}

TEST_F(DatabaseChoice, DemoDatabaseIsTheFallback) {
    EXPECT_EQ(DemoDatabaseConnectionString(), std::string("sqlite3://db=") + QELT_TEST_DEMO_DB);
    EXPECT_NO_THROW(Connection()->Execute("SELECT FKey FROM t_SystemProfile"));
}

}  // namespace
}  // namespace qelt
