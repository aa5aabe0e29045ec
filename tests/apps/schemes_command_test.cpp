// `qelt-filter schemes`: what a user sees of a list's schemes, the export
// document, import into another database, and one-line refusals.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "apps/tool_run.h"

namespace qelt::testing {
namespace {

void Exec(const std::string& file, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

// The rows of a query, one line each, fields joined with "|".
std::string Rows(const std::string& file, const std::string& sql) {
    sqlite3* db = nullptr;
    std::string out;
    if (sqlite3_open(file.c_str(), &db) == SQLITE_OK)
        sqlite3_exec(
            db, sql.c_str(),
            [](void* text, int n, char** values, char**) {
                auto& s = *static_cast<std::string*>(text);
                for (int i = 0; i < n; ++i)
                    s += (i ? "|" : "") + std::string(values[i] ? values[i] : "");
                s += "\n";
                return 0;
            },
            &out, nullptr);
    sqlite3_close(db);
    return out;
}

// A fresh copy of the demo database in a private folder.
class DemoCopy {
public:
    DemoCopy() : path_(scratch_.path() + ".demo") {
        const ToolRun r = RunTool("demo-db " + Quoted(path_));
        if (r.exitCode != 0) throw std::runtime_error("demo-db failed: " + r.err);
    }
    std::string db() const { return "--db " + Quoted(path_) + " "; }
    const std::string& path() const { return path_; }
    void dropSchemes() const {
        Exec(path_,
             "DELETE FROM ICSchemeProfileEntry; DELETE FROM ICSchemeProfile; "
             "DELETE FROM sqlite_sequence WHERE name = 'ICSchemeProfile';");
    }
    // Every scheme head: id, name, owner, in-use mark, share flag.
    std::string heads() const {
        return Rows(path_,
                    "SELECT FSchemeID, FSchemeName, FUserID, FStatus, FISShare FROM "
                    "ICSchemeProfile ORDER BY FSchemeID");
    }
    std::string write(const std::string& name, const std::string& text) const {
        const std::string file = scratch_.path() + "." + name;
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }

private:
    TempDatabase scratch_{false};
    std::string path_;
};

constexpr const char* kListHead =
    "id\tname\tuser\tlist\tstatus\tshared\tconditions\tsortKeys\tcolumns\n";
const std::string kUser2List = std::string(kListHead) +
                               "1\t默认方案\t2\t1\t2\t0\t0\t0\t0\n"
                               "2\t本月外购入库\t2\t1\t0\t0\t2\t2\t4\n"
                               "3\t未审核入库单\t3\t1\t0\t1\t1\t1\t0\n";
const std::string kDemoHeads =
    "1|默认方案|2|2|0\n2|本月外购入库|2|0|0\n3|未审核入库单|3|0|1\n4|默认方案|4|2|0\n"
    "5|大额销售订单|4|0|1\n";

TEST(SchemesCommand, ListsTheUsersOwnAndSharedSchemesOfTheList) {
    DemoCopy demo;
    EXPECT_EQ(RunTool(demo.db() + "--props UserID=2 schemes list --list 1").out, kUser2List);
    EXPECT_EQ(RunTool(demo.db() + "--props 'UserName=孙丽;UserID=3' schemes list --list 1").out,
              std::string(kListHead) + "3\t未审核入库单\t3\t1\t0\t1\t1\t1\t0\n");
    EXPECT_EQ(RunTool(demo.db() + "--props UserID=2 schemes list --list 5").out,
              std::string(kListHead) + "5\t大额销售订单\t4\t5\t0\t1\t2\t1\t3\n");
    // The key of a dialog over lists 1 to 3 together holds none of them.
    EXPECT_EQ(
        RunTool(demo.db() + "--props UserID=2 schemes list --list 1 --filter 'FID in (1,2,3)'").out,
        kListHead);
}

// An export document of the given scheme objects, and one scheme object.
std::string Doc(const std::string& schemes, const std::string& version = "2") {
    return R"j({"format":"qelt-filter schemes","version":)j" + version + R"j(,"schemes":[)j" +
           schemes + "]}";
}
std::string SchemeJson(const std::string& name, const std::string& entries = "[]",
                       const std::string& userId = "2", const std::string& userName = "张伟") {
    return R"j({"head":{"FSchemeID":1,"FSchemeName":)j" + name + R"j(,"FUserID":)j" + userId +
           R"j(,"FUserName":")j" + userName +
           R"j(","FTranType":1,"FSysName":"(1)","FStatus":2,"FISShare":0},"entries":)j" + entries +
           "}";
}

TEST(SchemesCommand, ExportHoldsHeadsWithTheOwnersNameEntriesAndDecodedGrids) {
    DemoCopy demo;
    const ToolRun r =
        RunTool(demo.db() + "--props UserID=2 schemes export --list 1 --scheme 本月外购入库");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto doc = nlohmann::json::parse(r.out);
    EXPECT_EQ(doc["format"], "qelt-filter schemes");
    EXPECT_EQ(doc["version"], 2);
    EXPECT_EQ(doc["sysName"], "(1)");
    ASSERT_EQ(doc["schemes"].size(), 1u);
    const auto& s = doc["schemes"][0];
    EXPECT_EQ(s["head"].dump(),
              R"j({"FISShare":0,"FSchemeID":2,"FSchemeName":"本月外购入库","FStatus":0,)j"
              R"j("FSysName":"(1)","FTranType":1,"FUserID":2,"FUserName":"张伟"})j");
    EXPECT_EQ(s["entries"].size(), 8u);
    EXPECT_EQ(s["grids"]["conditions"].dump(),
              R"j([["","日期","大于或等于","4","2026-12-01","2026-12-01","2","","","","",""],)j"
              R"j(["并且","供应商","包含","9","钢材","钢材","5","","","","",""]])j");
    EXPECT_EQ(s["grids"]["sortKeys"][1].dump(),
              R"j(["单据编号","1","0","FBillNo","v1","FBillNo","ICStockBill"])j");
    EXPECT_EQ(s["grids"]["columns"][3].dump(), R"j(["0","2268","4","FCustName","0"])j");
}

// An administrator moving schemes to another database keeps their owners:
// exported, imported with --keep-owners, exported again, the same document
// but for the default scheme (each user has their own) and the new ids.
TEST(SchemesCommand, KeepingOwnersGivesTheSameDocumentButTheDefaultScheme) {
    DemoCopy source, target;
    target.dropSchemes();
    const ToolRun exported = RunTool(source.db() + "--props UserID=2 schemes export --list 1");
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const std::string file = source.write("export.json", exported.out);
    const ToolRun imported =
        RunTool(target.db() + "--props UserID=1 schemes import --keep-owners " + Quoted(file));
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out,
              "skipped\t\t默认方案\nimported\t1\t本月外购入库\nimported\t2\t未审核入库单\n");
    auto expected = nlohmann::ordered_json::parse(exported.out);
    expected["schemes"].erase(0);
    for (std::size_t i = 0; i < expected["schemes"].size(); ++i)
        expected["schemes"][i]["head"]["FSchemeID"] = i + 1;
    EXPECT_EQ(RunTool(target.db() + "--props UserID=2 schemes export --list 1").out,
              expected.dump(2) + "\n");
}

// Import is the importing user's act and all or nothing; the file is input.
// Each case imports one file (twice where the second run matters) into the
// same database and compares every scheme head afterwards.
TEST(SchemesCommand, ImportSavesWholeFilesAsTheImportingUsersOwnNotInUse) {
    DemoCopy demo;
    std::string big;
    for (int i = 0; i < 7001; ++i) big += "条";
    const std::string autoAccept =
        R"j([{"FType":0,"FKey":"chkShowByBeforeProject","FValue":"1"}])j";
    const std::string hostileRow =
        R"j([{"FType":0,"FKey":"Relation","FValue":"##<&单据编号##<&等于##<&1##<&x##<&x##<&5##<&##<&) OR 1=1##<&##<&##<&||"}])j";
    struct Case {
        const char* what;
        std::string args, text;
        int exitCode;
        std::string out, err, addedHeads;
    };
    const std::string ok = SchemeJson("\"ok\"");
    const Case cases[] = {
        {"a file naming another user, in use, accepting at once", "--props UserID=2 schemes import",
         Doc(SchemeJson("\"planted\"", autoAccept, "3", "孙丽")), 0, "imported\t6\tplanted\n", "",
         "6|planted|2|0|0\n"},
        {"a too long third scheme", "--props UserID=2 schemes import",
         Doc(ok + "," + ok + "," +
             SchemeJson("\"big\"",
                        R"j([{"FType":0,"FKey":"txtRunNoFrom","FValue":")j" + big + "\"}]")),
         3, "",
         "nothing imported from FILE: The scheme \"big\": The value of \"txtRunNoFrom\" has 7001 "
         "characters; at most 7000 fit",
         ""},
        {"the default scheme", "--props UserID=2 schemes import",
         Doc(SchemeJson("\"默认方案\"") + "," + SchemeJson("\"mine\"")), 0,
         "skipped\t\t默认方案\nimported\t7\tmine\n", "", "7|mine|2|0|0\n"},
        {"a default name", "--props UserID=2 schemes import",
         Doc(ok + "," + SchemeJson("\" default SCHEMA\"")), 3, "",
         "nothing imported from FILE: scheme 2 \" default SCHEMA\": the name is the default "
         "scheme's",
         ""},
        {"a condition no person wrote", "--props UserID=2 schemes import",
         Doc(ok + "," + SchemeJson("\"z\"", hostileRow)), 3, "",
         "nothing imported from FILE: scheme 2 \"z\": Relation row 1: the closing parentheses "
         "are not one of ) to ))))",
         ""},
        {"owners kept by a user", "--props UserID=2 schemes import --keep-owners", Doc(ok), 3, "",
         "nothing imported from FILE: Only an administrator saves schemes for other users; user 2 "
         "is none",
         ""},
        {"an owner the database does not know", "--props UserID=1 schemes import --keep-owners",
         Doc(ok + "," + SchemeJson("\"x\"", "[]", "2", "张三")), 3, "",
         "nothing imported from FILE: No user is named \"张三\" in this database", ""},
        {"owners by id only", "--props UserID=1 schemes import --keep-owners",
         Doc(R"j({"head":{"FSchemeID":1,"FSchemeName":"x","FUserID":3,"FTranType":1,"FSysName":"(1)","FStatus":0,"FISShare":0},"entries":[]})j",
             "1"),
         3, "",
         "nothing imported from FILE: --keep-owners needs the owners' user names, which an "
         "export of version 1 does not hold",
         ""},
        {"owners kept by the administrator", "--props UserID=1 schemes import --keep-owners",
         Doc(SchemeJson("\"hers\"", "[]", "9", "孙丽")), 0, "imported\t8\thers\n", "",
         "8|hers|3|0|0\n"},
    };
    std::string heads = kDemoHeads;
    ASSERT_EQ(demo.heads(), heads);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file = demo.write("import.json", c.text);
        const int runs = c.exitCode == 0 ? 1 : 2;
        for (int run = 0; run < runs; ++run) {
            const ToolRun r = RunTool(demo.db() + c.args + " " + Quoted(file));
            EXPECT_EQ(r.exitCode, c.exitCode);
            EXPECT_EQ(r.out, c.out);
            std::string err = c.err;
            if (const auto at = err.find("FILE"); at != std::string::npos) err.replace(at, 4, file);
            EXPECT_EQ(r.err, err.empty() ? "" : "qelt-filter: " + err + "\n");
        }
        heads += c.addedHeads;
        EXPECT_EQ(demo.heads(), heads);
    }
}

TEST(SchemesCommand, ImportRefusesAnythingButASchemeExportInOneLineAndImportsNothing) {
    DemoCopy demo;
    const std::string good =
        SchemeJson("\"x\"", R"j([{"FType":0,"FKey":"cboTime","FValue":"2"}])j");
    struct Case {
        const char* what;
        std::string text;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", "", "the text is not valid JSON"},
        {"cut", Doc(good).substr(0, 60), "the text is not valid JSON"},
        {"binary", std::string("\x00\xff\xfe{", 4), "the text is not valid JSON"},
        {"deep", std::string(5 << 20, '['), "it nests deeper than 10 levels"},
        {"huge", Doc(good) + std::string(16 << 20, ' '), "it is larger than 16 MiB"},
        {"list", "[]", "the document is not an object"},
        {"other format", R"j({"format":"x","version":1,"schemes":[]})j",
         "\"format\" is not \"qelt-filter schemes\""},
        {"version", Doc("", "3"), "\"version\" is not 1 to 2"},
        {"no schemes", R"j({"format":"qelt-filter schemes","version":1})j",
         "the document has no \"schemes\""},
        {"schemes an object", R"j({"format":"qelt-filter schemes","version":1,"schemes":{}})j",
         "\"schemes\" is not a list"},
        {"second bad", Doc(good + "," + SchemeJson("7")),
         "scheme 2 head \"FSchemeName\" is not a text"},
        {"no owner name", Doc(R"j({"head":{"FSchemeID":1,"FSchemeName":"x","FUserID":2}})j"),
         "scheme 1 head has no \"FUserName\""},
        {"user too big", Doc(SchemeJson("\"x\"", "[]", "4294967296")),
         "scheme 1 head \"FUserID\" is out of range"},
        {"user a fraction", Doc(SchemeJson("\"x\"", "[]", "2.5")),
         "scheme 1 head \"FUserID\" is not a whole number"},
        {"entry value null",
         Doc(SchemeJson("\"x\"", R"j([{"FType":0,"FKey":"k","FValue":null}])j")),
         "scheme 1 entry 1 \"FValue\" is not a text"},
        {"entry without type", Doc(SchemeJson("\"x\"", R"j([{"FKey":"k","FValue":"v"}])j")),
         "scheme 1 entry 1 has no \"FType\""},
    };
    for (const Case& c : cases) {
        const std::string file = demo.write("junk.json", c.text);
        const ToolRun r = RunTool(demo.db() + "--props UserID=2 schemes import " + Quoted(file));
        EXPECT_EQ(r.exitCode, 3) << c.what;
        EXPECT_EQ(r.err, "qelt-filter: " + file + " is not a scheme export: " + c.reason + "\n")
            << c.what;
    }
    EXPECT_EQ(demo.heads(), kDemoHeads);
}

TEST(SchemesCommand, FailuresExitWithOneLine) {
    DemoCopy demo;
    struct Case {
        std::string args;
        int exitCode;
        std::string err;
    };
    const Case cases[] = {
        {"schemes list --list 1", 2,
         "qelt-filter: schemes list and export need the user's property string with UserID "
         "(--props or QELT_PROPS)\n"},
        {"schemes import x.json", 2,
         "qelt-filter: schemes import saves the schemes as the user of the property string, "
         "which must hold UserID (--props or QELT_PROPS)\n"},
        {"--props UserName=x schemes export --list 1", 3,
         "qelt-filter: The property string holds no numeric UserID\n"},
        {"--props UserID=2 schemes list --list 99", 3, "qelt-filter: no list with id 99\n"},
        {"--props UserID=2 schemes export --list 1 --scheme 没有", 3,
         "qelt-filter: no scheme named \"没有\" of the scheme key (1)\n"},
        {"--props UserID=2 schemes import /nonexistent/file.json", 3,
         "qelt-filter: cannot read /nonexistent/file.json\n"},
        {"schemes", 2, "qelt-filter: A subcommand is required (--help shows the usage)\n"},
        {"schemes import", 2, "qelt-filter: FILE is required (--help shows the usage)\n"},
    };
    for (const Case& c : cases) {
        const ToolRun r = RunTool(demo.db() + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
    }
}

// Text that is not UTF-8 (a narrow column read over ODBC) is written with
// U+FFFD instead of ending the tool.
TEST(SchemesCommand, JsonOutputReplacesBytesThatAreNotUtf8) {
    DemoCopy demo;
    Exec(demo.path(),
         "UPDATE ICSchemeProfile SET FSchemeName = '本月' || CAST(X'FF' AS TEXT) "
         "WHERE FSchemeID = 2; UPDATE ICListTemplate SET FName = 'L' || CAST(X'C3' AS TEXT) "
         "WHERE FID = 1;");
    struct Case {
        std::string args;
        std::vector<std::string> path;
        std::string text;
    };
    const Case cases[] = {
        {"schemes export --list 1", {"schemes", "1", "head", "FSchemeName"}, "本月\xEF\xBF\xBD"},
        {"sql --list 1 --json", {"templateInfo", "FName"}, "L\xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        const ToolRun r = RunTool(demo.db() + "--props UserID=2 " + c.args);
        ASSERT_EQ(r.exitCode, 0) << c.args << r.err;
        nlohmann::json doc = nlohmann::json::parse(r.out);
        for (const std::string& step : c.path)
            doc = doc.is_array() ? doc[std::stoul(step)] : doc[step];
        EXPECT_EQ(doc, c.text) << c.args;
    }
}

TEST(SchemesCommand, ASchemeRoundTripGivesTheSameAcceptedStatement) {
    DemoCopy source, target;
    target.dropSchemes();
    const std::string user = "--props UserID=2 --user " + Quoted("张伟") + " ";
    const std::string show = "show --list 1 --accept --scheme " + Quoted("本月外购入库");
    const ToolRun before = RunTool(source.db() + user + show);
    ASSERT_EQ(before.exitCode, 0) << before.err;
    EXPECT_NE(before.out.find("t2.FName LIKE '%钢材%'"), std::string::npos) << before.out;
    const ToolRun exported = RunTool(source.db() + user + "schemes export --list 1");
    ASSERT_EQ(RunTool(target.db() + user + "schemes import " +
                      Quoted(source.write("export.json", exported.out)))
                  .exitCode,
              0);
    const ToolRun after = RunTool(target.db() + user + show);
    EXPECT_EQ(after.exitCode, 0) << after.err;
    EXPECT_EQ(after.out, before.out);
    EXPECT_EQ(after.err, "");

    const ToolRun unknown = RunTool(target.db() + user + "show --list 1 --accept --scheme nope");
    EXPECT_EQ(unknown.exitCode, 3);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err,
              "qelt-filter: the dialog of list 1 offers no scheme named \"nope\" to this user\n");
}

// A start scheme whose auto-accept box is set accepts the dialog as it
// opens: the result is the dialog's, whatever the script would have done.
TEST(SchemesCommand, ShowReportsADialogThatAcceptedItselfAsItOpened) {
    DemoCopy demo;
    Exec(demo.path(),
         "UPDATE ICSchemeProfileEntry SET FValue = '1' WHERE FSchemeID = 1 "
         "AND FKey = 'chkShowByBeforeProject'");
    const std::string user = demo.db() + "--props " + Quoted("UserID=2;UserName=张伟") + " ";
    for (const char* how : {"--dump", "--accept"}) {
        const ToolRun r = RunTool(user + "show --list 1 " + how);
        EXPECT_EQ(r.exitCode, 0) << how << r.err;
        EXPECT_EQ(r.out.rfind("SELECT TOP 5000 ", 0), 0u) << how << r.out;
    }
    const ToolRun r = RunTool(user + "show --list 1 --accept --scheme " + Quoted("本月外购入库"));
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err,
              "qelt-filter: the dialog of list 1 accepted itself as it opened (the user's start "
              "scheme accepts at once), before the scheme \"本月外购入库\" could be chosen\n");
}

// Processes opening a list for a user without schemes at once leave that
// user one default scheme.
TEST(SchemesCommand, ParallelFirstOpeningsLeaveOneDefaultScheme) {
    DemoCopy demo;
    std::string line = Quoted(QELT_FILTER_EXE) + " " + demo.db() + "--props " +
                       Quoted("UserID=6;UserName=吴芳") + " show --list 1 --dump >/dev/null";
    std::string script;
    for (int i = 0; i < 6; ++i) script += line + " & ";
    EXPECT_EQ(RunCommand("sh -c " + Quoted(script + "wait")).exitCode, 0);
    EXPECT_EQ(Rows(demo.path(),
                   "SELECT FSchemeName, count(*) FROM ICSchemeProfile "
                   "WHERE FUserID = 6 GROUP BY FSchemeName"),
              "默认方案|1\n");
}

TEST(SchemesCommand, CheckNamesVanishedFieldsAndRowsNoPersonWrote) {
    DemoCopy demo;
    ToolRun r = RunTool(demo.db() + "schemes check --list 1");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "ok: every stored scheme of (1) holds only what the dialog writes, naming fields "
              "its template offers\n");
    Exec(demo.path(),
         "UPDATE ICChatBillTitle SET FColName='FSupplierGone', FColCaption='供应商旧' "
         "WHERE FColName='FSupplierName'; UPDATE ICChatBillTitle SET FVisForOrder=0 "
         "WHERE FColName='FDate'; UPDATE ICSchemeProfileEntry SET FValue = "
         "'##<&仓库##<&等于##<&1##<&x##<&x##<&17##<&##<&) OR 1=1##<&##<&##<&##<&||"
         "并且##<&日期##<&包含##<&9##<&x##<&x##<&2##<&##<&##<&##<&##<&##<&||' "
         "WHERE FSchemeID = 3 AND FKey = 'Relation'");
    r = RunTool(demo.db() + "schemes check --list 1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out,
              "scheme 2 \"本月外购入库\" (user 2, list 1): condition 2 names 供应商, which the "
              "template no longer offers\n"
              "scheme 2 \"本月外购入库\" (user 2, list 1): sort key 1 names FDate, which the "
              "template no longer offers\n"
              "scheme 2 \"本月外购入库\" (user 2, list 1): column 3 names FSupplierName, which "
              "the template no longer offers\n"
              "scheme 3 \"未审核入库单\" (user 3, list 1): condition 2 on 日期: the field "
              "does not offer the comparison 包含\n"
              "scheme 3 \"未审核入库单\" (user 3, list 1): Relation row 1: the closing "
              "parentheses are not one of ) to ))))\n");
    r = RunTool(demo.db() + "schemes check --list 987654");
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err, "qelt-filter: no list with id 987654\n");
}

}  // namespace
}  // namespace qelt::testing
