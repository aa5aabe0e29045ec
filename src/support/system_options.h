#pragma once

#include <string>

// The system options of t_SystemProfile, cached for the facade's calls.
namespace qelt::support {

// Refills the system-option cache from t_SystemProfile and copies
// AuditChoice, StartBranchSale, ShowRelationSign and PrecisionOfDiscountRate
// into the shared settings. A connection component that answers nothing
// leaves an empty cache, so every option takes its default. Raises Error when
// the query fails.
void LoadSystemOptions();
// Drops the cache (a CFilter's destruction).
void ReleaseSystemOptions();
// The cached option's FValue as text, or `fallback` (missing row, NULL value,
// no cache, a failed lookup). The cache is always left unfiltered.
std::string SystemOption(const std::string& category, const std::string& key,
                         const std::string& fallback);

}  // namespace qelt::support
