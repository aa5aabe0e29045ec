#pragma once

#include <string>

// The logged-on user as the host's shared-property component tells it.
namespace qelt::support {

// From the shared-property component ("UserName", "PropsString").
std::string CurrentUserName();
std::string PropsString();

// Parses "k1=v1;k2={v;2};k3=v3" into the process-wide property table
// (replacing it). Returns true. Raises Error on a duplicate key; the table
// then holds the pairs before it and the next PropValue parses again.
bool ParsePropsString(const std::string& text);
// The value of a key (ignoring case) in the property table of the property
// string now in force: whenever PropsString() differs from the text parsed
// last, it is parsed first, so a new user never sees the previous user's
// values. Raises Error for a key that is not in the table.
std::string PropValue(const std::string& key);

}  // namespace qelt::support
