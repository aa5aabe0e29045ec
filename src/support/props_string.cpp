#include "support/props_string.h"

#include <unistd.h>

#include <utility>
#include <vector>

#include "platform/process_state.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/host/session.h"

namespace qelt::support {

namespace {

constexpr int kKeyAbsent = 5;
constexpr int kDuplicateKey = 457;
constexpr const char* kPropsSource = "QeltSqlWhere2.PropsString";

struct PropertyTable {
    bool parsed = false;
    std::string source;
    std::vector<std::pair<std::string, std::string>> pairs;
};

PropertyTable& Table() {
    return platform::ProcessState<PropertyTable, platform::StateLayer::Support>();
}

std::string SharedProperty(const char* name) {
    int32_t processId = static_cast<int32_t>(getpid());
    auto props = host::Create<host::IShareProps>(host::progid::kShareProps);
    return props->GetProperty(processId, name).toString("");
}

// The text up to the first ";" (or all of it); `rest` continues after it.
std::string UpToSemicolon(const std::string& text, std::size_t from, std::string& rest) {
    const std::size_t semi = text.find(';', from);
    std::string head = text.substr(0, semi);
    rest = semi == std::string::npos ? std::string() : text.substr(semi + 1);
    return head;
}

}  // namespace

std::string CurrentUserName() {
    return SharedProperty(host::kUserNameProperty);
}

std::string PropsString() {
    return SharedProperty(host::kPropsStringProperty);
}

bool ParsePropsString(const std::string& source) {
    PropertyTable& table = Table();
    table.parsed = false;
    table.source = source;
    table.pairs.clear();
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
                UpToSemicolon(rest, close, rest);
            }
        } else {
            value = UpToSemicolon(rest, 0, rest);
        }
        for (const auto& [k, v] : table.pairs)
            if (text::IEquals(k, key))
                throw Error(kDuplicateKey, kPropsSource,
                            "The key \"" + key + "\" occurs twice in the property string");
        table.pairs.emplace_back(key, text::Trim(value));
    }
    table.parsed = true;
    return true;
}

std::string PropValue(const std::string& key) {
    const std::string inForce = PropsString();
    if (!Table().parsed || Table().source != inForce) ParsePropsString(inForce);
    for (const auto& [k, v] : Table().pairs)
        if (text::IEquals(k, key)) return v;
    throw Error(kKeyAbsent, kPropsSource, "The property string has no key \"" + key + "\"");
}

}  // namespace qelt::support
