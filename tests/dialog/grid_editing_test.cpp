#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>

#include "common/host_fake.h"
#include "common/template_rows.h"
#include "dialog/frm_filter.h"
#include "dialog/golden.h"
#include "editing/fmaker.h"
#include "qelt/template_data.h"
#include "qelt/ui/dump.h"
#include "support/shared_settings.h"

namespace qelt::dialog {
namespace {

// The dialog over list 1 (template 7), its models initialised as its load
// does: FBillNo (text, in ICStockBill), FDate (date), FQty (decimal), FNote
// (text), FRes (a resource, looked up by F7), fbillno (FBillNo's alias in
// other letters), then `extra` text fields.
class GridEditing : public testing::TemplateTest {
protected:
    std::shared_ptr<testing::HostFake> gl = testing::HostFake::Install({"GLData"});
    enum Field { kBillNo = 1, kDate, kQty, kNote, kRes, kBillNoLower };

    explicit GridEditing(int extra = 0) {
        addList(1, 7, "v1");
        column("1 FBillNo 1 | FTableName='ICStockBill', FColWidth=567");
        column("2 FDate 0");
        column("3 FQty 2");
        column("4 FNote 1");
        column("5 FRes 1 | FItemClassID=-102");
        column("6 fbillno 1");
        for (int i = 1; i <= extra; ++i)
            column(std::to_string(10 + i) + " F" + std::to_string(i) + " 1");
        // The fixture is the load: the lifecycle's handlers stay out.
        form.onLoad = nullptr;
        form.onActivate = nullptr;
        form.setDialogTexts();
        form.SetListID(1);
        form.lifecycle.createModels();
        form.models.templateData->InitData("");
        support::Shared().TemplateID = 7;
        form.models.maker->InitField();
        form.models.maker->InitHideColumns();
        form.models.maker->LoadOrderFields(form.listOrderFields);
        form.show();
    }

    // A condition row as a person writes it: field, comparison (-1 keeps
    // the default), value (none when empty).
    void condition(int r, int field, int comparison, const std::string& value) {
        ASSERT_TRUE(form.focus("VpFilter"));
        ASSERT_TRUE(form.VpFilter.pick(r, 3, field));
        if (comparison >= 0) {
            ASSERT_TRUE(form.VpFilter.pick(r, 4, comparison));
        }
        if (!value.empty()) {
            ASSERT_TRUE(form.VpFilter.type(r, 6, value));
        }
    }
    bool press(ui::CommandButton& button) { return form.focus(button.name()) && button.click(); }
    bool tab(int index) { return form.SSTab1.select(index); }
    bool addSortKey(int item) { return form.listOrderFields.select(item) && press(form.cmdAdd); }

    // The grid without its empty rows, its captions (in the texts' golden)
    // and its item lists (the editing model's vocabularies).
    static void ExpectGolden(const std::string& name, const ui::Grid& grid) {
        testing::ExpectGolden("grid_editing_" + name + ".txt",
                              std::regex_replace(testing::WithoutEmptyRows(ui::Dump(grid)),
                                                 std::regex("  (L\\d+|0): .*\n"), ""));
    }
    static std::string Column(const ui::Grid& grid, int col) {
        std::string s;
        for (int r = 1; r <= grid.maxRows(); ++r) s += grid.text(r, col) + ",";
        return s;
    }
    std::string state() const {
        return "sort rows=" + std::to_string(form.grids.sortRowCount()) +
               " current=" + std::to_string(form.grids.currentSortRow()) +
               (form.cmdDelOrder.enabled() ? "" : " delete off") +
               (form.cmdUp.enabled() ? "" : " up off") +
               (form.cmdDown.enabled() ? "" : " down off");
    }

    frmFilter form;
};

class ManyFields : public GridEditing {
protected:
    ManyFields() : GridEditing(17) {}
};

TEST_F(GridEditing, ConditionGridEventsReachTheEditingModel) {
    condition(1, kNote, 8, "");
    EXPECT_TRUE(form.VpFilter.locked(1, 6)) << "an emptiness comparison needs no value";
    ASSERT_TRUE(form.VpFilter.pick(1, 4, 0));
    EXPECT_FALSE(form.VpFilter.locked(1, 6));
    EXPECT_FALSE(form.VpFilter.moveTo(2, 3)) << "row 1 needs a value";
    EXPECT_EQ(messages(), "|请你务必在条件输入框的第一行中输入相应的条件！|Vostrel提示|64|0");

    // Before its models exist the dialog's grids and buttons do nothing.
    frmFilter bare;
    bare.VpFilter.setCellType(1, 6, ui::CellType::Edit);
    EXPECT_TRUE(bare.VpFilter.type(1, 6, "x") && bare.VpFilter.moveTo(3, 3));
    EXPECT_TRUE(bare.VpFilter.key(ui::kKeyF7));
    for (auto* b : {&bare.cmdInsert, &bare.cmdDel, &bare.cmdDelAll}) EXPECT_TRUE(b->click());
    EXPECT_TRUE(bare.SSTab1.select(2) && bare.cmdHideDefault.click());
    EXPECT_EQ(messages(), "");
}

// F7 reaches the look-up from the value cell only, with the dialog's list.
TEST_F(GridEditing, F7OnTheValueCellLooksUpWithTheDialogsList) {
    auto fake = testing::HostFake::Install({"Browser"});
    form.MyListID = 620;
    condition(1, kRes, -1, "");
    ASSERT_TRUE(form.key(ui::kKeyF7));
    EXPECT_EQ(fake->take(), "") << "on the field cell";
    ASSERT_TRUE(form.VpFilter.moveTo(1, 6));
    ASSERT_TRUE(form.key(ui::kKeyF7));
    EXPECT_EQ(fake->take(),
              "Browser.new; Browser.setShowType(1); Browser.setShowMode(1); "
              "Browser.setFilter([FICMOTypeID "
              "in(1067)]); Browser.Show(); Browser.Result()");
}

// Whole rows move, right parenthesis, field data and locks included.
TEST_F(GridEditing, InsertAndDeleteMoveWholeConditionRowsAndTheGridGrows) {
    condition(1, kBillNo, -1, "A1");
    condition(2, kQty, 2, "5");
    condition(3, kNote, 8, "");
    ASSERT_TRUE(form.VpFilter.pick(3, 7, 1));
    ASSERT_TRUE(form.VpFilter.moveTo(2, 6));
    EXPECT_TRUE(press(form.cmdInsert));
    ExpectGolden("insert_at_row_2", form.VpFilter);
    ASSERT_TRUE(form.focus("VpFilter") && form.VpFilter.moveTo(1, 3));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(press(form.cmdInsert));
    ExpectGolden("insert_at_row_1_three_times", form.VpFilter);
    // Delete moves rows up, and the first keeps no logic word.
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(press(form.cmdDel));
    ExpectGolden("delete_row_1", form.VpFilter);
}

TEST_F(ManyFields, DeleteAllEmptiesTheFirstTwentyRowsAndTheSortGridGrows) {
    condition(1, kBillNo, -1, "A1");
    ASSERT_TRUE(form.VpFilter.pick(1, 7, 2));
    condition(2, kQty, 2, "5");
    form.VpFilter.onLeaveCell = nullptr;  // rows beyond 20 as a loaded scheme writes them
    condition(21, kNote, -1, "x");
    condition(22, kDate, -1, "2026-12-06");
    EXPECT_TRUE(press(form.cmdDelAll));
    EXPECT_EQ(form.models.maker->LastConditionRow(), 1);
    ExpectGolden("delete_all", form.VpFilter);
    // The sort grid grows past its designed rows.
    ASSERT_TRUE(tab(1));
    for (int i = 0; i < form.listOrderFields.listCount(); ++i) ASSERT_TRUE(addSortKey(i));
    EXPECT_EQ(state(), "sort rows=22 current=0");
    EXPECT_EQ(form.vsOrder.maxRows(), 22);
    EXPECT_EQ(form.vsOrder.text(22, 4), "F17");
}

TEST_F(GridEditing, SortKeysAreAddedOnceAscendingWhateverTheLetterCase) {
    ASSERT_TRUE(tab(1));
    EXPECT_TRUE(press(form.cmdAdd));                           // nothing selected: nothing added
    for (int item : {0, 0, 5}) EXPECT_TRUE(addSortKey(item));  // fbillno is FBillNo
    EXPECT_TRUE(form.listOrderFields.doubleClick(2));
    ExpectGolden("sort_keys_added", form.vsOrder);
    EXPECT_EQ(state(), "sort rows=2 current=0");
    std::string seen;  // the direction boxes stay exclusive
    for (int col : {3, 3, 2, 2, 3}) {
        ASSERT_TRUE(form.vsOrder.clickCheck(1, col));
        seen += form.vsOrder.text(1, 2) + form.vsOrder.text(1, 3) + " ";
    }
    EXPECT_EQ(seen, "01 10 01 10 01 ");
}

TEST_F(GridEditing, SortRowsMoveAndDeleteWithTheSelection) {
    ASSERT_TRUE(tab(1));
    for (int item : {0, 1, 2}) ASSERT_TRUE(addSortKey(item));
    ASSERT_TRUE(form.vsOrder.clickCheck(2, 3));
    std::string log;
    auto step = [&](bool done) {
        log += std::regex_replace(state(), std::regex("sort rows=(\\d+) current="), "$1/") +
               (done ? ";" : " refused;");
    };
    std::string heard;  // a front end redraws the highlight once
    form.vsOrder.subscribe([&](const ui::Control&, const ui::Change& c) {
        heard += c.what == ui::Change::What::All ? "all " : "cell ";
    });
    step(form.vsOrder.click(1, 1));
    EXPECT_EQ(heard, "cell all ");
    step(press(form.cmdUp));
    step(press(form.cmdDown));
    ExpectGolden("sort_row_moved_down", form.vsOrder);
    step(form.vsOrder.click(3, 1));
    step(press(form.cmdDown));
    step(form.vsOrder.key(ui::kKeyDelete));
    step(form.vsOrder.click(5, 1));
    step(form.vsOrder.key(ui::kKeyDelete));
    step(form.vsOrder.click(1, 1));
    step(press(form.cmdDelOrder));
    step(press(form.cmdDelOrder));
    step(press(form.cmdUp));
    EXPECT_EQ(log,
              "3/1;3/1;3/2;3/3;3/3;2/2;2/0;2/0;2/1;1/1;0/0 delete off up off down off;"
              "0/0 delete off up off down off refused;");
    EXPECT_EQ(Column(form.vsOrder, 1), std::string(20, ','));
}

TEST_F(GridEditing, ColumnRowsMoveWithWrapAndShowAllOrNone) {
    ASSERT_TRUE(tab(2));
    const std::string loaded = ui::Dump(form.vaHideColumn);
    EXPECT_TRUE(press(form.cmdHideUp));  // no current row: nothing
    ASSERT_TRUE(form.vaHideColumn.click(1, 1));
    EXPECT_TRUE(press(form.cmdHideUp));  // row 1 with row 6
    EXPECT_TRUE(press(form.cmdHideUp));  // row 6 with row 5
    ASSERT_TRUE(form.vaHideColumn.click(6, 3));
    EXPECT_TRUE(press(form.cmdHideDown));  // active cell not a caption: nothing
    ASSERT_TRUE(form.vaHideColumn.click(6, 1));
    EXPECT_TRUE(press(form.cmdHideDown));  // row 6 with row 1
    ExpectGolden("column_rows_moved", form.vaHideColumn);
    EXPECT_TRUE(press(form.cmdHideClearAll));
    ASSERT_TRUE(form.vaHideColumn.clickCheck(2, 3));
    EXPECT_EQ(Column(form.vaHideColumn, 3), "0,1,0,0,0,0,");
    EXPECT_TRUE(press(form.cmdHideSelectAll));
    EXPECT_EQ(Column(form.vaHideColumn, 3), "1,1,1,1,1,1,");
    EXPECT_TRUE(press(form.cmdHideClearAll) && press(form.cmdHideDefault));
    EXPECT_EQ(ui::Dump(form.vaHideColumn),
              std::regex_replace(loaded, std::regex("active=1,1"), "active=2,3"));
}

TEST_F(GridEditing, WidthsUpTo150AreAcceptedWiderAreRefusedInTheCell) {
    ASSERT_TRUE(tab(2));
    ASSERT_TRUE(form.focus("vaHideColumn"));
    std::string seen;
    for (const char* typed : {"150", "150.5", " 151 ", "", "abc", "0.5"}) {
        ASSERT_TRUE(form.vaHideColumn.type(1, 4, typed));
        const bool left = form.vaHideColumn.moveTo(2, 4);
        seen += std::string("[") + typed + "] " + (left ? "left" : "kept") + " " +
                form.vaHideColumn.text(1, 4) + (form.vaHideColumn.editMode() ? " editing" : "") +
                messages() + "\n";
        ASSERT_TRUE(form.vaHideColumn.moveTo(1, 4) || !left);
    }
    EXPECT_EQ(seen,
              "[150] left 150\n"
              "[150.5] kept 150 editing|列的宽度不应该大于150毫米，请重新输入。|提示|64|0\n"
              "[ 151 ] kept 150 editing|列的宽度不应该大于150毫米，请重新输入。|提示|64|0\n"
              "[] left \n"
              "[abc] left abc\n"
              "[0.5] left 0.5\n");
    ASSERT_TRUE(form.vaHideColumn.type(1, 4, "200"));
    EXPECT_FALSE(form.focus("cmdOk")) << "the focus stays in the cell";
    EXPECT_EQ(form.focused(), &form.vaHideColumn);
}

}  // namespace
}  // namespace qelt::dialog
