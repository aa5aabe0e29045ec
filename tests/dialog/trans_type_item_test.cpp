#include <gtest/gtest.h>

#include <string>

#include "dialog/frm_filter.h"

namespace qelt::dialog {
namespace {

TEST(TransTypeItem, HiddenCodeFollowsTheFirstHundredBlanksAndSplitsAtDoubleBars) {
    const std::string item = TransTypeItem::Text("采购订单", 71, 81, "FTranType = 81");
    EXPECT_EQ(item, "采购订单" + std::string(100, ' ') + "71||81||FTranType = 81");
    EXPECT_EQ(TransTypeItem::DisplayName(item), "采购订单");
    EXPECT_EQ(TransTypeItem::HiddenCode(item), "71||81||FTranType = 81");
    EXPECT_EQ(TransTypeItem::Part(item, 1) + "|" + TransTypeItem::Part(item, 2) + "|" +
                  TransTypeItem::Part(item, 3) + "|" + TransTypeItem::Part(item, 4),
              "71|81|FTranType = 81|");
    EXPECT_EQ(TransTypeItem::Part(TransTypeItem::Text("x", 1, 2, ""), 3), "");
    // A name longer than 100 characters is cut in what the person sees.
    const std::string longName(120, 'n');
    EXPECT_EQ(TransTypeItem::DisplayName(TransTypeItem::Text(longName, 1, 2, "")),
              std::string(100, 'n'));
}

}  // namespace
}  // namespace qelt::dialog
