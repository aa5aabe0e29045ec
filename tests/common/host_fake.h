#pragma once

// The host's components as one recording fake: every call lands in one log,
// and the answers are set by the test.

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
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

struct LookupItem : host::ILookupItem {
    std::string number, name;
    Variant shortNumber;
    std::string Number() const override { return number; }
    std::string Name() const override { return name; }
    Variant Properties(const std::string& k) const override {
        return k == "FShortNumber" ? shortNumber : Variant();
    }
};

// Calls are logged as "Component.method(args)", texts in [brackets] so that
// blanks show, and each creation as "Component.new". Answers: record sets
// from `rows` by component name (statements from `query` when it is set),
// yes/no questions (rights, current period) `allow`, the ledger view's
// look-ups `item` (no result object with `noResult`); the components named
// in `failing` raise Error on every call.
struct HostFake : std::enable_shared_from_this<HostFake> {
    std::vector<std::string> calls;
    std::map<std::string, RecordsetPtr> rows;
    std::function<RecordsetPtr(const std::string& sql)> query;
    bool allow = true, noResult = false;
    std::shared_ptr<host::ILookupItem> item;
    std::set<std::string> failing;
    int32_t period = 12;  // the cost system's current period of 2026, of 12

    // Registers the fake under the prog id of each component named:
    // AppConnection GLData BillData ListServer AisInfo BaseList Browser
    // GetBomInfo RoutingView GLView SingleBillLookUp.
    static std::shared_ptr<HostFake> Install(const std::vector<std::string>& names) {
        auto fake = std::make_shared<HostFake>();
        for (const auto& n : names) fake->install(n);
        return fake;
    }
    void install(const std::string& name);

    // The calls since the last take, joined by "; ".
    std::string take() {
        std::string out;
        for (const auto& c : calls) out += (out.empty() ? "" : "; ") + c;
        calls.clear();
        return out;
    }
};

namespace host_fake {

inline std::string B(const std::string& s) {
    return "[" + s + "]";
}
inline std::string N(long long n) {
    return std::to_string(n);
}

struct Part {
    std::shared_ptr<HostFake> fake;
    std::string name;
    RecordsetPtr call(const std::string& method) const {
        fake->calls.push_back(name + "." + method);
        if (fake->failing.count(name)) throw Error(-1, name, "the component failed");
        auto it = fake->rows.find(name);
        return it == fake->rows.end() ? nullptr : it->second;
    }
    RecordsetPtr statement(const std::string& method, const std::string& sql) const {
        auto rs = call(method + "(" + B(sql) + ")");
        return fake->query ? fake->query(sql) : rs;
    }
    host::LookupResultPtr lookup(const std::string& method) const {
        struct Result : host::ILookupResult {
            std::shared_ptr<host::ILookupItem> item;
            std::shared_ptr<host::ILookupItem> ReturnObject() const override { return item; }
        };
        call(method);
        if (fake->noResult) return nullptr;
        auto r = std::make_shared<Result>();
        r->item = fake->item;
        return r;
    }
};

struct Components : Part,
                    host::IAppConnection,
                    host::IGLData,
                    host::IBillData,
                    host::IListServer,
                    host::IAisInfo,
                    host::IBaseList,
                    host::IResourcesBrowser,
                    host::IBomInfo,
                    host::IRoutingView,
                    host::IGLView {
    RecordsetPtr Execute(const std::string& sql) override { return statement("Execute", sql); }
    RecordsetPtr getanyrecordset(const std::string& sql) override {
        return statement("getanyrecordset", sql);
    }
    RecordsetPtr ExecuteSQL(const std::string& props, const std::string& sql) override {
        return statement("ExecuteSQL" + B(props), sql);
    }
    bool AccessCheck(int32_t type, int32_t number, int32_t right) override {
        call("AccessCheck(" + N(type) + "," + N(number) + "," + N(right) + ")");
        return fake->allow;
    }
    bool GetCurPeriod(const std::string&, int32_t& y, int32_t& p, Date& s, Date& e) override {
        call("GetCurPeriod()");
        if (fake->allow) y = 2026, p = 7, s = Date{2026, 7, 1}, e = Date{2026, 7, 31};
        return fake->allow;
    }
    std::string GetExtFilter(const std::string&) override { return call("GetExtFilter()"), ""; }
    void setPropsString(const std::string&) override {}
    int32_t CBGetPeriodCount() override { return call("CBGetPeriodCount()"), 12; }
    int32_t CBGetCurrYear() override { return call("CBGetCurrYear()"), 2026; }
    int32_t CBGetCurrPeriod() override { return call("CBGetCurrPeriod()"), fake->period; }
    Date GetPeriodDate(int32_t y, int32_t p) override {
        return call("GetPeriodDate(" + N(y) + "," + N(p) + ")"), Date{y, p, 1};
    }
    void setKeyWord(const std::string& k) override { call("KeyWord=" + B(k)); }
    RecordsetPtr Show(int16_t n, int16_t c) override {
        return call("Show(" + N(n) + "," + N(c) + ")");
    }
    void setShowType(int32_t v) override { call("ShowType=" + N(v)); }
    void setShowMode(int32_t v) override { call("ShowMode=" + N(v)); }
    void setFilter(const std::string& f) override { call("Filter=" + B(f)); }
    void setSystemName(const std::string& s) override { call("SystemName=" + B(s)); }
    void Show() override { call("Show()"); }
    RecordsetPtr Result() override { return call("Result()"); }
    RecordsetPtr GetBomList(const Dictionary& d) override {
        std::string items;
        for (std::size_t i = 0; i < d.size(); ++i)
            items += (i ? "," : "") + d.keyAt(i) + "=" + B(d.at(d.keyAt(i)).toString());
        return call("GetBomList({" + items + "})");
    }
    host::LookupResultPtr ItemLookup(int32_t& c, const std::string& text, std::string& filter,
                                     Dictionary& s) override {
        return lookup("ItemLookup(" + N(c) + "," + B(text) + "," + B(filter) +
                      ",{Search=" + B(s.at("Search").toString()) +
                      ",GetDataType=" + N(s.at("GetDataType").toLong()) + "})");
    }
    host::LookupResultPtr CurrencyLookup() override { return lookup("CurrencyLookup()"); }
    host::LookupResultPtr AccountLookup() override { return lookup("AccountLookup()"); }
    host::LookupResultPtr SettTypeLookup() override { return lookup("SettTypeLookup()"); }
    host::LookupResultPtr SubMesLookup(int32_t& c, const Variant& o, std::string& f) override {
        return lookup("SubMesLookup(" + N(c) + "," + (o.isEmpty() ? "omitted" : "given") + "," +
                      B(f) + ")");
    }
};

// Apart: its Show() answers a record set where the browser's answers nothing.
struct SingleBillLookUp : Part, host::ISingleBillLookUp {
    void setClassTypeID(int32_t v) override { call("ClassTypeID=" + N(v)); }
    void setShowType(int32_t v) override { call("ShowType=" + N(v)); }
    RecordsetPtr Show() override { return call("Show()"); }
};

}  // namespace host_fake

inline void HostFake::install(const std::string& name) {
    namespace id = host::progid;
    static const std::map<std::string, const char*> kIds = {
        {"AppConnection", id::kAppConnection},
        {"GLData", id::kGLData},
        {"BillData", id::kBillData},
        {"ListServer", id::kListServer},
        {"AisInfo", id::kAisInfo},
        {"BaseList", id::kBaseList},
        {"Browser", id::kResourcesBrowser},
        {"GetBomInfo", id::kBomInfo},
        {"RoutingView", id::kRoutingView},
        {"GLView", id::kGLView},
        {"SingleBillLookUp", id::kSingleBillLookUp}};
    host::RegisterComponent(kIds.at(name), [fake = shared_from_this(), name] {
        fake->calls.push_back(name + ".new");
        auto make = [&](auto part) -> std::shared_ptr<host::Component> {
            part->fake = fake, part->name = name;
            return part;
        };
        return name == "SingleBillLookUp" ? make(std::make_shared<host_fake::SingleBillLookUp>())
                                          : make(std::make_shared<host_fake::Components>());
    });
}

}  // namespace qelt::testing
