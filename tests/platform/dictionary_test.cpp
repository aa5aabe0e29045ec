#include "qelt/dictionary.h"

#include <gtest/gtest.h>

#include "qelt/error.h"

namespace qelt {
namespace {

TEST(Dictionary, KeepsKeysInTheOrderFirstAdded) {
    Dictionary d;
    d.add("b", 1);
    d.add("a", 2);
    d.set("c", 3);
    d.set("b", 4);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d.keyAt(0), "b");
    EXPECT_EQ(d.keyAt(1), "a");
    EXPECT_EQ(d.keyAt(2), "c");
    EXPECT_EQ(d.at("b").toLong(), 4);
}

TEST(Dictionary, AddingAPresentKeyRaisesAndKeepsTheValue) {
    Dictionary d;
    d.add("k", "first");
    EXPECT_THROW(d.add("k", "second"), Error);
    EXPECT_EQ(d.at("k").toString(), "first");
    EXPECT_EQ(d.size(), 1u);
}

TEST(Dictionary, KeysAreCaseSensitive) {
    Dictionary d;
    d.add("Key", 1);
    d.add("KEY", 2);
    EXPECT_TRUE(d.contains("Key"));
    EXPECT_FALSE(d.contains("key"));
    EXPECT_EQ(d.at("KEY").toLong(), 2);
}

TEST(Dictionary, AbsentKeysRaiseOrGiveTheFallback) {
    Dictionary d;
    d.add("x", Variant::null());
    EXPECT_THROW(d.at("y"), Error);
    EXPECT_THROW(d.keyAt(1), Error);
    EXPECT_EQ(d.value("y", "fallback").toString(), "fallback");
    EXPECT_TRUE(d.value("x", "fallback").isNull());
}

TEST(List, ItemsInTheOrderAdded) {
    List l;
    auto first = std::make_shared<Dictionary>();
    auto second = std::make_shared<Dictionary>();
    l.add(first);
    l.add(second);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l.at(0), first);
    EXPECT_EQ(l.at(1), second);
    EXPECT_THROW(l.at(2), Error);
}

}  // namespace
}  // namespace qelt
