#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/host_fake.h"
#include "common/template_rows.h"
#include "editing/fmaker.h"
#include "editing/value_lookup.h"
#include "qelt/host/session.h"
#include "qelt/ui/controls.h"
#include "qelt/ui/dump.h"
#include "qelt/ui/grid.h"
#include "support/language.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

// The maker of template 7 (list 1) in a private database, with the condition,
// sort and column grids wired as the dialog wires them, driven by the
// transcripts of tests/editing/golden (commands as named in run(), several a
// line after "; "). "sample" gives the fields 1 FBillNo (text), 2 FDate, 3
// FQty (decimal), 4 FStatus (status), 5 FRel (relation sign) and 6 FItem (a
// material looked up by number, with an action). "_" stands for a blank, "-"
// for nothing.
class EditingTranscript : public TemplateTest, public ::testing::WithParamInterface<std::string> {
protected:
    EditingTranscript() {
        addList(1, 7, "v1");
        maker.setTemplate(std::shared_ptr<TemplateData>(std::shared_ptr<void>(), &t));
        grid.setMaxCols(12);
        columns.setMaxCols(10);
        sort.setMaxCols(7);
        maker.setvasProperty(&grid);
        maker.setHideColumnsSpread(&columns);
        small.setMaxCols(7);
        small.setMaxRows(2);
        small.setCellType(ui::Grid::All, 3, ui::CellType::ComboBox);
        small.setComboList(ui::Grid::All, 3, "(无)\tA\tB");
        host->rows = {
            {"BaseList", Rows({{"FName", " Steel "}})},
            {"Browser", Rows({{"FName", "Lathe 2"}})},
            {"GetBomInfo", Rows({{"FBomNumber", "BOM0001"}})},
            {"RoutingView", Rows({{"FRoutingName", "RT-1"}})},
            {"SingleBillLookUp", Rows({{"FNumber", "C.001"}, {"FID", "7"}, {"FName", " Blue "}})}};
        host->number = "1.01";
        host->itemName = "  Steel plate ";
        host->shortNumber = "S01";
        checks();
        grid.onChange = [this](int row, int col) { maker.ConditionCellChanged(row, col); };
        grid.onEditEnd = [this](int, int, bool) { maker.ConditionEditEnd(); };
    }
    void checks() {
        grid.onLeaveCell = [this](int row, int col, int newRow, int newCol, bool& cancel) {
            cancel = !maker.ConditionLeaveCell(row, col, newRow, newCol);
        };
    }
    static std::string Yes(bool ok) { return ok ? "" : "refused"; }

    void initField(int tpl = 7) {
        t.InitData("");
        support::Shared().TemplateID = tpl;
        maker.InitField();
        host->calls.clear();
    }
    // The calls of `fake` since the last take, its creations left out.
    static std::string Calls(HostFake& fake) {
        std::erase_if(fake.calls, [](const auto& c) { return c.ends_with(".new"); });
        return fake.take();
    }

    // The rights checks made since the last take, then whether money shows.
    std::string Money(bool shown) {
        const std::string made = Calls(*host);
        return (made.empty() ? "" : made + " ") + (shown ? "shown" : "hidden");
    }

    std::string run(const std::string& line) {
        const Words a(line, "-1");
        const std::string& cmd = a[0];
        const int r = std::max(a.n(1), 0), c = a.n(2);
        auto& shared = support::Shared();
        if (cmd == "row") {  // R FIELD [COMPARISON [VALUE]] picked as a person does
            EXPECT_TRUE(grid.pick(r, 3, c));
            EXPECT_TRUE(a.n(3) < 0 || grid.pick(r, 4, a.n(3)));
            if (a.rest(4) != "") grid.setText(r, 6, a.rest(4));
            return "";
        }
        if (cmd == "pick") return Yes(grid.pick(r, c, a.n(3)));
        if (cmd == "text") return grid.setText(r, c, a.rest(3)), "";
        if (cmd == "type") return Yes(grid.type(r, c, a.rest(3)));
        if (cmd == "active") return grid.setActiveCell(r, c), "";
        if (cmd == "move" || cmd == "leave") {
            const bool ok = cmd == "move" ? grid.moveTo(r, c) : grid.leave();
            return (ok ? "moved to " : "refused at ") + std::to_string(grid.activeRow()) + "," +
                   std::to_string(grid.activeCol());
        }
        if (cmd == "clear") return maker.ClearAll(), grid.setActiveCell(1, 1), "";
        if (cmd == "clearrange") return grid.clearRange(r, c, a.n(3), a.n(4)), "";
        if (cmd == "quiet") return grid.onLeaveCell = nullptr, "";  // as a loaded scheme writes
        if (cmd == "checks") return checks(), "";
        if (cmd == "dump") {
            const std::string dump = ui::Dump(grid);
            return std::exchange(lastDump, dump) == dump ? "the grid as before" : dump;
        }
        if (cmd == "cells" || cmd == "value") {  // a row's cells, or its value cell and comparisons
            const std::string head = "\n  " + std::to_string(r) + ": ";
            std::string s = ui::Dump(grid);
            s = s.substr(s.find(head) + head.size());
            s = s.substr(0, s.find('\n'));
            if (cmd == "cells") return s;
            std::size_t at = 0;
            for (int i = 0; i < 5; ++i) at = s.find(" | ", at) + 3;
            s = s.substr(at, s.find(" | ", at) - at) + " " + grid.text(r, 4) + " ";
            for (const auto& w : grid.comboItems(r, 4)) s += w + ",";
            return s;
        }
        if (cmd == "elements") {
            bool ok = false;
            auto els = maker.getFilterElements(grid, &ok);
            std::string s = ok ? "ok" : "failed";
            if (!els) return s + " (no collection)";
            for (const auto& e : *els)
                s += " [" +
                     Bar(e->sAndOr, e->sLeftParentheses, e->sFieldName, e->sFieldAlias,
                         e->sTableName, e->sTableAlias, e->sLogicOperator, e->sValue, e->lFieldType,
                         e->sRightParentheses, e->sAction) +
                     "]";
            return s;
        }
        if (cmd == "check") {  // R C: the material check, its reason and queries
            std::string reason;
            host->calls.clear();
            const int result = maker.CheckData(r, c, &reason);
            return Bar(result, reason, Calls(*host));
        }
        if (cmd == "key") {
            maker.ConditionKeyDown(r, 620);
            return "[" + grid.text(grid.activeRow(), 6) + "]" + host->take();
        }
        if (cmd == "fields")
            return std::to_string(maker.ConditionFieldCount()) + " fields, last row " +
                   std::to_string(maker.LastConditionRow());
        if (cmd == "column") return column(a.rest(1)), "";
        if (cmd == "baseinfo") return shared.BaseInfo = a.rest(1), "";
        if (cmd == "sample") {
            for (const char* row :
                 {"1 FBillNo 1", "2 FDate 0", "3 FQty 2", "4 FStatus 3", "5 FRel 12",
                  "6 FItem 1 | FItemClassID=4, FReturnDataType=1, FControl=2, "
                  "FAction='t.x'"})
                column(row);
            return initField(), "";
        }
        if (cmd == "catalogue") {  // [FIELD]: every row of one field, or the whole catalogue
            const auto& rs = maker.Catalogue();
            if (!rs) return "(none)";
            std::string s;
            for (std::size_t i = 0; a.given == 1 && i < rs->fieldCount(); ++i)
                s += rs->field(i).name + " ";
            for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
                if (a.given > 1) s += rs->value(a[1]).toString("") + ",";
                for (std::size_t i = 0; a.given == 1 && i < rs->fieldCount(); ++i)
                    s += (i ? "" : "\n") + rs->value(i).toString("") + "|";
            }
            return s;
        }
        if (cmd == "fieldlist") return Replace(maker.FieldList(), "\t", ",");
        if (cmd == "shared") {
            if (a[1] == "StartBranchSale") shared.StartBranchSale = c;
            if (a[1] == "ShowRelationSign") shared.ShowRelationSign = c;
            if (a[1] == "AuditChoice") shared.AuditChoice = static_cast<int16_t>(c);
            if (a[1] == "TemplateID") shared.TemplateID = c;
            return "";
        }
        if (cmd == "language") return support::SetLanguageCode(a[1]), "";
        if (cmd == "map") {  // NAME: to the other language, then to the base language
            std::string s;
            for (bool other : {true, false})
                s += "[" +
                     Bar(maker.GetMappingField(a.rest(1), other),
                         maker.GetMappingCompare(a.rest(1), other),
                         maker.GetMappingLogic(a.rest(1), other)) +
                     "]";
            return s;
        }
        if (cmd == "orderfields") {  // the order field list, a stale item in it before
            ui::ListBox list("listOrderFields");
            list.addItem("stale");
            maker.LoadOrderFields(list);
            return Replace(ui::Dump(list), std::string(500, ' '), "[500 blanks]");
        }
        if (cmd == "hidecolumns") {  // ROWS: the column grid, "kept" in its first cell
            columns.setMaxRows(r);
            columns.setText(1, 1, "kept");
            const bool filled = maker.InitHideColumns();
            return std::string(filled ? "true\n" : "false\n") + ui::Dump(columns);
        }
        if (cmd == "sortrow" || cmd == "visrow") {  // R CELL|CELL...: a sort or column grid row
            ui::Grid& g = cmd == "sortrow" ? sort : columns;
            g.setMaxRows(std::max(g.maxRows(), r));
            if (cmd == "visrow") {  // the alignment as the dialog offers it
                g.setCellType(r, 6, ui::CellType::ComboBox);
                g.setComboList(r, 6, "默认\t靠左\t靠右\t居中");
            }
            std::istringstream cells(a.rest(2));
            int col = 0;
            for (std::string cell; std::getline(cells, cell, '|');)
                g.setText(r, ++col, Blank(cell));
            return "";
        }
        if (cmd == "sortkeys") {
            bool ok = false;
            std::string out;
            const auto keys = maker.getOrderbyElements(sort, &ok);
            for (const auto& k : *keys)
                out += Bar(k->sFieldName, k->sFieldAlias, k->sTableName, k->sTableAlias,
                           "[" + k->SortType + "]") +
                       "\n";
            return out + (ok ? "ok" : "failed");
        }
        if (cmd == "shown") {
            bool ok = false;
            auto shown = maker.getHidenElements(columns, &ok);
            std::string out = ok ? "ok" : "failed";
            if (!shown) return out + " (no collection)";
            for (const auto& e : *shown)
                out += "\n" + Bar(e->lIndex, e->sCaption, e->lVisible, e->FColWidth, e->dColWidth,
                                  e->FColAlign, e->sFieldName, e->sFieldAlias, e->sTableName,
                                  e->sTableAlias);
            return out;
        }
        if (cmd == "f7") {
            // CLASS RETURNTYPE LIST [FIELDNAME [BASEINFO [INDEX]]]: F7 on row 2 of a
            // small grid (value "old"); the calls, " => ", the cell.
            host->calls.clear();
            small.setComboIndex(2, 3, a.given > 6 ? a.n(6) : 2);
            small.setText(2, 6, "old");
            const editing::LookupField field{a.n(1), c, a[4] == "-1" ? "FNumber" : a[4]};
            editing::KeyForHelpWin(field, small, 2, a.n(3), a[5] == "-1" ? "7|3|x" : Blank(a[5]),
                                   "plan");
            return host->take() + " => " + small.text(2, 6);
        }
        if (cmd == "fail") return host->failing = {a[1]}, "";  // COMPONENT | -
        if (cmd == "install") return host->install(a[1]), "";  // a new component of the fake
        if (cmd == "noitem") return host->noItem = true, "";
        if (cmd == "noresult") return host->noResult = true, "";
        // TYPE...: per transaction type, as "moneyvis" for its stock money.
        if (cmd == "stock") {
            std::string out;
            for (std::size_t i = 1; i < a.given; ++i) {
                maker.CurTransType = a.n(i);
                maker.GetMoneyVisForStock();
                out += (i > 1 ? ", " : "") + a[i] + " " + Money(maker.StockMoneyVisible()) +
                       (maker.CurTransType ? " (type kept)" : "");
            }
            return out;
        }
        if (cmd == "moneyvis") return Money(maker.GetMoneyVis());
        if (cmd == "system") return maker.SystemName = Blank(a.rest(1)), "";
        if (cmd == "mode") return maker.ModeText = Blank(a.rest(1)), "";
        if (cmd == "dest")
            return maker.setDestBillTransType(Blank(a.rest(1))),
                   "default type " + std::to_string(maker.DefaultTransType);
        if (cmd == "calculate") return shared.IsCalculate = true, "";
        if (cmd == "liststatus") return maker.setListShowStatus(r), "";
        if (cmd == "allow") return host->allow = r, "";  // rights checks, current period
        if (cmd == "period") return host->period = r, "";
        if (cmd == "hostrows") {  // NAME [FIELD=VALUE...]: the row a component answers, no
            // row without fields, no record set for "none"; a value "NULL" is a null
            std::vector<std::pair<std::string, Variant>> values;
            for (std::size_t i = 2; i < a.given; ++i) {
                const std::string v = Blank(a[i].substr(a[i].find('=') + 1));
                values.emplace_back(a[i].substr(0, a[i].find('=')),
                                    v == "NULL" ? Variant::null() : Variant(v));
            }
            return host->rows[a[1]] = a[2] == "none" ? nullptr : Rows(values), "";
        }
        if (cmd == "props")
            return host::SetSharedProperty(host::kPropsStringProperty, a.rest(1)), "";
        if (cmd == "curperiod") {  // [SYSTEM]
            maker.SystemName = a.rest(1);
            int32_t year = 0, period = 0;
            const bool ok = maker.GetCurPeriod(year, period, start, end);
            return Bar(ok, year, period, start.format(), end.format(), Calls(*host));
        }
        if (cmd == "perioddate") {  // YEAR PERIOD
            const bool ok = maker.GetPeriodDate(r, c, start, end);
            return Bar(ok, start.format(), end.format(), Calls(*host));
        }
        if (cmd == "today" || cmd == "rob") {
            const std::string out = cmd == "rob" ? (maker.IsROBBill() ? "red/blue" : "not red/blue")
                                                 : "today [" + maker.GetToday().isoText() + "]";
            return Bar(out, Calls(*host));
        }
        if (cmd == "parens") {  // LEFT:RIGHT... | none: the parenthesis check
            if (a[1] == "none") return std::to_string(editing::FMaker::CheckParentheses(nullptr));
            Collection<clsFilterElement> els;
            for (std::size_t i = 1; i < a.given; ++i) {
                const std::string w = Blank(a[i]);
                els.push_back(std::make_shared<clsFilterElement>());
                els.back()->sLeftParentheses = w.substr(0, w.find(':'));
                els.back()->sRightParentheses = w.substr(w.find(':') + 1);
            }
            return std::to_string(editing::FMaker::CheckParentheses(&els));
        }
        if (cmd == "init") return initField(a.given > 1 ? r : 7), "";  // [TEMPLATE]
        if (cmd == "list") return addList(r, c, "v1"), "";
        if (cmd == "addcolumn") return addColumn(r, a.rest(2)), "";
        if (cmd == "precision") return shared.PrecisionOfDiscountRate = int16_t(r), "";
        return "unknown command " + cmd;
    }

    ui::Grid grid{"VpFilter"}, columns{"vaHideColumn"}, sort{"vsOrder"}, small{"VpFilter"};
    std::string lastDump;
    std::shared_ptr<HostFake> host =
        HostFake::Install({"GLData", "GetData", "clsListServer", "AisInfo", "BaseList", "Browser",
                           "GetBomInfo", "RoutingView", "GLView", "SingleBillLookUp"});
    Date start{1999, 1, 1}, end{1999, 1, 1};
    editing::FMaker maker;
};

QELT_TRANSCRIPTS(EditingTranscript, "editing/golden", "; ");

}  // namespace
}  // namespace qelt::testing
