#include "support/system_options.h"

#include <span>

#include "host/connection_query.h"
#include "platform/process_state.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/recordset.h"
#include "support/shared_settings.h"

namespace qelt::support {

namespace {

constexpr const char* kSystemOptionsSql =
    "SELECT FCategory,FKey,FValue FROM t_SystemProfile \r\n"
    "WHERE FCategory='IC' AND FKey IN "
    "('StartBranchSale','ShowRelationSign','AuditChoice','PrecisionOfDiscountRate',\r\n"
    "'StartPeriod','ListMaxRows','')";
constexpr const char* kOptionCategory = "IC";
constexpr const char* kTrueText = "True";

struct OptionCache {
    RecordsetPtr rows;
};

RecordsetPtr& Cache() {
    return platform::ProcessState<OptionCache, platform::StateLayer::Support>().rows;
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

}  // namespace

void LoadSystemOptions() {
    RecordsetPtr rs = host::QueryThroughConnection(kSystemOptionsSql);
    rs->detach();
    Cache() = std::move(rs);
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
    Cache().reset();
}

std::string SystemOption(const std::string& category, const std::string& key,
                         const std::string& fallback) {
    const RecordsetPtr cache = Cache();
    if (!cache) return fallback;
    // The first row of the category and key (texts equal ignoring case, as
    // a filter on the two finds it), read without filtering the cache: the
    // cache stays unfiltered for the next look-up either way.
    try {
        const int categoryField = cache->fieldIndex("FCategory");
        const int keyField = cache->fieldIndex("FKey");
        const int valueField = cache->fieldIndex("FValue");
        if (categoryField < 0 || keyField < 0 || valueField < 0) return fallback;
        for (cache->moveFirst(); !cache->eof(); cache->moveNext()) {
            const std::span<const Variant> row = cache->currentRow();
            const std::string* c = row[static_cast<std::size_t>(categoryField)].textIf();
            const std::string* k = row[static_cast<std::size_t>(keyField)].textIf();
            if (c && k && text::IEquals(*c, category) && text::IEquals(*k, key))
                return row[static_cast<std::size_t>(valueField)].toString(fallback);
        }
    } catch (const Error&) {
    }
    return fallback;
}

}  // namespace qelt::support
