#pragma once

#include <stdexcept>
#include <string>

// How qelt-filter ends. Every end other than kDone writes one line on stderr.
namespace qelt::cli {

// The command did what was asked (a dialog: it was accepted).
inline constexpr int kDone = 0;
// The dialog was cancelled, or refused OK; `schemes check` found something.
inline constexpr int kNotAccepted = 1;
// The tool cannot run as asked: bad or missing arguments, combinations it
// cannot honour, no display for --gui.
inline constexpr int kCannotRun = 2;
// An error: the database, the data, or input the tool refuses (an import
// file, an unknown list or scheme, a path it will not write).
inline constexpr int kFailed = 3;

inline constexpr const char* kExitStatusHelp =
    "Exit status: 0 done (a dialog: accepted); 1 the dialog was cancelled or refused OK, or "
    "schemes check found something; 2 the tool cannot run as asked (arguments, no display); "
    "3 an error (database, data, refused input).";

// Ends the tool with `status` and the one line `what()`.
class Stop : public std::runtime_error {
public:
    Stop(int status, const std::string& why) : std::runtime_error(why), status(status) {}
    int status;
};

}  // namespace qelt::cli
