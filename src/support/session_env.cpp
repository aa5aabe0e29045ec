#include "support/session_env.h"

#include <ini.h>
#include <unistd.h>

#include <utility>
#include <vector>

#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "support/process_state.h"
#include "support/shared_settings.h"

namespace qelt::support {

namespace {

constexpr const char* kUserNameProperty = "UserName";
constexpr const char* kPropsStringProperty = "PropsString";
constexpr int kKeyAbsent = 5;
constexpr int kDuplicateKey = 457;
constexpr const char* kPropsSource = "QeltSqlWhere2.PropsString";

constexpr const char* kSystemOptionsSql =
    "SELECT FCategory,FKey,FValue FROM t_SystemProfile \r\n"
    "WHERE FCategory='IC' AND FKey IN "
    "('StartBranchSale','ShowRelationSign','AuditChoice','PrecisionOfDiscountRate',\r\n"
    "'StartPeriod','ListMaxRows','')";
constexpr const char* kOptionCategory = "IC";
constexpr const char* kTrueText = "True";

constexpr const char* kProductKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\VOSTREL\\QeltPRODUCT";
constexpr const char* kPathValueName = "Path";
constexpr const char* kPathOption = "1";
constexpr const char* kCommonFolder = "Common";
constexpr char kPathSeparator = '/';
constexpr const char* kBaseSchemeFile = "QeltBaseScheme.ini";
constexpr const char* kVersionSection = "Version";
constexpr const char* kAppTypeKey = "AppType";
// The value buffer the base-scheme file was always read with (255 bytes).
constexpr std::size_t kIniValueLimit = 254;

struct SessionEnv {
    bool propsParsed = false;
    std::string propsSource;
    std::vector<std::pair<std::string, std::string>> props;
    RecordsetPtr optionCache;
    bool appTypeRead = false;
    int32_t appType = 0;
};

SessionEnv& Env() {
    static SessionEnv env;
    return env;
}

std::string SharedProperty(const char* name) {
    int32_t processId = static_cast<int32_t>(getpid());
    auto props = host::Create<host::IShareProps>(host::progid::kShareProps);
    return props->GetProperty(processId, name).toString("");
}

template <class T, class Convert>
T OptionOr(const char* key, const char* fallback, Convert convert) {
    const std::string value = SystemOption(kOptionCategory, key, fallback);
    // An option whose text is not a number keeps the default rather than
    // failing every list.
    try {
        return convert(Variant(value));
    } catch (const Error&) {
        return convert(Variant(fallback));
    }
}

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

std::string CurrentUserName() {
    return SharedProperty(kUserNameProperty);
}

std::string PropsString() {
    return SharedProperty(kPropsStringProperty);
}

bool ParsePropsString(const std::string& source) {
    SessionEnv& env = Env();
    env.propsParsed = true;
    env.propsSource = source;
    env.props.clear();
    std::string rest = source;
    for (;;) {
        const std::size_t eq = rest.find('=');
        if (eq == std::string::npos) break;
        const std::string key = text::Trim(rest.substr(0, eq));
        if (key.empty()) break;
        rest = text::Trim(rest.substr(eq + 1));
        std::string value;
        if (!rest.empty() && rest.front() == '{') {
            const std::size_t close = rest.find('}', 1);
            if (close == std::string::npos) {
                value = rest.substr(1);
                rest.clear();
            } else {
                value = rest.substr(1, close - 1);
                const std::size_t semi = rest.find(';', close);
                rest = semi == std::string::npos ? std::string() : rest.substr(semi + 1);
            }
        } else {
            const std::size_t semi = rest.find(';');
            value = rest.substr(0, semi);
            rest = semi == std::string::npos ? std::string() : rest.substr(semi + 1);
        }
        for (const auto& [k, v] : env.props)
            if (text::IEquals(k, key))
                throw Error(kDuplicateKey, kPropsSource,
                            "The key \"" + key + "\" occurs twice in the property string");
        env.props.emplace_back(key, text::Trim(value));
    }
    return true;
}

std::string PropValue(const std::string& key) {
    if (!Env().propsParsed) ParsePropsString(PropsString());
    for (const auto& [k, v] : Env().props)
        if (text::IEquals(k, key)) return v;
    throw Error(kKeyAbsent, kPropsSource, "The property string has no key \"" + key + "\"");
}

void LoadSystemOptions() {
    {
        auto connection = host::Create<host::IAppConnection>(host::progid::kAppConnection);
        auto rs = connection->getanyrecordset(kSystemOptionsSql);
        rs->detach();
        Env().optionCache = std::move(rs);
    }
    SharedSettings& s = Shared();
    s.AuditChoice =
        OptionOr<int16_t>("AuditChoice", kTrueText, [](const Variant& v) { return v.toInteger(); });
    s.StartBranchSale =
        OptionOr<int32_t>("StartBranchSale", "1", [](const Variant& v) { return v.toLong(); });
    s.ShowRelationSign =
        OptionOr<int32_t>("ShowRelationSign", "1", [](const Variant& v) { return v.toLong(); });
    s.PrecisionOfDiscountRate = OptionOr<int32_t>("PrecisionOfDiscountRate", "4",
                                                  [](const Variant& v) { return v.toLong(); });
}

void ReleaseSystemOptions() {
    Env().optionCache.reset();
}

std::string SystemOption(const std::string& category, const std::string& key,
                         const std::string& fallback) {
    const RecordsetPtr cache = Env().optionCache;
    if (!cache) return fallback;
    std::string result = fallback;
    try {
        cache->setFilter("FCategory=" + text::SqlQuote(category) +
                         " AND FKey=" + text::SqlQuote(key));
        if (cache->recordCount() >= 1) {
            cache->moveFirst();
            result = cache->value("FValue").toString(fallback);
        }
    } catch (const std::exception&) {
        result = fallback;
    }
    try {
        cache->setFilter("");
    } catch (const std::exception&) {
    }
    return result;
}

std::string SystemValue(const std::string& category, const std::string& key,
                        const std::string& fallback) {
    try {
        auto info = host::Create<host::ISysInfo>(host::progid::kSysInfo);
        return info->GetSysValue(PropsString(), category, key).toString();
    } catch (const std::exception&) {
        return fallback;
    }
}

std::string InstallCommonFolder() {
    auto reg = host::Create<host::IRegistry>(host::progid::kRegistry);
    const std::string path = reg->GetKeyValue(kProductKey, kPathValueName, kPathOption);
    return path + kPathSeparator + kCommonFolder + kPathSeparator;
}

int32_t AppType() {
    SessionEnv& env = Env();
    if (!env.appTypeRead) {
        env.appTypeRead = true;
        try {
            env.appType = ReadAppType();
        } catch (const std::exception&) {
            env.appType = 0;
        }
    }
    return env.appType;
}

bool IsAppType1() {
    return AppType() == 1;
}

namespace detail {
void ResetSessionEnv() {
    Env() = SessionEnv{};
}
}  // namespace detail

}  // namespace qelt::support
