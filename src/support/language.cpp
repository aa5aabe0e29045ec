#include "support/language.h"

#include "host/process_objects.h"
#include "platform/process_state.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/prog_ids.h"

namespace qelt::support {

namespace {

constexpr const char* kDefaultLanguage = "chs";
constexpr const char* kTraditionalChinese = "CHT";
constexpr const char* kEnglish = "EN";
constexpr const char* kResFileBaseName = "QeltDesign";

struct LanguageState {
    std::string code;
};

std::string& Language() {
    return platform::ProcessState<LanguageState, platform::StateLayer::Support>().code;
}

}  // namespace

std::string LanguageCode() {
    if (Language().empty()) Language() = kDefaultLanguage;
    return Language();
}

void SetLanguageCode(const std::string& code) {
    Language() = code;
}

std::string LanguageColumn(const std::string& baseName) {
    const std::string code = LanguageCode();
    if (text::IEquals(code, kTraditionalChinese)) return baseName + "_CHT";
    if (text::IEquals(code, kEnglish)) return baseName + "_EN";
    return baseName;
}

void SetFormFonts(void* form) {
    const std::string language = LanguageCode();
    // Fonts are cosmetic: a form keeps its designed fonts when the resource
    // component is missing or fails.
    try {
        host::ProcessObjectAs<host::IFormResLoader>(host::progid::kFrmResLoader)
            ->SetFrmFont(form, language);
    } catch (const Error&) {
    }
}

std::string ResourceText(const std::string& text) {
    if (text.empty()) return {};
    try {
        auto loader = host::ProcessObjectAs<host::IResLoader>(host::progid::kResLoader);
        if (loader->ResFileBaseName() != kResFileBaseName)
            loader->setResFileBaseName(kResFileBaseName);
        const std::string language = LanguageCode();
        if (loader->LanguageID() != language) loader->setLanguageID(language);
        return loader->LoadString2(text::Trim(text));
    } catch (const Error&) {
        return {};
    }
}

}  // namespace qelt::support
