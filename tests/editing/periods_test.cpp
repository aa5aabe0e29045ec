#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "common/test_env.h"
#include "editing/fakes.h"
#include "editing/fmaker.h"
#include "qelt/recordset.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

struct FakeListServer : host::IListServer {
    bool answer = true;
    bool GetCurPeriod(const std::string&, int32_t& y, int32_t& p, Date& s, Date& e) override {
        if (!answer) return false;
        y = 2026;
        p = 7;
        s = Date{2026, 7, 1};
        e = Date{2026, 7, 31};
        return true;
    }
    std::string GetExtFilter(const std::string&) override { return ""; }
};

struct FakeAisInfo : host::IAisInfo {
    int32_t count = 12, year = 2026, period = 12;
    std::vector<std::pair<int, int>> asked;
    void setPropsString(const std::string&) override {}
    int32_t CBGetPeriodCount() override { return count; }
    int32_t CBGetCurrYear() override { return year; }
    int32_t CBGetCurrPeriod() override { return period; }
    Date GetPeriodDate(int32_t y, int32_t p) override {
        asked.emplace_back(y, p);
        return Date{y, p, 1};
    }
};

class Periods : public ::testing::Test {
protected:
    editing::FMaker maker;
    int32_t year = 0, period = 0;
    Date start, end;
};

// What the default components read from the session database, on every
// backend.
class PeriodsInTheDatabase : public ::testing::WithParamInterface<Backend>, public Periods {
protected:
    TempDatabase db{GetParam()};
};

TEST_F(Periods, ListServerAnswersAndARefusalIsReported) {
    TempDatabase db;
    MessageRecorder messages;
    auto server = std::make_shared<FakeListServer>();
    host::RegisterComponent(host::progid::kListServer, [server] { return server; });
    ASSERT_TRUE(maker.GetCurPeriod(year, period, start, end));
    EXPECT_EQ(std::to_string(year) + "." + std::to_string(period) + " " + end.format() + " " +
                  std::to_string(messages.messages.size()),
              "2026.7 2026/07/31 0");
    server->answer = false;
    EXPECT_FALSE(maker.GetCurPeriod(year, period, start, end));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].title + "|" + messages.messages[0].text,
              "Vostrel提示|中间层调用失败！");
}

TEST_F(Periods, CostSystemTakesTheLastPeriodsEndFromNextYear) {
    TempDatabase db;
    auto ais = std::make_shared<FakeAisInfo>();
    host::RegisterComponent(host::progid::kAisInfo, [ais] { return ais; });
    maker.SystemName = "成本(工业)系统";
    ASSERT_TRUE(maker.GetCurPeriod(year, period, start, end));
    EXPECT_EQ(ais->asked, (std::vector<std::pair<int, int>>{{2026, 12}, {2027, 1}}));
    EXPECT_EQ(end, (Date{2027, 1, 1}));

    ais->asked.clear();
    ais->period = 4;
    ASSERT_TRUE(maker.GetCurPeriod(year, period, start, end));
    EXPECT_EQ(ais->asked, (std::vector<std::pair<int, int>>{{2026, 4}, {2026, 5}}));
}

TEST_F(Periods, FailingComponentGivesFalseWithoutMessage) {
    TempDatabase db;
    MessageRecorder messages;
    host::RegisterComponent(host::progid::kAisInfo, []() -> std::shared_ptr<host::Component> {
        throw Error(-1, "test", "unavailable");
    });
    maker.SystemName = "成本(工业)系统";
    EXPECT_FALSE(maker.GetCurPeriod(year, period, start, end));
    EXPECT_TRUE(messages.messages.empty());
}

TEST_P(PeriodsInTheDatabase, DefaultComponentsReadPeriodsFromTheDatabase) {
    db.exec(
        "DELETE FROM t_PeriodDate; DELETE FROM t_SystemProfile WHERE FCategory='IC' AND FKey IN "
        "('CurrentYear','CurrentPeriod');"
        "INSERT INTO t_PeriodDate (FYear, FPeriod, FStartDate, FEndDate) VALUES "
        "(2026, 11, '2026-11-01 00:00:00', '2026-11-30 00:00:00'),"
        "(2026, 12, '2026-12-01 00:00:00', '2026-12-31 00:00:00');"
        "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES "
        "('IC','CurrentYear','2026'), ('IC','CurrentPeriod','12');");
    ASSERT_TRUE(maker.GetPeriodDate(2026, 11, start, end));
    EXPECT_EQ(start.format() + "-" + end.format(), "2026/11/01-2026/11/30");
    ASSERT_TRUE(maker.GetCurPeriod(year, period, start, end));
    EXPECT_EQ(std::to_string(year) + "." + std::to_string(period) + " " + start.format() + "-" +
                  end.format(),
              "2026.12 2026/12/01-2026/12/31");

    Date untouched{1999, 1, 1};
    Date untouchedEnd = untouched;
    ASSERT_TRUE(maker.GetPeriodDate(2030, 1, untouched, untouchedEnd)) << "no row is no error";
    EXPECT_EQ(untouched, (Date{1999, 1, 1}));
}

TEST_P(PeriodsInTheDatabase, TodayComesFromTheServerOrIsEmpty) {
    const Date today = maker.GetToday();
    // getdate() is the server's own, or defined with the schema on PostgreSQL,
    // or registered on the library's SQLite handle: the SQLite ODBC driver's
    // connections have none.
    if (GetParam() == Backend::Odbc)
        EXPECT_TRUE(today.isEmpty());
    else
        EXPECT_EQ(today.format().substr(0, 7), Date::now().format().substr(0, 7));
    InstallFakeGLData();  // answers every query with an error
    EXPECT_TRUE(maker.GetToday().isEmpty());
}

TEST_P(PeriodsInTheDatabase, RedBlueBillsFollowTheTransactionTypeAndTemplate97) {
    db.exec(
        "INSERT INTO ICTransactionType (FID, FName, FROB) VALUES (1, 'in', 1), (2, 'out', 0);"
        "INSERT INTO ICListTemplate (FID, FName, FTemplateID, FBillTemplateID) VALUES "
        "(501, 'a', 501, 1), (502, 'b', 502, 2);");
    support::Shared().TemplateID = 501;
    EXPECT_TRUE(maker.IsROBBill());
    support::Shared().TemplateID = 502;
    EXPECT_FALSE(maker.IsROBBill());
    support::Shared().TemplateID = 97;
    EXPECT_TRUE(maker.IsROBBill()) << "97 is red/blue even without a row";
}

// Answers every statement alike and records them, one a line.
struct SilentData : host::IBillData, host::IGLData {
    RecordsetPtr answer;
    std::string statements;
    RecordsetPtr ExecuteSQL(const std::string& props, const std::string& sql) override {
        statements += props + " | " + sql + "\n";
        return answer;
    }
    RecordsetPtr getanyrecordset(const std::string& sql) override {
        statements += sql + "\n";
        return answer;
    }
    bool AccessCheck(int32_t, int32_t, int32_t) override { return true; }
};

// Components that answer nothing, or too little, leave the dates alone: no
// row is no error, a missing column is a failed call.
TEST_F(Periods, MissingOrShortAnswersLeaveDatesUntouched) {
    TempDatabase db;
    auto data = std::make_shared<SilentData>();
    host::RegisterComponent(host::progid::kBillData, [data] { return data; });
    host::RegisterComponent(host::progid::kGLData, [data] { return data; });
    start = Date{1999, 1, 1};
    end = start;
    host::SetSharedProperty(host::kPropsStringProperty, "UserID=2");
    EXPECT_TRUE(maker.GetPeriodDate(2026, 11, start, end));
    EXPECT_TRUE(maker.GetToday().isEmpty());
    support::Shared().TemplateID = 501;
    EXPECT_FALSE(maker.IsROBBill());
    EXPECT_EQ(data->statements,
              "UserID=2 | SELECT FStartDate, FEndDate FROM t_PeriodDate WHERE FYear = 2026 And "
              "FPeriod = 11\n"
              "Select getdate() \n"
              "Select t1.FROB From ICTransactionType t1,ICListTemplate t2  Where "
              "t1.FID=t2.FBillTemplateID and t2.FTemplateID=501\n");
    data->answer = std::make_shared<Recordset>();
    data->answer->appendField("FStartDate", adDate);
    data->answer->open();
    data->answer->appendRow({Variant(Date{2026, 1, 1})});
    EXPECT_FALSE(maker.GetPeriodDate(2026, 11, start, end));
    EXPECT_EQ(end, (Date{1999, 1, 1}));
}

INSTANTIATE_TEST_SUITE_P(AllBackends, PeriodsInTheDatabase, ::testing::ValuesIn(AllBackends()),
                         [](const auto& info) { return BackendName(info.param); });

}  // namespace
}  // namespace qelt::testing
