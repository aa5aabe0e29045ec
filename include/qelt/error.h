#pragma once

#include <stdexcept>
#include <string>

#include "qelt/export.h"

namespace qelt {

// The error the library raises where a rule raises one.
class QELT_EXPORT Error : public std::runtime_error {
public:
    // what() returns the description too.
    Error(int number, std::string source, std::string description);

    int number;               // one of err:: below, or the number a call says it raises
    std::string source;       // the component that raised it
    std::string description;  // the text shown to a user
};

// Error numbers.
namespace err {
// A rule of the library refuses: an illegal sign in a list template, a group
// restriction without a user id, the filter dialog in a build without one, a
// direct connection that cannot be opened.
inline constexpr int kRuleFailed = -1;
// A key, property, option or value that is absent.
inline constexpr int kNotFound = 5;
// Variant: a number outside the range of the type asked for.
inline constexpr int kOverflow = 6;
// A position outside a Dictionary or List.
inline constexpr int kSubscript = 9;
// Variant: a value that does not convert to the type asked for.
inline constexpr int kTypeMismatch = 13;
// A file that cannot be written.
inline constexpr int kPathFileAccess = 75;
// An object used before it was loaded (TemplateData::GetTemplateInfo).
inline constexpr int kObjectNotSet = 91;
// Variant: Null read as a number, a text or a truth value.
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
// Record sets: use of a set that is not open.
inline constexpr int kObjectClosed = 3704;
// Record sets: opening a set that is open, or adding a field to it.
inline constexpr int kObjectOpen = 3705;
// Record sets: a value that cannot be stored in its field's type.
inline constexpr int kMultipleStep = static_cast<int>(0x80040E21u);
// A database statement or connection failed; the description names it.
inline constexpr int kDatabase = static_cast<int>(0x80040E14u);
}  // namespace err

}  // namespace qelt
