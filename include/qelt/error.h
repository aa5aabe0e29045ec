#pragma once

#include <stdexcept>
#include <string>

#include "qelt/export.h"

namespace qelt {

// The error the library raises where a rule raises one. `number` is one of
// the numbers below (hosts compare against them), `source` names the
// component that raised it and `description` is the text shown to a user.
class QELT_EXPORT Error : public std::runtime_error {
public:
    Error(int number, std::string source, std::string description);

    int number;
    std::string source;
    std::string description;
};

// Error numbers.
namespace err {
// A rule of the library refuses: an illegal sign in a list template, a group
// restriction without a user id, the filter dialog in a build without one, a
// direct connection that cannot be opened.
inline constexpr int kRuleFailed = -1;
// A key, property, option or value that is absent.
inline constexpr int kNotFound = 5;
inline constexpr int kOverflow = 6;
// A position outside a Dictionary or List.
inline constexpr int kSubscript = 9;
inline constexpr int kTypeMismatch = 13;
// A file that cannot be written.
inline constexpr int kPathFileAccess = 75;
// An object used before it was loaded (TemplateData::GetTemplateInfo).
inline constexpr int kObjectNotSet = 91;
inline constexpr int kInvalidUseOfNull = 94;
// CreateObject: no component is registered under the identifier.
inline constexpr int kCannotCreateObject = 429;
// Create<T>: the component does not offer the interface asked for.
inline constexpr int kInterfaceNotOffered = 430;
// A key added twice to a Dictionary or a property string.
inline constexpr int kKeyExists = 457;
// Record sets: malformed filter or sort text, or an unknown column in it.
inline constexpr int kFilterArgument = 3001;
// Record sets: a field read with the cursor on no row.
inline constexpr int kNoCurrentRecord = 3021;
// Record sets: an unknown column.
inline constexpr int kItemNotFound = 3265;
// Record sets: use of a set that is not open, opening one that is.
inline constexpr int kObjectClosed = 3704;
inline constexpr int kObjectOpen = 3705;
// Record sets: a value that cannot be stored in its field's type.
inline constexpr int kMultipleStep = static_cast<int>(0x80040E21u);
// A database statement or connection failed; the description names it.
inline constexpr int kDatabase = static_cast<int>(0x80040E14u);
}  // namespace err

}  // namespace qelt
