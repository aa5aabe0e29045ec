#pragma once

#include <nlohmann/json.hpp>

#include "qelt/cfilter.h"
#include "qelt/dictionary.h"
#include "qelt/variant.h"

namespace qelt::cli {

nlohmann::ordered_json ToJson(const Variant& v);
// Keys in the dictionary's order.
nlohmann::ordered_json ToJson(const Dictionary& d);
// The result of a look-up: ok, sql, cjName, templateId, listHead, templateInfo.
nlohmann::ordered_json LookupResult(const CFilter& filter);

}  // namespace qelt::cli
