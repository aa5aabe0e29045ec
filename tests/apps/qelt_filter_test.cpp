#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "apps/tool_run.h"

namespace qelt::testing {
namespace {

TEST(QeltFilterTool, PrintsTheSelectOfADemoListOrJsonWithHeadAndTemplateInOrder) {
    ToolRun r = RunTool("--props UserID=2 sql --list 1");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("SELECT TOP ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\r\n  from "), std::string::npos);
    r = RunTool("--props UserID=1 sql --list 1 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto json = nlohmann::ordered_json::parse(r.out);
    EXPECT_TRUE(json["ok"].get<bool>());
    EXPECT_EQ(json["sql"].get<std::string>().rfind("SELECT ", 0), 0u);
    ASSERT_FALSE(json["listHead"].empty());
    EXPECT_EQ(json["listHead"][0].begin().key(), "FColCaption");
    EXPECT_EQ(json["templateInfo"].begin().key(), "FID");
    EXPECT_EQ(json["templateInfo"]["FID"].get<int>(), 1);
}

// On the bundled demo database a newcomer reads as its demo user; a database
// or a property string of one's own is never widened.
TEST(QeltFilterTool, DemoUserOnlyOnTheBundledDatabaseWithoutProps) {
    const ToolRun demoUser = RunTool("--props \"UserID=2;UserName=张伟\" sql --list 1");
    const ToolRun admin = RunTool("--props UserID=1 sql --list 1");
    ASSERT_EQ(demoUser.exitCode, 0) << demoUser.err;
    ASSERT_NE(demoUser.out, admin.out);
    const std::string refused = "qelt-filter: the template of list 1 could not be turned into SQL";
    struct Case {
        std::string args, env;
        const ToolRun* sameAs;  // null: refused
    };
    const Case cases[] = {
        {"sql --list 1", "", &demoUser},
        {"--user Guest sql --list 1", "", &demoUser},
        {"sql --list 1", "QELT_PROPS=UserID=1", &admin},
        {std::string("--db \"") + QELT_TEST_DEMO_DB + "\" sql --list 1", "", nullptr},
        {"sql --list 1", std::string("QELT_DATABASE=sqlite3://db=") + QELT_TEST_DEMO_DB, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.env + " " + c.args);
        ToolRun r = RunTool(c.args, c.env);
        if (c.sameAs) {
            EXPECT_EQ(r.exitCode, 0);
            EXPECT_EQ(r.out, c.sameAs->out);
            EXPECT_EQ(r.err, "");
        } else {
            EXPECT_EQ(r.exitCode, 3);
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err.rfind(refused, 0), 0u) << r.err;
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
        }
    }
}

// A path that holds something is replaced only with --force.
TEST(QeltFilterTool, DemoDbWritesAFreshDatabaseTheToolReadsUnderAPathWithBlanks) {
    TempDatabase dir(false);
    const std::string path = dir.path() + " my demo.db";  // removed with the folder
    ToolRun r = RunTool("demo-db \"" + path + "\"");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = RunTool("demo-db \"" + path + "\"");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "qelt-filter: " + path +
                         " exists; give --force to replace it with the demo database\n");
    ASSERT_EQ(RunTool("demo-db --force \"" + path + "\"").exitCode, 0);
    for (const std::string& db : {"\"" + path + "\"", "\"sqlite3://db=\\\"" + path + "\\\"\""}) {
        r = RunTool("--db " + db + " lists");
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out.rfind("id\ttemplate\tname\n1\t", 0), 0u) << r.out;
    }
    r = RunTool("--db \"" + path + ".missing\" lists");
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err, "qelt-filter: cannot open database " + path + ".missing: no such file\n");
}

// The command lines of the README's sh blocks that run the tool. A "--gui"
// line waits for a person at a display; its no-display path is tested below.
std::vector<std::string> ReadmeToolLines() {
    std::istringstream readme(ReadFile(QELT_README));
    std::vector<std::string> lines;
    bool inSh = false;
    for (std::string line; std::getline(readme, line);) {
        if (line.rfind("```", 0) == 0)
            inSh = !inSh && line == "```sh";
        else if (inSh && line.find("qelt-filter") != std::string::npos &&
                 line.find("--gui") == std::string::npos)
            lines.push_back(line);
    }
    return lines;
}

// Run in order, as a newcomer would from the top of a fresh clone: "build"
// there is this build tree.
TEST(ReadmeCommands, EveryToolLineRunsAsWritten) {
    const std::vector<std::string> lines = ReadmeToolLines();
    ASSERT_GE(lines.size(), 5u);
    TempDatabase scratch(false);
    const auto clone = std::filesystem::path(scratch.path()).parent_path();
    std::filesystem::create_directory_symlink(QELT_TEST_BINARY_DIR, clone / "build");
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        std::ofstream(clone / "line.sh") << line << "\n";
        ToolRun r = RunCommand("sh -c " + Quoted("cd \"" + clone.string() + "\" && sh line.sh"));
        EXPECT_EQ(r.exitCode, 0) << r.err;
        // A line that sends its output to a file prints nothing itself.
        if (line.find(" > ") == std::string::npos) {
            EXPECT_FALSE(r.out.empty());
        }
    }
}

TEST(QeltFilterTool, ShowAcceptedPrintsTheDialogsSelectOrCrossReportWhere) {
    // The demo user: his name is the owner of his schemes, so OK keeps the
    // scheme in use without a word.
    ToolRun r = RunTool("show --list 1 --accept");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("SELECT TOP 5000 ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find(" where 1=1 AND  (v1.FTranType=1"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "");

    r = RunTool("show --list 3 --cross-report --accept");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("v1.FTranType=21", 0), 0u) << r.out;
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << r.out;

    r = RunTool("show --list 3 --cross-report --accept --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto json = nlohmann::ordered_json::parse(r.out);
    EXPECT_TRUE(json["ok"].get<bool>());
    EXPECT_EQ(json["where"].get<std::string>().rfind("v1.FTranType=21", 0), 0u);

    r = RunTool("show --list 1 --accept --json --status 4");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    json = nlohmann::ordered_json::parse(r.out);
    EXPECT_EQ(json["sql"].get<std::string>().rfind("SELECT TOP 5000 ", 0), 0u);
    EXPECT_EQ(json["cjName"].get<std::string>(), "外购入库单序时簿");
    EXPECT_FALSE(json["listHead"].empty());
}

TEST(QeltFilterTool, ShowDumpPrintsSelectorsAndGridsAndCancels) {
    ToolRun r = RunTool("--props UserID=2 show --list 4 --dump");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("ComboBox cboTransType index=0\n* 0 \"采购订单序时簿", 0), 0u) << r.out;
    for (const char* part :
         {"\nComboBox cboTime ", "\nComboBox cboConnect ",
          "\nGrid VpFilter rows=", "\nGrid vsOrder rows=", "\nGrid vaHideColumn rows="})
        EXPECT_NE(r.out.find(part), std::string::npos) << part;
    EXPECT_EQ(r.out.find("SELECT"), std::string::npos) << "not accepted";
}

// Every end but success prints nothing on stdout and one line on stderr:
// exactly the text given, or (a trailing "*") one starting with it. The
// statuses are those --help documents.
TEST(QeltFilterTool, ExitStatusesAreTheDocumentedOnesWithOneLine) {
    EXPECT_NE(RunTool("--help").out.find("Exit status: 0 done (a dialog: accepted); 1 the dialog "
                                         "was cancelled or refused OK"),
              std::string::npos);
    TempDatabase empty(false);  // a file with no ERP tables
    const std::string noDisplay = "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
    struct Case {
        std::string args, env;
        int exitCode;
        std::string err;
    };
    const Case cases[] = {
        {"show --list 1", "", 1, "qelt-filter: the dialog of list 1 was cancelled\n"},
        {"show --accept", "", 2, "qelt-filter: --list is required (--help shows the usage)\n"},
        {"sql --list x", "", 2, "qelt-filter: *"},
        {"--props UserID=2 show --list 1 --gui", noDisplay, 2, "no display*"},
        {"show --list 1 --gui --dump", noDisplay, 2,
         "qelt-filter: show --gui leaves the dialog to a person: --accept and --dump are for the "
         "scripted dialog\n"},
        {"sql --list 987654", "", 3, "qelt-filter: no list with id 987654\n"},
        {"show --list 987654 --accept", "", 3, "qelt-filter: no list with id 987654\n"},
        {"--db /nonexistent/erp.db sql --list 1", "", 3,
         "qelt-filter: cannot open database /nonexistent/erp.db: no such file\n"},
        {"--db \"" + empty.path() + "\" sql --list 1", "", 3, "qelt-filter: *"},
        // The Qt dialog takes the scheme before the person sees it.
        {"show --list 1 --gui --scheme nope",
         "QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='*=false'", 3,
         "qelt-filter: the dialog of list 1 offers no scheme named \"nope\" to this user\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const ToolRun r =
            RunCommand("timeout 120 " + Quoted(QELT_FILTER_EXE) + " " + c.args, c.env);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_EQ(r.out, "");
        if (c.err.back() == '*') {
            EXPECT_EQ(r.err.rfind(c.err.substr(0, c.err.size() - 1), 0), 0u) << r.err;
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        } else {
            EXPECT_EQ(r.err, c.err);
        }
    }
}

TEST(QeltFilterTool, ShowRefusedOkEndsWithTheToolsReasonAfterTheDialogsMessage) {
    // The dialog's own message comes first; the tool's reason is the last line.
    // A database named on the command line has no demo user: the group
    // restriction refuses the list.
    ToolRun r = RunTool(std::string("--db \"") + QELT_TEST_DEMO_DB + "\" show --list 1 --accept");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    const std::string last = "qelt-filter: the dialog of list 1 refused OK (see its messages)\n";
    ASSERT_GE(r.err.size(), last.size()) << r.err;
    EXPECT_EQ(r.err.substr(r.err.size() - last.size()), last);
    EXPECT_NE(r.err.find("GetDataSql:"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace qelt::testing
