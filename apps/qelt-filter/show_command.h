#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace qelt::cli {

struct ShowOptions {
    int listId = 0;
    int status = 0;
    bool accept = false;
    bool crossReport = false;
    bool dump = false;
    bool json = false;
    // A real Qt dialog for a person instead of the script.
    bool gui = false;
    // A scheme of the dialog's list to apply (as a click on it) before
    // anything else; empty for the scheme the dialog starts with.
    std::string scheme;
};

// Adds "show": the filter dialog of a list run by a script instead of a
// person. The options land in `options`.
CLI::App* AddShowCommand(CLI::App& app, ShowOptions& options);

// Shows the dialog, after clicking the scheme of options.scheme when one is
// named: with dump, prints the selectors and the three grids as the person
// finds them; with accept, presses OK; else the dialog is cancelled. An
// accepted dialog (by OK, or by itself as it opened when the user's start
// scheme accepts at once) prints the list's SELECT (the WHERE text for a
// cross report). With gui, a person works the Qt dialog (argc and argv go to
// the Qt application; dump and accept are refused); without a display the
// tool says so in one line and returns kCannotRun.
// Returns kDone; raises Stop (kNotAccepted: cancelled, refused OK;
// kCannotRun) or qelt::Error (an unknown list or scheme) with a one-line
// reason otherwise.
int RunShow(const ShowOptions& options, int& argc, char** argv);

}  // namespace qelt::cli
