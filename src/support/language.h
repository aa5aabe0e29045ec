#pragma once

#include <string>

namespace qelt::support {

// The session language code ("chs" unless a host or test set another).
std::string LanguageCode();
void SetLanguageCode(const std::string& code);
// baseName + "_CHT" / "_EN" for those languages (ignoring case), else baseName.
std::string LanguageColumn(const std::string& baseName);
// SetFrmFont(form, language) on the process-lived form-resource object.
void SetFormFonts(void* form);
// The translation of a text through the process-lived text-resource object;
// empty for empty input or on failure.
std::string ResourceText(const std::string& text);

}  // namespace qelt::support
