#include "platform/process_state.h"

#include <gtest/gtest.h>

#include <string>

namespace qelt::platform {
namespace {

std::string& Log() {
    static std::string log;
    return log;
}

// Logs its own release and what the lower layer's state holds at that moment.
struct Upper {
    std::string name;
    ~Upper();
};

struct Lower {
    std::string name;
};

Lower& LowerState() {
    return ProcessState<Lower, StateLayer::Host>();
}
Upper& UpperState() {
    return ProcessState<Upper, StateLayer::Public>();
}

Upper::~Upper() {
    if (!name.empty()) Log() += "release " + name + " seeing [" + LowerState().name + "]; ";
}

// While the upper layers are released, the lower ones still hold their values.
TEST(ProcessState, ResetReleasesUpperLayersFirstAndRestoresEveryPiece) {
    LowerState().name = "session";
    UpperState().name = "connection";
    Log().clear();
    ResetProcessState();
    EXPECT_EQ(Log(), "release connection seeing [session]; ");
    EXPECT_EQ(LowerState().name + "|" + UpperState().name, "|");
}

}  // namespace
}  // namespace qelt::platform
