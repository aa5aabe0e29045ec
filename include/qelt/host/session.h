#pragma once

#include <functional>
#include <string>

#include "qelt/export.h"
#include "qelt/host/messages.h"

namespace qelt::host {

// The database every query of the library runs on: a SOCI connection string
// such as "sqlite3://db=/path/erp.db" or "odbc://DSN=erp" (or
// "odbc://DRIVER=...;..."). When never set, the environment variable
// QELT_DATABASE is used, else the bundled demo database.
QELT_EXPORT void SetDatabase(const std::string& connectionString);

// The names of the shared properties the library reads.
// @{
inline constexpr const char* kUserNameProperty = "UserName";
inline constexpr const char* kPropsStringProperty = "PropsString";
// @}

// Values the shared-property component answers for the logged-on user:
// "UserName" and "PropsString" (key=value pairs separated by ";"). When
// unset, the environment variables QELT_USER_NAME and QELT_PROPS are used.
// A new "PropsString" is a new user: the library's next read of a property
// (the user id of the group restriction) follows it.
QELT_EXPORT void SetSharedProperty(const std::string& name, const std::string& value);

// The installation folder the registry component returns for "Path".
// When unset, the environment variable QELT_INSTALL_PATH is used.
QELT_EXPORT void SetInstallPath(const std::string& path);

// One message box, as the message sink receives it.
struct Message {
    std::string title;         // the box's title
    std::string text;          // the message's lines joined with line breaks (`\n`)
    int icon = kIconNone;      // one of the kIcon... values (qelt/host/messages.h)
    int buttons = kButtonsOk;  // one of the kButtons... values
};

// Every message box of the library goes to this sink, on the thread that
// shows it; the sink returns the button chosen (kAnswerOk for OK or Yes,
// kAnswerCancel, kAnswerNo). Without a sink, messages are written to stderr
// and answered with kAnswerOk. An empty function restores that.
QELT_EXPORT void SetMessageSink(std::function<int(const Message&)> sink);

}  // namespace qelt::host
