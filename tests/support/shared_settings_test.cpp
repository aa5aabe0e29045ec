#include "support/shared_settings.h"

#include <gtest/gtest.h>

#include "common/test_env.h"
#include "host/process_objects.h"
#include "host/prog_ids.h"
#include "support/language.h"
#include "support/session_env.h"

namespace qelt::support {
namespace {

TEST(ProcessState, ResetReturnsEverythingToItsInitialValue) {
    testing::TempDatabase db;
    db.exec(
        "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', 'StartPeriod', '3')");
    LoadSystemOptions();
    ParsePropsString("A=1");
    SetLanguageCode("EN");
    Shared().TemplateID = 61;
    Shared().CJName = "x";
    host::SetSharedProperty("PropsString", "B=2");
    auto gl = host::ProcessObject(host::progid::kGLData);

    ResetProcessState();

    EXPECT_EQ(Shared().TemplateID, 0);
    EXPECT_EQ(Shared().CJName, "");
    EXPECT_EQ(Shared().AuditChoice, -1);
    EXPECT_EQ(SystemOption("IC", "StartPeriod", "0"), "0");
    EXPECT_EQ(LanguageCode(), "chs");
    EXPECT_EQ(PropsString(), "");
    EXPECT_THROW(PropValue("A"), std::exception);
    EXPECT_NE(host::ProcessObject(host::progid::kGLData), gl);
}

}  // namespace
}  // namespace qelt::support
