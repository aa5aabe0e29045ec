#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/template_rows.h"
#include "platform/text.h"
#include "template/template_internal.h"

namespace qelt::testing {
namespace {

const std::string kFailed = "|组织关联条件时可能出现了特殊情况，关联失败！|Vostrel提示|0|0";

class JoinBuilder : public TemplateTest {
protected:
    // The FROM text, then the messages shown.
    std::string joins(const std::vector<std::string>& rows,
                      const std::vector<std::string>& needed) {
        db.exec("DELETE FROM ICTableRelation");
        for (const auto& r : rows) addRelation(7, r);
        t.mTemplateID = 7;
        const std::string from = tpl::BuildJoins(t, needed);
        return from + messages();
    }
};

// The joins of every kind are golden/joins.test. A chain v1 - t1 - t2 - ... needs one pass per
// pair; at most 51 passes are made.
TEST_F(JoinBuilder, TooManyPassesFailWithTheMessage) {
    std::vector<std::string> rows, needed{"v1"};
    for (int i = 1; i <= 52; ++i) {
        needed.push_back("t" + std::to_string(i));
        rows.push_back("T " + needed[i - 1] + ".FID = T " + needed[i] + ".FID");
    }
    EXPECT_EQ(joins(rows, needed), kFailed);
    rows.pop_back();
    needed.pop_back();
    EXPECT_TRUE(text::EndsWith(joins(rows, needed), " INNER JOIN T t51 ON   t50.FID = t51.FID"));
}

}  // namespace
}  // namespace qelt::testing
