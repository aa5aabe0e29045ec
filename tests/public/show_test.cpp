// CFilter::Show end to end: the filter dialog runs under a scripted
// presenter that acts as the person (pick a field, pick a comparison, type a
// value, press OK), and the host reads the results.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/test_env.h"
#include "qelt/cfilter.h"
#include "qelt/ui/presenter.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

// List 1 (template 501, filter v1.FStatus=1): bill number (text), date,
// quantity and amount (numbers). List 2 (template 61) is a
// second transaction type.
const std::string kFixture =
    ReadFile(std::string(QELT_TEST_SOURCE_DIR) + "/tests/public/golden/show_lists.sql");

constexpr int kBillNo = 1;
constexpr int kQty = 3;
constexpr int kAmount = 4;
// Positions in the comparison list of a text or number field.
constexpr int kEqual = 0;
constexpr int kGreater = 2;
constexpr int kContains = 6;
constexpr int kIsEmpty = 8;

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
        db.exec(kFixture);
        db.exec(
            "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) "
            "VALUES ('IC','NeedShowColumnPrompt','30')");
        host::SetSharedProperty("PropsString", "UserID=7;UserName=li");
    }
    void TearDown() override { ui::SetPresenter(nullptr); }

    void user(std::function<void(ui::Form&)> f) {
        ui::SetPresenter(std::make_shared<ui::ScriptedPresenter>(std::move(f)));
    }
    // A person who types the rows into the condition grid and presses OK.
    void typesAndAccepts(std::vector<Row> rows) {
        user([rows](ui::Form& f) {
            ui::Grid& grid = f.grid("VpFilter");
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const int r = static_cast<int>(i) + 1;
                ASSERT_TRUE(grid.pick(r, 3, rows[i].field));
                ASSERT_TRUE(grid.pick(r, 4, rows[i].comparison));
                if (!rows[i].value.empty()) {
                    ASSERT_TRUE(grid.type(r, 6, rows[i].value));
                }
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

TEST_F(Show, TypedConditionsGiveTheExactSelect) {
    struct Case {
        std::vector<Row> rows;
        std::string where;
    } cases[] = {
        {{}, " where 1=1 AND  (v1.FStatus=1)  ORDER BY v1.FBillNo"},
        {{{kBillNo, kEqual, "PO-7"}}, Where("v1.FBillNo = 'PO-7'")},
        {{{kBillNo, kContains, "采购"}}, Where("v1.FBillNo LIKE '%采购%'")},
        {{{kQty, kGreater, "12"}}, Where("u1.FQty  > 12")},
        {{{kBillNo, kIsEmpty, ""}, {kAmount, kEqual, "3"}},
         Where("(v1.FBillNo IS NULL OR v1.FBillNo='')  AND  u1.FAmount = 3")},
    };
    for (const auto& c : cases) {
        typesAndAccepts(c.rows);
        CFilter filter;
        filter.setListID(1);
        filter.Show();
        EXPECT_TRUE(filter.OK()) << shown();
        EXPECT_EQ(filter.Datasql(), kSelect + c.where);
        ASSERT_TRUE(filter.getListHead() && filter.getListTemplateInfo());
        EXPECT_EQ(filter.CJName() + "|" + std::to_string(filter.TemplateID()) + "|" +
                      std::to_string(filter.MyListID) + "|" +
                      std::to_string(filter.getListHead()->size()) + "|" +
                      filter.getListTemplateInfo()->at("FID").toString(),
                  "采购订单|501|1|4|1");
    }
}

// Each comparison of a text field writes its own spacing; a cross report
// gives the WHERE text only and leaves the data SQL alone.
TEST_F(Show, CrossReportGivesTheWhereTextWithEachComparisonsSpacing) {
    const std::string tail = ")  AND v1.FStatus=1";
    struct Case {
        std::vector<Row> rows;
        std::string where;
    } cases[] = {
        {{}, "v1.FStatus=1"},
        {{{kBillNo, 0, "A"}}, " (     v1.FBillNo = 'A'" + tail},
        {{{kBillNo, 1, "A"}}, " (     v1.FBillNo <> 'A'" + tail},
        {{{kBillNo, 2, "A"}}, " (     v1.FBillNo  > 'A'" + tail},
        {{{kBillNo, 3, "A"}}, " (     v1.FBillNo >= 'A'" + tail},
        {{{kBillNo, 4, "A"}}, " (     v1.FBillNo <  'A'" + tail},
        {{{kBillNo, 5, "A"}}, " (     v1.FBillNo <= 'A'" + tail},
        {{{kBillNo, 6, "A"}}, " (     v1.FBillNo LIKE '%A%'" + tail},
        {{{kBillNo, 7, "A"}}, " (     v1.FBillNo NOT LIKE '%A%'" + tail},
        {{{kBillNo, 8, ""}}, " (     (v1.FBillNo IS NULL OR v1.FBillNo='')" + tail},
        {{{kBillNo, 9, ""}}, " (      NOT (v1.FBillNo IS NULL OR v1.FBillNo='')" + tail},
        {{{kBillNo, kContains, "O'K"}, {kAmount, kGreater, "3"}},
         " (     v1.FBillNo LIKE '%OK%'  AND  u1.FAmount  > 3" + tail},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        typesAndAccepts(c.rows);
        CFilter filter;
        filter.setListID(1);
        filter.setCROSSRPT(1);
        filter.Show();
        EXPECT_TRUE(filter.OK()) << shown();
        EXPECT_EQ(filter.SQLWHERE(), c.where);
        EXPECT_EQ(filter.Datasql(), "");
        EXPECT_FALSE(filter.getListHead());
    }
}

TEST_F(Show, CrossReportOffersTheConditionTabOnly) {
    std::vector<bool> enabled;
    user([&](ui::Form& f) {
        for (const auto& tab : f.tabs("SSTab1").tabs()) enabled.push_back(tab.enabled);
    });
    CFilter filter;
    filter.setCROSSRPT(1);
    filter.setListID(1);
    filter.Show();
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, false}));
}

TEST_F(Show, CancelAndEscapeEmptyTheSelectAndKeepTheWhere) {
    const std::vector<std::function<void(ui::Form&)>> leaving = {
        [](ui::Form& f) { f.button("cmdCancel").click(); },
        [](ui::Form& f) { f.key(ui::kKeyEscape); },
        [](ui::Form&) {},  // the presenter presses Escape for an idle person
    };
    CFilter filter;
    filter.setListID(1);
    for (const auto& leave : leaving) {
        filter.setCROSSRPT(0);
        typesAndAccepts({});
        filter.Show();
        ASSERT_FALSE(filter.Datasql().empty());
        filter.setCROSSRPT(1);
        typesAndAccepts({{kBillNo, kEqual, "A"}});
        filter.Show();
        ASSERT_EQ(filter.SQLWHERE(), " (     v1.FBillNo = 'A')  AND v1.FStatus=1");
        ASSERT_FALSE(filter.Datasql().empty());

        user(leave);
        filter.Show();
        EXPECT_FALSE(filter.OK());
        EXPECT_EQ(filter.Datasql(), "");
        EXPECT_EQ(filter.SQLWHERE(), " (     v1.FBillNo = 'A')  AND v1.FStatus=1");
        EXPECT_EQ(filter.MyListID, 1);
    }
    EXPECT_EQ(shown(), "");
}

TEST_F(Show, EnterAcceptsLikeOk) {
    user([](ui::Form& f) {
        AllDates(f);
        f.key(ui::kKeyEnter);
    });
    CFilter filter;
    filter.setListID(1);
    filter.Show();
    EXPECT_TRUE(filter.OK());
    EXPECT_EQ(filter.Datasql(), kSelect + " where 1=1 AND  (v1.FStatus=1)  ORDER BY v1.FBillNo");
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

TEST_F(Show, RefusedOkKeepsTheDialogOpenWithItsMessage) {
    user([](ui::Form& f) {
        ui::Grid& columns = f.grid("vaHideColumn");
        f.tabs("SSTab1").select(2);
        for (int r = 1; r <= columns.maxRows(); ++r) columns.clickCheck(r, 3);
        f.button("cmdOk").click();
        EXPECT_TRUE(f.shown());
    });
    CFilter filter;
    filter.setListID(1);
    filter.Show();
    EXPECT_FALSE(filter.OK());
    EXPECT_EQ(shown(), "|你已经把全部数据列置为不可见，请重新选择。|Vostrel提示|64");
}

TEST_F(Show, WithoutAFrontEndNothingIsShownAndOkIsFalse) {
    ui::SetPresenter(nullptr);
    CFilter filter;
    filter.setListID(1);
    typesAndAccepts({});
    filter.Show();
    ASSERT_TRUE(filter.OK());
    ui::SetPresenter(nullptr);
    filter.Show();
    EXPECT_FALSE(filter.OK());
    EXPECT_EQ(filter.Datasql(), "") << "no earlier statement stays";
    EXPECT_EQ(shown(),
              "|No dialog front end is registered: the filter dialog cannot be shown.|"
              "Vostrel提示|48");
}

TEST_F(Show, FixedListShowStatusLocksTheHostsTypeAndHidesTheSchemes) {
    std::string type, schemes;
    bool typeEnabled = true, toolbarVisible = true;
    user([&](ui::Form& f) {
        type = f.combo("cboTransType").text().substr(0, 12);
        typeEnabled = f.combo("cboTransType").enabled();
        toolbarVisible = f.toolbar("tlbProject").visible();
        for (const auto& item : f.listView("lvwProject").items())
            schemes += item.key + " " + item.text + " " + std::to_string(item.icon) + "/" +
                       std::to_string(item.smallIcon) + ";";
        f.button("cmdOk").click();
    });
    CFilter filter;
    filter.setListID(2);
    filter.setListShowStatus(4);
    filter.Show();
    EXPECT_TRUE(filter.OK()) << shown();
    EXPECT_EQ(type + "|" + std::to_string(typeEnabled) + std::to_string(toolbarVisible) + "|" +
                  schemes + "|" + std::to_string(filter.MyListID) + "|" +
                  std::to_string(filter.TemplateID()),
              "销售订单|00|P0000 默认方案 1/5;|2|61");
}

// Whatever a person types, the statement stays one balanced statement.
TEST_F(Show, HostileValuesStayInsideTheirLiterals) {
    const std::string longText(200, 'x');
    struct Case {
        std::string typed;
        std::string literal;
    } cases[] = {
        {"a'b\"c", "'abc'"},  // quotes typed are discarded
        {"x' OR 1=1 --", "'x OR 1=1 --'"},
        {"1; DROP TABLE t_User", "'1; DROP TABLE t_User'"},
        {"采购'订单", "'采购订单'"},
    };
    for (const auto& c : cases) {
        typesAndAccepts({{kBillNo, kEqual, c.typed}});
        CFilter filter;
        filter.setListID(1);
        filter.Show();
        EXPECT_EQ(filter.Datasql(), kSelect + Where("v1.FBillNo = " + c.literal)) << c.typed;
    }
}

// The selectors' text joins the extra filter behind " AND (".
TEST_F(Show, StatusSelectorsJoinTheExtraFilterInParentheses) {
    user([](ui::Form& f) {
        AllDates(f);
        if (f.combo("cboCheck").visible()) f.combo("cboCheck").select(0);  // 已审核
        f.button("cmdOk").click();
    });
    CFilter filter;
    filter.setFilter("FID in (3)");
    filter.setListID(3);
    filter.setCROSSRPT(1);
    filter.Show();
    ASSERT_TRUE(filter.OK()) << shown();
    EXPECT_EQ(filter.SQLWHERE(), "v1.FTranType=9 AND ((v1.FCheckerID>0))");
}

}  // namespace
}  // namespace qelt::testing
