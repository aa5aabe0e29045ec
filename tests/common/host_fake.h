#pragma once

// The host's components as one recording fake: every call lands in one log,
// and the answers are set by the test.

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "qelt/dictionary.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/recordset.h"

namespace qelt::testing {

// A record set of text fields holding one row of `values`; none for {}.
inline RecordsetPtr Rows(const std::vector<std::pair<std::string, Variant>>& values) {
    auto rs = std::make_shared<Recordset>();
    std::vector<Variant> row;
    for (const auto& [name, v] : values) rs->appendField(name, adVarWChar, 50), row.push_back(v);
    rs->open();
    if (!row.empty()) rs->appendRow(row);
    return rs;
}

// Calls are logged as "Component.method(args)", texts in [brackets] so that
// blanks show, and each creation as "Component.new". Answers: record sets
// from `rows` by component name (statements from `query` when it is set),
// yes/no questions (rights, current period) `allow`, the ledger view's
// look-ups the fake itself as the chosen item (none with `noItem`, no result
// object with `noResult`); the components in `failing` raise Error.
struct HostFake : host::ILookupItem, std::enable_shared_from_this<HostFake> {
    std::vector<std::string> calls;
    std::map<std::string, RecordsetPtr> rows;
    std::function<RecordsetPtr(const std::string& sql)> query;
    bool allow = true, noItem = false, noResult = false;
    std::string number, itemName;
    Variant shortNumber;
    std::set<std::string> failing;
    int32_t period = 12;  // the cost system's current period of 2026, of 12

    // Registers the fake under each prog id whose last part is named:
    // AppConnection GLData GetData (bill data) clsListServer AisInfo BaseList
    // Browser GetBomInfo RoutingView GLView SingleBillLookUp.
    static std::shared_ptr<HostFake> Install(const std::vector<std::string>& names) {
        auto fake = std::make_shared<HostFake>();
        for (const auto& n : names) fake->install(n);
        return fake;
    }
    void install(const std::string& name);
    std::string Number() const override { return number; }
    std::string Name() const override { return itemName; }
    Variant Properties(const std::string& k) const override {
        return k == "FShortNumber" ? shortNumber : Variant();
    }

    // The calls since the last take, joined by "; ".
    std::string take() {
        std::string out;
        for (const auto& c : calls) out += (out.empty() ? "" : "; ") + c;
        calls.clear();
        return out;
    }
};

namespace host_fake {
using namespace host;

struct Part : virtual Component {
    std::shared_ptr<HostFake> fake;
    std::string name;
    static std::string Arg(const std::string& s) { return "[" + s + "]"; }
    static std::string Arg(long long n) { return std::to_string(n); }
    static std::string Arg(const Dictionary& d) {
        std::string s;
        for (const auto& [k, v] : d) s += (s.empty() ? "" : ",") + k + "=" + Arg(v.toString());
        return "{" + s + "}";
    }
    template <class... A>
    RecordsetPtr call(const std::string& method, const A&... args) const {
        std::string s;
        ((s += (s.empty() ? "" : ",") + Arg(args)), ...);
        fake->calls.push_back(name + "." + method + "(" + s + ")");
        if (fake->failing.count(name)) throw Error(-1, name, "the component failed");
        auto it = fake->rows.find(name);
        return it == fake->rows.end() ? nullptr : it->second;
    }
    RecordsetPtr statement(const std::string& method, const std::string& sql) const {
        auto rs = call(method, sql);
        return fake->query ? fake->query(sql) : rs;
    }
    LookupResultPtr lookup(RecordsetPtr) const {
        struct Result : ILookupResult {
            std::shared_ptr<ILookupItem> item;
            std::shared_ptr<ILookupItem> ReturnObject() const override { return item; }
        };
        auto r = std::make_shared<Result>();
        if (!fake->noItem) r->item = fake;
        return fake->noResult ? nullptr : r;
    }
};

struct Data : Part, IAppConnection, IGLData, IBillData, IListServer, IAisInfo {
    RecordsetPtr Execute(const std::string& sql) override { return statement("Execute", sql); }
    RecordsetPtr getanyrecordset(const std::string& sql) override {
        return statement("getanyrecordset", sql);
    }
    RecordsetPtr ExecuteSQL(const std::string& props, const std::string& sql) override {
        return call("ExecuteSQL", props, sql);
    }
    bool AccessCheck(int32_t type, int32_t number, int32_t right) override {
        return call("AccessCheck", type, number, right), fake->allow;
    }
    bool GetCurPeriod(const std::string&, int32_t& y, int32_t& p, Date& s, Date& e) override {
        call("GetCurPeriod");
        if (!fake->allow) return false;
        y = 2026;
        p = 7;
        s = Date{2026, 7, 1};
        e = Date{2026, 7, 31};
        return true;
    }
    std::string GetExtFilter(const std::string&) override { return call("GetExtFilter"), ""; }
    void setPropsString(const std::string&) override {}
    int32_t CBGetPeriodCount() override { return call("CBGetPeriodCount"), 12; }
    int32_t CBGetCurrYear() override { return call("CBGetCurrYear"), 2026; }
    int32_t CBGetCurrPeriod() override { return call("CBGetCurrPeriod"), fake->period; }
    Date GetPeriodDate(int32_t y, int32_t p) override {
        return call("GetPeriodDate", y, p), Date{y, p, 1};
    }
};

struct Windows : Data, IBaseList, IResourcesBrowser, IBomInfo, IRoutingView, IGLView {
    void setKeyWord(const std::string& k) override { call("setKeyWord", k); }
    RecordsetPtr Show(int16_t n, int16_t c) override { return call("Show", n, c); }
    void setShowType(int32_t v) override { call("setShowType", v); }
    void setShowMode(int32_t v) override { call("setShowMode", v); }
    void setFilter(const std::string& f) override { call("setFilter", f); }
    void setSystemName(const std::string& s) override { call("setSystemName", s); }
    void Show() override { call("Show"); }
    RecordsetPtr Result() override { return call("Result"); }
    RecordsetPtr GetBomList(const Dictionary& d) override { return call("GetBomList", d); }
    LookupResultPtr ItemLookup(int32_t& c, const std::string& t, std::string& f,
                               Dictionary& s) override {
        return lookup(call("ItemLookup", c, t, f, s));
    }
    LookupResultPtr CurrencyLookup() override { return lookup(call("CurrencyLookup")); }
    LookupResultPtr AccountLookup() override { return lookup(call("AccountLookup")); }
    LookupResultPtr SettTypeLookup() override { return lookup(call("SettTypeLookup")); }
    LookupResultPtr SubMesLookup(int32_t& c, const Variant& o, std::string& f) override {
        return lookup(call("SubMesLookup", c, o.isEmpty() ? "omitted" : "given", f));
    }
};

// Apart: its Show() answers a record set where the browser's answers nothing.
struct SingleBillLookUp : Part, ISingleBillLookUp {
    void setClassTypeID(int32_t v) override { call("setClassTypeID", v); }
    void setShowType(int32_t v) override { call("setShowType", v); }
    RecordsetPtr Show() override { return call("Show"); }
};

}  // namespace host_fake

inline void HostFake::install(const std::string& name) {
    namespace id = host::progid;
    for (const std::string progId :
         {id::kAppConnection, id::kGLData, id::kBillData, id::kListServer, id::kAisInfo,
          id::kBaseList, id::kResourcesBrowser, id::kBomInfo, id::kRoutingView, id::kGLView,
          id::kSingleBillLookUp}) {
        if (progId.substr(progId.find('.') + 1) != name) continue;
        host::RegisterComponent(progId, [fake = shared_from_this(), name] {
            fake->calls.push_back(name + ".new");
            auto make = [&](auto part) -> std::shared_ptr<host::Component> {
                part->fake = fake;
                part->name = name;
                return part;
            };
            return name == "SingleBillLookUp"
                       ? make(std::make_shared<host_fake::SingleBillLookUp>())
                       : make(std::make_shared<host_fake::Windows>());
        });
    }
}

}  // namespace qelt::testing
