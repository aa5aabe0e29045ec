// F7 in a condition's value cell: which look-up window opens for each
// base-data class, what it is given, and what comes back into the cell.
#include "editing/value_lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "editing/lookup_fakes.h"
#include "host/process_objects.h"
#include "qelt/host/prog_ids.h"
#include "qelt/ui/grid.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

using editing::LookupField;

constexpr const char* kBaseInfo = "7|3|x";

struct RouteCase {
    int32_t cls;
    int32_t ret;
    int32_t listId;
    std::string expected;
};

class ValueLookup : public ::testing::Test {
protected:
    void SetUp() override {
        auto& rows = fakes.log->rows;
        rows["BaseList"] = Rows({{"FName", " Steel "}});
        rows["Browser"] = Rows({{"FName", "Lathe 2"}});
        rows["GetBomInfo"] = Rows({{"FBomNumber", "BOM0001"}});
        rows["RoutingView"] = Rows({{"FRoutingName", "RT-1"}});
        rows["SingleBillLookUp"] = Rows({{"FNumber", "C.001"}, {"FID", "7"}, {"FName", " Blue "}});
        item->number = "1.01";
        item->name = "  Steel plate ";
        item->shortNumber = "S01";
        fakes.log->item = item;
        grid.setMaxCols(7);
        grid.setMaxRows(2);
        grid.setCellType(ui::Grid::All, 3, ui::CellType::ComboBox);
        grid.setComboList(ui::Grid::All, 3, "(无)\tA\tB");
    }
    void TearDown() override { support::ResetProcessState(); }

    // F7 on row 2 (field index `fieldIndex`, value "old") below a row with
    // the value "first": the calls made, then " => " and the value cells.
    std::string F7(const LookupField& field, int32_t listId = 0,
                   const std::string& baseInfo = kBaseInfo, int fieldIndex = 2) {
        fakes.log->calls.clear();
        grid.setComboIndex(2, 3, fieldIndex);
        grid.setText(1, 6, "first");
        grid.setText(2, 6, "old");
        editing::KeyForHelpWin(field, grid, 2, listId, baseInfo, "plan");
        std::string out = fakes.log->dump() + " => " + grid.text(2, 6);
        return grid.text(1, 6) == "first" ? out : out + " (row 1 written)";
    }
    static std::string Cell(const std::string& f7) { return f7.substr(f7.find(" => ") + 4); }

    void CheckRoutes(const std::vector<RouteCase>& cases) {
        for (const auto& c : cases) {
            fakes.freshLedgerView();  // so each log starts alike
            EXPECT_EQ(F7({c.cls, c.ret, "FNumber"}, c.listId), c.expected)
                << "class " << c.cls << ", list " << c.listId;
        }
    }

    LookupFakes fakes;
    std::shared_ptr<FakeLookupItem> item = std::make_shared<FakeLookupItem>();
    ui::Grid grid{"VpFilter"};
};

TEST_F(ValueLookup, SpecialClassesOpenTheirOwnWindowsAndWriteTheChosenRowUntrimmed) {
    const std::string base = "new BaseList; KeyWord=[old]; Show(3,";
    const std::string browser = "new Browser; ShowType=1; ShowMode=1; Filter=[";
    CheckRoutes({
        {-17, 1, 0, base + "-17) =>  Steel "},
        {-15, 2, 0, base + "-15) =>  Steel "},
        {-5, 1, 0, base + "-5) =>  Steel "},
        {6, 2, 0, base + "6) =>  Steel "},
        {-103, 1, 36, "new Browser; ShowType=0; ShowMode=1; Filter=[]; Show(); Result => Lathe 2"},
        {-102, 1, 36, browser + "FICMOTypeID in(1055,1054)]; Show(); Result => Lathe 2"},
        {-102, 2, 620, browser + "FICMOTypeID in(1067)]; Show(); Result => Lathe 2"},
        {-102, 1, 4, browser + "]; Show(); Result => Lathe 2"},
        {-101, 1, 0, "new GetBomInfo; GetBomList({ShowMode=[1],Filter=[],Filter1=[]}) => BOM0001"},
        {-100, 2, 0, "new RoutingView; SystemName=[plan]; Show(); Result => RT-1"},
    });
}

TEST_F(ValueLookup, ClassesWithoutAWindowOrRowsWithoutAFieldOpenNothing) {
    std::vector<RouteCase> cases;
    for (int32_t cls : {0, -1, -4, -99, -104, 11, 15, 19, 1000, 5000, 9999})
        cases.push_back({cls, 1, 0, " => old"});
    CheckRoutes(cases);
    EXPECT_EQ(
        F7({4, 1, "FNumber"}, 0, kBaseInfo, 0) + "|" + F7({4, 1, "FNumber"}, 0, kBaseInfo, -1),
        " => old| => old");
}

TEST_F(ValueLookup, LedgerClassesCallTheirLedgerViewLookUp) {
    auto itemLookup = [](int cls, const std::string& filter, int ret) {
        return "new GLView; ItemLookup(" + N(cls) + ",[old],[" + filter +
               "],{Search=[old],GetDataType=" + N(ret) + "}) => " +
               (ret == 1   ? "1.01"
                : ret == 2 ? "Steel plate"
                           : "old");
    };
    const std::string material = "FErpClsID<>6 AND FErpClsID<>8";
    std::vector<RouteCase> cases = {
        {4, 2, 0, itemLookup(4, material, 2)},
        {4, 1, 14, itemLookup(4, material, 1)},
        {5, 1, 620, itemLookup(5, "", 1)},
        {2, 1, 14, itemLookup(2, "", 1)},
        {1, 0, 0, itemLookup(1, "", 0)},  // neither code nor name: the cell stays
        {12, 1, 0, "new GLView; CurrencyLookup() => 1.01"},
        {13, 2, 0, "new GLView; AccountLookup() => Steel plate"},
        {130, 1, 0, "new GLView; SettTypeLookup() => 1.01"},
    };
    for (int32_t list : {4, 14, 22}) cases.push_back({5, 1, list, itemLookup(5, "FTypeID=502", 1)});
    for (int32_t cls : {1, 3, 7, 8, 9, 10, 14})
        cases.push_back({cls, 2, 0, itemLookup(cls, "", 2)});
    for (int32_t cls : {20, 129, 131, 999, 10000, 999999})
        cases.push_back({cls, 1, 0, "new GLView; SubMesLookup(" + N(cls) + ",omitted,[]) => 1.01"});
    CheckRoutes(cases);
}

TEST_F(ValueLookup, UserDefinedClassesGoThroughTheSingleBillLookUp) {
    const std::string calls = "new SingleBillLookUp; ClassTypeID=";
    CheckRoutes({
        {1000000, 1, 0, calls + "1000000; ShowType=1; Show() => C.001"},
        {1000000, 2, 0, calls + "1000000; ShowType=1; Show() => Blue"},
        {2000001, 0, 0, calls + "2000001; ShowType=1; Show() => Blue"},  // not a code: the name
    });
}

TEST_F(ValueLookup, ShortNumberFieldInAnyCaseGetsTheShortNumberAsCode) {
    struct Case {
        int32_t cls, ret;
        const char* fieldName;
        const char* cell;
    };
    for (const auto& c : std::vector<Case>{
             {1, 1, "FShortNumber", "S01"},
             {4, 1, "fshortnumber", "S01"},
             {30, 1, "FSHORTNUMBER", "S01"},
             {1, 1, "FShortNumber2", "1.01"},
             {1, 2, "FShortNumber", "Steel plate"},
             {1000000, 1, "FShortNumber", "C.001"},  // user-defined classes have none
         })
        EXPECT_EQ(Cell(F7({c.cls, c.ret, c.fieldName})), c.cell) << c.fieldName << " " << c.cls;
}

TEST_F(ValueLookup, NothingChosenOrAFailureLeavesTheCell) {
    const RecordsetPtr noRow = Rows({});
    const std::vector<std::tuple<int32_t, const char*, RecordsetPtr>> nothingChosen = {
        {-5, "BaseList", noRow},
        {-5, "BaseList", Rows({{"FName", Variant::null()}})},
        {-102, "Browser", noRow},
        {-101, "GetBomInfo", nullptr},
        {-100, "RoutingView", noRow},
        {1000000, "SingleBillLookUp", noRow},
        {1000000, "SingleBillLookUp", Rows({{"FNumber", "  "}, {"FName", "B"}})},
    };
    for (const auto& [cls, window, rows] : nothingChosen) {
        fakes.log->rows[window] = rows;
        EXPECT_EQ(Cell(F7({cls, 1, "FNumber"})), "old") << window;
        SetUp();
    }
    for (const auto& [cls, window] : std::vector<std::pair<int32_t, const char*>>{
             {-17, "BaseList"},
             {-103, "Browser"},
             {-101, "GetBomInfo"},
             {-100, "RoutingView"},
             {13, "GLView"},
             {1000001, "SingleBillLookUp"},
         }) {
        fakes.log->failing = window;
        EXPECT_EQ(Cell(F7({cls, 1, "FNumber"})), "old") << window << " failing";
    }
    fakes.log->failing.clear();
    fakes.log->item = nullptr;
    EXPECT_EQ(Cell(F7({4, 1, "FNumber"})), "old") << "no item";
    fakes.log->noResultObject = true;
    EXPECT_EQ(Cell(F7({50, 1, "FNumber"})), "old") << "no result object";
    host::RegisterComponent(host::progid::kGLView, {});
    EXPECT_EQ(F7({8, 1, "FNumber"}), " => old") << "no ledger view registered";
}

TEST_F(ValueLookup, TheBaseListOpensOnlyWithANumberInTheBaseInformation) {
    std::string logs;
    for (const char* baseInfo : {"7| 12 |a", "7", "7|x", "7|40000"})
        logs += F7({-17, 1, "FNumber"}, 0, baseInfo) + "\n";
    const std::string refused = "new BaseList; KeyWord=[old] => old\n";
    EXPECT_EQ(logs, "new BaseList; KeyWord=[old]; Show(12,-17) =>  Steel \n" + refused + refused +
                        refused);
}

TEST_F(ValueLookup, TheLedgerViewIsCreatedOncePerProcess) {
    std::string logs = F7({1, 1, "FNumber"}) + "\n";
    logs += F7({12, 1, "FNumber"}) + "\n";
    fakes.freshLedgerView();
    logs += F7({13, 1, "FNumber"});
    EXPECT_EQ(logs,
              "new GLView; ItemLookup(1,[old],[],{Search=[old],GetDataType=1}) => 1.01\n"
              "CurrencyLookup() => 1.01\nnew GLView; AccountLookup() => 1.01");
}

TEST(ValueLookupDefaults, HeadlessLookUpsChooseNothing) {
    support::ResetProcessState();
    for (int32_t cls : {-17, -103, -102, -101, -100, 1, 4, 12, 13, 130, 20, 10000, 1000000})
        for (int32_t ret : {1, 2})
            EXPECT_EQ(editing::LookUpValue({cls, ret, "FNumber"}, "old", 36, kBaseInfo, "plan"),
                      std::nullopt)
                << cls;
    EXPECT_EQ(editing::LookUpNewClassBase(1000000, 1), nullptr);
    support::ResetProcessState();
}

}  // namespace
}  // namespace qelt::testing
