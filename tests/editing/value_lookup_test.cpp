// F7 in a condition's value cell: which look-up window opens for each
// base-data class, what it is given, and what comes back into the cell.
#include "editing/value_lookup.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editing/lookup_fakes.h"
#include "host/process_objects.h"
#include "host/prog_ids.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

using editing::LookupField;
namespace progid = host::progid;

constexpr const char* kOld = "old";
constexpr const char* kBaseInfo = "7|3|x";
constexpr const char* kSystem = "plan";

struct RouteCase {
    int32_t cls;
    int32_t ret;
    int32_t listId;
    const char* expected;
};

class ValueLookup : public ::testing::Test {
protected:
    void SetUp() override {
        auto& a = *fakes.answers;
        a.baseList = Rows({{"FName", " Steel "}});
        a.browser = Rows({{"FName", "Lathe 2"}});
        a.bom = Rows({{"FBomNumber", "BOM0001"}});
        a.routing = Rows({{"FRoutingName", "RT-1"}});
        a.singleBill = Rows({{"FNumber", "C.001"}, {"FID", "7"}, {"FName", " Blue "}});
        a.item = std::make_shared<FakeLookupItem>();
        a.item->number = "1.01";
        a.item->name = "  Steel plate ";
        a.item->properties["FShortNumber"] = "S01";
    }
    void TearDown() override { support::ResetProcessState(); }

    // F7 on a value cell holding "old": the calls made, then " => " and the
    // cell's text afterwards.
    std::string F7(const LookupField& field, int32_t listId = 0,
                   const std::string& baseInfo = kBaseInfo) {
        fakes.log->calls.clear();
        auto text = editing::LookUpValue(field, kOld, listId, baseInfo, kSystem);
        return fakes.log->dump() + " => " + text.value_or(kOld);
    }

    static std::string Cell(const std::string& f7) { return f7.substr(f7.find(" => ") + 4); }

    void CheckRoutes(const std::vector<RouteCase>& cases) {
        for (const auto& c : cases) {
            // A fresh ledger view per case, so that every log starts alike.
            host::ResetHostState();
            EXPECT_EQ(F7({c.cls, c.ret, "FNumber"}, c.listId), c.expected)
                << "class " << c.cls << ", list " << c.listId;
        }
    }

    LookupFakes fakes;
};

TEST_F(ValueLookup, SpecialClassesOpenTheirOwnWindowsAndWriteTheChosenRowUntrimmed) {
    CheckRoutes({
        {-17, 1, 0, "new BaseList; KeyWord=[old]; Show(3,-17) =>  Steel "},
        {-15, 2, 0, "new BaseList; KeyWord=[old]; Show(3,-15) =>  Steel "},
        {-5, 1, 0, "new BaseList; KeyWord=[old]; Show(3,-5) =>  Steel "},
        {6, 2, 0, "new BaseList; KeyWord=[old]; Show(3,6) =>  Steel "},
        {-103, 1, 36, "new Browser; ShowType=0; ShowMode=1; Filter=[]; Show(); Result => Lathe 2"},
        {-102, 1, 36,
         "new Browser; ShowType=1; ShowMode=1; Filter=[FICMOTypeID in(1055,1054)]; Show(); "
         "Result => Lathe 2"},
        {-102, 2, 620,
         "new Browser; ShowType=1; ShowMode=1; Filter=[FICMOTypeID in(1067)]; Show(); Result "
         "=> Lathe 2"},
        {-102, 1, 4, "new Browser; ShowType=1; ShowMode=1; Filter=[]; Show(); Result => Lathe 2"},
        {-101, 1, 0, "new GetBomInfo; GetBomList({ShowMode=1,Filter=[],Filter1=[]}) => BOM0001"},
        {-100, 2, 0, "new RoutingView; SystemName=[plan]; Show(); Result => RT-1"},
    });
}

TEST_F(ValueLookup, ClassesWithoutAWindowOpenNothing) {
    CheckRoutes({
        {0, 1, 0, " => old"},
        {-1, 1, 0, " => old"},
        {-4, 1, 0, " => old"},
        {-99, 1, 0, " => old"},
        {-104, 1, 0, " => old"},
        {11, 1, 0, " => old"},
        {15, 1, 0, " => old"},
        {19, 1, 0, " => old"},
        {1000, 1, 0, " => old"},
        {5000, 2, 0, " => old"},
        {9999, 1, 0, " => old"},
    });
}

TEST_F(ValueLookup, LedgerClassesCallTheirLedgerViewLookUp) {
    CheckRoutes({
        {1, 1, 0, "new GLView; ItemLookup(1,[old],[],{Search=[old],GetDataType=1}) => 1.01"},
        {4, 2, 0,
         "new GLView; ItemLookup(4,[old],[FErpClsID<>6 AND FErpClsID<>8],{Search=[old],"
         "GetDataType=2}) => Steel plate"},
        {4, 1, 14,
         "new GLView; ItemLookup(4,[old],[FErpClsID<>6 AND FErpClsID<>8],{Search=[old],"
         "GetDataType=1}) => 1.01"},
        {5, 1, 4,
         "new GLView; ItemLookup(5,[old],[FTypeID=502],{Search=[old],GetDataType=1}) => 1.01"},
        {5, 1, 14,
         "new GLView; ItemLookup(5,[old],[FTypeID=502],{Search=[old],GetDataType=1}) => 1.01"},
        {5, 1, 22,
         "new GLView; ItemLookup(5,[old],[FTypeID=502],{Search=[old],GetDataType=1}) => 1.01"},
        {5, 1, 620, "new GLView; ItemLookup(5,[old],[],{Search=[old],GetDataType=1}) => 1.01"},
        {2, 1, 14, "new GLView; ItemLookup(2,[old],[],{Search=[old],GetDataType=1}) => 1.01"},
        {3, 1, 0, "new GLView; ItemLookup(3,[old],[],{Search=[old],GetDataType=1}) => 1.01"},
        {7, 1, 0, "new GLView; ItemLookup(7,[old],[],{Search=[old],GetDataType=1}) => 1.01"},
        {8, 1, 0, "new GLView; ItemLookup(8,[old],[],{Search=[old],GetDataType=1}) => 1.01"},
        {9, 1, 0, "new GLView; ItemLookup(9,[old],[],{Search=[old],GetDataType=1}) => 1.01"},
        {10, 1, 0, "new GLView; ItemLookup(10,[old],[],{Search=[old],GetDataType=1}) => 1.01"},
        {14, 2, 0,
         "new GLView; ItemLookup(14,[old],[],{Search=[old],GetDataType=2}) => Steel plate"},
        {12, 1, 0, "new GLView; CurrencyLookup() => 1.01"},
        {13, 2, 0, "new GLView; AccountLookup() => Steel plate"},
        {130, 1, 0, "new GLView; SettTypeLookup() => 1.01"},
        {20, 1, 0, "new GLView; SubMesLookup(20,omitted,[]) => 1.01"},
        {129, 2, 0, "new GLView; SubMesLookup(129,omitted,[]) => Steel plate"},
        {131, 1, 0, "new GLView; SubMesLookup(131,omitted,[]) => 1.01"},
        {999, 1, 0, "new GLView; SubMesLookup(999,omitted,[]) => 1.01"},
        {10000, 1, 0, "new GLView; SubMesLookup(10000,omitted,[]) => 1.01"},
        {999999, 1, 0, "new GLView; SubMesLookup(999999,omitted,[]) => 1.01"},
        // Neither code nor name requested: the look-up runs, the cell stays.
        {1, 0, 0, "new GLView; ItemLookup(1,[old],[],{Search=[old],GetDataType=0}) => old"},
    });
}

TEST_F(ValueLookup, UserDefinedClassesGoThroughTheSingleBillLookUp) {
    CheckRoutes({
        {1000000, 1, 0, "new SingleBillLookUp; ClassTypeID=1000000; ShowType=1; Show() => C.001"},
        {1000000, 2, 0, "new SingleBillLookUp; ClassTypeID=1000000; ShowType=1; Show() => Blue"},
        // Anything but a code asks for the name.
        {2000001, 0, 0, "new SingleBillLookUp; ClassTypeID=2000001; ShowType=1; Show() => Blue"},
    });
}

TEST_F(ValueLookup, ShortNumberFieldInAnyCaseGetsTheShortNumberAsCode) {
    struct Case {
        int32_t cls;
        int32_t ret;
        const char* fieldName;
        const char* cell;
    };
    for (const auto& c : std::vector<Case>{
             {1, 1, "FShortNumber", "S01"},
             {4, 1, "fshortnumber", "S01"},
             {30, 1, "FSHORTNUMBER", "S01"},
             {1, 1, "FNumber", "1.01"},
             {1, 1, "FShortNumber2", "1.01"},
             {1, 2, "FShortNumber", "Steel plate"},
             // User-defined classes have no short number.
             {1000000, 1, "FShortNumber", "C.001"},
         }) {
        EXPECT_EQ(Cell(F7({c.cls, c.ret, c.fieldName})), c.cell) << c.fieldName << " " << c.cls;
    }
    fakes.answers->item->properties.clear();
    EXPECT_EQ(Cell(F7({1, 1, "FShortNumber"})), "") << "an item without one gives empty";
}

TEST_F(ValueLookup, TheLedgerViewIsCreatedOncePerProcess) {
    std::string logs = F7({1, 1, "FNumber"}) + "\n";
    logs += F7({12, 1, "FNumber"}) + "\n";
    host::ResetHostState();
    logs += F7({13, 1, "FNumber"});
    EXPECT_EQ(logs,
              "new GLView; ItemLookup(1,[old],[],{Search=[old],GetDataType=1}) => 1.01\n"
              "CurrencyLookup() => 1.01\n"
              "new GLView; AccountLookup() => 1.01");
}

TEST_F(ValueLookup, NothingChosenLeavesTheCell) {
    using Answers = LookupAnswers;
    struct Case {
        int32_t cls;
        const char* what;
        std::function<void(Answers&)> cancel;
    };
    const auto nullName = Rows({{"FName", Variant::null()}});
    for (const auto& c : std::vector<Case>{
             {-5, "no record set", [](Answers& a) { a.baseList = nullptr; }},
             {-5, "no row", [](Answers& a) { a.baseList = Rows({}); }},
             {-5, "a Null name", [&](Answers& a) { a.baseList = nullName; }},
             {-103, "no record set", [](Answers& a) { a.browser = nullptr; }},
             {-102, "no row", [](Answers& a) { a.browser = Rows({}); }},
             {-101, "no record set", [](Answers& a) { a.bom = nullptr; }},
             {-100, "no row", [](Answers& a) { a.routing = Rows({}); }},
             {4, "no item", [](Answers& a) { a.item = nullptr; }},
             {12, "no item", [](Answers& a) { a.item = nullptr; }},
             {50, "no result object", [](Answers& a) { a.noResultObject = true; }},
             {1000000, "no record set", [](Answers& a) { a.singleBill = nullptr; }},
             {1000000, "no row", [](Answers& a) { a.singleBill = Rows({}); }},
             {1000000, "a blank number",
              [](Answers& a) {
                  a.singleBill = Rows({{"FNumber", "  "}, {"FName", "Blue"}});
              }},
             {1000000, "a Null number",
              [](Answers& a) {
                  a.singleBill = Rows({{"FNumber", Variant::null()}, {"FName", "Blue"}});
              }},
         }) {
        SetUp();
        c.cancel(*fakes.answers);
        EXPECT_EQ(Cell(F7({c.cls, 1, "FNumber"})), kOld) << c.cls << ": " << c.what;
    }
}

TEST_F(ValueLookup, AFailingOrMissingComponentLeavesTheCell) {
    const std::vector<std::pair<int32_t, const char*>> cases = {
        {-15, progid::kBaseList}, {-103, progid::kResourcesBrowser},
        {-101, progid::kBomInfo}, {-100, progid::kRoutingView},
        {8, progid::kGLView},     {13, progid::kGLView},
        {500, progid::kGLView},   {1000001, progid::kSingleBillLookUp},
    };
    for (const auto& [cls, progId] : cases) {
        fakes.log->failing = {progId};
        EXPECT_EQ(Cell(F7({cls, 1, "FNumber"})), kOld) << "failing " << progId;
    }
    fakes.log->failing.clear();
    for (const auto& [cls, progId] : cases) {
        host::RegisterComponent(progId, {});
        EXPECT_EQ(F7({cls, 2, "FNumber"}), " => old") << "missing " << progId;
    }
}

TEST_F(ValueLookup, TheBaseListOpensOnlyWithANumberInTheBaseInformation) {
    std::string logs;
    for (const char* baseInfo : {"7|12", "7| 12 |a|b", "7", "7|x", "", "7|40000"})
        logs += F7({-17, 1, "FNumber"}, 0, baseInfo) + "\n";
    EXPECT_EQ(logs,
              "new BaseList; KeyWord=[old]; Show(12,-17) =>  Steel \n"
              "new BaseList; KeyWord=[old]; Show(12,-17) =>  Steel \n"
              "new BaseList; KeyWord=[old] => old\n"
              "new BaseList; KeyWord=[old] => old\n"
              "new BaseList; KeyWord=[old] => old\n"
              "new BaseList; KeyWord=[old] => old\n");
}

TEST(ValueLookupDefaults, HeadlessLookUpsChooseNothing) {
    support::ResetProcessState();
    for (int32_t cls : {-17, -103, -102, -101, -100, 1, 4, 12, 13, 130, 20, 10000, 1000000}) {
        for (int32_t ret : {1, 2})
            EXPECT_EQ(editing::LookUpValue({cls, ret, "FNumber"}, kOld, 36, kBaseInfo, kSystem),
                      std::nullopt)
                << cls;
    }
    EXPECT_EQ(editing::LookUpNewClassBase(1000000, 1), nullptr);
    support::ResetProcessState();
}

}  // namespace
}  // namespace qelt::testing
