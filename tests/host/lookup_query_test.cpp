#include "qelt/host/lookup_query.h"

#include <gmock/gmock.h>

#include "common/test_env.h"
#include "host/recordset_dump.h"
#include "qelt/error.h"
#include "qelt/host/session.h"
#include "support/shared_settings.h"

namespace qelt {
namespace {

using ::testing::Field, ::testing::HasSubstr, ::testing::Throws;

// The class's table, then one line per item: key, number, name, short number if any.
std::string Listed(int32_t classId, const std::string& text) {
    auto query = host::LookupQuery::ForClass(classId);
    if (!query) return "no table";
    const host::BaseTable& t = query->table();
    const host::LookupRows found = query->search(text);
    std::string out = t.caption + " " + t.table + "." + t.keyField + " " + t.numberField + " " +
                      t.nameField + (found.hasShortNumbers ? " +short" : "");
    for (const auto& r : found.rows)
        out += "\n" + r.id.toString("") + " " + r.number + " " + r.name +
               (found.hasShortNumbers ? " " + r.shortNumber : "");
    return out;
}

class LookupQueryOnDemo : public ::testing::TestWithParam<testing::Backend> {};

TEST_P(LookupQueryOnDemo, ListsTheClassItemsThatContainTheTextOrRaisesWithTheStatement) {
    support::ResetProcessState();
    host::SetDatabase(testing::DemoConnectionString(GetParam()));
    const std::tuple<int32_t, const char*, const char*> cases[] = {
        {4, "钢板",
         "物料 t_ICItem.FItemID FNumber FName +short\n1 1.01.001 冷轧钢板 001\n"
         "2 1.01.002 冷轧钢板 002\n3 1.01.003 不锈钢板 003"},
        // A quote is a character to look for, never SQL; '_' matches any one.
        {4, "x' OR '1'='1", "物料 t_ICItem.FItemID FNumber FName +short"},
        {4, "1.0_.004",
         "物料 t_ICItem.FItemID FNumber FName +short\n4 1.01.004 铝板 004\n"
         "10 1.03.004 深沟球轴承 010"},
        // The deleted warehouse is left out.
        {5, "",
         "仓库 t_Stock.FItemID FNumber FName\n1 01 原材料仓\n2 02 成品仓\n3 03 半成品仓\n"
         "4 04 辅料仓\n5 05 不良品仓"},
        {12, "美", "币别 t_Currency.FCurrencyID FNumber FName\n2 USD 美元"},
        {13, "", "no table"}};
    for (const auto& [classId, text, listed] : cases) EXPECT_EQ(Listed(classId, text), listed);
    const host::LookupQuery query(host::BaseTable{"", "t_Nothing", "FItemID"});
    EXPECT_THAT([&] { query.search("a'b"); },
                Throws<Error>(Field(&Error::description,
                                    HasSubstr("\"SELECT * FROM t_Nothing WHERE (FNumber LIKE "
                                              "'%a''b%' OR FName LIKE '%a''b%') ORDER BY "
                                              "FNumber\""))));
}

QELT_ON_EVERY_BACKEND(LookupQueryOnDemo);

}  // namespace
}  // namespace qelt
