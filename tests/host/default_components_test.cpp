#include <gmock/gmock.h>
#include <stdlib.h>

#include "common/test_env.h"
#include "host/messages.h"
#include "host/process_objects.h"
#include "host/recordset_dump.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "support/shared_settings.h"

namespace qelt {
namespace {

using namespace host;
using qelt::testing::Raised;
using ::testing::AllOf, ::testing::Field, ::testing::HasSubstr, ::testing::StartsWith,
    ::testing::Throws;

class PeriodCalendar : public ::testing::TestWithParam<testing::Backend> {};

// A period past the calendar starts the day after its last period ends, across leap days.
TEST_P(PeriodCalendar, PeriodsComeFromTheCalendarAndContinuePastItsEnd) {
    testing::TempDatabase db{GetParam()};
    auto ais = Create<IAisInfo>(progid::kAisInfo);
    int32_t year = 0, period = 0;
    Date start, end;
    EXPECT_THROW(ais->CBGetCurrYear(), Error);
    db.exec(
        "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', 'CurrentYear', "
        "'2026'), ('IC', 'CurrentPeriod', '3');");
    EXPECT_FALSE(
        Create<IListServer>(progid::kListServer)->GetCurPeriod("", year, period, start, end));
    db.exec(
        "INSERT INTO t_PeriodDate VALUES (2025, 12, '2025-12-01', '2025-12-31'), "
        "(2026, 1, '2026-01-01', '2026-01-31'), (2026, 2, '2026-02-01', '2026-02-28'), "
        "(2026, 3, '2026-03-01', '2026-03-31');");
    EXPECT_EQ(ais->CBGetCurrYear() * 100 + ais->CBGetCurrPeriod(), 202603);
    EXPECT_EQ(ais->CBGetPeriodCount(), 3);
    EXPECT_EQ(ais->GetPeriodDate(2026, 4).format() + " " + ais->GetPeriodDate(2027, 1).format(),
              "2026/04/01 2026/04/01");
    EXPECT_THROW(ais->GetPeriodDate(2025, 1), Error);
    std::string next;
    for (const std::string lastEnd : {"2026-12-31", "2028-02-28", "2028-02-29", "2100-02-28"}) {
        db.exec(
            "DELETE FROM t_PeriodDate; INSERT INTO t_PeriodDate VALUES (2026, 1, '2026-01-01', '" +
            lastEnd + "');");
        next += ais->GetPeriodDate(2200, 1).format() + " ";
    }
    EXPECT_EQ(next, "2027/01/01 2028/02/29 2028/03/01 2100/03/01 ");
}

QELT_ON_EVERY_BACKEND(PeriodCalendar);

TEST(Messages, SplitFormatAndGoToTheSinkElseToStderrAnsweredOk) {
    auto split = Create<IStringSplitter>(progid::kStringSplitter);
    EXPECT_EQ(split->split("a||b||c", 3, "||") + split->split("a||b||c", 4, "||"), "c");
    EXPECT_EQ(Create<IFrameworkUtility>(progid::kFrameworkUtility)
                  ->formatMessage("%2-%1-%3 100%", {"a%2", "b"}),
              "b-a%2-%3 100%");
    {
        testing::MessageRecorder recorder(2);
        auto box = Create<IMessageBox>(progid::kMessage);
        box->addLine("方案已存在");
        box->addLine("是否覆盖？");
        box->setIcon(kIconQuestion);
        EXPECT_EQ(box->show(kButtonsOkCancel, "", -1), 2);
        EXPECT_EQ(ShowMessage("中间层调用失败！", kIconExclamation, kButtonsOk, "T"), 2);
        EXPECT_EQ(recorder.messages.at(0).buttons, kButtonsOkCancel);
        EXPECT_EQ(recorder.take(), "|方案已存在\n是否覆盖？|Vostrel提示|32|中间层调用失败！|T|48");
    }
    SetMessageSink({});
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ShowMessage("第一行", kIconInformation, kButtonsYesNo), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Vostrel提示: 第一行\n");
}

struct HostGLData : IGLData {
    RecordsetPtr getanyrecordset(const std::string&) override { return nullptr; }
    bool AccessCheck(int32_t, int32_t, int32_t) override { return false; }
};

// The install path; a host factory replaces the default and drops its process object until reset.
TEST(Registry, CreatesNewInstancesAndTakesTheHostsFactoriesUntilReset) {
    testing::TempDatabase db(false);
    const std::string product = "HKEY_LOCAL_MACHINE\\SOFTWARE\\VOSTREL\\QeltPRODUCT";
    auto reg = Create<IRegistry>(progid::kRegistry);
    setenv("QELT_INSTALL_PATH", "/opt/env", 1);
    EXPECT_EQ(reg->GetKeyValue(product, "Path", "1"), "/opt/env");
    SetInstallPath("/opt/erp");  // the path set comes before the environment
    EXPECT_EQ(reg->GetKeyValue(product, "path", "1"), "/opt/erp");
    unsetenv("QELT_INSTALL_PATH");
    EXPECT_THROW(reg->GetKeyValue(product, "Version", "1"), Error);
    EXPECT_NE(CreateObject("qeltconnection.APPCONNECTION"), CreateObject(progid::kAppConnection));
    EXPECT_THAT(Raised([] { CreateObject("Nobody.Knows"); }),
                AllOf(StartsWith(std::to_string(err::kCannotCreateObject) + ": "),
                      HasSubstr("Nobody.Knows")));
    RegisterComponent(progid::kAppConnection, [] { return CreateObject(progid::kMessage); });
    EXPECT_THAT([] { Create<IAppConnection>(progid::kAppConnection); },
                Throws<Error>(AllOf(Field(&Error::number, err::kInterfaceNotOffered),
                                    Field(&Error::source, kCreateObjectSource),
                                    Field(&Error::description, HasSubstr("QeltConnection")))));
    RegisterComponent(progid::kListServer, nullptr);
    EXPECT_THROW(CreateObject(progid::kListServer), Error);
    auto first = ProcessObject(progid::kGLData);
    EXPECT_EQ(ProcessObject("qelteBCGLView.GLData"), first);
    RegisterComponent("QELTEBCGLVIEW.GLDATA", [] { return std::make_shared<HostGLData>(); });
    EXPECT_FALSE(ProcessObjectAs<IGLData>(progid::kGLData)->AccessCheck(1088, 21, 4));
    support::ResetProcessState();
    EXPECT_TRUE(Create<IGLData>(progid::kGLData)->AccessCheck(1088, 21, 4));
}

}  // namespace
}  // namespace qelt
