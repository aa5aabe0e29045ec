#include <gtest/gtest.h>

#include "common/test_env.h"
#include "host/process_objects.h"
#include "host/prog_ids.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "support/shared_settings.h"

namespace qelt {
namespace {

struct HostGLData : host::IGLData {
    RecordsetPtr getanyrecordset(const std::string&) override { return nullptr; }
    bool AccessCheck(int32_t, int32_t, int32_t) override { return false; }
};

struct NotAConnection : host::Component {};

class Registry : public ::testing::Test {
protected:
    void SetUp() override { support::ResetProcessState(); }
    void TearDown() override { support::ResetProcessState(); }
};

TEST_F(Registry, UnknownIdentifierRaises429) {
    try {
        host::CreateObject("Nobody.Knows");
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.number, 429);
        EXPECT_NE(e.description.find("Nobody.Knows"), std::string::npos);
    }
}

TEST_F(Registry, IdentifiersIgnoreCase) {
    EXPECT_NE(host::Create<host::IAppConnection>("qeltconnection.APPCONNECTION"), nullptr);
}

TEST_F(Registry, EveryDefaultIsThereWithItsInterface) {
    EXPECT_NE(host::Create<host::IAppConnection>(host::progid::kAppConnection), nullptr);
    EXPECT_NE(host::Create<host::IGLData>(host::progid::kGLData), nullptr);
    EXPECT_NE(host::Create<host::IMessageBox>(host::progid::kMessage), nullptr);
    EXPECT_NE(host::Create<host::IStringSplitter>(host::progid::kStringSplitter), nullptr);
    EXPECT_NE(host::Create<host::IFrameworkUtility>(host::progid::kFrameworkUtility), nullptr);
    EXPECT_NE(host::Create<host::IShareProps>(host::progid::kShareProps), nullptr);
    EXPECT_NE(host::Create<host::ISysInfo>(host::progid::kSysInfo), nullptr);
    EXPECT_NE(host::Create<host::IRegistry>(host::progid::kRegistry), nullptr);
    EXPECT_NE(host::Create<host::IFormResLoader>(host::progid::kFrmResLoader), nullptr);
    EXPECT_NE(host::Create<host::IResLoader>(host::progid::kResLoader), nullptr);
    EXPECT_NE(host::Create<host::IListServer>(host::progid::kListServer), nullptr);
    EXPECT_NE(host::Create<host::IAisInfo>(host::progid::kAisInfo), nullptr);
    EXPECT_NE(host::Create<host::IBillData>(host::progid::kBillData), nullptr);
}

TEST_F(Registry, LaterWorkIsNotRegisteredYet) {
    EXPECT_THROW(host::CreateObject(host::progid::kGLView), Error);
    EXPECT_THROW(host::CreateObject(host::progid::kScheme), Error);
}

TEST_F(Registry, EachCreationIsANewInstance) {
    EXPECT_NE(host::CreateObject(host::progid::kAppConnection),
              host::CreateObject(host::progid::kAppConnection));
}

TEST_F(Registry, HostFactoryReplacesTheDefault) {
    host::RegisterComponent("QELTEBCGLVIEW.GLDATA", [] { return std::make_shared<HostGLData>(); });
    EXPECT_FALSE(host::Create<host::IGLData>(host::progid::kGLData)->AccessCheck(1088, 21, 4));
}

TEST_F(Registry, ComponentWithoutTheInterfaceRaises) {
    host::RegisterComponent(host::progid::kAppConnection,
                            [] { return std::make_shared<NotAConnection>(); });
    try {
        host::Create<host::IAppConnection>(host::progid::kAppConnection);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.number, 430);
    }
}

TEST_F(Registry, ProcessObjectIsCreatedOnceAndDroppedOnReplacement) {
    auto first = host::ProcessObject(host::progid::kGLData);
    EXPECT_EQ(host::ProcessObject("qelteBCGLView.GLData"), first);
    host::RegisterComponent(host::progid::kGLData, [] { return std::make_shared<HostGLData>(); });
    auto replaced = host::ProcessObjectAs<host::IGLData>(host::progid::kGLData);
    EXPECT_NE(std::static_pointer_cast<host::Component>(replaced), first);
    EXPECT_FALSE(replaced->AccessCheck(1, 1, 4));
}

TEST_F(Registry, ResetRestoresTheDefaults) {
    host::RegisterComponent(host::progid::kGLData, [] { return std::make_shared<HostGLData>(); });
    support::ResetProcessState();
    EXPECT_TRUE(host::Create<host::IGLData>(host::progid::kGLData)->AccessCheck(1, 1, 4));
}

TEST_F(Registry, EmptyFactoryUnregisters) {
    host::RegisterComponent(host::progid::kListServer, nullptr);
    EXPECT_THROW(host::CreateObject(host::progid::kListServer), Error);
}

}  // namespace
}  // namespace qelt
