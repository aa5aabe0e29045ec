// The facade (CFilter): its look-up path, its settings, and the host session it follows.
#include <gmock/gmock.h>

#include <regex>
#include <string>

#include "common/host_fake.h"
#include "common/test_env.h"
#include "public/local_connection.h"
#include "qelt/cfilter.h"
#include "qelt/error.h"
#include "qelt/host/session.h"
#include "support/shared_settings.h"
#include "support/system_options.h"

namespace qelt::testing {
namespace {

// List 1 (template 501): head v1 joined to entries u1; two always-selected
// columns, the entry columns selected only on demand. List 4 has no
// template, list 5 a relation that cannot become SQL.
constexpr const char* kList1Sql =
    "SELECT TOP 5000 v1.FBillNo AS FBillNo,v1.FDate AS FDate\r\n"
    "  from TableA v1 WITH (READPAST)  INNER JOIN TableB u1 WITH (READPAST)  ON   "
    "v1.FInterID = u1.FInterID\r\n\r\n"
    " where 1=1 AND  (v1.FStatus=1)  ORDER BY v1.FBillNo";

class Facade : public ::testing::Test {
protected:
    void SetUp() override {
        db.exec(ReadFile(std::string(QELT_TEST_SOURCE_DIR) + "/tests/public/golden/lists.sql"));
        host::SetSharedProperty("PropsString", "UserID=7;UserName=li");
    }
    TempDatabase db;
    MessageRecorder messages;
};

TEST_F(Facade, LookupPathBuildsTheWholeListSelectAndLeavesTheWhereAlone) {
    CFilter filter;
    filter.setListID(1);
    EXPECT_TRUE(filter.getInfoByF7Key("").isEmpty());
    ASSERT_TRUE(filter.OK());
    EXPECT_EQ(filter.Datasql(), kList1Sql);
    auto head = filter.getListHead();
    auto info = filter.getListTemplateInfo();
    ASSERT_TRUE(head && info);
    ASSERT_EQ(head->size(), 2u);
    EXPECT_EQ("[" + filter.SQLWHERE() + "]" + std::to_string(filter.MyListID) + "|" +
                  std::to_string(filter.TemplateID()) + "|" + filter.CJName() + "|" +
                  head->at(0)->keyAt(0) + "|" + head->at(0)->at("FColName").toString() + "|" +
                  head->at(1)->at("FColCaption").toString() + "|" + info->at("FID").toString() +
                  "|" + info->at("FMasterTable").toString(),
              "[]1|501|采购订单|FColCaption|FBillNo|日期|1|v1,u1");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(Facade, ExtraFilterCombinesWithTheTemplateFilterUnlessTold) {
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"v1.FQty>0", false, "(v1.FQty>0 AND v1.FStatus=1)"},
        {"v1.FQty>0", true, "(v1.FQty>0)"},
        {"  ", true, "(v1.FStatus=1)"},  // a blank one takes the template's
    };
    CFilter filter;
    filter.setListID(1);
    for (const auto& [extra, alone, where] : cases) {
        filter.getInfoByF7Key(extra, false, alone);
        const std::string sql = filter.Datasql();
        EXPECT_EQ(sql.substr(sql.find(" where ")),
                  std::string(" where 1=1 AND  ") + where + "  ORDER BY v1.FBillNo");
    }
}

// A list that is not there, or has no template, leaves the results as the
// last success left them; a template that cannot become SQL is no success.
TEST_F(Facade, NothingFoundLeavesResultsAsTheyWereAndAFailureEmptiesThem) {
    CFilter filter;
    for (int list : {1, 999, 4}) {
        filter.setListID(list);
        filter.getInfoByF7Key("");
        EXPECT_TRUE(filter.OK()) << list;
        EXPECT_EQ(filter.Datasql(), kList1Sql) << list;
        if (list == 999) {
            EXPECT_EQ(filter.MyListID, 1);
        }
    }
    EXPECT_EQ(filter.CJName(), "无模板");
    filter.setListID(5);
    filter.getInfoByF7Key("");
    EXPECT_FALSE(filter.OK());
    EXPECT_EQ(filter.Datasql(), "");
}

TEST_F(Facade, NewFilterResetsSharedSettingsForAll) {
    CFilter first;
    first.setListID(1);
    first.setFilter("FID in (1)");
    first.setIsMakeVoucher(true);
    first.getInfoByF7Key("");
    EXPECT_EQ(first.Datasql().rfind("SELECT v1.FBillNo", 0), 0u) << "no TOP when making vouchers";
    ASSERT_EQ(first.TemplateID(), 501);
    CFilter second;
    EXPECT_EQ(std::to_string(first.TemplateID()) + "[" + first.CJName() + "][" +
                  support::Shared().Filter + "]" + std::to_string(support::Shared().IsMakeVoucher) +
                  std::to_string(second.OK()),
              "0[][]00");
}

TEST_F(Facade, AuditChoiceLastsOnlyUntilTheNextLookup) {
    CFilter filter;
    filter.SetAuditChoice(0);
    EXPECT_EQ(support::Shared().AuditChoice, 0);
    filter.setListID(1);
    filter.getInfoByF7Key("");
    EXPECT_EQ(support::Shared().AuditChoice, -1) << "re-read from the options, default true";
    db.exec(
        "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC','AuditChoice','0')");
    filter.getInfoByF7Key("");
    EXPECT_EQ(support::Shared().AuditChoice, 0);
}

TEST_F(Facade, SwitchesConvertToWholeNumbers) {
    CFilter filter;
    filter.setCROSSRPT(Variant("1"));
    filter.setCheckSwitch(Variant(true));
    EXPECT_EQ(filter.CROSSRPT() * 10 + filter.CheckSwitch(), 9);
    EXPECT_THROW(filter.setCROSSRPT(Variant("x")), Error);
    EXPECT_TRUE(filter.CanSelTrantype());
}

TEST(FacadeDatabase, UnreadableDatabaseRaisesWithTheListId) {
    TempDatabase db(false);  // no tables at all
    CFilter filter;
    filter.setListID(5);
    EXPECT_THAT([&] { filter.getInfoByF7Key(""); },
                ::testing::Throws<Error>(
                    ::testing::Field(&Error::description, ::testing::HasSubstr("list 5"))));
    EXPECT_FALSE(filter.OK());
}

// The facade follows the host's session on the demo database: the user whose
// property string is in force, and connection components that answer nothing.
constexpr int kDemoList = 1;

class UserIdentity : public ::testing::Test {
protected:
    void SetUp() override {
        support::ResetProcessState();
        host::SetDatabase(std::string("sqlite3://db=") + QELT_TEST_DEMO_DB);
    }
    void TearDown() override { support::ResetProcessState(); }
    MessageRecorder messages;
};

// The group restriction of the list as the look-up path writes it for the
// property string now in force: "user N", "none", or "no statement".
std::string RestrictionOfLookup(const char* props) {
    if (props) host::SetSharedProperty(host::kPropsStringProperty, props);
    CFilter filter;
    filter.setListID(kDemoList);
    filter.getInfoByF7Key("");
    if (!filter.OK()) return "no statement";
    std::smatch user;
    if (std::regex_search(filter.Datasql(), user, std::regex("c2\\.fuserid = (\\d+) \\)\\) ")))
        return "user " + user[1].str();
    return "none";
}

// Within one process the host logs users on and off; each list shows what
// the user now logged on may see. A read before any user is set freezes
// nothing.
TEST_F(UserIdentity, GroupRestrictionFollowsTheUserLoggedOnNow) {
    std::string seen;
    for (const char* props : {static_cast<const char*>(nullptr), "UserID=2", "UserID=5",
                              "UserName=Administrator;UserID=1", "UserID=6", "UserID=2"})
        seen += RestrictionOfLookup(props) + "; ";
    EXPECT_EQ(seen, "no statement; user 2; user 5; none; user 6; user 2; ");
}

// A host connection that answers nothing finds no list: results stay as the
// last success left them, and the options take their defaults.
TEST_F(UserIdentity, ConnectionThatAnswersNothingFindsNoList) {
    host::SetSharedProperty(host::kPropsStringProperty, "UserID=2");
    CFilter filter;
    filter.setListID(kDemoList);
    filter.getInfoByF7Key("");
    ASSERT_TRUE(filter.OK());
    const std::string sql = filter.Datasql();
    auto fake = HostFake::Install({"AppConnection"});
    filter.getInfoByF7Key("");
    EXPECT_TRUE(filter.OK());
    EXPECT_EQ(filter.Datasql(), sql);
    EXPECT_NE(fake->take().find("FID=1"), std::string::npos) << "the list was asked for";
    EXPECT_EQ(support::Shared().AuditChoice, -1);
}

// The direct connection opens like every session of the library; a failed
// open keeps the previous one. Destroying a CFilter releases the option
// cache and the direct connection, but not what the host configured.
TEST_F(UserIdentity, DirectConnectionLastsAsLongAsItsFilter) {
    host::SetSharedProperty(host::kPropsStringProperty, "UserID=2");
    {
        CFilter filter;
        filter.setListID(kDemoList);
        filter.setLocalConnectingString(std::string("SQLITE3://db=") + QELT_TEST_DEMO_DB);
        EXPECT_THROW(filter.setLocalConnectingString("odbc://DRIVER=NoSuchDriver;"), Error);
        EXPECT_TRUE(facade::HasLocalConnection());
        filter.getInfoByF7Key("");
        ASSERT_TRUE(filter.OK());
        EXPECT_EQ(support::SystemOption("IC", "ListMaxRows", "none"), "5000");
    }
    EXPECT_EQ(support::SystemOption("IC", "ListMaxRows", "none"), "none");
    EXPECT_FALSE(facade::HasLocalConnection());
    EXPECT_EQ(RestrictionOfLookup(nullptr), "user 2");
}

}  // namespace
}  // namespace qelt::testing
