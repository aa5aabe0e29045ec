// File paths and connection strings: what SetDatabase is given for a path,
// and which file the sqlite3 backend then opens.
#include "qelt/host/connection_string.h"

#include <gmock/gmock.h>
#include <unistd.h>

#include <filesystem>

#include "common/test_env.h"
#include "host/db_session.h"
#include "platform/process_state.h"
#include "qelt/error.h"

namespace qelt {
namespace {

namespace fs = std::filesystem;

TEST(ConnectionString, PathsBecomeSqliteStringsQuotedWhereTheyHoldABlank) {
    struct Case {
        const char* given;
        const char* connection;
        const char* file;  // what SqliteFileOf reads back
    };
    const Case cases[] = {
        {"/srv/erp.db", "sqlite3://db=/srv/erp.db", "/srv/erp.db"},
        {"erp.db", "sqlite3://db=erp.db", "erp.db"},
        {"/srv/my erp/a  b.db", "sqlite3://db=\"/srv/my erp/a  b.db\"", "/srv/my erp/a  b.db"},
        {"/srv/erp.db ", "sqlite3://db=\"/srv/erp.db \"", "/srv/erp.db "},
        {" erp.db", "sqlite3://db=\"./ erp.db\"", "./ erp.db"},
        {"/srv/a=b.db", "sqlite3://db=/srv/a=b.db", "/srv/a=b.db"},
        {"sqlite3://db=/srv/erp.db timeout=5", "sqlite3://db=/srv/erp.db timeout=5", "/srv/erp.db"},
        {"sqlite3://timeout=5 dbname=\"/a b.db\"", "sqlite3://timeout=5 dbname=\"/a b.db\"",
         "/a b.db"},
        {"SQLite3:///srv/erp.db", "SQLite3:///srv/erp.db", "/srv/erp.db"},
        {"odbc://DRIVER=SQLite3;Database=/a b.db;", "odbc://DRIVER=SQLite3;Database=/a b.db;", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(host::ToConnectionString(c.given), c.connection);
        EXPECT_EQ(host::SqliteFileOf(c.connection), c.file);
    }
    EXPECT_THROW(host::ToConnectionString("/srv/\"erp\".db"), Error);
}

// The backend opens exactly the named file: nothing cut at a blank, no
// stray file beside it.
TEST(ConnectionString, TheSqliteBackendOpensAPathWithBlanksAsWritten) {
    testing::TempDatabase scratch(false);
    const fs::path folder = fs::path(scratch.path()).parent_path() / "my  folder";
    fs::create_directory(folder);
    const fs::path cwd = fs::current_path();
    fs::current_path(folder);
    for (const std::string& path : {(folder / "erp data.db").string(), std::string(" lead.db")}) {
        SCOPED_TRACE(path);
        host::RunQuery(host::PooledSession(host::ToConnectionString(path)),
                       "CREATE TABLE Marker (F INTEGER)");
        EXPECT_TRUE(fs::is_regular_file(folder / fs::path(path).filename()));
    }
    platform::ResetProcessState();
    fs::current_path(cwd);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    EXPECT_THAT(names, ::testing::UnorderedElementsAre(" lead.db", "erp data.db"));
}

}  // namespace
}  // namespace qelt
