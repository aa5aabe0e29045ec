#include <gmock/gmock.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "common/test_env.h"
#include "host/password_mask.h"
#include "host/recordset_dump.h"
#include "platform/text.h"
#include "qelt/demo.h"
#include "qelt/error.h"
#include "qelt/host/connection_string.h"
#include "support/shared_settings.h"

namespace qelt {
namespace {

using ::testing::AllOf, ::testing::EndsWith, ::testing::HasSubstr, ::testing::Not;
using testing::Dump, testing::Query, testing::Raised, testing::Repeat, testing::TempDatabase;
namespace fs = std::filesystem;

constexpr const char* kSampleTable = R"sql(CREATE TABLE Sample (FID INTEGER, FName NVARCHAR(80),
    FAmount FLOAT, FBig BIGINT, FDate DATETIME, FNote VARCHAR(600), FMemo TEXT);
INSERT INTO Sample (FID, FName, FAmount, FBig, FDate, FNote) VALUES
    (1, '采购订单', 12.5, 5000000000, '2026-12-06 10:20:30', 'plain'),
    (2, 'O''Brien', -0.25, 42, NULL, NULL), (3, NULL, NULL, NULL, '2025-01-31 00:00:00', '生产任务单');
)sql";

class ConnectionOnBackend : public ::testing::TestWithParam<testing::Backend> {
protected:
    void SetUp() override { db_.exec(testing::SchemaFor(GetParam(), kSampleTable)); }
    // PostgreSQL folds unquoted field names to lower case.
    std::string Named(std::string dump) const {
        if (GetParam() == testing::Backend::Postgres)
            dump = text::ToLower(dump.substr(0, dump.find('\n'))) +
                   dump.substr(std::min(dump.find('\n'), dump.size()));
        return dump;
    }
    TempDatabase db_{GetParam(), false};
};

// Values come back whole (sizes count characters, not bytes), as a snapshot outliving the session.
TEST_P(ConnectionOnBackend, MaterialisesWholeValuesAsASnapshot) {
    auto rs = Query("SELECT FID, FName, FAmount, FBig, FDate, FNote FROM Sample ORDER BY FID");
    EXPECT_EQ(rs->value("fbig"), Variant(5000000000.0));
    rs->moveNext();
    EXPECT_EQ(rs->value("FBIG"), Variant(int32_t{42}));
    EXPECT_EQ(Dump(*rs), Named("FID:3|FName:202|FAmount:5|FBig:20|FDate:7|FNote:202\n"
                               "1|采购订单|12.5|5000000000|2026/12/06 10:20:30|plain\n"
                               "2|O'Brien|-0.25|42|NULL|NULL\n"
                               "3|NULL|NULL|NULL|2025/01/31|生产任务单"));
    EXPECT_EQ(Dump(*Query("SELECT FID AS 编号 FROM Sample WHERE FName = '采购订单'")), "编号:3\n1");
    EXPECT_EQ(Dump(*Query("SELECT FID, FName FROM Sample WHERE FID = 99")),
              Named("FID:3|FName:202"));
    EXPECT_THAT(Raised([] { Query("SELECT FNothing FROM Sample"); }),
                HasSubstr("while executing \"SELECT FNothing FROM Sample\""));
    const std::string sixHundred = Repeat("单据", 300), huge = Repeat("采购订单", 5000);
    db_.exec("DELETE FROM Sample; INSERT INTO Sample (FID, FNote, FMemo) VALUES (4, '" +
             sixHundred + "', '" + huge + "');");
    EXPECT_EQ(Dump(*Query("SELECT FNote, FNote || '' AS FExpr, FMemo FROM Sample"), false),
              "\n" + sixHundred + "|" + sixHundred + "|" + huge);
    support::ResetProcessState();
    rs->setFilter("FID = 1");
    EXPECT_EQ(Dump(*rs), Named("FID:3|FName:202|FAmount:5|FBig:20|FDate:7|FNote:202\n"
                               "1|采购订单|12.5|5000000000|2026/12/06 10:20:30|plain"));
}

QELT_ON_EVERY_BACKEND(ConnectionOnBackend);

// A database that cannot be opened raises with its connection string, passwords masked.
TEST(DatabaseChoice, SetDatabaseThenTheEnvironmentThenTheDemoDatabase) {
    TempDatabase db(false);
    const std::string before = Date::now().isoText();  // SQLite answers getdate() locally
    const std::string text = Query("Select getdate() ")->value(0).toString();
    EXPECT_TRUE(before <= text && text <= Date::now().isoText()) << text;
    db.exec("CREATE TABLE Marker (F INTEGER);");
    setenv("QELT_DATABASE", "sqlite3://db=/nonexistent-folder/x/erp.db", 1);
    EXPECT_NO_THROW(Query("SELECT F FROM Marker"));
    support::ResetProcessState();
    EXPECT_THAT(Raised([] { Query("SELECT 1"); }), HasSubstr("/nonexistent-folder/x/erp.db"));
    setenv("QELT_DATABASE", db.sociConnectionString().c_str(), 1);
    EXPECT_NO_THROW(Query("SELECT F FROM Marker"));
    unsetenv("QELT_DATABASE");
    EXPECT_NO_THROW(Query("SELECT FKey FROM t_SystemProfile"));
    host::SetDatabase("odbc://DRIVER=NoSuchDriver;UID=sa;PWD={my se;cret};Database=erp;");
    EXPECT_THAT(Raised([] { Query("SELECT 1"); }),
                AllOf(HasSubstr("PWD=***;Database=erp;"), Not(HasSubstr("cret"))));
}

// Only a regular file is replaced; a refusal says why and leaves the path as it was.
TEST(DemoDatabase, ReplacesARegularFileOnlyAndSaysWhyItCannotWrite) {
    TempDatabase scratch(false);
    const std::string path = scratch.path() + ".demo";  // removed with the scratch folder
    std::ofstream(path) << "not a database";
    WriteDemoDatabase(path);
    host::SetDatabase("sqlite3://db=" + path);
    EXPECT_NO_THROW(Query("SELECT count(*) FROM ICListtemplate"));

    ASSERT_EQ(mkfifo((scratch.path() + ".fifo").c_str(), 0600), 0);
    fs::create_symlink(path, scratch.path() + ".link");
    const std::pair<std::string, const char*> refused[] = {
        {"/nonexistent-folder/demo.db",
         ": unable to open database file: No such file or directory"},
        {scratch.path() + ".fifo", ": it is not a regular file"},
        {scratch.path() + ".link", ": it is not a regular file"}};
    for (const auto& [target, why] : refused) {
        EXPECT_THAT(Raised([&] { WriteDemoDatabase(target); }),
                    EndsWith(": Cannot write the demo database \"" + target + "\"" + why));
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(target))) << target;
    }
}

TEST(ConnectionString, PathsBecomeSqliteStringsThatTheBackendOpensAsWritten) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"/srv/erp.db", "sqlite3://db=/srv/erp.db", "/srv/erp.db"},
        {"/srv/my erp/a  b.db", "sqlite3://db=\"/srv/my erp/a  b.db\"", "/srv/my erp/a  b.db"},
        {"/srv/erp.db ", "sqlite3://db=\"/srv/erp.db \"", "/srv/erp.db "},
        {" erp.db", "sqlite3://db=\"./ erp.db\"", "./ erp.db"},
        {"/srv/a=b.db", "sqlite3://db=/srv/a=b.db", "/srv/a=b.db"},
        {"sqlite3://db=/srv/erp.db timeout=5", "sqlite3://db=/srv/erp.db timeout=5", "/srv/erp.db"},
        {"sqlite3://timeout=5 dbname=\"/a b.db\"", "sqlite3://timeout=5 dbname=\"/a b.db\"",
         "/a b.db"},
        {"SQLite3:///srv/erp.db", "SQLite3:///srv/erp.db", "/srv/erp.db"},
        {"odbc://DRIVER=SQLite3;Database=/a b.db;", "odbc://DRIVER=SQLite3;Database=/a b.db;", ""}};
    for (const auto& [given, connection, file] : cases) {
        EXPECT_EQ(host::ToConnectionString(given), connection);
        EXPECT_EQ(host::SqliteFileOf(connection), file) << given;
    }
    EXPECT_THROW(host::ToConnectionString("/srv/\"erp\".db"), Error);
}

// ODBC values end at ";" (braced ones later), other backends' at a blank too.
TEST(PasswordMask, EveryPasswordValueIsMaskedToItsEnd) {
    const std::pair<const char*, const char*> cases[] = {
        {"odbc://DRIVER=x;UID=sa;PWD={my se;cret};Database=erp;",
         "odbc://DRIVER=x;UID=sa;PWD=***;Database=erp;"},
        {"ODBC://DSN=erp;pwd=a b;UID=x", "ODBC://DSN=erp;pwd=***;UID=x"},
        {"odbc://Password=p;PWD=q", "odbc://Password=***;PWD=***"},
        {"postgresql://dbname=erp password=se;cret user=x",
         "postgresql://dbname=erp password=***;cret user=x"},
        {"odbc://DSN=erp;PWD=", "odbc://DSN=erp;PWD=***"}};
    for (const auto& [cs, masked] : cases) EXPECT_EQ(host::MaskPasswords(cs), masked) << cs;
}

}  // namespace
}  // namespace qelt
