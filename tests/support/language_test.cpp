#include "support/language.h"

#include <gtest/gtest.h>

#include "common/test_env.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "support/shared_settings.h"

namespace qelt::support {
namespace {

struct RecordingLoader : host::IResLoader {
    std::string base, language, writes;
    std::string ResFileBaseName() const override { return base; }
    void setResFileBaseName(const std::string& n) override { writes += (base = n) + " "; }
    std::string LanguageID() const override { return language; }
    void setLanguageID(const std::string& id) override { writes += (language = id) + " "; }
    std::string LoadString2(const std::string& text) override { return "[" + text + "]"; }
};

struct RecordingFonts : host::IFormResLoader {
    std::string calls;  // the form's number and the language, per call
    void SetFrmFont(void* form, const std::string& language) override {
        calls += std::to_string(*static_cast<int*>(form)) + language + " ";
    }
};

TEST(Language, ColumnNamesAndResourceObjectsFollowTheLanguageCode) {
    testing::TempDatabase db(false);
    EXPECT_EQ(LanguageColumn("FColCaption"), "FColCaption");
    SetLanguageCode("cht");
    EXPECT_EQ(LanguageColumn("FName"), "FName_CHT");
    SetLanguageCode("En");
    EXPECT_EQ(LanguageColumn("FCboTimeCaption"), "FCboTimeCaption_EN");
    ResetProcessState();
    EXPECT_EQ(LanguageCode(), "chs");
    // Both resource objects live for the process and are set up for the language.
    auto loader = std::make_shared<RecordingLoader>();
    auto fonts = std::make_shared<RecordingFonts>();
    int created = 0, form = 5;
    host::RegisterComponent(host::progid::kResLoader, [&] { return ++created, loader; });
    host::RegisterComponent(host::progid::kFrmResLoader, [&] { return ++created, fonts; });
    EXPECT_EQ(ResourceText(" 方案 ") + ResourceText("") + ResourceText("名称"), "[方案][名称]");
    EXPECT_EQ(loader->writes, "QeltDesign chs ");  // once each
    SetLanguageCode("CHT");
    SetFormFonts(&form);
    SetFormFonts(&form);
    EXPECT_EQ(created, 2);
    EXPECT_EQ(fonts->calls, "5CHT 5CHT ");
    host::RegisterComponent(host::progid::kResLoader, nullptr);
    EXPECT_EQ(ResourceText("方案"), "");
}

}  // namespace
}  // namespace qelt::support
