#include "qelt/dictionary.h"

#include <gtest/gtest.h>

#include "platform/recordset_fixture.h"
#include "qelt/error.h"

namespace qelt {
namespace {

using namespace testing;

TEST(DictionaryAndList, KeepFirstAddedOrderMatchKeysExactlyAndRefuseDuplicates) {
    Dictionary d;
    d.add("b", 1);
    d.add("a", Variant::null());
    d.set("c", 3);
    d.set("b", 4);
    d.add("B", 5);
    EXPECT_EQ(ErrorNumber([&] { d.add("b", 6); }), err::kKeyExists);
    std::string dump;
    for (const auto& [key, value] : d) dump += key + "=" + value.toString("<null>") + ";";
    for (std::size_t i = 0; i < d.size(); ++i)
        dump += d.keyAt(i) + "=" + d.valueAt(i).toString("<null>") + ";";
    EXPECT_EQ(dump, "b=4;a=<null>;c=3;B=5;b=4;a=<null>;c=3;B=5;");
    EXPECT_EQ(ErrorNumber([&] { d.at("A"); }), err::kNotFound);
    EXPECT_EQ(ErrorNumber([&] { d.keyAt(4); }) + ErrorNumber([&] { d.valueAt(4); }),
              2 * err::kSubscript);
    EXPECT_EQ(d.value("A", "fallback").toString() + "|" + d.value("a", "f").toString("<null>"),
              "fallback|<null>");
    d.setValueAt(1, "x");
    EXPECT_EQ(d.keyAt(1) + "=" + d.at("a").toString(), "a=x");
    EXPECT_EQ(ErrorNumber([&] { d.setValueAt(4, 1); }), err::kSubscript);
    List l;  // items in the order added
    auto first = std::make_shared<Dictionary>(), second = std::make_shared<Dictionary>();
    l.add(first);
    l.add(second);
    EXPECT_TRUE(l.size() == 2 && l.at(0) == first && l.at(1) == second);
    EXPECT_EQ(ErrorNumber([&] { l.at(2); }), 9);
}

}  // namespace
}  // namespace qelt
