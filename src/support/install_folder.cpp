#include "support/install_folder.h"

#include <ini.h>

#include "host/install_keys.h"
#include "platform/process_state.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"

namespace qelt::support {

namespace {

constexpr const char* kPathOption = "1";
constexpr const char* kCommonFolder = "Common";
constexpr char kPathSeparator = '/';
constexpr const char* kBaseSchemeFile = "QeltBaseScheme.ini";
constexpr const char* kVersionSection = "Version";
constexpr const char* kAppTypeKey = "AppType";
// The value buffer the base-scheme file was always read with (255 bytes).
constexpr std::size_t kIniValueLimit = 254;

struct AppTypeRead {
    bool read = false;
    int32_t value = 0;
};

struct IniSearch {
    bool found = false;
    std::string value;
};

int OnIniEntry(void* user, const char* section, const char* name, const char* value) {
    auto* search = static_cast<IniSearch*>(user);
    if (!search->found && text::IEquals(section, kVersionSection) &&
        text::IEquals(name, kAppTypeKey)) {
        search->found = true;
        search->value = std::string(value).substr(0, kIniValueLimit);
    }
    return 1;
}

int32_t ReadAppType() {
    const std::string file = InstallCommonFolder() + kBaseSchemeFile;
    IniSearch search;
    if (ini_parse(file.c_str(), OnIniEntry, &search) < 0) return 0;
    return search.found ? Variant(search.value).toLong() : 0;
}

}  // namespace

std::string InstallCommonFolder() {
    auto reg = host::Create<host::IRegistry>(host::progid::kRegistry);
    const std::string path = reg->GetKeyValue(host::kProductKey, host::kPathValueName, kPathOption);
    return path + kPathSeparator + kCommonFolder + kPathSeparator;
}

int32_t AppType() {
    auto& appType = platform::ProcessState<AppTypeRead, platform::StateLayer::Support>();
    if (!appType.read) {
        appType.read = true;
        try {
            appType.value = ReadAppType();
        } catch (const Error&) {
            appType.value = 0;
        }
    }
    return appType.value;
}

bool IsAppType1() {
    return AppType() == 1;
}

}  // namespace qelt::support
