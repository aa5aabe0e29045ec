#include "support/language.h"

#include <gtest/gtest.h>

#include "common/test_env.h"
#include "host/prog_ids.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "support/shared_settings.h"

namespace qelt::support {
namespace {

struct RecordingLoader : host::IResLoader {
    std::string base, language;
    int writes = 0;
    std::string ResFileBaseName() const override { return base; }
    void setResFileBaseName(const std::string& n) override { base = n, ++writes; }
    std::string LanguageID() const override { return language; }
    void setLanguageID(const std::string& id) override { language = id, ++writes; }
    std::string LoadString2(const std::string& text) override { return "[" + text + "]"; }
};

struct RecordingFonts : host::IFormResLoader {
    std::vector<std::pair<void*, std::string>> calls;
    void SetFrmFont(void* form, const std::string& language) override {
        calls.emplace_back(form, language);
    }
};

class Language : public ::testing::Test {
    testing::TempDatabase db_{false};
};

TEST_F(Language, ColumnNamesFollowTheLanguageCode) {
    EXPECT_EQ(LanguageColumn("FColCaption"), "FColCaption");
    SetLanguageCode("cht");
    EXPECT_EQ(LanguageColumn("FName"), "FName_CHT");
    SetLanguageCode("En");
    EXPECT_EQ(LanguageColumn("FCboTimeCaption"), "FCboTimeCaption_EN");
    ResetProcessState();
    EXPECT_EQ(LanguageCode(), "chs");
}

TEST_F(Language, ResourceTextIsTheTrimmedTextOrEmptyOnFailure) {
    EXPECT_EQ(ResourceText("  保存方案  "), "保存方案");
    EXPECT_EQ(ResourceText(""), "");
    host::RegisterComponent(host::progid::kResLoader, []() -> std::shared_ptr<host::Component> {
        throw Error(429, "test", "missing");
    });
    EXPECT_EQ(ResourceText("方案"), "");
}

// Both resource objects live for the process and are set up for the language.
TEST_F(Language, ResourceObjectsAreCreatedOnceAndSetUpForTheLanguage) {
    auto loader = std::make_shared<RecordingLoader>();
    auto fonts = std::make_shared<RecordingFonts>();
    int created = 0, form = 0;
    host::RegisterComponent(host::progid::kResLoader, [loader, &created] {
        ++created;
        return loader;
    });
    host::RegisterComponent(host::progid::kFrmResLoader, [fonts, &created] {
        ++created;
        return fonts;
    });
    EXPECT_EQ(ResourceText(" 方案 ") + ResourceText("名称"), "[方案][名称]");
    EXPECT_EQ(loader->base + " " + loader->language + " " + std::to_string(loader->writes),
              "QeltDesign chs 2");
    SetLanguageCode("CHT");
    SetFormFonts(&form);
    SetFormFonts(&form);
    EXPECT_EQ(created, 2);
    using Call = std::pair<void*, std::string>;
    EXPECT_EQ(fonts->calls, (std::vector<Call>{{&form, "CHT"}, {&form, "CHT"}}));
}

}  // namespace
}  // namespace qelt::support
