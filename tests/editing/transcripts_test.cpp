#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/host_fake.h"
#include "editing/fmaker_fixture.h"
#include "editing/value_lookup.h"
#include "qelt/host/session.h"
#include "qelt/ui/controls.h"
#include "qelt/ui/dump.h"
#include "qelt/ui/grid.h"
#include "support/language.h"

namespace qelt::testing {
namespace {

// The field catalogue of template 7, the condition, sort and column grids of
// the dialog, wired to the maker as the dialog wires them, driven by the transcripts in
// tests/editing/golden. "sample" gives the fields 1 FBillNo (text), 2 FDate
// (date), 3 FQty (decimal), 4 FStatus (a status column of type 3), 5 FRel
// (relation sign) and 6 FItem (a material looked up by number; its
// conditions carry an action). Commands, several a line separated by "; ",
// each followed by what it printed and the messages shown (all on one line
// after "table; "):
//   row R FIELD [COMPARISON [VALUE]]: a row through the person's picks
//   pick|combo|lock R C N | text R C [TEXT] | type R C TEXT | active R C
//   move R C | leave | clear (ClearAll) | clearrange R1 C1 R2 C2
//   quiet (rows written as a loaded scheme does) | checks (leave-cell checks)
//   dump | cells R | value R (value cell, comparison, its words) | elements
//   where | check R C | key CODE | helpwin | fields
//   column ROW | init | list FID TEMPLATE | addcolumn TEMPLATE ROW | template N
//   typed TEMPLATE TYPE...: a column F of each type, FInterID 10, 20, ...
//   precision N | baseinfo TEXT | connection (the material check's) | found
//   catalogue [FIELD] | conditions (the entries and the field list) | aliases
//   money 0|1 (the rights check) | shared SETTING N | language CODE | map NAME
//   orderfields | hidecolumns ROWS (the column grid, "kept" in its first cell)
//   sortrow R ASC DESC ALIAS | visrow R SHOWN WIDTH ALIGN ("-" none, "_" a
//   blank) | sortkeys | shown (the visible columns)
//   f7 CLASS RETURNTYPE LIST [FIELDNAME [BASEINFO [INDEX]]] ("-1" the default,
//   "_" a blank)
//   answer WINDOW none|norow|null|blank | fail WINDOW | fresh (a new ledger
//   view) | noitem | noresult | noledger
//   stock TYPE... | moneyvis: the rights checks and whether money shows
//   glfail 0|1 (the rights check raises) | system NAME | dest TYPETEXT | mode
//   TEXT | liststatus N | calculate (the calculate flag)
//   periodhost (list server, cost system and bill data fakes) | allow 0|1
//   period N | hostrows NAME FIELD=VALUE... | props TEXT | curperiod [SYSTEM]
//   perioddate YEAR PERIOD | today | rob: the answer, then the calls made
//   parens [LEFT:RIGHT...|none]: the parenthesis check
class EditingTranscript : public FMakerTest, public ::testing::WithParamInterface<std::string> {
protected:
    EditingTranscript() {
        grid.setMaxCols(12);
        columns.setMaxCols(10);
        sort.setMaxCols(7);
        maker.setvasProperty(&grid);
        maker.setHideColumnsSpread(&columns);
        small.setMaxCols(7);
        small.setMaxRows(2);
        small.setCellType(ui::Grid::All, 3, ui::CellType::ComboBox);
        small.setComboList(ui::Grid::All, 3, "(无)\tA\tB");
        lookups->rows = {
            {"BaseList", Rows({{"FName", " Steel "}})},
            {"Browser", Rows({{"FName", "Lathe 2"}})},
            {"GetBomInfo", Rows({{"FBomNumber", "BOM0001"}})},
            {"RoutingView", Rows({{"FRoutingName", "RT-1"}})},
            {"SingleBillLookUp", Rows({{"FNumber", "C.001"}, {"FID", "7"}, {"FName", " Blue "}})}};
        lookups->number = "1.01";
        lookups->itemName = "  Steel plate ";
        lookups->shortNumber = "S01";
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

    // A line starting with "table; " prints its answers on one line, " | " between.
    std::string run(const std::string& line) {
        std::string out;
        const bool table = line.rfind("table; ", 0) == 0;
        std::size_t at = table ? 7 : 0;
        for (std::size_t end; at != std::string::npos; at = end == line.npos ? end : end + 2) {
            end = line.find("; ", at);
            std::string printed = command(line.substr(at, end - at));
            printed += messages();
            if (!printed.empty()) out += (out.empty() ? "" : table ? " | " : "\n") + printed;
        }
        return out;
    }

    std::string command(const std::string& line) {
        std::vector<std::string> a;
        std::istringstream words(line);
        for (std::string w; words >> w;) a.push_back(w);
        const std::size_t given = a.size();
        a.resize(std::max<std::size_t>(a.size(), 7), "-1");
        const std::string cmd = a[0];
        // The number in word i, and the text after word k as written.
        auto arg = [&](int i) { return std::atoi(a[i].c_str()); };
        auto rest = [&](int k) {
            std::size_t at = 0;
            for (int i = 0; i < k && at != std::string::npos; ++i) at = line.find(' ', at + 1);
            return at == std::string::npos ? std::string() : line.substr(at + 1);
        };
        const int r = arg(1) < 0 ? 0 : arg(1), c = cmd == "row" ? 0 : arg(2);
        if (cmd == "row") {
            EXPECT_TRUE(grid.pick(r, 3, arg(2)));
            EXPECT_TRUE(arg(3) < 0 || grid.pick(r, 4, arg(3)));
            if (rest(4) != "") grid.setText(r, 6, rest(4));
        } else if (cmd == "pick") {
            return Yes(grid.pick(r, c, arg(3)));
        } else if (cmd == "combo") {
            grid.setComboIndex(r, c, arg(3));
        } else if (cmd == "lock") {
            grid.setLocked(r, c, arg(3));
        } else if (cmd == "text") {
            grid.setText(r, c, rest(3));
        } else if (cmd == "type") {
            return Yes(grid.type(r, c, rest(3)));
        } else if (cmd == "active") {
            grid.setActiveCell(r, c);
        } else if (cmd == "move" || cmd == "leave") {
            const bool ok = cmd == "move" ? grid.moveTo(r, c) : grid.leave();
            return (ok ? "moved to " : "refused at ") + std::to_string(grid.activeRow()) + "," +
                   std::to_string(grid.activeCol());
        } else if (cmd == "clear") {
            maker.ClearAll();
            grid.setActiveCell(1, 1);
        } else if (cmd == "clearrange") {
            grid.clearRange(r, c, arg(3), arg(4));
        } else if (cmd == "quiet") {
            grid.onLeaveCell = nullptr;
        } else if (cmd == "checks") {
            checks();
        } else if (cmd == "dump") {
            const std::string dump = ui::Dump(grid);
            return std::exchange(lastDump, dump) == dump ? "the grid as before" : dump;
        } else if (cmd == "cells" || cmd == "value") {
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
        } else if (cmd == "elements") {
            return elements();
        } else if (cmd == "where") {
            t.setCollectionFilter(maker.getFilterElements(grid));
            return t.GetWhereSQL({});
        } else if (cmd == "check") {
            std::string reason;
            connection->calls.clear();
            const int result = maker.CheckData(r, c, &reason);
            std::erase(connection->calls, "AppConnection.new");
            const std::string log = connection->take();
            return std::to_string(result) + " [" + reason + "]" + (log.empty() ? "" : " " + log);
        } else if (cmd == "key") {
            maker.ConditionKeyDown(r, 620);
            const std::string log = lookups->take();
            return "[" + grid.text(grid.activeRow(), 6) + "]" + (log.empty() ? "" : " " + log);
        } else if (cmd == "helpwin") {
            maker.KeyForHelpWin(2, 1);
            return lookups->take();
        } else if (cmd == "fields") {
            return std::to_string(maker.ConditionFieldCount()) + " fields, last row " +
                   std::to_string(maker.LastConditionRow());
        } else if (cmd == "column") {
            column(rest(1));
        } else if (cmd == "baseinfo") {
            support::Shared().BaseInfo = rest(1);
        } else if (cmd == "sample") {
            for (const char* c :
                 {"1 FBillNo 1", "2 FDate 0", "3 FQty 2", "4 FStatus 3", "5 FRel 12",
                  "6 FItem 1 | FItemClassID=4, FReturnDataType=1, FControl=2, "
                  "FAction='t.x'"})
                column(c);
            initField();
        } else if (cmd == "catalogue") {
            if (a[1] != "-1") return catalogueColumn(a[1].c_str());
            const auto& rs = maker.Catalogue();
            std::string dump;
            for (std::size_t i = 0; i < rs->fieldCount(); ++i) dump += rs->field(i).name + " ";
            for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
                dump += "\n";
                for (std::size_t i = 0; i < rs->fieldCount(); ++i)
                    dump += rs->value(i).toString("") + "|";
            }
            return dump;
        } else if (cmd == "conditions") {
            std::string s;
            for (const auto& f : maker.ConditionFields())
                s += std::to_string(f.InterID) + "|" + f.ColCaption + "|" + f.ColName + "|" +
                     f.FieldName + "|" + f.TableName + "|" + f.TableAlias + "|" + f.Desc + "|" +
                     std::to_string(f.ColType) + "|" + std::to_string(f.IsPrimary) + "|" +
                     std::to_string(f.VisForQuery) + "|" + std::to_string(f.LookUpClsID) + "|" +
                     std::to_string(f.RetDataType) + "|" + std::to_string(f.Visible) + "|" +
                     std::to_string(f.VisForOrderBy) + "|" + f.sAction + "|" +
                     std::to_string(f.ControlType) + "\n";
            return s + maker.FieldList();
        } else if (cmd == "aliases") {
            return conditionAliases();
        } else if (cmd == "money") {
            gl->allow = r;
        } else if (cmd == "shared") {
            auto& shared = support::Shared();
            if (a[1] == "StartBranchSale") shared.StartBranchSale = arg(2);
            if (a[1] == "ShowRelationSign") shared.ShowRelationSign = arg(2);
            if (a[1] == "AuditChoice") shared.AuditChoice = static_cast<int16_t>(arg(2));
            if (a[1] == "TemplateID") shared.TemplateID = arg(2);
        } else if (cmd == "language") {
            support::SetLanguageCode(a[1]);
        } else if (cmd == "map") {
            std::string s;
            for (bool toOther : {true, false})
                s += std::string(toOther ? "to other [" : " to base [") +
                     maker.GetMappingField(rest(1), toOther) + "|" +
                     maker.GetMappingCompare(rest(1), toOther) + "|" +
                     maker.GetMappingLogic(rest(1), toOther) + "]";
            return s;
        } else if (cmd == "orderfields") {
            ui::ListBox list("listOrderFields");
            list.addItem("stale");
            maker.LoadOrderFields(list);
            std::string out;
            for (auto item : list.items())
                out += item.replace(item.find(std::string(500, ' ')), 500, "[500 blanks]") + "\n";
            return out;
        } else if (cmd == "hidecolumns") {
            columns.setMaxRows(r);
            columns.setText(1, 1, "kept");
            const bool filled = maker.InitHideColumns();
            return std::string(filled ? "true\n" : "false\n") + ui::Dump(columns);
        } else if (cmd == "sortrow" || cmd == "visrow") {
            // The cells of a row as the dialog fills them, "-" for none, "_" a blank.
            std::vector<std::string> v(a.begin() + 2, a.begin() + 5);
            for (auto& x : v) x = x == "-" ? "" : (std::replace(x.begin(), x.end(), '_', ' '), x);
            ui::Grid& g = cmd == "sortrow" ? sort : columns;
            g.setMaxRows(std::max(g.maxRows(), r));
            const std::string n = std::to_string(r);
            const std::vector<std::string> cells =
                cmd == "sortrow"
                    ? std::vector<std::string>{"caption", v[0],       v[1],         v[2],
                                               "v1",      "F" + v[2], "ICStockBill"}
                    : std::vector<std::string>{"c" + n, "",      v[0],    v[1], "",
                                               "",      "F" + n, "A" + n, "T",  "t1"};
            for (std::size_t i = 0; i < cells.size(); ++i) g.setText(r, int(i) + 1, cells[i]);
            if (cmd == "visrow") {
                g.setCellType(r, 6, ui::CellType::ComboBox);
                g.setComboList(r, 6, "默认\t靠左\t靠右\t居中");
                g.setComboIndex(r, 6, std::stoi(v[2]));
            }
        } else if (cmd == "sortkeys") {
            bool ok = false;
            std::string out;
            const auto keys = maker.getOrderbyElements(sort, &ok);
            for (const auto& k : *keys)
                out += k->sFieldName + "|" + k->sFieldAlias + "|" + k->sTableName + "|" +
                       k->sTableAlias + "|[" + k->SortType + "]\n";
            return out + (ok ? "ok" : "failed");
        } else if (cmd == "shown") {
            bool ok = false;
            auto shown = maker.getHidenElements(columns, &ok);
            std::string out = ok ? "ok" : "failed";
            if (!shown) return out + " (no collection)";
            for (const auto& c : *shown)
                out += "\n" + std::to_string(c->lIndex) + "|" + c->sCaption + "|" +
                       std::to_string(c->lVisible) + "|" + c->FColWidth + "|" +
                       std::to_string(c->dColWidth) + "|" + c->FColAlign + "|" + c->sFieldName +
                       "|" + c->sFieldAlias + "|" + c->sTableName + "|" + c->sTableAlias;
            return out;
        } else if (cmd == "f7") {
            // F7 on row 2 of a small grid (field index INDEX, value "old") below
            // a row with "first": the calls made, then " => " and the cell.
            lookups->calls.clear();
            small.setComboIndex(2, 3, given > 6 ? arg(6) : 2);
            small.setText(1, 6, "first");
            small.setText(2, 6, "old");
            std::string baseInfo = a[5] == "-1" ? "7|3|x" : a[5];
            std::replace(baseInfo.begin(), baseInfo.end(), '_', ' ');
            const editing::LookupField field{arg(1), arg(2), a[4] == "-1" ? "FNumber" : a[4]};
            editing::KeyForHelpWin(field, small, 2, arg(3), baseInfo, "plan");
            const std::string log = lookups->take() + " => " + small.text(2, 6);
            return small.text(1, 6) == "first" ? log : log + " (row 1 written)";
        } else if (cmd == "answer") {
            const std::map<std::string, RecordsetPtr> kinds = {
                {"none", nullptr},
                {"norow", Rows({})},
                {"null", Rows({{"FName", Variant::null()}})},
                {"blank", Rows({{"FNumber", "  "}, {"FName", "B"}})}};
            lookups->rows[a[1]] = kinds.at(a[2]);
        } else if (cmd == "fail") {
            lookups->failing = {a[1]};
            if (periodHost) periodHost->failing = {a[1]};
        } else if (cmd == "fresh") {
            lookups->install("GLView");
        } else if (cmd == "noitem" || cmd == "noresult") {
            (cmd == "noitem" ? lookups->noItem : lookups->noResult) = true;
        } else if (cmd == "noledger") {
            host::RegisterComponent(host::progid::kGLView, {});
        } else if (cmd == "stock" || cmd == "moneyvis") {
            // Stock money for each transaction type, or money at all: the
            // rights checks made, then whether money shows.
            std::string out;
            for (std::size_t i = 1; i < std::max<std::size_t>(given, 2); ++i) {
                bool shown = false;
                if (cmd == "stock") {
                    maker.CurTransType = arg(int(i));
                    maker.GetMoneyVisForStock();
                    shown = maker.StockMoneyVisible();
                    if (maker.CurTransType != 0) out += "(type kept) ";
                } else {
                    shown = maker.GetMoneyVis();
                }
                std::erase(gl->calls, "GLData.new");
                const std::string checks = gl->take();
                out += (cmd == "stock" ? a[i] + " " : "") + (checks.empty() ? "" : checks + " ") +
                       (shown ? "shown" : "hidden") + (i + 1 < given ? " | " : "");
            }
            return out;
        } else if (cmd == "glfail") {
            gl->failing.clear();
            if (r) gl->failing = {"GLData"};
        } else if (cmd == "system" || cmd == "dest" || cmd == "mode") {
            std::string text = rest(1);
            std::replace(text.begin(), text.end(), '_', ' ');
            if (cmd == "system") maker.SystemName = text;
            if (cmd == "mode") maker.ModeText = text;
            if (cmd != "dest") return "";
            maker.setDestBillTransType(text);
            return "default type " + std::to_string(maker.DefaultTransType);
        } else if (cmd == "calculate") {
            support::Shared().IsCalculate = true;
        } else if (cmd == "liststatus") {
            maker.setListShowStatus(r);
        } else if (cmd == "periodhost") {
            periodHost = HostFake::Install({"clsListServer", "AisInfo", "GetData"});
        } else if (cmd == "allow" || cmd == "period") {
            if (cmd == "allow") periodHost->allow = r;
            if (cmd == "period") periodHost->period = r;
        } else if (cmd == "hostrows") {
            // Rows NAME K=V...: one row the component answers, "_" a blank.
            std::vector<std::pair<std::string, Variant>> values;
            for (std::size_t i = 2; i < given; ++i) {
                std::replace(a[i].begin(), a[i].end(), '_', ' ');
                values.emplace_back(a[i].substr(0, a[i].find('=')),
                                    Variant(a[i].substr(a[i].find('=') + 1)));
            }
            (a[1] == "GLData" ? gl : periodHost)->rows[a[1]] = Rows(values);
        } else if (cmd == "props") {
            host::SetSharedProperty(host::kPropsStringProperty, rest(1));
        } else if (cmd == "curperiod" || cmd == "perioddate" || cmd == "today" || cmd == "rob") {
            int32_t year = 0, period = 0;
            std::string out;
            if (cmd == "curperiod") {
                maker.SystemName = rest(1);
                out = maker.GetCurPeriod(year, period, start, end)
                          ? std::to_string(year) + "." + std::to_string(period)
                          : "false";
            }
            if (cmd == "perioddate") out = maker.GetPeriodDate(r, c, start, end) ? "true" : "false";
            if (cmd == "curperiod" || cmd == "perioddate")
                out += " " + start.format() + "-" + end.format();
            if (cmd == "today") out = "today [" + maker.GetToday().isoText() + "]";
            if (cmd == "rob") out = maker.IsROBBill() ? "red/blue" : "not red/blue";
            std::erase(gl->calls, "GLData.new");
            std::string calls = periodHost->take();
            const std::string data = gl->take();
            calls += (calls.empty() || data.empty() ? "" : "; ") + data;
            return out + " " + calls;
        } else if (cmd == "parens") {
            // The parenthesis check over elements LEFT:RIGHT... ("_" a blank;
            // "none" no collection at all).
            if (a[1] == "none") return std::to_string(editing::FMaker::CheckParentheses(nullptr));
            Collection<clsFilterElement> elements;
            for (std::size_t i = 1; i < given; ++i) {
                std::replace(a[i].begin(), a[i].end(), '_', ' ');
                elements.push_back(std::make_shared<clsFilterElement>());
                elements.back()->sLeftParentheses = a[i].substr(0, a[i].find(':'));
                elements.back()->sRightParentheses = a[i].substr(a[i].find(':') + 1);
            }
            return std::to_string(editing::FMaker::CheckParentheses(&elements));
        } else if (cmd == "init") {
            initField();
        } else if (cmd == "list") {
            addList(r, c, "v1");
        } else if (cmd == "typed") {
            std::istringstream types(rest(2));
            int id = 0;
            for (std::string type; types >> type;)
                addColumn(r, std::to_string(id += 10) + " v1.F AS F | FColType=" + type +
                                 ", FColCaption='F" + type + "'");
        } else if (cmd == "addcolumn") {
            addColumn(r, rest(2));
        } else if (cmd == "template") {
            t.InitData("");
            support::Shared().TemplateID = r;
            maker.InitField();
        } else if (cmd == "precision") {
            support::Shared().PrecisionOfDiscountRate = static_cast<int16_t>(r);
        } else if (cmd == "connection") {
            connection = HostFake::Install({"AppConnection"});
            connection->rows["AppConnection"] = Rows({});
        } else if (cmd == "found") {
            connection->rows["AppConnection"] = Rows({{"FErpClsID", 6}});
        } else {
            return "unknown command " + cmd;
        }
        return "";
    }

    std::string elements() {
        bool ok = false;
        auto c = maker.getFilterElements(grid, &ok);
        std::string s = ok ? "ok" : "failed";
        if (!c) return s + " (no collection)";
        for (const auto& e : *c)
            s += " [" + e->sAndOr + "][" + e->sLeftParentheses + "]" + e->sFieldName + "|" +
                 e->sFieldAlias + "|" + e->sTableName + "|" + e->sTableAlias + "|op " +
                 e->sLogicOperator + "|[" + e->sValue + "] type " + std::to_string(e->lFieldType) +
                 "[" + e->sRightParentheses + "]" + e->sAction;
        return s;
    }

    ui::Grid grid{"VpFilter"}, columns{"vaHideColumn"}, sort{"vsOrder"}, small{"VpFilter"};
    std::string lastDump;
    std::shared_ptr<HostFake> connection, periodHost;
    Date start{1999, 1, 1}, end{1999, 1, 1};
    std::shared_ptr<HostFake> lookups = HostFake::Install(
        {"BaseList", "Browser", "GetBomInfo", "RoutingView", "GLView", "SingleBillLookUp"});
};

TEST_P(EditingTranscript, MatchesItsGoldenFile) {
    ExpectTranscript(GoldenDir("editing/golden") + GetParam() + ".test",
                     [this](const std::string& line) { return run(line); });
}

INSTANTIATE_TEST_SUITE_P(Golden, EditingTranscript,
                         ::testing::ValuesIn(Transcripts("editing/golden")),
                         [](const auto& info) { return info.param; });

TEST(ValueLookupDefaults, HeadlessLookUpsChooseNothing) {
    support::ResetProcessState();
    for (int32_t cls : {-17, -103, -102, -101, -100, 1, 4, 12, 13, 130, 20, 10000, 1000000})
        for (int32_t ret : {1, 2})
            EXPECT_EQ(editing::LookUpValue({cls, ret, "FNumber"}, "old", 36, "7|3|x", "plan"),
                      std::nullopt)
                << cls;
    EXPECT_EQ(editing::LookUpNewClassBase(1000000, 1), nullptr);
    support::ResetProcessState();
}

}  // namespace
}  // namespace qelt::testing
