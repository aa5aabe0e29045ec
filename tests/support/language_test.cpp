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
protected:
    testing::TempDatabase db_{false};
};

TEST_F(Language, DefaultCodeIsChsAndKeepsBaseNames) {
    EXPECT_EQ(LanguageCode(), "chs");
    EXPECT_EQ(LanguageColumn("FColCaption"), "FColCaption");
}

TEST_F(Language, TraditionalChineseAndEnglishPickTheirColumns) {
    SetLanguageCode("cht");
    EXPECT_EQ(LanguageColumn("FName"), "FName_CHT");
    SetLanguageCode("En");
    EXPECT_EQ(LanguageColumn("FCboTimeCaption"), "FCboTimeCaption_EN");
    ResetProcessState();
    EXPECT_EQ(LanguageCode(), "chs");
}

TEST_F(Language, DefaultResourceTextIsTheTrimmedText) {
    EXPECT_EQ(ResourceText("  保存方案  "), "保存方案");
    EXPECT_EQ(ResourceText(""), "");
}

TEST_F(Language, ResourceLoaderIsSetUpOnceAndAskedForTheTrimmedText) {
    auto loader = std::make_shared<RecordingLoader>();
    host::RegisterComponent(host::progid::kResLoader, [loader] { return loader; });
    EXPECT_EQ(ResourceText(" 方案 "), "[方案]");
    EXPECT_EQ(ResourceText("名称"), "[名称]");
    EXPECT_EQ(loader->base, "QeltDesign");
    EXPECT_EQ(loader->language, "chs");
    EXPECT_EQ(loader->writes, 2);
}

TEST_F(Language, FailingResourceLoaderGivesEmptyText) {
    host::RegisterComponent(host::progid::kResLoader, []() -> std::shared_ptr<host::Component> {
        throw Error(429, "test", "missing");
    });
    EXPECT_EQ(ResourceText("方案"), "");
}

TEST_F(Language, FormFontsGoThroughTheProcessLivedLoader) {
    auto fonts = std::make_shared<RecordingFonts>();
    int created = 0;
    host::RegisterComponent(host::progid::kFrmResLoader, [fonts, &created] {
        ++created;
        return fonts;
    });
    int form = 0;
    SetLanguageCode("CHT");
    SetFormFonts(&form);
    SetFormFonts(&form);
    EXPECT_EQ(created, 1);
    ASSERT_EQ(fonts->calls.size(), 2u);
    EXPECT_EQ(fonts->calls[0].first, &form);
    EXPECT_EQ(fonts->calls[0].second, "CHT");
}

}  // namespace
}  // namespace qelt::support
