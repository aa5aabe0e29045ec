#pragma once

#include <string>
#include <string_view>
#include <vector>

// Code-point walking for the key-by-key actions of the control models.
namespace qelt::ui::utf8 {

// The code points of `s`. A byte that does not start a well-formed sequence
// becomes U+FFFD, as a text field shows it.
std::vector<int> CodePoints(std::string_view s);
// `codePoint` as UTF-8; values below 0x80 are one byte.
std::string Encode(int codePoint);

}  // namespace qelt::ui::utf8
