#include "qelt/host/session.h"

#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <utility>

#include "host/host_config.h"
#include "platform/process_state.h"
#include "platform/text.h"
#include "qelt/demo.h"

namespace qelt::host {

namespace {

constexpr const char* kDatabaseEnv = "QELT_DATABASE";
constexpr const char* kUserNameEnv = "QELT_USER_NAME";
constexpr const char* kPropsEnv = "QELT_PROPS";
constexpr const char* kInstallPathEnv = "QELT_INSTALL_PATH";

struct SessionConfig {
    std::optional<std::string> database;
    std::map<std::string, std::string> properties;  // by lower-case name
    std::optional<std::string> installPath;
};

SessionConfig& Config() {
    return platform::ProcessState<SessionConfig, platform::StateLayer::Host>();
}

// Not state of the library: the sink belongs to whoever set it, so resetting
// the library's state keeps it.
std::function<int(const Message&)>& Sink() {
    static std::function<int(const Message&)> sink;
    return sink;
}

// An unset and an empty variable both count as absent, so that a test runner
// can blank a variable of the developer's shell.
std::optional<std::string> Env(const char* name) {
    const char* v = std::getenv(name);
    if (!v || !*v) return std::nullopt;
    return std::string(v);
}

int WriteToStderr(const Message& m) {
    std::cerr << m.title << ": " << m.text << std::endl;
    return 1;
}

}  // namespace

void SetDatabase(const std::string& connectionString) {
    Config().database = connectionString;
}

void SetSharedProperty(const std::string& name, const std::string& value) {
    Config().properties[text::ToLower(name)] = value;
}

void SetInstallPath(const std::string& path) {
    Config().installPath = path;
}

void SetMessageSink(std::function<int(const Message&)> sink) {
    Sink() = std::move(sink);
}

std::string DatabaseConnectionString() {
    const auto& configured = Config().database;
    if (configured && !configured->empty()) return *configured;
    if (auto env = Env(kDatabaseEnv)) return *env;
    return DemoDatabaseConnectionString();
}

std::string SharedPropertyValue(const std::string& name, bool& found) {
    found = true;
    const auto& props = Config().properties;
    if (auto it = props.find(text::ToLower(name)); it != props.end()) return it->second;
    const char* envName = text::IEquals(name, kUserNameProperty)      ? kUserNameEnv
                          : text::IEquals(name, kPropsStringProperty) ? kPropsEnv
                                                                      : nullptr;
    if (envName)
        if (auto env = Env(envName)) return *env;
    found = false;
    return {};
}

std::string InstallPath() {
    if (Config().installPath) return *Config().installPath;
    return Env(kInstallPathEnv).value_or("");
}

int DeliverMessage(const Message& message) {
    // Copied: a sink may replace itself while it runs.
    auto sink = Sink();
    return sink ? sink(message) : WriteToStderr(message);
}

}  // namespace qelt::host
