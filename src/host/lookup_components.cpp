#include "host/default_components.h"
#include "qelt/host/components.h"

// The look-up windows of a headless process: every look-up answers as if the
// user had cancelled it.
namespace qelt::host {

ILookupItem::~ILookupItem() = default;
ILookupResult::~ILookupResult() = default;

namespace {

class NothingChosen final : public ILookupResult {
public:
    std::shared_ptr<ILookupItem> ReturnObject() const override { return nullptr; }
};

class BaseList final : public IBaseList {
public:
    void setKeyWord(const std::string&) override {}
    RecordsetPtr Show(int16_t, int16_t) override { return nullptr; }
};

class ResourcesBrowser final : public IResourcesBrowser {
public:
    void setShowType(int32_t) override {}
    void setShowMode(int32_t) override {}
    void setFilter(const std::string&) override {}
    void Show() override {}
    RecordsetPtr Result() override { return nullptr; }
};

class BomInfo final : public IBomInfo {
public:
    RecordsetPtr GetBomList(const Dictionary&) override { return nullptr; }
};

class RoutingView final : public IRoutingView {
public:
    void setSystemName(const std::string&) override {}
    void Show() override {}
    RecordsetPtr Result() override { return nullptr; }
};

class GLView final : public IGLView {
public:
    LookupResultPtr ItemLookup(int32_t&, const std::string&, std::string&, Dictionary&) override {
        return nothing();
    }
    LookupResultPtr CurrencyLookup() override { return nothing(); }
    LookupResultPtr AccountLookup() override { return nothing(); }
    LookupResultPtr SettTypeLookup() override { return nothing(); }
    LookupResultPtr SubMesLookup(int32_t&, const Variant&, std::string&) override {
        return nothing();
    }

private:
    static LookupResultPtr nothing() { return std::make_shared<NothingChosen>(); }
};

class SingleBillLookUp final : public ISingleBillLookUp {
public:
    void setClassTypeID(int32_t) override {}
    void setShowType(int32_t) override {}
    RecordsetPtr Show() override { return nullptr; }
};

}  // namespace

namespace defaults {
std::shared_ptr<Component> NewBaseList() {
    return std::make_shared<BaseList>();
}
std::shared_ptr<Component> NewResourcesBrowser() {
    return std::make_shared<ResourcesBrowser>();
}
std::shared_ptr<Component> NewBomInfo() {
    return std::make_shared<BomInfo>();
}
std::shared_ptr<Component> NewRoutingView() {
    return std::make_shared<RoutingView>();
}
std::shared_ptr<Component> NewGLView() {
    return std::make_shared<GLView>();
}
std::shared_ptr<Component> NewSingleBillLookUp() {
    return std::make_shared<SingleBillLookUp>();
}
}  // namespace defaults

}  // namespace qelt::host
