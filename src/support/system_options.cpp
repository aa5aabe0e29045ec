#include "support/system_options.h"

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

void ClearFilter(Recordset& cache) {
    try {
        cache.setFilter("");
    } catch (const Error&) {
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
    std::string result = fallback;
    try {
        cache->setFilter("FCategory=" + text::SqlQuote(category) +
                         " AND FKey=" + text::SqlQuote(key));
        if (cache->recordCount() >= 1) {
            cache->moveFirst();
            result = cache->value("FValue").toString(fallback);
        }
    } catch (const Error&) {
        result = fallback;
    }
    ClearFilter(*cache);
    return result;
}

}  // namespace qelt::support
