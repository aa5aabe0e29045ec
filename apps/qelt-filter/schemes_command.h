#pragma once

#include <string>

namespace CLI {
class App;
}

namespace qelt::cli {

// `qelt-filter schemes list|export|import|check`: the filter schemes of a
// list in the session database, as the user of the property string sees
// them in the filter dialog (their own and other users' shared ones).
//
// The scheme key of `--list ID` is the one the dialog computes from the
// Filter a host gives it to show that list alone, "FID=ID", so "(ID)";
// `--filter TEXT` names another Filter (for example "FID in (1,2,3)" for a
// dialog over three lists).
//
// Import is the act of the user who runs it: every scheme of the file is
// saved as a new scheme of the property string's UserID, not in use; the
// file's "默认方案" is skipped (each user has their own default scheme).
// The whole file is checked first and saved in one transaction: a refused
// file saves nothing. With --keep-owners an administrator saves each
// scheme for the user the file names as its owner, found by user name.
class SchemesCommand {
public:
    // Adds the subcommand and its options to `app`.
    explicit SchemesCommand(CLI::App& app);

    bool parsed() const;
    // Runs the chosen subcommand once the session is configured and returns
    // the exit status. Failures raise Error or Stop with a one-line reason.
    int run() const;

private:
    CLI::App* schemes_ = nullptr;
    CLI::App* list_ = nullptr;
    CLI::App* export_ = nullptr;
    CLI::App* import_ = nullptr;
    CLI::App* check_ = nullptr;
    // `check`: one line per stored scheme row that names a field the
    // template no longer offers or that the dialog could not have written;
    // kNotAccepted when there is any, else kDone.
    int runCheck(const std::string& sysName) const;
    int runImport(const std::string& props) const;
    int listId_ = 0;
    std::string filter_;
    std::string schemeName_;
    std::string file_;
    bool keepOwners_ = false;
};

}  // namespace qelt::cli
