#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "qelt/dictionary.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/recordset.h"

namespace qelt::testing {

// What the look-up fakes were asked and what they answer. All fakes share one
// log: "new X" when the registry creates X, then each call with its
// arguments, texts in [brackets] so that blanks show.
struct LookupLog {
    std::vector<std::string> calls;
    std::map<std::string, RecordsetPtr> rows;  // answer of each record-set window, by short name
    std::shared_ptr<host::ILookupItem> item;   // the ledger view's chosen item
    bool noResultObject = false;               // the ledger view returns no result at all
    std::string failing;                       // short name of the fake whose calls raise Error

    void add(const std::string& who, std::string call) {
        calls.push_back(std::move(call));
        if (who == failing) throw Error(-1, who, "the look-up window failed");
    }
    std::string dump() const {
        std::string out;
        for (const auto& c : calls) out += (out.empty() ? "" : "; ") + c;
        return out;
    }
};

inline std::string B(const std::string& text) {
    return "[" + text + "]";
}
inline std::string N(long long n) {
    return std::to_string(n);
}

// A record set of text fields holding one row of `values`.
inline RecordsetPtr Rows(const std::vector<std::pair<std::string, Variant>>& values) {
    auto rs = std::make_shared<Recordset>();
    std::vector<Variant> row;
    for (const auto& [name, v] : values) rs->appendField(name, adVarWChar, 50), row.push_back(v);
    rs->open();
    if (!row.empty()) rs->appendRow(row);
    return rs;
}

struct FakeLookupItem : host::ILookupItem {
    std::string number, name;
    Variant shortNumber;
    std::string Number() const override { return number; }
    std::string Name() const override { return name; }
    Variant Properties(const std::string& key) const override {
        return key == "FShortNumber" ? shortNumber : Variant();
    }
};

struct FakeLookupResult : host::ILookupResult {
    std::shared_ptr<host::ILookupItem> item;
    std::shared_ptr<host::ILookupItem> ReturnObject() const override { return item; }
};

struct Recorder {
    std::shared_ptr<LookupLog> log;
    std::string name;
    void rec(std::string call) const { log->add(name, std::move(call)); }
    RecordsetPtr rows() const { return log->rows[name]; }
};

// The record-set windows: base list, resources browser, routing view, BOM list.
struct FakeWindow : host::IBaseList,
                    host::IResourcesBrowser,
                    host::IRoutingView,
                    host::IBomInfo,
                    Recorder {
    void setKeyWord(const std::string& k) override { rec("KeyWord=" + B(k)); }
    RecordsetPtr Show(int16_t n, int16_t c) override {
        return rec("Show(" + N(n) + "," + N(c) + ")"), rows();
    }
    void setShowType(int32_t v) override { rec("ShowType=" + N(v)); }
    void setShowMode(int32_t v) override { rec("ShowMode=" + N(v)); }
    void setFilter(const std::string& f) override { rec("Filter=" + B(f)); }
    void setSystemName(const std::string& s) override { rec("SystemName=" + B(s)); }
    void Show() override { rec("Show()"); }
    RecordsetPtr Result() override { return rec("Result"), rows(); }
    RecordsetPtr GetBomList(const Dictionary& d) override {
        std::string items;
        for (std::size_t i = 0; i < d.size(); ++i)
            items += (i ? "," : "") + d.keyAt(i) + "=" + B(d.at(d.keyAt(i)).toString());
        return rec("GetBomList({" + items + "})"), rows();
    }
};

struct FakeGLView : host::IGLView, Recorder {
    host::LookupResultPtr ItemLookup(int32_t& c, const std::string& text, std::string& filter,
                                     Dictionary& s) override {
        return answer("ItemLookup(" + N(c) + "," + B(text) + "," + B(filter) +
                      ",{Search=" + B(s.at("Search").toString()) +
                      ",GetDataType=" + N(s.at("GetDataType").toLong()) + "})");
    }
    host::LookupResultPtr CurrencyLookup() override { return answer("CurrencyLookup()"); }
    host::LookupResultPtr AccountLookup() override { return answer("AccountLookup()"); }
    host::LookupResultPtr SettTypeLookup() override { return answer("SettTypeLookup()"); }
    host::LookupResultPtr SubMesLookup(int32_t& c, const Variant& option,
                                       std::string& filter) override {
        return answer("SubMesLookup(" + N(c) + "," + (option.isEmpty() ? "omitted" : "given") +
                      "," + B(filter) + ")");
    }
    host::LookupResultPtr answer(std::string call) {
        rec(std::move(call));
        if (log->noResultObject) return nullptr;
        auto result = std::make_shared<FakeLookupResult>();
        result->item = log->item;
        return result;
    }
};

struct FakeSingleBillLookUp : host::ISingleBillLookUp, Recorder {
    void setClassTypeID(int32_t v) override { rec("ClassTypeID=" + N(v)); }
    void setShowType(int32_t v) override { rec("ShowType=" + N(v)); }
    RecordsetPtr Show() override { return rec("Show()"), rows(); }
};

// Registers a recording fake for every look-up window, all on one log.
struct LookupFakes {
    std::shared_ptr<LookupLog> log = std::make_shared<LookupLog>();

    LookupFakes() {
        install<FakeWindow>(host::progid::kBaseList, "BaseList");
        install<FakeWindow>(host::progid::kResourcesBrowser, "Browser");
        install<FakeWindow>(host::progid::kBomInfo, "GetBomInfo");
        install<FakeWindow>(host::progid::kRoutingView, "RoutingView");
        install<FakeGLView>(host::progid::kGLView, "GLView");
        install<FakeSingleBillLookUp>(host::progid::kSingleBillLookUp, "SingleBillLookUp");
    }

    // Registering the ledger view again drops its process-lived instance, so
    // the next look-up creates a new one.
    void freshLedgerView() { install<FakeGLView>(host::progid::kGLView, "GLView"); }

    template <class Fake>
    void install(const char* progId, const std::string& name) {
        host::RegisterComponent(progId, [log = log, name] {
            auto fake = std::make_shared<Fake>();
            fake->log = log;
            fake->name = name;
            log->calls.push_back("new " + name);
            return fake;
        });
    }
};

}  // namespace qelt::testing
