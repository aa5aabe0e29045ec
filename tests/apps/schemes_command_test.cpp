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
std::string Doc(const std::string& schemes, const std::string& version = "1") {
    return R"j({"format":"qelt-filter schemes","version":)j" + version + R"j(,"schemes":[)j" +
           schemes + "]}";
}
std::string SchemeJson(const std::string& name, const std::string& entries = "[]",
                       const std::string& userId = "2") {
    return R"j({"head":{"FSchemeID":1,"FSchemeName":)j" + name + R"j(,"FUserID":)j" + userId +
           R"j(,"FTranType":1,"FSysName":"(1)","FStatus":0,"FISShare":0},"entries":)j" + entries +
           "}";
}

TEST(SchemesCommand, ExportHoldsHeadsEntriesAndDecodedGrids) {
    DemoCopy demo;
    const ToolRun r =
        RunTool(demo.db() + "--props UserID=2 schemes export --list 1 --scheme 本月外购入库");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto doc = nlohmann::json::parse(r.out);
    EXPECT_EQ(doc["format"], "qelt-filter schemes");
    EXPECT_EQ(doc["version"], 1);
    EXPECT_EQ(doc["sysName"], "(1)");
    ASSERT_EQ(doc["schemes"].size(), 1u);
    const auto& s = doc["schemes"][0];
    EXPECT_EQ(s["head"].dump(),
              R"j({"FISShare":0,"FSchemeID":2,"FSchemeName":"本月外购入库","FStatus":0,)j"
              R"j("FSysName":"(1)","FTranType":1,"FUserID":2})j");
    EXPECT_EQ(s["entries"].size(), 8u);
    EXPECT_EQ(s["grids"]["conditions"].dump(),
              R"j([["","日期","大于或等于","4","2026-12-01","2026-12-01","2","","","","",""],)j"
              R"j(["并且","供应商","包含","9","钢材","钢材","5","","","","",""]])j");
    EXPECT_EQ(s["grids"]["sortKeys"][1].dump(),
              R"j(["单据编号","1","0","FBillNo","v1","FBillNo","ICStockBill"])j");
    EXPECT_EQ(s["grids"]["columns"][3].dump(), R"j(["0","2268","4","FCustName","0"])j");
}

// Export, import into a copy without schemes, export again: the same
// document, owners kept, new ids given in file order.
TEST(SchemesCommand, ExportImportExportGivesTheSameDocument) {
    DemoCopy source, target;
    target.dropSchemes();
    const ToolRun exported = RunTool(source.db() + "--props UserID=2 schemes export --list 1");
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const std::string file = source.write("export.json", exported.out);
    const ToolRun imported = RunTool(target.db() + "schemes import " + Quoted(file));
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out,
              "imported\t1\t默认方案\nimported\t2\t本月外购入库\nimported\t3\t未审核入库单\n");
    EXPECT_EQ(RunTool(target.db() + "--props UserID=2 schemes export --list 1").out, exported.out);
}

TEST(SchemesCommand, ImportRefusesAnythingButASchemeExportInOneLineAndImportsNothing) {
    DemoCopy demo;
    const std::string good = SchemeJson("\"x\"", R"j([{"FType":0,"FKey":"k","FValue":"v"}])j");
    struct Case {
        const char* what;
        std::string text;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", "", "the text is not valid JSON"},
        {"cut", Doc(good).substr(0, 60), "the text is not valid JSON"},
        {"binary", std::string("\x00\xff\xfe{", 4), "the text is not valid JSON"},
        {"deep", std::string(100000, '[') + std::string(100000, ']'),
         "the document is not an object"},
        {"list", "[]", "the document is not an object"},
        {"other format", R"j({"format":"x","version":1,"schemes":[]})j",
         "\"format\" is not \"qelt-filter schemes\""},
        {"version", Doc("", "2"), "\"version\" is not 1"},
        {"no schemes", R"j({"format":"qelt-filter schemes","version":1})j",
         "the document has no \"schemes\""},
        {"schemes an object", R"j({"format":"qelt-filter schemes","version":1,"schemes":{}})j",
         "\"schemes\" is not a list"},
        {"second bad", Doc(good + "," + SchemeJson("7")),
         "scheme 2 head \"FSchemeName\" is not a text"},
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
        const ToolRun r = RunTool(demo.db() + "schemes import " + Quoted(file));
        EXPECT_EQ(r.exitCode, 1) << c.what;
        EXPECT_EQ(r.err, "qelt-filter: " + file + " is not a scheme export: " + c.reason + "\n")
            << c.what;
    }
    EXPECT_EQ(RunTool(demo.db() + "--props UserID=2 schemes list --list 1").out, kUser2List);
}

TEST(SchemesCommand, FailuresExitWithOneLine) {
    DemoCopy demo;
    struct Case {
        std::string args;
        std::string err;
    };
    const Case cases[] = {
        {"schemes list --list 1",
         "qelt-filter: schemes list and export need the user's property string with UserID "
         "(--props or QELT_PROPS)\n"},
        {"--props UserName=x schemes export --list 1",
         "qelt-filter: The property string holds no numeric UserID\n"},
        {"--props UserID=2 schemes list --list 99", "qelt-filter: no list with id 99\n"},
        {"--props UserID=2 schemes export --list 1 --scheme 没有",
         "qelt-filter: no scheme named \"没有\" of the scheme key (1)\n"},
        {"schemes import /nonexistent/file.json",
         "qelt-filter: cannot read /nonexistent/file.json\n"},
    };
    for (const Case& c : cases) {
        const ToolRun r = RunTool(demo.db() + c.args);
        EXPECT_EQ(r.exitCode, 1) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
    }
    // Command-line mistakes are CLI11's, with its own exit codes.
    for (const char* args : {"schemes", "schemes list", "schemes import"}) {
        const int code = RunTool(demo.db() + args).exitCode;
        EXPECT_NE(code, 0) << args;
        EXPECT_NE(code, 1) << args;
    }
}

// A value over its column is refused with the store's message, whatever the
// backend would have done; the schemes before it in the file stay.
TEST(SchemesCommand, ImportOfATooLongValueFailsWithTheStoresMessage) {
    DemoCopy demo;
    std::string big;
    for (int i = 0; i < 7001; ++i) big += "条";
    const std::string file = demo.write(
        "big.json",
        Doc(SchemeJson("\"ok\"") + "," +
            SchemeJson("\"big\"", R"j([{"FType":0,"FKey":"Relation","FValue":")j" + big + "\"}]")));
    const ToolRun r = RunTool(demo.db() + "schemes import " + Quoted(file));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "imported\t6\tok\n");
    EXPECT_EQ(r.err,
              "qelt-filter: The value of \"Relation\" has 7001 characters; at most 7000 fit\n");
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
    ASSERT_EQ(
        RunTool(target.db() + "schemes import " + Quoted(source.write("export.json", exported.out)))
            .exitCode,
        0);
    const ToolRun after = RunTool(target.db() + user + show);
    EXPECT_EQ(after.exitCode, 0) << after.err;
    EXPECT_EQ(after.out, before.out);
    EXPECT_EQ(after.err, "");

    const ToolRun unknown = RunTool(target.db() + user + "show --list 1 --accept --scheme nope");
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err,
              "qelt-filter: the dialog of list 1 offers no scheme named \"nope\" to this user\n");
}

TEST(SchemesCommand, CheckNamesEveryFieldTheTemplateNoLongerOffers) {
    DemoCopy demo;
    ToolRun r = RunTool(demo.db() + "schemes check --list 1");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "ok: every stored scheme of (1) names only fields its template offers\n");
    Exec(demo.path(),
         "UPDATE ICChatBillTitle SET FColName='FSupplierGone', FColCaption='供应商旧' "
         "WHERE FColName='FSupplierName'; UPDATE ICChatBillTitle SET FVisForOrder=0 "
         "WHERE FColName='FDate'");
    r = RunTool(demo.db() + "schemes check --list 1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out,
              "scheme 2 \"本月外购入库\" (user 2, list 1): condition 2 names 供应商, which the "
              "template no longer offers\n"
              "scheme 2 \"本月外购入库\" (user 2, list 1): sort key 1 names FDate, which the "
              "template no longer offers\n"
              "scheme 2 \"本月外购入库\" (user 2, list 1): column 3 names FSupplierName, which "
              "the template no longer offers\n");
    r = RunTool(demo.db() + "schemes check --list 987654");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "qelt-filter: no list with id 987654\n");
}

}  // namespace
}  // namespace qelt::testing
