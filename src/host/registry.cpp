#include <map>
#include <utility>

#include "host/default_components.h"
#include "host/host_config.h"
#include "host/process_objects.h"
#include "platform/process_state.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"

namespace qelt::host {

namespace {

struct Registry {
    bool defaultsLoaded = false;
    std::map<std::string, ComponentFactory> factories;  // by lower-case identifier
    std::map<std::string, std::shared_ptr<Component>> processObjects;
};

Registry& State() {
    return platform::ProcessState<Registry, platform::StateLayer::Host>();
}

std::string KeyOf(const std::string& progId) {
    return text::ToLower(progId);
}

// The defaults are added on first use, before any host registration can
// replace them.
Registry& LoadedState() {
    Registry& r = State();
    if (r.defaultsLoaded) return r;
    r.defaultsLoaded = true;
    const std::pair<const char*, ComponentFactory> defaults[] = {
        {progid::kAppConnection, defaults::NewAppConnection},
        {progid::kGLData, defaults::NewGLData},
        {progid::kMessage, defaults::NewMessageBox},
        {progid::kStringSplitter, defaults::NewStringSplitter},
        {progid::kFrameworkUtility, defaults::NewFrameworkUtility},
        {progid::kShareProps, defaults::NewShareProps},
        {progid::kSysInfo, defaults::NewSysInfo},
        {progid::kRegistry, defaults::NewRegistry},
        {progid::kFrmResLoader, defaults::NewFrmResLoader},
        {progid::kResLoader, defaults::NewResLoader},
        {progid::kListServer, defaults::NewListServer},
        {progid::kAisInfo, defaults::NewAisInfo},
        {progid::kBillData, defaults::NewBillData},
        {progid::kStockRptData, defaults::NewStockRptData},
        {progid::kBaseList, defaults::NewBaseList},
        {progid::kResourcesBrowser, defaults::NewResourcesBrowser},
        {progid::kBomInfo, defaults::NewBomInfo},
        {progid::kRoutingView, defaults::NewRoutingView},
        {progid::kGLView, defaults::NewGLView},
        {progid::kSingleBillLookUp, defaults::NewSingleBillLookUp},
        {progid::kScheme, defaults::NewScheme},
        {progid::kSchemeProfile, defaults::NewProfile},
    };
    for (const auto& [id, factory] : defaults) r.factories[KeyOf(id)] = factory;
    return r;
}

}  // namespace

Component::~Component() = default;

void RegisterComponent(const std::string& progId, ComponentFactory factory) {
    Registry& r = LoadedState();
    const std::string key = KeyOf(progId);
    r.processObjects.erase(key);
    if (factory)
        r.factories[key] = std::move(factory);
    else
        r.factories.erase(key);
}

std::shared_ptr<Component> CreateObject(const std::string& progId) {
    Registry& r = LoadedState();
    auto it = r.factories.find(KeyOf(progId));
    if (it == r.factories.end())
        throw Error(err::kCannotCreateObject, kCreateObjectSource,
                    "Cannot create object \"" + progId + "\": no component is registered under it");
    // Copied: a factory may itself register components.
    ComponentFactory factory = it->second;
    auto obj = factory();
    if (!obj)
        throw Error(err::kCannotCreateObject, kCreateObjectSource,
                    "Cannot create object \"" + progId + "\": its factory returned nothing");
    return obj;
}

void ThrowNotOffered(const std::string& progId) {
    throw Error(err::kInterfaceNotOffered, kCreateObjectSource,
                "The object \"" + progId + "\" does not offer the expected interface");
}

std::shared_ptr<Component> ProcessObject(const std::string& progId) {
    const std::string key = KeyOf(progId);
    {
        Registry& r = State();
        auto it = r.processObjects.find(key);
        if (it != r.processObjects.end()) return it->second;
    }
    auto obj = CreateObject(progId);
    State().processObjects[key] = obj;
    return obj;
}

}  // namespace qelt::host
