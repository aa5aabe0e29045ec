#include "support/props_string.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <tuple>

#include "common/test_env.h"
#include "qelt/error.h"
#include "qelt/host/session.h"
#include "support/shared_settings.h"

namespace qelt::support {
namespace {

using testing::TempDatabase;

void UseProps(const std::string& props) {
    host::SetSharedProperty(host::kPropsStringProperty, props);
}

// Each row: the string, a key, its value (nullptr: the read raises). A duplicate key fails every
// read of that string, not only the first.
TEST(PropertyString, PairsAreTrimmedBracedValuesKeepSeparatorsAndMissingKeysRaise) {
    TempDatabase db(false);
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"A=1;B={x;y=z};C=3", "b", "x;y=z"},
        {"A=1;B={x;y=z};C=3", "C", "3"},
        {"A=1; B = { p ; q } ", "B", "p ; q"},
        {"A=1;B={open", "B", "open"},
        {"  UserID = 16394 ;Server= erp01", "userid", "16394"},
        {"A=1;trailing words;", "A", "1"},
        {"A=1; =2;C=3", "A", "1"},  // parsing stops at the empty key
        {"A=1; =2;C=3", "C", nullptr},
        {"A=1;a=2", "A", nullptr},
        {"A=1;a=2", "A", nullptr},
        {"A=3", "A", "3"}};
    for (const auto& [text, key, value] : rows) {
        SCOPED_TRACE(std::string(text) + " / " + key);
        UseProps(text);
        if (value)
            EXPECT_EQ(PropValue(key), value);
        else
            EXPECT_THROW(PropValue(key), Error);
    }
    EXPECT_TRUE(ParsePropsString("X=1"));
}

// The table follows the host: a read before any string is set freezes nothing, and an explicit
// parse lasts only while the host's string stays the same; then the environment.
TEST(PropertyString, TableUserNameAndStringFollowTheHostThenTheEnvironment) {
    TempDatabase db(false);
    EXPECT_THROW(PropValue("UserID"), Error);
    EXPECT_EQ(CurrentUserName() + "|" + PropsString(), "|");
    UseProps("UserID=8");
    ParsePropsString("UserID=1");
    EXPECT_EQ(PropValue("UserID"), "8");
    setenv("QELT_USER_NAME", "env", 1);
    EXPECT_EQ(CurrentUserName(), "env");
    host::SetSharedProperty("username", "张三");
    EXPECT_EQ(CurrentUserName() + "|" + PropsString(), "张三|UserID=8");
    ResetProcessState();  // forgets the property; the environment takes over
    setenv("QELT_PROPS", "UserID=9", 1);
    EXPECT_EQ(PropValue("UserID"), "9");
    unsetenv("QELT_PROPS");
    unsetenv("QELT_USER_NAME");
}

}  // namespace
}  // namespace qelt::support
