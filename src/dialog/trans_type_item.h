#pragma once

#include <cstdint>
#include <string>

namespace qelt::dialog {

// One item of the transaction-type box: the display name, exactly 100
// blanks, then the hidden code "FID||FTemplateID||FFilter". Every rule reads
// the hidden code through these functions.
struct TransTypeItem {
    static constexpr int kBlanks = 100;
    // The item text for a template row.
    static std::string Text(const std::string& name, int32_t listId, int32_t templateId,
                            const std::string& filter);
    // The first 100 characters, trimmed: what the person sees.
    static std::string DisplayName(const std::string& itemText);
    // The text after the first run of 100 blanks, trimmed.
    static std::string HiddenCode(const std::string& itemText);
    // Part n (1-based, "||"-separated) of the hidden code; empty beyond the
    // last separator.
    static std::string Part(const std::string& itemText, int n);
    // The list id (part 1) and the template id (part 2) as numbers; 0 when
    // the part is not a whole number (blanks around it allowed).
    static int32_t ListId(const std::string& itemText);
    static int32_t TemplateId(const std::string& itemText);
    // The template filter (part 3), trimmed.
    static std::string Filter(const std::string& itemText);
};

}  // namespace qelt::dialog
