#include <gmock/gmock.h>

#include "common/test_env.h"
#include "host/process_objects.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "support/shared_settings.h"

namespace qelt {
namespace {

using namespace host;
using ::testing::AllOf, ::testing::Field, ::testing::HasSubstr, ::testing::Throws;

struct HostGLData : IGLData {
    RecordsetPtr getanyrecordset(const std::string&) override { return nullptr; }
    bool AccessCheck(int32_t, int32_t, int32_t) override { return false; }
};

// The temporary database of each test resets the registrations on both ends.
TEST(Registry, CreatesANewInstanceIgnoringCaseAndRaisesForUnknownOrWrongComponents) {
    testing::TempDatabase db(false);
    EXPECT_NE(CreateObject("qeltconnection.APPCONNECTION"), CreateObject(progid::kAppConnection));
    EXPECT_THAT([] { CreateObject("Nobody.Knows"); },
                Throws<Error>(AllOf(Field(&Error::number, err::kCannotCreateObject),
                                    Field(&Error::description, HasSubstr("Nobody.Knows")))));
    RegisterComponent(progid::kAppConnection, [] { return CreateObject(progid::kMessage); });
    EXPECT_THAT([] { Create<IAppConnection>(progid::kAppConnection); },
                Throws<Error>(AllOf(Field(&Error::number, err::kInterfaceNotOffered),
                                    Field(&Error::source, kCreateObjectSource),
                                    Field(&Error::description, HasSubstr("QeltConnection")))));
    RegisterComponent(progid::kListServer, nullptr);
    EXPECT_THROW(CreateObject(progid::kListServer), Error);
}

TEST(Registry, HostFactoryReplacesTheDefaultAndDropsItsProcessObjectUntilReset) {
    testing::TempDatabase db(false);
    auto first = ProcessObject(progid::kGLData);
    EXPECT_EQ(ProcessObject("qelteBCGLView.GLData"), first);
    RegisterComponent("QELTEBCGLVIEW.GLDATA", [] { return std::make_shared<HostGLData>(); });
    EXPECT_FALSE(ProcessObjectAs<IGLData>(progid::kGLData)->AccessCheck(1088, 21, 4));
    support::ResetProcessState();
    EXPECT_TRUE(Create<IGLData>(progid::kGLData)->AccessCheck(1088, 21, 4));
}

}  // namespace
}  // namespace qelt
