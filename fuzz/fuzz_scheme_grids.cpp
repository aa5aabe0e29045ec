// Feeds arbitrary text to the scheme grid decoders, their checks and the
// width conversions: decoding never fails, re-encoding what was decoded
// decodes alike, and a checked row holds only vocabulary words.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "qelt/scheme_content.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool Plain(const std::string& field) {
    return field.find('|') == std::string::npos && field.find('#') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace s = qelt::schemes;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto conditions = s::DecodeConditionRows(input);
    for (std::size_t i = 0; i < conditions.size(); ++i)
        if (s::ConditionRowProblem(conditions[i], i == 0).empty())
            Check(conditions[i].leftParentheses.find_first_not_of(" (") == std::string::npos &&
                  conditions[i].rightParentheses.find_first_not_of(" )") == std::string::npos);
    const auto sorts = s::DecodeSortKeyRows(input);
    bool plain = true;
    for (const auto& row : sorts)
        for (const std::string* f : {&row.caption, &row.ascending, &row.descending, &row.alias,
                                     &row.tableAlias, &row.fieldName, &row.tableName})
            plain = plain && Plain(*f);
    if (plain) Check(s::DecodeSortKeyRows(s::EncodeSortKeyRows(sorts)) == sorts);
    for (const auto& row : s::DecodeColumnRows(input)) s::ColumnRowProblem(row);
    s::EntryProblems({{"Relation", input},
                      {"OrderBy", input},
                      {"HideColumns", input},
                      {"cboTime", input},
                      {input, input}});
    Check(!s::TwipsFromMillimetres(input).empty());
    Check(!s::MillimetresFromTwips(input).empty());
    s::SchemeKey(input);
    return 0;
}
