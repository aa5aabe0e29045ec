// The public face: CFilter's look-up path, shared settings, local connection, Show; its headers.
#include <gmock/gmock.h>

#include <filesystem>
#include <regex>

#include "common/golden.h"
#include "common/test_env.h"
#include "public/local_connection.h"
#include "qelt/cfilter.h"
#include "qelt/error.h"
#include "qelt/host/session.h"
#include "qelt/ui/presenter.h"
#include "support/shared_settings.h"
#include "support/system_options.h"

namespace qelt::testing {
namespace {

using ::testing::Field, ::testing::HasSubstr, ::testing::Throws;

// golden/lists.sql: list 1 (template 501, v1 joined to u1), 4 without template, 5 a bad relation.
const std::string kFrom =
    "  from TableA v1 WITH (READPAST)  INNER JOIN TableB u1 WITH (READPAST)  ON   "
    "v1.FInterID = u1.FInterID\r\n\r\n";
const std::string kList1Sql = "SELECT TOP 5000 v1.FBillNo AS FBillNo,v1.FDate AS FDate\r\n" +
                              kFrom + " where 1=1 AND  (v1.FStatus=1)  ORDER BY v1.FBillNo";

class Facade : public ::testing::Test {
protected:
    void SetUp() override {
        db.exec(ReadFile(TestSource("public/golden/lists.sql")));
        host::SetSharedProperty("PropsString", "UserID=7;UserName=li");
    }
    std::string shown() { return messages.take(); }
    TempDatabase db;
    MessageRecorder messages;
};

// An extra filter joins the template's unless it stands alone; a blank one is none.
TEST_F(Facade, LookupPathBuildsTheListSelectAndKeepsItUntilAFailure) {
    CFilter filter;
    filter.setListID(1);
    EXPECT_TRUE(filter.getInfoByF7Key("").isEmpty());
    ASSERT_TRUE(filter.OK() && filter.getListHead() && filter.getListTemplateInfo());
    EXPECT_EQ(filter.Datasql(), kList1Sql);
    EXPECT_EQ("[" + filter.SQLWHERE() + "]" + std::to_string(filter.MyListID) + "|" +
                  std::to_string(filter.TemplateID()) + "|" + filter.CJName() + "|" +
                  filter.getListHead()->at(1)->at("FColName").toString() + "|" +
                  filter.getListTemplateInfo()->at("FMasterTable").toString(),
              "[]1|501|采购订单|FDate|v1,u1");
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"v1.FQty>0", false, "(v1.FQty>0 AND v1.FStatus=1)"},
        {"v1.FQty>0", true, "(v1.FQty>0)"},
        {"  ", true, "(v1.FStatus=1)"}};
    for (const auto& [extra, alone, where] : cases) {
        filter.getInfoByF7Key(extra, false, alone);
        EXPECT_NE(filter.Datasql().find(std::string(" where 1=1 AND  ") + where + "  ORDER"),
                  std::string::npos)
            << filter.Datasql();
    }
    // A missing list or template keeps the last results; a template that is no SQL empties them.
    for (int list : {1, 999, 4}) {
        filter.setListID(list);
        filter.getInfoByF7Key("");
        EXPECT_TRUE(filter.OK() && filter.Datasql() == kList1Sql) << list;
    }
    EXPECT_EQ(filter.CJName() + std::to_string(filter.MyListID), "无模板1");
    filter.setListID(5);
    filter.getInfoByF7Key("");
    EXPECT_EQ(std::to_string(filter.OK()) + filter.Datasql(), "0");
    db.exec("DROP TABLE ICListTemplate");
    EXPECT_THAT([&] { filter.getInfoByF7Key(""); },
                Throws<Error>(Field(&Error::description, HasSubstr("list 5"))));
}

// A new filter resets the shared settings; a look-up re-reads the audit choice.
TEST_F(Facade, NewFilterResetsSharedSettingsAndALookupRereadsTheAuditChoice) {
    CFilter first;
    first.setListID(1);
    first.setFilter("FID in (1)");
    first.setIsMakeVoucher(true);
    first.SetAuditChoice(0);
    first.getInfoByF7Key("");
    EXPECT_EQ(support::Shared().AuditChoice, -1) << "re-read from the options, default true";
    ASSERT_EQ(first.TemplateID(), 501);
    CFilter second;
    EXPECT_EQ(std::to_string(first.TemplateID()) + "[" + first.CJName() + "][" +
                  support::Shared().Filter + "]" + std::to_string(support::Shared().IsMakeVoucher) +
                  std::to_string(second.OK()),
              "0[][]00");
}

// On the demo database: a failed direct open keeps the previous one; the filter's end releases
// it, not the host's connection.
TEST(LocalConnection, LastsAsLongAsItsFilter) {
    support::ResetProcessState();
    host::SetDatabase(std::string("sqlite3://db=") + QELT_TEST_DEMO_DB);
    host::SetSharedProperty(host::kPropsStringProperty, "UserID=2");
    MessageRecorder messages;
    {
        CFilter filter;
        filter.setListID(1);
        filter.setLocalConnectingString(std::string("SQLITE3://db=") + QELT_TEST_DEMO_DB);
        EXPECT_THROW(filter.setLocalConnectingString("odbc://DRIVER=NoSuchDriver;"), Error);
        EXPECT_TRUE(facade::HasLocalConnection());
        filter.getInfoByF7Key("");
        ASSERT_TRUE(filter.OK());
        EXPECT_EQ(support::SystemOption("IC", "ListMaxRows", "none"), "5000");
    }
    EXPECT_EQ(support::SystemOption("IC", "ListMaxRows", "none"), "none");
    EXPECT_FALSE(facade::HasLocalConnection());
    CFilter after;
    after.setListID(1);
    after.getInfoByF7Key("");
    EXPECT_TRUE(after.OK()) << "the host's connection serves again";
    support::ResetProcessState();
}

class Show : public Facade {
protected:
    void SetUp() override {
        Facade::SetUp();
        db.exec(
            "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) "
            "VALUES ('IC','NeedShowColumnPrompt','30'); DELETE FROM ICListTemplate WHERE FID > 3");
    }
    // A person does `also`, asks for bill number (field 1) equal to (0) "A", any date, and OK.
    void acceptsBillNoA(std::function<void(ui::Form&)> also = {}) {
        ui::SetPresenter(std::make_shared<ui::ScriptedPresenter>([also](ui::Form& f) {
            if (also) also(f);
            ui::Grid& grid = f.grid("VpFilter");
            ASSERT_TRUE(grid.pick(1, 3, 1) && grid.pick(1, 4, 0) && grid.type(1, 6, "A"));
            ui::ComboBox& time = f.combo("cboTime");
            if (time.visible() && time.enabled() && time.listCount() > 3) time.select(3);
            f.button("cmdOk").click();
        }));
    }
};

// Each Show builds a whole dialog, whatever an earlier call left current; without a front end,
// or with a dialog that fails, nothing of an earlier success stays. A cross report gives the
// WHERE only, with conditions alone on offer; a fixed status locks the type; Cancel keeps the
// WHERE.
TEST_F(Show, GivesTheDialogsResultsAndAFailureKeepsNoneOfAnEarlierOne) {
    struct Failing : ui::Presenter {
        void runModal(ui::Form&) override { throw Error(err::kDatabase, "test", "lost"); }
    };
    const std::string expected =
        "SELECT TOP 5000 v1.FBillNo AS FBillNo,v1.FDate AS FDate,u1.FQty AS FQty,"
        "u1.FAmount AS FAmt\r\n" +
        kFrom + " where 1=1 AND (     v1.FBillNo = 'A')  AND (v1.FStatus=1)  ORDER BY v1.FBillNo";
    CFilter filter;
    filter.setListID(1);
    filter.getInfoByF7Key("");
    for (int i = 0; i < 2; ++i) {
        acceptsBillNoA();
        filter.getInfoByF7Key("", true);  // shows the dialog
        EXPECT_TRUE(filter.OK()) << i << shown();
        EXPECT_EQ(filter.Datasql(), expected) << i;
    }
    ASSERT_TRUE(filter.getListHead() && filter.getListTemplateInfo());
    EXPECT_EQ(std::to_string(filter.getListHead()->size()) + "|" +
                  filter.getListTemplateInfo()->at("FID").toString(),
              "4|1");
    for (const auto& presenter :
         std::vector<std::shared_ptr<ui::Presenter>>{nullptr, std::make_shared<Failing>()}) {
        filter.getInfoByF7Key("");
        ASSERT_TRUE(filter.OK());
        ui::SetPresenter(presenter);
        filter.Show();
        EXPECT_EQ(std::to_string(filter.OK()) + filter.Datasql(), "0") << "no earlier statement";
    }
    EXPECT_EQ(shown(),
              "|No dialog front end is registered: the filter dialog cannot be shown.|"
              "Vostrel提示|48");
    std::string seen;
    acceptsBillNoA([&](ui::Form& f) {
        for (const auto& tab : f.tabs("SSTab1").tabs()) seen += std::to_string(tab.enabled);
        seen += std::to_string(f.combo("cboTransType").enabled());
    });
    filter.setCROSSRPT(1);
    filter.setListShowStatus(4);
    filter.Show();
    EXPECT_TRUE(filter.OK()) << shown();
    EXPECT_EQ(seen, "1000");
    const std::string where = " (     v1.FBillNo = 'A')  AND v1.FStatus=1";
    EXPECT_EQ(filter.SQLWHERE() + "|" + filter.Datasql(), where + "|") << "nothing else changes";
    ui::SetPresenter(std::make_shared<ui::ScriptedPresenter>(
        [](ui::Form& f) { f.button("cmdCancel").click(); }));
    filter.setCROSSRPT(0);
    filter.Show();
    EXPECT_FALSE(filter.OK());
    EXPECT_EQ(filter.Datasql() + filter.SQLWHERE() + std::to_string(filter.MyListID), where + "1");
    EXPECT_EQ(shown(), "");
}

// The installed headers state contracts only (scripts/check-layers.sh keeps
// their includes public): no internal namespace, no friend that lets tests or
// helpers reach private steps (a form owning its controls is a design friend,
// not one of those).
TEST(PublicHeaders, NameNoInternals) {
    const std::filesystem::path root = std::string(QELT_TEST_SOURCE_DIR) + "/include/qelt";
    static const std::regex reachIn(
        R"(detail::|friend\s+(class|struct)\s+\w*(Test|Access|Peer)\w*)");
    std::string offences;
    for (const auto& f : std::filesystem::recursive_directory_iterator(root))
        if (f.path().extension() == ".h" && std::regex_search(ReadFile(f.path().string()), reachIn))
            offences += f.path().filename().string() + "\n";
    EXPECT_EQ(offences, "");
}

}  // namespace
}  // namespace qelt::testing
