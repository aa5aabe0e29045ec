#include <gtest/gtest.h>
#include <stdlib.h>

#include "common/test_env.h"
#include "qelt/error.h"
#include "qelt/host/session.h"
#include "support/session_env.h"
#include "support/shared_settings.h"

namespace qelt::support {
namespace {

class PropertyString : public ::testing::Test {
protected:
    void SetUp() override { ResetProcessState(); }
    void TearDown() override {
        unsetenv("QELT_PROPS");
        ResetProcessState();
    }
};

TEST_F(PropertyString, BracedValueKeepsItsSemicolonsAndEquals) {
    EXPECT_TRUE(ParsePropsString("A=1;B={x;y=z};C=3"));
    EXPECT_EQ(PropValue("A"), "1");
    EXPECT_EQ(PropValue("B"), "x;y=z");
    EXPECT_EQ(PropValue("C"), "3");
}

TEST_F(PropertyString, LastPairWithoutSemicolonIsRead) {
    ParsePropsString("UserID=16394;DBName=ERP");
    EXPECT_EQ(PropValue("DBName"), "ERP");
}

TEST_F(PropertyString, BracedValueAtTheEndIsRead) {
    ParsePropsString("A=1; B = { p ; q } ");
    EXPECT_EQ(PropValue("B"), "p ; q");
}

TEST_F(PropertyString, KeysAndValuesAreTrimmedAndKeysIgnoreCase) {
    ParsePropsString("  UserID = 16394 ;Server= erp01");
    EXPECT_EQ(PropValue("userid"), "16394");
    EXPECT_EQ(PropValue("SERVER"), "erp01");
}

TEST_F(PropertyString, MissingKeyRaises) {
    ParsePropsString("A=1");
    EXPECT_THROW(PropValue("UserID"), Error);
}

TEST_F(PropertyString, ParsingStopsAtAnEmptyKeyKeepingWhatCameBefore) {
    ParsePropsString("A=1; =2;C=3");
    EXPECT_EQ(PropValue("A"), "1");
    EXPECT_THROW(PropValue("C"), Error);
}

TEST_F(PropertyString, TextWithoutAnotherPairEndsTheParse) {
    ParsePropsString("A=1;trailing words;");
    EXPECT_EQ(PropValue("A"), "1");
}

TEST_F(PropertyString, DuplicateKeyRaises) {
    EXPECT_THROW(ParsePropsString("A=1;a=2"), Error);
}

TEST_F(PropertyString, EachParseReplacesTheTable) {
    ParsePropsString("A=1");
    ParsePropsString("B=2");
    EXPECT_THROW(PropValue("A"), Error);
    EXPECT_EQ(PropValue("B"), "2");
}

TEST_F(PropertyString, FirstLookupParsesTheSessionPropertyString) {
    host::SetSharedProperty("PropsString", "UserID=7;Lang=chs");
    EXPECT_EQ(PropValue("UserID"), "7");
}

TEST_F(PropertyString, PropertyStringFallsBackToTheEnvironment) {
    setenv("QELT_PROPS", "UserID=9", 1);
    EXPECT_EQ(PropsString(), "UserID=9");
    EXPECT_EQ(PropValue("UserID"), "9");
}

TEST_F(PropertyString, UserNameComesFromTheSharedProperties) {
    EXPECT_EQ(CurrentUserName(), "");
    host::SetSharedProperty("UserName", "张三");
    EXPECT_EQ(CurrentUserName(), "张三");
}

}  // namespace
}  // namespace qelt::support
