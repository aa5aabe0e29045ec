#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "common/test_env.h"

namespace qelt::testing {
namespace {

struct QeltResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the tool with a clean environment for the library's variables.
// The tool saves the dialog's scheme on OK: each test process works on its
// own copy of the demo database, never on the build's.
struct DemoCopy {
    std::string path =
        std::string(QELT_TEST_BINARY_DIR) + "/qelt_filter_demo_" + std::to_string(getpid()) + ".db";
    DemoCopy() {
        std::filesystem::copy_file(QELT_TEST_DEMO_DB, path,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    ~DemoCopy() { std::remove(path.c_str()); }
};

const std::string& DemoDatabase() {
    static DemoCopy copy;
    return copy.path;
}

QeltResult RunTool(const std::string& args) {
    // ctest runs the cases in parallel: each run has its own file for stderr.
    std::string errFile = std::string(QELT_TEST_BINARY_DIR) + "/qelt_filter_test_XXXXXX";
    int fd = mkstemp(errFile.data());
    if (fd >= 0) close(fd);
    std::string cmd =
        "env -u QELT_PROPS -u QELT_USER_NAME QELT_DATABASE='sqlite3://db=" + DemoDatabase() +
        "' '" + std::string(QELT_FILTER_EXE) + "' " + args + " 2>'" + errFile + "'";
    QeltResult r;
    FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe) return r;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) r.out.append(buf, n);
    int status = pclose(pipe);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = ReadFile(errFile);
    std::remove(errFile.c_str());
    return r;
}

TEST(QeltFilterTool, PrintsTheSelectOfADemoList) {
    QeltResult r = RunTool("--props UserID=2 sql --list 1");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("SELECT TOP ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\r\n  from "), std::string::npos);
}

TEST(QeltFilterTool, JsonCarriesHeadAndTemplateInformationInOrder) {
    QeltResult r = RunTool("--props UserID=1 sql --list 1 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto json = nlohmann::ordered_json::parse(r.out);
    EXPECT_TRUE(json["ok"].get<bool>());
    EXPECT_EQ(json["sql"].get<std::string>().rfind("SELECT ", 0), 0u);
    ASSERT_FALSE(json["listHead"].empty());
    EXPECT_EQ(json["listHead"][0].begin().key(), "FColCaption");
    EXPECT_EQ(json["templateInfo"].begin().key(), "FID");
    EXPECT_EQ(json["templateInfo"]["FID"].get<int>(), 1);
}

TEST(QeltFilterTool, RestrictedListWithoutUserIsRefusedNotWidened) {
    QeltResult r = RunTool("sql --list 1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("needs UserID in the property string"), std::string::npos) << r.err;
}

TEST(QeltFilterTool, MissingListIsOneLineAndExitOne) {
    QeltResult r = RunTool("sql --list 987654");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "qelt-filter: no list with id 987654\n");
}

TEST(QeltFilterTool, UnopenableDatabaseIsOneLineAndExitOne) {
    QeltResult r = RunTool("--db /nonexistent/erp.db sql --list 1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "qelt-filter: cannot open database /nonexistent/erp.db: no such file\n");

    TempDatabase empty(false);  // a file with no ERP tables
    r = RunTool("--db '" + empty.path() + "' sql --list 1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.rfind("qelt-filter: ", 0), 0u);
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
}

TEST(QeltFilterTool, DemoDbWritesAFreshDatabaseTheToolCanRead) {
    TempDatabase dir(false);
    std::string path = dir.path() + ".demo";
    QeltResult r = RunTool("demo-db '" + path + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = RunTool("--db '" + path + "' lists");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("id\ttemplate\tname\n1\t", 0), 0u) << r.out;
    std::remove(path.c_str());
}

TEST(QeltFilterTool, ShowAcceptedPrintsTheDialogsSelectOrCrossReportWhere) {
    QeltResult r = RunTool("--props UserID=2 --user 张伟 show --list 1 --accept");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("SELECT TOP 5000 ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find(" where 1=1 AND  (v1.FTranType=1"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "");

    r = RunTool("--props UserID=2 --user 张伟 show --list 3 --cross-report --accept");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("v1.FTranType=21", 0), 0u) << r.out;
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << r.out;

    r = RunTool("--props UserID=2 --user 张伟 show --list 3 --cross-report --accept --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto json = nlohmann::ordered_json::parse(r.out);
    EXPECT_TRUE(json["ok"].get<bool>());
    EXPECT_EQ(json["where"].get<std::string>().rfind("v1.FTranType=21", 0), 0u);

    r = RunTool("--props UserID=2 --user 张伟 show --list 1 --accept --json --status 4");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    json = nlohmann::ordered_json::parse(r.out);
    EXPECT_EQ(json["sql"].get<std::string>().rfind("SELECT TOP 5000 ", 0), 0u);
    EXPECT_EQ(json["cjName"].get<std::string>(), "外购入库单序时簿");
    EXPECT_FALSE(json["listHead"].empty());
}

TEST(QeltFilterTool, ShowDumpPrintsSelectorsAndGridsAndCancels) {
    QeltResult r = RunTool("--props UserID=2 --user 张伟 show --list 4 --dump");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("ComboBox cboTransType index=0\n* 0 \"采购订单序时簿", 0), 0u) << r.out;
    for (const char* part :
         {"\nComboBox cboTime ", "\nComboBox cboConnect ",
          "\nGrid VpFilter rows=", "\nGrid vsOrder rows=", "\nGrid vaHideColumn rows="})
        EXPECT_NE(r.out.find(part), std::string::npos) << part;
    EXPECT_EQ(r.out.find("SELECT"), std::string::npos) << "not accepted";
}

TEST(QeltFilterTool, ShowFailuresEndInOneLineAndExitOne) {
    QeltResult r = RunTool("show --list 987654 --accept");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "qelt-filter: no list with id 987654\n");

    // The dialog's own message comes first; the tool's reason is the last line.
    r = RunTool("show --list 1 --accept");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    const std::string last = "qelt-filter: the dialog of list 1 refused OK (see its messages)\n";
    ASSERT_GE(r.err.size(), last.size()) << r.err;
    EXPECT_EQ(r.err.substr(r.err.size() - last.size()), last);
    EXPECT_NE(r.err.find("GetDataSql:"), std::string::npos) << r.err;

    r = RunTool("show --accept");
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.exitCode, 1) << "a command-line error, not a failure";
}

}  // namespace
}  // namespace qelt::testing
