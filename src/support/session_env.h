#pragma once

#include <cstdint>
#include <string>

// The logged-on user's session: shared properties, the property string, the
// system options of t_SystemProfile, the installation's application type.
namespace qelt::support {

// From the shared-property component ("UserName", "PropsString").
std::string CurrentUserName();
std::string PropsString();

// Parses "k1=v1;k2={v;2};k3=v3" into the process-wide property table
// (replacing it). Returns true. Raises Error on a duplicate key.
bool ParsePropsString(const std::string& text);
// The value of a key of the property table (key ignoring case). When no
// string was parsed yet in this process, PropsString() is parsed first.
// Raises Error for a key that is not in the table.
std::string PropValue(const std::string& key);

// Refills the system-option cache from t_SystemProfile and copies
// AuditChoice, StartBranchSale, ShowRelationSign and PrecisionOfDiscountRate
// into the shared settings. Raises Error when the query fails.
void LoadSystemOptions();
// Drops the cache (a CFilter's destruction).
void ReleaseSystemOptions();
// The cached option's FValue as text, or `fallback` (missing row, NULL value,
// no cache, any failure). The cache is always left unfiltered.
std::string SystemOption(const std::string& category, const std::string& key,
                         const std::string& fallback);
// GetSysValue of the system-information component, or `fallback` on failure.
std::string SystemValue(const std::string& category, const std::string& key,
                        const std::string& fallback);

// The installation path from the registry + "/Common/" (platform separator).
std::string InstallCommonFolder();
// "AppType" of section "Version" in the base-scheme file; read once per process.
int32_t AppType();
bool IsAppType1();

}  // namespace qelt::support
