// F7 in a condition's value cell: which look-up window opens for each
// base-data class, what it is given, and what comes back into the cell.
#include "editing/value_lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/host_fake.h"
#include "qelt/ui/grid.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

using editing::LookupField;

constexpr const char* kBaseInfo = "7|3|x";

struct Route {
    int32_t cls, ret, listId;
    std::string expected;
};

class ValueLookup : public ::testing::Test {
protected:
    void SetUp() override {
        fake->rows = {
            {"BaseList", Rows({{"FName", " Steel "}})},
            {"Browser", Rows({{"FName", "Lathe 2"}})},
            {"GetBomInfo", Rows({{"FBomNumber", "BOM0001"}})},
            {"RoutingView", Rows({{"FRoutingName", "RT-1"}})},
            {"SingleBillLookUp", Rows({{"FNumber", "C.001"}, {"FID", "7"}, {"FName", " Blue "}})}};
        fake->number = "1.01";
        fake->itemName = "  Steel plate ";
        fake->shortNumber = "S01";
        grid.setMaxCols(7);
        grid.setMaxRows(2);
        grid.setCellType(ui::Grid::All, 3, ui::CellType::ComboBox);
        grid.setComboList(ui::Grid::All, 3, "(无)\tA\tB");
    }
    void TearDown() override { support::ResetProcessState(); }

    // F7 on row 2 (field index `fieldIndex`, value "old") below a row with
    // the value "first": the calls made, then " => " and the value cell.
    std::string F7(const LookupField& field, int32_t listId = 0,
                   const std::string& baseInfo = kBaseInfo, int fieldIndex = 2) {
        fake->calls.clear();
        grid.setComboIndex(2, 3, fieldIndex);
        grid.setText(1, 6, "first");
        grid.setText(2, 6, "old");
        editing::KeyForHelpWin(field, grid, 2, listId, baseInfo, "plan");
        std::string out = fake->take() + " => " + grid.text(2, 6);
        return grid.text(1, 6) == "first" ? out : out + " (row 1 written)";
    }
    std::string cell(const LookupField& field) {
        const std::string f7 = F7(field);
        return f7.substr(f7.find(" => ") + 4);
    }

    std::shared_ptr<HostFake> fake = HostFake::Install(
        {"BaseList", "Browser", "GetBomInfo", "RoutingView", "GLView", "SingleBillLookUp"});
    ui::Grid grid{"VpFilter"};
};

// The window of each class, given the list, and its chosen row untrimmed in
// the cell; the ledger view's item by the return type (code, name, or
// nothing); classes without a window open nothing.
TEST_F(ValueLookup, EachClassOpensItsWindow) {
    const std::string base = "BaseList.new; BaseList.setKeyWord([old]); BaseList.Show(3,";
    const std::string browser =
        "Browser.new; Browser.setShowType(1); Browser.setShowMode(1); Browser.setFilter([";
    const std::string shown = "]); Browser.Show(); Browser.Result() => Lathe 2";
    const std::string bill = "SingleBillLookUp.new; SingleBillLookUp.setClassTypeID(";
    const std::string billShown = "); SingleBillLookUp.setShowType(1); SingleBillLookUp.Show() => ";
    auto ledger = [](int32_t cls, const std::string& filter, int32_t ret) {
        const auto n = std::to_string(cls);
        return "GLView.new; GLView.ItemLookup(" + n + ",[old],[" + filter +
               "],{Search=[old],GetDataType=[" + std::to_string(ret) + "]}) => " +
               (ret == 1   ? "1.01"
                : ret == 2 ? "Steel plate"
                           : "old");
    };
    const std::string material = "FErpClsID<>6 AND FErpClsID<>8";
    std::vector<Route> routes = {
        {-17, 1, 0, base + "-17) =>  Steel "},
        {-15, 2, 0, base + "-15) =>  Steel "},
        {-5, 1, 0, base + "-5) =>  Steel "},
        {6, 2, 0, base + "6) =>  Steel "},
        {-103, 1, 36,
         "Browser.new; Browser.setShowType(0); Browser.setShowMode(1); Browser.setFilter([" +
             shown},
        {-102, 1, 36, browser + "FICMOTypeID in(1055,1054)" + shown},
        {-102, 2, 620, browser + "FICMOTypeID in(1067)" + shown},
        {-102, 1, 4, browser + shown},
        {-101, 1, 0,
         "GetBomInfo.new; GetBomInfo.GetBomList({ShowMode=[1],Filter=[],Filter1=[]}) => BOM0001"},
        {-100, 2, 0,
         "RoutingView.new; RoutingView.setSystemName([plan]); RoutingView.Show(); "
         "RoutingView.Result() "
         "=> RT-1"},
        {4, 2, 0, ledger(4, material, 2)},
        {4, 1, 14, ledger(4, material, 1)},
        {5, 1, 620, ledger(5, "", 1)},
        {2, 1, 14, ledger(2, "", 1)},
        {1, 0, 0, ledger(1, "", 0)},
        {12, 1, 0, "GLView.new; GLView.CurrencyLookup() => 1.01"},
        {13, 2, 0, "GLView.new; GLView.AccountLookup() => Steel plate"},
        {130, 1, 0, "GLView.new; GLView.SettTypeLookup() => 1.01"},
        {1000000, 1, 0, bill + "1000000" + billShown + "C.001"},
        {1000000, 2, 0, bill + "1000000" + billShown + "Blue"},
        {2000001, 0, 0, bill + "2000001" + billShown + "Blue"},  // not a code: the name
    };
    for (int32_t list : {4, 14, 22}) routes.push_back({5, 1, list, ledger(5, "FTypeID=502", 1)});
    for (int32_t cls : {1, 3, 7, 8, 9, 10, 14}) routes.push_back({cls, 2, 0, ledger(cls, "", 2)});
    for (int32_t cls : {20, 129, 131, 999, 10000, 999999})
        routes.push_back(
            {cls, 1, 0,
             "GLView.new; GLView.SubMesLookup(" + std::to_string(cls) + ",[omitted],[]) => 1.01"});
    for (int32_t cls : {0, -1, -4, -99, -104, 11, 15, 19, 1000, 5000, 9999})
        routes.push_back({cls, 1, 0, " => old"});
    for (const auto& r : routes) {
        fake->install("GLView");  // a new ledger view, so that each log starts alike
        EXPECT_EQ(F7({r.cls, r.ret, "FNumber"}, r.listId), r.expected)
            << "class " << r.cls << ", list " << r.listId;
    }
    for (int noField : {0, -1})
        EXPECT_EQ(F7({4, 1, "FNumber"}, 0, kBaseInfo, noField), " => old")
            << "a row without a field opens nothing";
}

TEST_F(ValueLookup, ShortNumberFieldInAnyCaseGetsTheShortNumberAsCode) {
    const std::tuple<int32_t, int32_t, const char*, const char*> cases[] = {
        {1, 1, "FShortNumber", "S01"},
        {4, 1, "fshortnumber", "S01"},
        {30, 1, "FSHORTNUMBER", "S01"},
        {1, 1, "FShortNumber2", "1.01"},
        {1, 2, "FShortNumber", "Steel plate"},
        {1000000, 1, "FShortNumber", "C.001"},  // user-defined classes have none
    };
    for (const auto& [cls, ret, name, expected] : cases)
        EXPECT_EQ(cell({cls, ret, name}), expected) << name << " " << cls;
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
        const auto kept = fake->rows[window];
        fake->rows[window] = rows;
        EXPECT_EQ(cell({cls, 1, "FNumber"}), "old") << window;
        fake->rows[window] = kept;
    }
    const std::pair<int32_t, const char*> failing[] = {
        {-17, "BaseList"},     {-103, "Browser"}, {-101, "GetBomInfo"},
        {-100, "RoutingView"}, {13, "GLView"},    {1000001, "SingleBillLookUp"}};
    for (const auto& [cls, window] : failing) {
        fake->failing = {window};
        EXPECT_EQ(cell({cls, 1, "FNumber"}), "old") << window << " failing";
    }
    fake->failing.clear();
    fake->noItem = true;
    EXPECT_EQ(cell({4, 1, "FNumber"}), "old") << "no item";
    fake->noResult = true;
    EXPECT_EQ(cell({50, 1, "FNumber"}), "old") << "no result object";
    host::RegisterComponent(host::progid::kGLView, {});
    EXPECT_EQ(F7({8, 1, "FNumber"}), " => old") << "no ledger view registered";
}

TEST_F(ValueLookup, TheBaseListOpensOnlyWithANumberInTheBaseInformation) {
    std::string logs;
    for (const char* baseInfo : {"7| 12 |a", "7", "7|x", "7|40000"})
        logs += F7({-17, 1, "FNumber"}, 0, baseInfo) + "\n";
    const std::string refused = "BaseList.new; BaseList.setKeyWord([old]) => old\n";
    EXPECT_EQ(logs, "BaseList.new; BaseList.setKeyWord([old]); BaseList.Show(12,-17) =>  Steel \n" +
                        refused + refused + refused);
}

TEST_F(ValueLookup, TheLedgerViewIsCreatedOncePerProcess) {
    std::string logs = F7({1, 1, "FNumber"}) + "\n";
    logs += F7({12, 1, "FNumber"}) + "\n";
    fake->install("GLView");
    logs += F7({13, 1, "FNumber"});
    EXPECT_EQ(logs,
              "GLView.new; GLView.ItemLookup(1,[old],[],{Search=[old],GetDataType=[1]}) => 1.01\n"
              "GLView.CurrencyLookup() => 1.01\nGLView.new; GLView.AccountLookup() => 1.01");
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
