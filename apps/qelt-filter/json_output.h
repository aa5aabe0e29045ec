#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "qelt/cfilter.h"
#include "qelt/dictionary.h"
#include "qelt/variant.h"

namespace qelt::cli {

// The document as the tool prints it, indented. Text from the database
// need not be UTF-8 (narrow columns over ODBC); bytes that are not become
// U+FFFD rather than ending the tool.
std::string JsonText(const nlohmann::ordered_json& doc);

nlohmann::ordered_json ToJson(const Variant& v);
// Keys in the dictionary's order.
nlohmann::ordered_json ToJson(const Dictionary& d);
// The result of a look-up: ok, sql, cjName, templateId, listHead, templateInfo.
nlohmann::ordered_json LookupResult(const CFilter& filter);

}  // namespace qelt::cli
