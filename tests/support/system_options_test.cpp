#include "support/system_options.h"

#include <gtest/gtest.h>

#include "common/host_fake.h"
#include "common/test_env.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "support/shared_settings.h"
#include "support/system_value.h"

namespace qelt::support {
namespace {

using testing::Backend;
using testing::TempDatabase;

void AddOptions(const TempDatabase& db, const std::string& rows) {
    db.exec("INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES " + rows);
}

// "AuditChoice StartBranchSale ShowRelationSign PrecisionOfDiscountRate".
std::string SharedOptions() {
    const SharedSettings& s = Shared();
    return std::to_string(s.AuditChoice) + " " + std::to_string(s.StartBranchSale) + " " +
           std::to_string(s.ShowRelationSign) + " " + std::to_string(s.PrecisionOfDiscountRate);
}

class SystemOptions : public ::testing::TestWithParam<Backend> {
protected:
    TempDatabase db{GetParam()};
};

// Each option on its own, so that a default or a conversion of one option
// cannot hide behind another's.
TEST_P(SystemOptions, EachOptionConvertsItsTextOrKeepsItsDefault) {
    const std::pair<const char*, const char*> cases[] = {
        {"('IC','AuditChoice','False')", "0 1 1 4"},
        {"('IC','AuditChoice','1')", "1 1 1 4"},
        {"('IC','AuditChoice',NULL)", "-1 1 1 4"},
        {"('IC','AuditChoice','many')", "-1 1 1 4"},
        {"('IC','StartBranchSale','0')", "-1 0 1 4"},
        {"('IC','ShowRelationSign','0')", "-1 1 0 4"},
        {"('IC','PrecisionOfDiscountRate','6')", "-1 1 1 6"},
    };
    for (const auto& [rows, shared] : cases) {
        SCOPED_TRACE(rows);
        db.exec("DELETE FROM t_SystemProfile");
        AddOptions(db, rows);
        Shared().AuditChoice = Shared().StartBranchSale = 2;
        Shared().ShowRelationSign = Shared().PrecisionOfDiscountRate = 2;
        LoadSystemOptions();
        EXPECT_EQ(SharedOptions(), shared);
    }
}

// After any lookup the cache is unfiltered again; it is a snapshot that outlives its rows; a quote
// in a key cannot widen the lookup; a reload that fails raises and keeps the last good load.
TEST_P(SystemOptions, CacheIsASnapshotUnfilteredAfterEveryLookupAndKeptByAFailedReload) {
    AddOptions(db,
               "('IC','StartPeriod','3'), ('IC','ListMaxRows','200'), ('IC','AuditChoice','0')");
    LoadSystemOptions();
    db.exec("DELETE FROM t_SystemProfile");
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "3");
    EXPECT_EQ(SystemOption("IC", "StartPeriod' OR FKey<>'", "d"), "d");
    EXPECT_EQ(SystemOption("IC", "ListMaxRows", "5000"), "200");
    db.exec("DROP TABLE t_SystemProfile");
    EXPECT_THROW(LoadSystemOptions(), Error);
    EXPECT_EQ(SharedOptions() + " " + SystemOption("IC", "StartPeriod", "0"), "0 1 1 4 3");
    ReleaseSystemOptions();
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "0");
    ResetProcessState();
    EXPECT_EQ(SharedOptions(), "-1 1 1 4");
}

TEST(SystemOptionsLoad, LoadAsksTheConnectionOnceAndAnAnswerOfNothingGivesEveryDefault) {
    TempDatabase db;
    AddOptions(db, "('IC','AuditChoice','0'), ('IC','StartPeriod','3')");
    auto connection = testing::HostFake::Install({"AppConnection"});
    Shared().AuditChoice = 0;
    LoadSystemOptions();
    EXPECT_EQ(SharedOptions() + " " + SystemOption("IC", "StartPeriod", "0"), "-1 1 1 4 0");
    EXPECT_EQ(connection->take(),
              "AppConnection.new; AppConnection.getanyrecordset([SELECT FCategory,FKey,FValue FROM "
              "t_SystemProfile \r\n"
              "WHERE FCategory='IC' AND FKey IN "
              "('StartBranchSale','ShowRelationSign','AuditChoice','PrecisionOfDiscountRate',\r\n"
              "'StartPeriod','ListMaxRows','')])");
}

struct FixedSysInfo : host::ISysInfo {
    Variant answer;
    Variant GetSysValue(const std::string&, const std::string&, const std::string&) override {
        return answer;
    }
};

// The default component raises for a missing row or a NULL value; a host's
// component may answer Empty or Null instead: all of them give the default.
TEST_P(SystemOptions, SystemValueIsTheAnswerAsTextElseTheDefault) {
    AddOptions(db, "('IC','O''Key','800'), ('IC','NullKey',NULL), ('IC','Zero','0')");
    EXPECT_EQ(SystemValue("IC", "O'Key", "5000"), "800");
    EXPECT_EQ(SystemValue("IC", "Zero", "1"), "0");
    EXPECT_EQ(SystemValue("IC", "NullKey", "1") + SystemValue("IC", "NoSuchKey", "2"), "12");
    auto info = std::make_shared<FixedSysInfo>();
    host::RegisterComponent(host::progid::kSysInfo, [info] { return info; });
    for (const Variant& answer : {Variant(), Variant::null()}) {
        info->answer = answer;
        EXPECT_EQ(SystemValue("IC", "ListMaxRows", "5000"), "5000");
    }
    info->answer = Variant(int32_t{30});
    EXPECT_EQ(SystemValue("IC", "ListMaxRows", "5000"), "30");
    host::RegisterComponent(host::progid::kSysInfo, nullptr);
    EXPECT_EQ(SystemValue("IC", "ListMaxRows", "5000"), "5000");
}

QELT_ON_EVERY_BACKEND(SystemOptions);

}  // namespace
}  // namespace qelt::support
