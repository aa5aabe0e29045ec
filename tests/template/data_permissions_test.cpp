#include <gtest/gtest.h>

#include <string>

#include "support/session_env.h"
#include "template/template_access.h"
#include "template/template_fixture.h"

namespace qelt::testing {
namespace {

const std::string kRestriction =
    " and v1.fbillerid  in (select c1.Fuserid from t_group c1 \r\n"
    " where c1.FGroupid in (select c2.fgroupid from t_group c2 where c2.FGroupId <> 0  and "
    "c2.fuserid = 5 )) ";

class DataPermissions : public TemplateTest {
protected:
    void SetUp() override {
        db.exec("INSERT INTO t_User (FUserID, FName) VALUES (1, 'admin'), (5, 'clerk'), (6, 'new')");
        db.exec("INSERT INTO t_Group (FGroupID, FUserID) VALUES (1, 1), (3, 5)");
        for (int tpl : {7, 604, 86}) {
            addList(tpl, tpl, "v1,u1,");
            addBillRelation(tpl);
            addColumn(tpl, {.interId = 1, .colName = "FBillNo", .mode = 1});
        }
    }

    void logOn(const std::string& props) { support::ParsePropsString(props); }

    std::string whereOf(int templateId) {
        t.InitData("");
        t.mTemplateID = templateId;
        Dictionary info;
        t.GetListSQL("", "", &info);
        return info.value("Where", Variant()).toString("");
    }

    TemplateData t;
};

TEST_F(DataPermissions, AdministratorIsAMemberOfGroupOne) {
    EXPECT_TRUE(TemplateDataAccess::isAdministrator(t, 1));
    EXPECT_FALSE(TemplateDataAccess::isAdministrator(t, 5));
    EXPECT_FALSE(TemplateDataAccess::isAdministrator(t, 99));
    EXPECT_EQ((*queries)[0],
              "select t_User.FUserID from t_Group, t_User \r\n"
              " where t_Group.FUserID = t_User.FUserID \r\n"
              " And t_User.FUserID = 1 and t_Group.FGroupID = 1 ");
}

TEST_F(DataPermissions, GroupCheckFollowsTheSystemOption) {
    EXPECT_FALSE(TemplateDataAccess::groupCheckOn(t));
    EXPECT_EQ((*queries)[0],
              " Select FValue From t_Systemprofile Where FCategory = 'IC' and "
              "FKey='CheckUserGroup' ");
    setOption("CheckUserGroup", "0");
    EXPECT_FALSE(TemplateDataAccess::groupCheckOn(t));
    setOption("CheckUserGroup", "1");
    EXPECT_TRUE(TemplateDataAccess::groupCheckOn(t));
    setOption("CheckUserGroup", "yes");
    EXPECT_FALSE(TemplateDataAccess::groupCheckOn(t));
}

TEST_F(DataPermissions, FailedQueriesAnswerNo) {
    db.exec("DROP TABLE t_Group; DROP TABLE t_SystemProfile");
    EXPECT_FALSE(TemplateDataAccess::isAdministrator(t, 1));
    EXPECT_FALSE(TemplateDataAccess::groupCheckOn(t));
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(DataPermissions, GroupConditionRestrictsToTheUsersGroups) {
    EXPECT_EQ(TemplateDataAccess::groupCondition(t, "", 5).toString(), kRestriction);
    EXPECT_TRUE(TemplateDataAccess::groupCondition(t, "v1", 5).isEmpty());
}

TEST_F(DataPermissions, UserOutsideTheAdministratorsIsRestricted) {
    setOption("CheckUserGroup", "1");
    logOn("UserName=clerk;UserID=5");
    EXPECT_EQ(whereOf(7), "1=1" + kRestriction);
    EXPECT_EQ(t.lastWhere(), "1=1" + kRestriction);
}

TEST_F(DataPermissions, UserInNoGroupIsRestrictedAllTheSame) {
    setOption("CheckUserGroup", "1");
    logOn("UserID=6");
    EXPECT_NE(whereOf(7).find("c2.fuserid = 6 )) "), std::string::npos);
}

TEST_F(DataPermissions, AdministratorIsNotRestricted) {
    setOption("CheckUserGroup", "1");
    logOn("UserID=1");
    EXPECT_EQ(whereOf(7), "1=1");
}

TEST_F(DataPermissions, OptionOffOrMissingMeansNoRestriction) {
    logOn("UserID=5");
    EXPECT_EQ(whereOf(7), "1=1");
    setOption("CheckUserGroup", "0");
    EXPECT_EQ(whereOf(7), "1=1");
}

TEST_F(DataPermissions, OpenTemplatesAreNotRestricted) {
    setOption("CheckUserGroup", "1");
    logOn("UserID=5");
    EXPECT_EQ(whereOf(604), "1=1");
    EXPECT_EQ(whereOf(86), "1=1");
}

TEST_F(DataPermissions, UnknownUserGetsNoListWhenRestrictionApplies) {
    setOption("CheckUserGroup", "1");
    logOn("UserName=clerk");
    t.InitData("");
    t.mTemplateID = 7;
    EXPECT_EQ(t.GetListSQL("", ""), "");
    logOn("UserID=abc");
    EXPECT_EQ(t.GetListSQL("", ""), "");
}

TEST_F(DataPermissions, UnknownUserGetsTheListWithoutRestriction) {
    logOn("UserName=clerk");
    EXPECT_EQ(whereOf(7), "1=1");
}

}  // namespace
}  // namespace qelt::testing
