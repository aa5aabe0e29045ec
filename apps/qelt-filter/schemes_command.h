#pragma once

#include <string>

namespace CLI {
class App;
}

namespace qelt::cli {

// `qelt-filter schemes list|export|import`: the filter schemes of a list in
// the session database, as the user of the property string sees them in
// the filter dialog (their own and other users' shared ones).
//
// The scheme key of `--list ID` is the one the dialog computes from the
// Filter a host gives it to show that list alone, "FID=ID", so "(ID)";
// `--filter TEXT` names another Filter (for example "FID in (1,2,3)" for a
// dialog over three lists). Import saves every scheme of the file under its
// own FUserID, with a new id.
class SchemesCommand {
public:
    // Adds the subcommand and its options to `app`.
    explicit SchemesCommand(CLI::App& app);

    bool parsed() const;
    // Runs the chosen subcommand once the session is configured; 0 on
    // success. Failures raise Error with a one-line description.
    int run() const;

private:
    CLI::App* schemes_ = nullptr;
    CLI::App* list_ = nullptr;
    CLI::App* export_ = nullptr;
    CLI::App* import_ = nullptr;
    CLI::App* check_ = nullptr;
    // `check`: prints one line per stored scheme entry that names a field the
    // template no longer offers; 1 when there is any, else 0.
    int runCheck(const std::string& sysName) const;
    int listId_ = 0;
    std::string filter_;
    std::string schemeName_;
    std::string file_;
};

// The scheme key of a dialog's Filter text: "(" + the text after the first
// "=" + ")" when it holds "=", else the text from its first "(" on (all of
// it without a "(").
std::string SchemeKeyOf(const std::string& filter);

}  // namespace qelt::cli
