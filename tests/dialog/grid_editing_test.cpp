// The dialog's grid editing: condition rows, sort keys and the column grid
// driven as a person does, walked through golden/grid_editing.test.
#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <utility>

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

using testing::Blank;

class GridEditing : public testing::TemplateTest {
protected:
    // A dialog over list 1 (template 7), its models initialised as its load
    // does: fields 1 FBillNo (text, in ICStockBill), 2 FDate (date), 3 FQty
    // (decimal), 4 FNote (text), 5 FRes (a resource, looked up by F7), 6
    // fbillno (FBillNo's alias in other letters), then `extra` text fields.
    void open(int extra) {
        db.exec("DELETE FROM ICListtemplate; DELETE FROM ICChatBillTitle");
        addList(1, 7, "v1");
        column("1 FBillNo 1 | FTableName='ICStockBill', FColWidth=567");
        column("2 FDate 0");
        column("3 FQty 2");
        column("4 FNote 1");
        column("5 FRes 1 | FItemClassID=-102");
        column("6 fbillno 1");
        for (int i = 1; i <= extra; ++i)
            column(std::to_string(10 + i) + " F" + std::to_string(i) + " 1");
        form = std::make_unique<frmFilter>();
        // The fixture is the load: the lifecycle's handlers stay out.
        form->onLoad = nullptr;
        form->onActivate = nullptr;
        form->setDialogTexts();
        form->SetListID(1);
        form->lifecycle.createModels();
        form->models.templateData->InitData("");
        support::Shared().TemplateID = 7;
        form->models.maker->InitField();
        form->models.maker->InitHideColumns();
        form->models.maker->LoadOrderFields(form->listOrderFields);
        form->show();
    }

    // The grid without its empty rows, its captions (in the texts' golden)
    // and its item lists (the editing model's vocabularies).
    static std::string Dump(const ui::Grid& grid) {
        return std::regex_replace(testing::WithoutEmptyRows(ui::Dump(grid)),
                                  std::regex("  (L\\d+|0): .*\n"), "");
    }
    std::string sortState() const {
        return "sort rows=" + std::to_string(form->grids.sortRowCount()) +
               " current=" + std::to_string(form->grids.currentSortRow()) +
               (form->cmdDelOrder.enabled() ? "" : " delete off") +
               (form->cmdUp.enabled() ? "" : " up off") +
               (form->cmdDown.enabled() ? "" : " down off");
    }
    bool condition(int row, int field, int comparison, const std::string& value) {
        return form->focus("VpFilter") && form->VpFilter.pick(row, 3, field) &&
               (comparison < 0 || form->VpFilter.pick(row, 4, comparison)) &&
               (value.empty() || form->VpFilter.type(row, 6, value));
    }
    // A width typed into column row 1, then the cell left: what it keeps.
    std::string width(const std::string& typed) {
        ui::Grid& g = form->vaHideColumn;
        if (!g.type(1, 4, typed)) return "refused";
        const bool left = g.moveTo(2, 4);
        const std::string out = "[" + typed + "] " + (left ? "left " : "kept ") + g.text(1, 4) +
                                (g.editMode() ? " editing" : "") + messages();
        return left && !g.moveTo(1, 4) ? "refused" : out;
    }

    // One command of the transcript: "open extra", "list id" (the dialog's
    // list), "noleave" (rows are written as a loaded scheme does),
    // "condition row field comparison value" (-1 keeps the default
    // comparison, "-" no value), "pick|type|moveto|click|check grid row
    // col [item|text]", "gridkey grid code", "key code", "press button",
    // "focus control", "tab index", "sortkey item|all", "doubleclick item",
    // "listen" (to the sort grid's changes); what is seen: "dump|column grid
    // [col]", "cells grid row", "locked grid row col", "sort", "heard",
    // "last" (condition row), "focused", "messages", "browser"
    // (the look-up's calls), "width text". "_" is a blank; an action that
    // is refused says so.
    std::string step(const std::string& line) {
        const testing::Words w(line, "0");
        const auto grid = [&]() -> ui::Grid& { return form->grid(w[1]); };
        const std::string text = Blank(w[4]);
        bool done = true;
        if (w[0] == "open") open(w.n(1));
        if (w[0] == "list") form->MyListID = w.n(1);
        if (w[0] == "noleave") form->VpFilter.onLeaveCell = nullptr;
        if (w[0] == "condition") done = condition(w.n(1), w.n(2), w.n(3), Blank(w[4]));
        if (w[0] == "pick") done = grid().pick(w.n(2), w.n(3), w.n(4));
        if (w[0] == "type") done = grid().type(w.n(2), w.n(3), text);
        if (w[0] == "moveto") done = grid().moveTo(w.n(2), w.n(3));
        if (w[0] == "click") done = grid().click(w.n(2), w.n(3));
        if (w[0] == "check") done = grid().clickCheck(w.n(2), w.n(3));
        if (w[0] == "gridkey") done = grid().key(w.n(2));
        if (w[0] == "key") done = form->key(w.n(1));
        if (w[0] == "press") done = form->focus(w[1]) && form->button(w[1]).click();
        if (w[0] == "focus") done = form->focus(w[1]);
        if (w[0] == "tab") done = form->SSTab1.select(w.n(1));
        if (w[0] == "doubleclick") done = form->listOrderFields.doubleClick(w.n(1));
        for (int i = 0; w[0] == "sortkey" && i < form->listOrderFields.listCount(); ++i)
            if (w[1] == "all" || i == w.n(1))
                done = done && form->listOrderFields.select(i) && form->cmdAdd.click();
        if (w[0] == "listen")
            form->vsOrder.subscribe([&](const ui::Control&, const ui::Change& c) {
                heard += c.what == ui::Change::What::All ? "all " : "cell ";
            });
        if (!done) return line + ": refused";
        if (w[0] == "dump") return Dump(grid());
        if (w[0] == "column" || w[0] == "cells") {
            std::string s;
            for (int i = 1; i <= (w[0] == "column" ? grid().maxRows() : grid().maxCols()); ++i)
                s += (w[0] == "column" ? grid().text(i, w.n(2)) : grid().text(w.n(2), i)) + ",";
            return s;
        }
        if (w[0] == "locked") return grid().locked(w.n(2), w.n(3)) ? "locked" : "open";
        if (w[0] == "sort") return sortState();
        if (w[0] == "heard") return std::exchange(heard, "");
        if (w[0] == "last") return std::to_string(form->models.maker->LastConditionRow());
        if (w[0] == "focused") return form->focused() ? form->focused()->name() : "nothing";
        if (w[0] == "messages") return messages();
        if (w[0] == "browser") return "[" + browser->take() + "]";
        if (w[0] == "width") return width(Blank(w[1]));
        return "";
    }

    std::shared_ptr<testing::HostFake> gl = testing::HostFake::Install({"GLData"});
    std::shared_ptr<testing::HostFake> browser = testing::HostFake::Install({"Browser"});
    std::unique_ptr<frmFilter> form;
    std::string heard;
};

TEST_F(GridEditing, ConditionsSortKeysAndColumnsAsTheTranscript) {
    testing::ExpectTranscript(testing::TestSource("dialog/golden/grid_editing.test"), "; ",
                              [this](const std::string& line) { return step(line); });
}

// Before its models exist the dialog's grids and buttons do nothing.
TEST_F(GridEditing, ADialogWithoutModelsIgnoresItsGridsAndButtons) {
    frmFilter bare;
    bare.VpFilter.setCellType(1, 6, ui::CellType::Edit);
    EXPECT_TRUE(bare.VpFilter.type(1, 6, "x") && bare.VpFilter.moveTo(3, 3));
    EXPECT_TRUE(bare.VpFilter.key(ui::kKeyF7));
    for (auto* b : {&bare.cmdInsert, &bare.cmdDel, &bare.cmdDelAll}) EXPECT_TRUE(b->click());
    EXPECT_TRUE(bare.SSTab1.select(2) && bare.cmdHideDefault.click());
    EXPECT_EQ(messages(), "");
}

}  // namespace
}  // namespace qelt::dialog
