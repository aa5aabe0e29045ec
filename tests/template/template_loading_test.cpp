#include <gtest/gtest.h>

#include <string>

#include "common/template_rows.h"
#include "platform/text.h"
#include "qelt/error.h"

namespace qelt::testing {
namespace {

class TemplateLoading : public ::testing::WithParamInterface<Backend>, public TemplateTest {
protected:
    TemplateLoading() : TemplateTest(GetParam()) {}
    void SetUp() override {
        addList(1, 7, "v1,u1", "采购订单");
        addList(2, 8, "v1", "Other");
    }
};

// Field order and values come straight from the head row of the loading
// query, on every backend (loading itself is golden/template_loading.test).
TEST_P(TemplateLoading, TemplateInfoHoldsTheHeadRowOfTheList) {
    try {
        t.GetTemplateInfo();
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number, err::kObjectNotSet);
    }
    t.InitData("FID in (1)");
    t.mListID = 1;
    const Dictionary info = t.GetTemplateInfo();
    // The keys are the database's names: PostgreSQL gives them in lower case.
    EXPECT_EQ(std::to_string(info.size()) + text::ToLower(info.keyAt(1)) + "=" +
                  info.at(info.keyAt(1)).toString() + " " + text::ToLower(info.keyAt(22)) + " " +
                  t.mRsTemplete->filter(),
              "23fname=采购订单 fneedstatistic FID=1");
    t.mListID = 2;
    EXPECT_EQ(t.GetTemplateInfo().size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(AllBackends, TemplateLoading, ::testing::ValuesIn(AllBackends()),
                         [](const auto& info) { return BackendName(info.param); });

}  // namespace
}  // namespace qelt::testing
