// The facade follows the host's session: the user whose property string is in
// force, and connection components that answer nothing.
#include <gtest/gtest.h>

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
