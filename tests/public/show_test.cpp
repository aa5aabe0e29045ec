// CFilter::Show end to end: the filter dialog runs under a scripted
// presenter that acts as the person (pick a field, pick a comparison, type a
// value, press OK), and the host reads what the dialog gave.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/test_env.h"
#include "qelt/cfilter.h"
#include "qelt/error.h"
#include "qelt/ui/presenter.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

// List 1 (template 501, filter v1.FStatus=1): bill number (text), date,
// quantity and amount (numbers). List 2 (template 61) is a second
// transaction type.
constexpr int kBillNo = 1, kQty = 3, kAmount = 4;
// Positions in the comparison list of a text or number field.
constexpr int kEqual = 0, kGreater = 2, kContains = 6;

const std::string kSelect =
    "SELECT TOP 5000 v1.FBillNo AS FBillNo,v1.FDate AS FDate,u1.FQty AS FQty,"
    "u1.FAmount AS FAmt\r\n"
    "  from TableA v1 WITH (READPAST)  INNER JOIN TableB u1 WITH (READPAST)  ON   "
    "v1.FInterID = u1.FInterID\r\n\r\n";

// The WHERE and ORDER BY of list 1 with one condition group.
std::string Where(const std::string& conditions) {
    return " where 1=1 AND (     " + conditions + ")  AND (v1.FStatus=1)  ORDER BY v1.FBillNo";
}

// The person asks for documents of any date (the dialog offers the current
// period first).
void AllDates(ui::Form& f) {
    ui::ComboBox& time = f.combo("cboTime");
    if (time.visible() && time.enabled() && time.listCount() > 3) time.select(3);
}

struct Row {
    int field;
    int comparison;
    std::string value;
};

class Show : public ::testing::Test {
protected:
    void SetUp() override {
        db.exec(ReadFile(std::string(QELT_TEST_SOURCE_DIR) + "/tests/public/golden/lists.sql"));
        db.exec(
            "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) "
            "VALUES ('IC','NeedShowColumnPrompt','30'); "
            "DELETE FROM ICListTemplate WHERE FID > 3");  // lists the look-up tests fail on
        host::SetSharedProperty("PropsString", "UserID=7;UserName=li");
    }
    void TearDown() override { ui::SetPresenter(nullptr); }

    void user(std::function<void(ui::Form&)> f) {
        ui::SetPresenter(std::make_shared<ui::ScriptedPresenter>(std::move(f)));
    }
    // A person who first does `also`, then types the rows into the condition
    // grid and presses OK.
    void typesAndAccepts(std::vector<Row> rows, std::function<void(ui::Form&)> also = {}) {
        user([rows, also](ui::Form& f) {
            if (also) also(f);
            ui::Grid& grid = f.grid("VpFilter");
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const int r = static_cast<int>(i) + 1;
                ASSERT_TRUE(grid.pick(r, 3, rows[i].field) && grid.pick(r, 4, rows[i].comparison));
                ASSERT_TRUE(rows[i].value.empty() || grid.type(r, 6, rows[i].value));
            }
            AllDates(f);
            f.button("cmdOk").click();
        });
    }
    // The messages shown since the last call, each as "|text|title|icon".
    std::string shown() {
        std::string s;
        for (const auto& m : messages.messages)
            s += "|" + m.text + "|" + m.title + "|" + std::to_string(m.icon);
        messages.messages.clear();
        return s;
    }

    TempDatabase db;
    MessageRecorder messages;
};

TEST_F(Show, GivesTheDialogsSelectWithTheListsHeadAndTemplate) {
    typesAndAccepts({{kBillNo, kContains, "采购"}, {kQty, kGreater, "12"}});
    CFilter filter;
    filter.setListID(1);
    filter.Show();
    EXPECT_TRUE(filter.OK()) << shown();
    EXPECT_EQ(filter.Datasql(), kSelect + Where("v1.FBillNo LIKE '%采购%'  AND  u1.FQty  > 12"));
    ASSERT_TRUE(filter.getListHead() && filter.getListTemplateInfo());
    EXPECT_EQ(filter.CJName() + "|" + std::to_string(filter.TemplateID()) + "|" +
                  std::to_string(filter.MyListID) + "|" +
                  std::to_string(filter.getListHead()->size()) + "|" +
                  filter.getListTemplateInfo()->at("FID").toString(),
              "采购订单|501|1|4|1");
}

// A cross report offers the condition tab only and gives the WHERE text,
// leaving the data SQL alone.
TEST_F(Show, CrossReportGivesTheWhereTextOfTheConditionTabOnly) {
    std::vector<bool> enabled;
    typesAndAccepts({{kAmount, kEqual, "3"}}, [&](ui::Form& f) {
        for (const auto& tab : f.tabs("SSTab1").tabs()) enabled.push_back(tab.enabled);
    });
    CFilter filter;
    filter.setListID(1);
    filter.setCROSSRPT(1);
    filter.Show();
    EXPECT_TRUE(filter.OK()) << shown();
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(filter.SQLWHERE(), " (     u1.FAmount = 3)  AND v1.FStatus=1");
    EXPECT_EQ(filter.Datasql(), "");
    EXPECT_FALSE(filter.getListHead());
}

TEST_F(Show, CancelEmptiesTheSelectAndKeepsTheWhere) {
    CFilter filter;
    filter.setListID(1);
    typesAndAccepts({});
    filter.Show();
    ASSERT_FALSE(filter.Datasql().empty());
    filter.setCROSSRPT(1);
    typesAndAccepts({{kBillNo, kEqual, "A"}});
    filter.Show();
    ASSERT_EQ(filter.SQLWHERE(), " (     v1.FBillNo = 'A')  AND v1.FStatus=1");
    user([](ui::Form& f) { f.button("cmdCancel").click(); });
    filter.Show();
    EXPECT_FALSE(filter.OK());
    EXPECT_EQ(filter.Datasql(), "");
    EXPECT_EQ(filter.SQLWHERE(), " (     v1.FBillNo = 'A')  AND v1.FStatus=1");
    EXPECT_EQ(filter.MyListID, 1);
    EXPECT_EQ(shown(), "");
}

// Each Show builds a whole dialog, whatever template an earlier Show or
// look-up left current.
TEST_F(Show, SecondShowAndShowAfterALookUpBuildTheirGrids) {
    const std::string expected = kSelect + Where("v1.FBillNo = 'B'");
    CFilter filter;
    filter.setListID(1);
    filter.getInfoByF7Key("");
    ASSERT_EQ(filter.TemplateID(), 501);
    for (int i = 0; i < 2; ++i) {
        typesAndAccepts({{kBillNo, kEqual, "B"}});
        filter.Show();
        EXPECT_TRUE(filter.OK()) << "show " << i << shown();
        EXPECT_EQ(filter.Datasql(), expected) << "show " << i;
    }
    typesAndAccepts({{kBillNo, kEqual, "B"}});
    filter.getInfoByF7Key("", true);
    EXPECT_EQ(filter.Datasql(), expected) << "getInfoByF7Key with the form";
}

// Without a front end, or with a dialog that fails, nothing of an earlier
// success stays: OK is false and there is no statement.
TEST_F(Show, NoFrontEndOrAFailingDialogLeavesNoEarlierStatement) {
    struct Failing : ui::Presenter {
        void runModal(ui::Form&) override { throw Error(err::kDatabase, "test", "lost"); }
    };
    const std::vector<std::shared_ptr<ui::Presenter>> failing = {nullptr,
                                                                 std::make_shared<Failing>()};
    for (const auto& presenter : failing) {
        CFilter filter;
        filter.setListID(1);
        filter.getInfoByF7Key("");
        ASSERT_TRUE(filter.OK());
        ui::SetPresenter(presenter);
        filter.Show();
        EXPECT_FALSE(filter.OK());
        EXPECT_EQ(filter.Datasql(), "") << "no earlier statement stays";
    }
    EXPECT_EQ(shown(),
              "|No dialog front end is registered: the filter dialog cannot be shown.|"
              "Vostrel提示|48");
}

TEST_F(Show, FixedListShowStatusLocksTheHostsTypeAndHidesTheSchemes) {
    std::string seen;
    user([&](ui::Form& f) {
        seen = f.combo("cboTransType").text().substr(0, 12) + "|" +
               std::to_string(f.combo("cboTransType").enabled()) +
               std::to_string(f.toolbar("tlbProject").visible()) + "|";
        for (const auto& item : f.listView("lvwProject").items())
            seen += item.key + " " + item.text + " " + std::to_string(item.icon) + "/" +
                    std::to_string(item.smallIcon) + ";";
        f.button("cmdOk").click();
    });
    CFilter filter;
    filter.setListID(2);
    filter.setListShowStatus(4);
    filter.Show();
    EXPECT_TRUE(filter.OK()) << shown();
    EXPECT_EQ(
        seen + "|" + std::to_string(filter.MyListID) + "|" + std::to_string(filter.TemplateID()),
        "销售订单|00|P0000 默认方案 1/5;|2|61");
}

}  // namespace
}  // namespace qelt::testing
