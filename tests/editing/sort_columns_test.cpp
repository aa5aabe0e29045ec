#include <gtest/gtest.h>

#include <string>

#include "editing/fmaker_fixture.h"
#include "qelt/ui/controls.h"
#include "qelt/ui/dump.h"
#include "qelt/ui/grid.h"

namespace qelt::testing {
namespace {

class SortColumns : public FMakerTest {
protected:
    SortColumns() {
        columns.setMaxCols(10);
        sort.setMaxCols(7);
        maker.setHideColumnsSpread(&columns);
    }

    ui::Grid columns{"vaHideColumn"};
    ui::Grid sort{"vsOrder"};
};

TEST_F(SortColumns, OrderFieldsAreSortableConditionFieldsWithHiddenCodes) {
    column("1 FBillNo 1 | FTableName='ICStockBill', FName='FBillNo', FHeadSecond='no'");
    column("2 FDate 0 | FVisForOrder=0");
    column("3 FNote 1 | FVisForQuest=0");
    column("4 FQty 2 | FVisible=0, FTableName='ICStockBillEntry', FName='FQtyMust'");
    initField();
    ui::ListBox list("listOrderFields");
    list.addItem("stale");
    maker.LoadOrderFields(list);
    const std::string pad(500, ' ');
    ASSERT_EQ(list.listCount(), 2);
    EXPECT_EQ(list.items()[0], "FBillNo$no" + pad + "1|*|FBillNo|*|FBillNo|*|ICStockBill|*|v1");
    EXPECT_EQ(list.items()[1], "FQty" + pad + "4|*|FQty|*|FQtyMust|*|ICStockBillEntry|*|v1");
}

TEST_F(SortColumns, ColumnGridShowsVisibleCatalogueRowsAndRecordsTheirPositions) {
    column("1 FBillNo 1 | FColCaption='单号$+x|y', FColWidth=567, FName='FBillNo'");
    column("2 FDate 0 | FVisible=0");
    column("3 FNote 1 | FVisible=2");
    column("4 FQty 2 | FColWidth=1200, FTableName='ICStockBillEntry'");
    initField();
    columns.setMaxRows(9);
    EXPECT_TRUE(maker.InitHideColumns());
    EXPECT_EQ(ui::Dump(columns),
              "Grid vaHideColumn rows=2 cols=10 active=1,1\n"
              "  0: \"\" | \"\" | \"\" | \"\" | \"\" | \"\" | \"\" | \"\" | \"\" | \"\"\n"
              "  1: S \"单号\" | S \"\" | X^ \"1\" | E \"10\" | E \"1\" | CL1@0/10 \"默认\" | "
              "E \"FBillNo\" | E \"FBillNo\" | E \"\" | E \"v1\"\n"
              "  2: S \"FQty\" | S \"\" | X^ \"1\" | E \"21.16\" | E \"2\" | CL1@0/10 \"默认\" | "
              "E \"FQty\" | E \"FQty\" | E \"ICStockBillEntry\" | E \"v1\"\n"
              "  L1: \"默认\" \"靠左\" \"靠右\" \"居中\"\n");
    EXPECT_EQ(catalogueColumn("ColCaption"), "单号,FNote,FQty,") << "one trailing $ removed";
    EXPECT_EQ(catalogueColumn("Index"), "1,2,2,") << "placed rows carry their grid row";
}

TEST_F(SortColumns, EmptyCatalogueLeavesTheColumnGrid) {
    initField();
    columns.setMaxRows(3);
    columns.setText(1, 1, "kept");
    EXPECT_FALSE(maker.InitHideColumns());
    EXPECT_EQ(std::to_string(columns.maxRows()) + columns.text(1, 1), "3kept");
}

TEST_F(SortColumns, SortKeysEndAtTheFirstRowWithoutAlias) {
    sort.setMaxRows(5);
    auto put = [&](int r, const char* asc, const char* desc, const char* alias) {
        sort.setText(r, 1, "caption");
        sort.setText(r, 2, asc);
        sort.setText(r, 3, desc);
        sort.setText(r, 4, alias);
        sort.setText(r, 5, "v1");
        sort.setText(r, 6, std::string("F") + alias);
        sort.setText(r, 7, "ICStockBill");
    };
    put(1, "1", "0", "FDate");
    put(2, "0", "1", "FBillNo");
    put(3, "0", "", "FNone");
    put(5, "1", "0", "FAfterGap");
    bool ok = false;
    auto keys = maker.getOrderbyElements(sort, &ok);
    std::string dump = ok ? "ok" : "failed";
    for (const auto& k : *keys)
        dump += "\n" + k->sFieldName + "|" + k->sFieldAlias + "|" + k->sTableName + "|" +
                k->sTableAlias + "|[" + k->SortType + "]";
    EXPECT_EQ(dump,
              "ok\n"
              "FFDate|FDate|ICStockBill|v1|[ ASC ]\n"
              "FFBillNo|FBillNo|ICStockBill|v1|[ DESC ]\n"
              "FFNone|FNone|ICStockBill|v1|[]");
}

TEST_F(SortColumns, VisibleColumnsKeepTheirRowAsIndexAndWidthInTwips) {
    columns.setMaxRows(4);
    auto put = [&](int r, const char* shown, const char* width, int align) {
        columns.setText(r, 1, "c" + std::to_string(r));
        columns.setText(r, 3, shown);
        columns.setText(r, 4, width);
        columns.setCellType(r, 6, ui::CellType::ComboBox);
        columns.setComboList(r, 6, "默认\t靠左\t靠右\t居中");
        columns.setComboIndex(r, 6, align);
        columns.setText(r, 7, "F" + std::to_string(r));
        columns.setText(r, 8, "A" + std::to_string(r));
        columns.setText(r, 9, "T");
        columns.setText(r, 10, "t1");
    };
    put(1, "1", "10", 0);
    put(2, "0", "20", 1);
    put(3, "1", " 21.16 ", 3);
    put(4, "1", "", -1);
    bool ok = false;
    auto shown = maker.getHidenElements(columns, &ok);
    std::string dump = ok ? "ok" : "failed";
    for (const auto& c : *shown)
        dump += "\n" + std::to_string(c->lIndex) + "|" + c->sCaption + "|" +
                std::to_string(c->lVisible) + "|" + c->FColWidth + "|" + c->FColAlign + "|" +
                c->sFieldName + "|" + c->sFieldAlias + "|" + c->sTableName + "|" + c->sTableAlias;
    EXPECT_EQ(dump,
              "ok\n"
              "1|c1|1|567|0|F1|A1|T|t1\n"
              "3|c3|1|1199.772|3|F3|A3|T|t1\n"
              "4|c4|1|0|-1|F4|A4|T|t1");
    EXPECT_DOUBLE_EQ((*shown)[0]->dColWidth, 567.0);

    columns.setText(2, 4, "wide");
    ok = true;
    EXPECT_EQ(maker.getHidenElements(columns, &ok), nullptr);
    EXPECT_FALSE(ok) << "a width that is no number spoils the layout";

    columns.setText(2, 4, "20");
    for (int r = 1; r <= 4; ++r) columns.setText(r, 3, "0");
    EXPECT_EQ(maker.getHidenElements(columns, &ok)->size(), 0u);
    EXPECT_TRUE(ok);
}

}  // namespace
}  // namespace qelt::testing
