#include "host/db_session.h"
#include "host/default_components.h"
#include "host/host_config.h"
#include "host/install_keys.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"

namespace qelt::host {

namespace {

constexpr int kValueAbsent = err::kNotFound;

// Answers from the session configuration (SetSharedProperty or the
// environment); a property nobody set is Empty.
class ShareProps final : public IShareProps {
public:
    Variant GetProperty(int32_t&, const std::string& name) override {
        bool found = false;
        std::string value = SharedPropertyValue(name, found);
        return found ? Variant(value) : Variant();
    }
};

class SysInfo final : public ISysInfo {
public:
    Variant GetSysValue(const std::string&, const std::string& category,
                        const std::string& key) override {
        const std::string sql =
            "SELECT FValue FROM t_SystemProfile WHERE FCategory=" + text::SqlQuote(category) +
            " AND FKey=" + text::SqlQuote(key);
        auto rs = RunQuery(sql);
        if (rs->recordCount() < 1 || rs->value(0).isNull())
            throw Error(kValueAbsent, progid::kSysInfo,
                        "No value for \"" + category + "\", \"" + key + "\" in t_SystemProfile");
        return rs->value(0);
    }
};

// The installation's registry holds one value the library reads: the
// product's installation path.
class Registry final : public IRegistry {
public:
    std::string GetKeyValue(const std::string& key, const std::string& valueName,
                            const std::string&) override {
        std::string path = InstallPath();
        if (!text::IEquals(key, kProductKey) || !text::IEquals(valueName, kPathValueName) ||
            path.empty())
            throw Error(kValueAbsent, progid::kRegistry,
                        "No registry value \"" + valueName + "\" under \"" + key + "\"");
        return path;
    }
};

class FrmResLoader final : public IFormResLoader {
public:
    void SetFrmFont(void*, const std::string&) override {}
};

// Without resource files every text is its own translation.
class ResLoader final : public IResLoader {
public:
    std::string ResFileBaseName() const override { return baseName_; }
    void setResFileBaseName(const std::string& name) override { baseName_ = name; }
    std::string LanguageID() const override { return languageId_; }
    void setLanguageID(const std::string& id) override { languageId_ = id; }
    std::string LoadString2(const std::string& text) override { return text::Trim(text); }

private:
    std::string baseName_;
    std::string languageId_;
};

}  // namespace

namespace defaults {
std::shared_ptr<Component> NewShareProps() {
    return std::make_shared<ShareProps>();
}
std::shared_ptr<Component> NewSysInfo() {
    return std::make_shared<SysInfo>();
}
std::shared_ptr<Component> NewRegistry() {
    return std::make_shared<Registry>();
}
std::shared_ptr<Component> NewFrmResLoader() {
    return std::make_shared<FrmResLoader>();
}
std::shared_ptr<Component> NewResLoader() {
    return std::make_shared<ResLoader>();
}
}  // namespace defaults

}  // namespace qelt::host
