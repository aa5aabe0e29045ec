#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/prog_ids.h"
#include "qelt/dictionary.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/recordset.h"

namespace qelt::testing {

// One log for every look-up fake, so the order of calls across components
// shows: "new X" when the registry creates one, then each call with its
// arguments. Texts are written between [brackets] so blanks show.
struct LookupLog {
    std::vector<std::string> calls;
    // The look-ups whose calls raise Error (by programmatic identifier).
    std::vector<std::string> failing;

    void add(std::string call) { calls.push_back(std::move(call)); }
    void failIf(const char* progId) const {
        for (const auto& id : failing)
            if (id == progId) throw Error(-1, progId, "the look-up window failed");
    }
    std::string dump() const {
        std::string out;
        for (const auto& c : calls) out += (out.empty() ? "" : "; ") + c;
        return out;
    }
};

inline std::string Bracketed(const std::string& text) {
    return "[" + text + "]";
}

inline std::string DumpDictionary(const Dictionary& d) {
    std::string out;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const Variant& v = d.at(d.keyAt(i));
        out += (i ? "," : "") + d.keyAt(i) + "=" +
               (v.textIf() ? Bracketed(*v.textIf()) : v.toString());
    }
    return "{" + out + "}";
}

// A record set of text fields holding one row, or none when `values` is empty.
inline RecordsetPtr Rows(const std::vector<std::pair<std::string, Variant>>& values) {
    auto rs = std::make_shared<Recordset>();
    for (const auto& [name, v] : values) rs->appendField(name, adVarWChar, 50);
    if (values.empty()) rs->appendField("FName", adVarWChar, 50);
    rs->open();
    if (!values.empty()) {
        std::vector<Variant> row;
        for (const auto& [name, v] : values) row.push_back(v);
        rs->appendRow(row);
    }
    return rs;
}

struct FakeLookupItem : host::ILookupItem {
    std::string number, name;
    std::map<std::string, Variant> properties;  // by exact name
    std::string Number() const override { return number; }
    std::string Name() const override { return name; }
    Variant Properties(const std::string& key) const override {
        auto it = properties.find(key);
        return it == properties.end() ? Variant() : it->second;
    }
};

struct FakeLookupResult : host::ILookupResult {
    std::shared_ptr<host::ILookupItem> item;
    std::shared_ptr<host::ILookupItem> ReturnObject() const override { return item; }
};

// What the fakes answer: the record set of every record-set look-up (null
// for none) and the item of every ledger view look-up (null for none).
struct LookupAnswers {
    RecordsetPtr baseList, browser, bom, routing, singleBill;
    std::shared_ptr<FakeLookupItem> item;
    // The ledger view returns no result object at all.
    bool noResultObject = false;
};

struct FakeBaseList : host::IBaseList {
    std::shared_ptr<LookupLog> log;
    std::shared_ptr<LookupAnswers> answers;
    void setKeyWord(const std::string& k) override { log->add("KeyWord=" + Bracketed(k)); }
    RecordsetPtr Show(int16_t number, int16_t cls) override {
        log->add("Show(" + std::to_string(number) + "," + std::to_string(cls) + ")");
        log->failIf(host::progid::kBaseList);
        return answers->baseList;
    }
};

struct FakeResourcesBrowser : host::IResourcesBrowser {
    std::shared_ptr<LookupLog> log;
    std::shared_ptr<LookupAnswers> answers;
    void setShowType(int32_t v) override { log->add("ShowType=" + std::to_string(v)); }
    void setShowMode(int32_t v) override { log->add("ShowMode=" + std::to_string(v)); }
    void setFilter(const std::string& f) override { log->add("Filter=" + Bracketed(f)); }
    void Show() override {
        log->add("Show()");
        log->failIf(host::progid::kResourcesBrowser);
    }
    RecordsetPtr Result() override {
        log->add("Result");
        return answers->browser;
    }
};

struct FakeBomInfo : host::IBomInfo {
    std::shared_ptr<LookupLog> log;
    std::shared_ptr<LookupAnswers> answers;
    RecordsetPtr GetBomList(const Dictionary& options) override {
        log->add("GetBomList(" + DumpDictionary(options) + ")");
        log->failIf(host::progid::kBomInfo);
        return answers->bom;
    }
};

struct FakeRoutingView : host::IRoutingView {
    std::shared_ptr<LookupLog> log;
    std::shared_ptr<LookupAnswers> answers;
    void setSystemName(const std::string& n) override { log->add("SystemName=" + Bracketed(n)); }
    void Show() override {
        log->add("Show()");
        log->failIf(host::progid::kRoutingView);
    }
    RecordsetPtr Result() override {
        log->add("Result");
        return answers->routing;
    }
};

struct FakeGLView : host::IGLView {
    std::shared_ptr<LookupLog> log;
    std::shared_ptr<LookupAnswers> answers;

    host::LookupResultPtr ItemLookup(int32_t& cls, const std::string& text, std::string& filter,
                                     Dictionary& settings) override {
        return answer("ItemLookup(" + std::to_string(cls) + "," + Bracketed(text) + "," +
                      Bracketed(filter) + "," + DumpDictionary(settings) + ")");
    }
    host::LookupResultPtr CurrencyLookup() override { return answer("CurrencyLookup()"); }
    host::LookupResultPtr AccountLookup() override { return answer("AccountLookup()"); }
    host::LookupResultPtr SettTypeLookup() override { return answer("SettTypeLookup()"); }
    host::LookupResultPtr SubMesLookup(int32_t& cls, const Variant& option,
                                       std::string& filter) override {
        return answer("SubMesLookup(" + std::to_string(cls) + "," +
                      (option.isEmpty() ? "omitted" : option.toString()) + "," + Bracketed(filter) +
                      ")");
    }

private:
    host::LookupResultPtr answer(std::string call) {
        log->add(std::move(call));
        log->failIf(host::progid::kGLView);
        if (answers->noResultObject) return nullptr;
        auto result = std::make_shared<FakeLookupResult>();
        result->item = answers->item;
        return result;
    }
};

struct FakeSingleBillLookUp : host::ISingleBillLookUp {
    std::shared_ptr<LookupLog> log;
    std::shared_ptr<LookupAnswers> answers;
    void setClassTypeID(int32_t v) override { log->add("ClassTypeID=" + std::to_string(v)); }
    void setShowType(int32_t v) override { log->add("ShowType=" + std::to_string(v)); }
    RecordsetPtr Show() override {
        log->add("Show()");
        log->failIf(host::progid::kSingleBillLookUp);
        return answers->singleBill;
    }
};

// Registers a recording fake for every look-up window; all share one log and
// one set of answers.
struct LookupFakes {
    std::shared_ptr<LookupLog> log = std::make_shared<LookupLog>();
    std::shared_ptr<LookupAnswers> answers = std::make_shared<LookupAnswers>();

    LookupFakes() {
        install<FakeBaseList>(host::progid::kBaseList, "BaseList");
        install<FakeResourcesBrowser>(host::progid::kResourcesBrowser, "Browser");
        install<FakeBomInfo>(host::progid::kBomInfo, "GetBomInfo");
        install<FakeRoutingView>(host::progid::kRoutingView, "RoutingView");
        install<FakeGLView>(host::progid::kGLView, "GLView");
        install<FakeSingleBillLookUp>(host::progid::kSingleBillLookUp, "SingleBillLookUp");
    }

private:
    template <class Fake>
    void install(const char* progId, std::string shortName) {
        auto log_ = log;
        auto answers_ = answers;
        host::RegisterComponent(progId, [log_, answers_, shortName] {
            log_->add("new " + shortName);
            auto fake = std::make_shared<Fake>();
            fake->log = log_;
            fake->answers = answers_;
            return fake;
        });
    }
};

}  // namespace qelt::testing
