#include <gtest/gtest.h>

#include <string>

#include "common/template_rows.h"
#include "qelt/host/session.h"

namespace qelt::testing {
namespace {

std::string Restriction(int userId) {
    return " and v1.fbillerid  in (select c1.Fuserid from t_group c1 \r\n"
           " where c1.FGroupid in (select c2.fgroupid from t_group c2 where c2.FGroupId <> 0  and "
           "c2.fuserid = " +
           std::to_string(userId) + " )) ";
}

class DataPermissions : public TemplateTest {
protected:
    void SetUp() override {
        db.exec(
            "INSERT INTO t_User (FUserID) VALUES (1), (5), (6);"
            "INSERT INTO t_Group (FGroupID, FUserID) VALUES (1, 1), (3, 5)");
        for (int tpl : {7, 604, 86}) {
            addBillList(tpl);
            addColumn(tpl, "1 v1.FBillNo AS FBillNo | FMode=1");
        }
    }
};

// Without a readable user the restricted list cannot be built for anyone: no statement at all.
TEST_F(DataPermissions, ListsOfOtherUsersDocumentsAreRestrictedWhenTheOptionIsOn) {
    const struct {
        const char* option;  // nullptr: no option row
        const char* props;
        int tpl;
        std::string where;
    } cases[] = {
        {"1", "UserName=clerk;UserID=5", 7, "1=1" + Restriction(5)},
        {"1", "UserID=6", 7, "1=1" + Restriction(6)},  // in no group: the list is empty
        {"1", "UserID=1", 7, "1=1"},
        {nullptr, "UserID=5", 7, "1=1"},
        {"0", "UserID=5", 7, "1=1"},
        {"yes", "UserID=5", 7, "1=1"},
        {"1", "UserID=5", 604, "1=1"},
        {"1", "UserID=5", 86, "1=1"},
        {"1", "UserName=clerk", 7, "no statement"},
        {"1", "UserID=abc", 7, "no statement"},
        {nullptr, "UserName=clerk", 7, "1=1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        db.exec("DELETE FROM t_SystemProfile WHERE FKey = 'CheckUserGroup'");
        if (c.option) setOption("CheckUserGroup", c.option);
        host::SetSharedProperty(host::kPropsStringProperty, c.props);
        const bool built = !listSql(c.tpl).empty();
        EXPECT_EQ(built ? info.at("Where").toString() : "no statement", c.where);
        if (built) {
            EXPECT_EQ(t.lastWhere(), c.where);
        }
    }
    // A check that cannot read its table answers no, silently.
    setOption("CheckUserGroup", "1");
    host::SetSharedProperty(host::kPropsStringProperty, "UserID=1");
    db.exec("DROP TABLE t_Group");
    listSql();
    EXPECT_EQ(info.at("Where").toString(), "1=1" + Restriction(1));
    db.exec("DROP TABLE t_SystemProfile");
    listSql();
    EXPECT_EQ(info.at("Where").toString(), "1=1");
    EXPECT_TRUE(recorder.messages.empty());
}

}  // namespace
}  // namespace qelt::testing
