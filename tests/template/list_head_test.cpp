#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "template/template_access.h"
#include "template/template_fixture.h"

namespace qelt::testing {
namespace {

TEST(ColumnLayout, FirstElementOfAnAliasGivesWidthAndAlignment) {
    TemplateData t;
    std::string width = "x";
    std::string align = "y";
    TemplateDataAccess::columnWidthAndAlign(t, "FQty", width, align);
    EXPECT_EQ(width + "|" + align, "|");
    t.setCollectionHiden(std::make_shared<Collection<clsHidenElement>>(Collection<clsHidenElement>{
        Visible("FDate", 1, 900, "900", "0"), Visible("fqty", 2, 1134, "1134", "2"),
        Visible("FQty", 3, 567, "567", "1")}));
    TemplateDataAccess::columnWidthAndAlign(t, "FQTY", width, align);
    EXPECT_EQ(width + "|" + align, "1134|2");
    TemplateDataAccess::columnWidthAndAlign(t, "FPrice", width, align);
    EXPECT_EQ(width + "|" + align, "|");
}

TEST(ColumnLayout, PositionLookUpLeavesOutValuesWithoutMatch) {
    TemplateData t;
    t.setCollectionHiden(std::make_shared<Collection<clsHidenElement>>(
        Collection<clsHidenElement>{Visible("FQty", 4, 1134.5), Visible("FQty", 5, 1)}));
    int32_t index = 7;
    int32_t visible = 0;
    EXPECT_EQ(TemplateDataAccess::columnWidthAndPosition(t, "FPrice", index, visible), 0.0);
    EXPECT_EQ(index, 7);
    EXPECT_EQ(visible, 0);
    EXPECT_EQ(TemplateDataAccess::columnWidthAndPosition(t, "fqty", index, visible), 1134.5);
    EXPECT_EQ(index, 4);
    EXPECT_EQ(visible, 1);
}

}  // namespace
}  // namespace qelt::testing
