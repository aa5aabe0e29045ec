// qelt-filter: the list SQL of an ERP database's list templates, from a
// terminal. Exit statuses: exit_status.h.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "exit_status.h"
#include "json_output.h"
#include "qelt/cfilter.h"
#include "qelt/demo.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/connection_string.h"
#include "qelt/host/prog_ids.h"
#include "qelt/host/session.h"
#include "qelt/version.h"
#include "schemes_command.h"
#include "show_command.h"

namespace {

// The bundled demo database restricts lists to the user's groups; without a
// user every list would be refused, so a newcomer gets this ordinary user.
constexpr const char* kDemoUserProps = "UserID=2;UserName=张伟";

namespace fs = std::filesystem;
using qelt::cli::kCannotRun, qelt::cli::kDone, qelt::cli::kFailed;

// One line on stderr, whatever the message holds; returns `status`.
int Fail(std::string message, int status) {
    for (char& c : message)
        if (c == '\n' || c == '\r') c = ' ';
    std::cerr << "qelt-filter: " << message << "\n";
    return status;
}

// A bare path means an SQLite file. SQLite would create a missing file, so
// a missing one is refused here rather than answered from an empty database.
std::string ResolveDatabase(const std::string& db) {
    const std::string conn = qelt::host::ToConnectionString(db);
    const std::string path = qelt::host::SqliteFileOf(conn);
    if (!path.empty() && !fs::is_regular_file(path))
        throw qelt::Error(qelt::err::kDatabase, "qelt-filter",
                          "cannot open database " + path + ": no such file");
    return conn;
}

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The value of "UserName" (any letter case) in a property string
// ("k=v;k=v"), or empty.
std::string PropsUserName(const std::string& props) {
    std::size_t start = 0;
    while (start < props.size()) {
        const std::size_t end = std::min(props.find(';', start), props.size());
        const std::string pair = props.substr(start, end - start);
        const std::size_t eq = pair.find('=');
        std::string key = TrimBlanks(pair.substr(0, eq == std::string::npos ? pair.size() : eq));
        for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (eq != std::string::npos && key == "username") return TrimBlanks(pair.substr(eq + 1));
        start = end + 1;
    }
    return {};
}

bool EnvSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// A connection component that answers nothing has no rows to show.
qelt::RecordsetPtr Query(const std::string& sql) {
    auto connection =
        qelt::host::Create<qelt::host::IAppConnection>(qelt::host::progid::kAppConnection);
    return connection->Execute(sql);
}

bool ListExists(int listId) {
    auto rs = Query("select FID from ICListTemplate where FID=" + std::to_string(listId));
    return rs && !rs->eof();
}

int RunLists() {
    auto rs = Query("select FID, FTemplateID, FName from ICListTemplate order by FID");
    std::cout << "id\ttemplate\tname\n";
    for (; rs && !rs->eof(); rs->moveNext())
        std::cout << rs->value("FID").toString("") << "\t" << rs->value("FTemplateID").toString("")
                  << "\t" << rs->value("FName").toString("") << "\n";
    return kDone;
}

int RunSql(int listId, const std::string& filterText, bool notNeedTranType, bool json) {
    if (!ListExists(listId)) return Fail("no list with id " + std::to_string(listId), kFailed);
    qelt::CFilter filter;
    filter.setListID(listId);
    filter.getInfoByF7Key(filterText, false, notNeedTranType);
    if (!filter.OK() || filter.Datasql().empty())
        return Fail("the template of list " + std::to_string(listId) +
                        " could not be turned into SQL (a list restricted to the user's groups "
                        "needs UserID in the property string: --props or QELT_PROPS)",
                    kFailed);
    if (json)
        std::cout << qelt::cli::JsonText(qelt::cli::LookupResult(filter)) << "\n";
    else
        std::cout << filter.Datasql() << "\n";
    return kDone;
}

// The demo database replaces only what its user means to replace.
int RunDemoDb(const std::string& path, bool force) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(path, ec)) && !force)
        return Fail(path + " exists; give --force to replace it with the demo database",
                    kCannotRun);
    qelt::WriteDemoDatabase(path);
    std::cout << "demo database written to " << path << "\n";
    return kDone;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"List SQL from the list templates of an ERP database"};
    app.require_subcommand(1);
    app.footer(qelt::cli::kExitStatusHelp);
    // The version of the library the tool runs with: the one a host sees.
    app.set_version_flag("--version", std::string("qelt-filter ") + qelt::Version(),
                         "print the version and exit");
    std::string db, props, user;
    app.add_option("--db", db,
                   "SOCI connection string or SQLite file (default: QELT_DATABASE, "
                   "else the bundled demo database)");
    app.add_option("--props", props,
                   std::string("the user's property string (default: QELT_PROPS; on the "
                               "bundled demo database: ") +
                       kDemoUserProps + ")");
    app.add_option("--user", user, "the user name (default: QELT_USER_NAME)");

    int listId = 0;
    std::string filterText;
    bool notNeedTranType = false, json = false;
    auto* sql = app.add_subcommand("sql", "print the SELECT of a list");
    sql->add_option("--list", listId, "list id (ICListTemplate.FID)")->required();
    sql->add_option("--filter", filterText, "extra condition");
    sql->add_flag("--not-need-trantype", notNeedTranType,
                  "use --filter alone, not combined with the list's own filter");
    sql->add_flag("--json", json, "print SQL, list head and template information as JSON");

    auto* lists = app.add_subcommand("lists", "print the lists of the database");

    qelt::cli::ShowOptions showOptions;
    auto* show = qelt::cli::AddShowCommand(app, showOptions);

    std::string demoPath;
    bool force = false;
    auto* demo = app.add_subcommand("demo-db", "write a fresh copy of the demo database");
    demo->add_option("PATH", demoPath, "file to write")->required();
    demo->add_flag("--force", force, "replace the file at PATH (never anything but a file)");

    qelt::cli::SchemesCommand schemes(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and its kin end here too, successfully.
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(e);
        return Fail(std::string(e.what()) + " (--help shows the usage)", kCannotRun);
    }

    try {
        if (demo->parsed()) return RunDemoDb(demoPath, force);
        if (!db.empty()) qelt::host::SetDatabase(ResolveDatabase(db));
        if (props.empty() && db.empty() && !EnvSet("QELT_DATABASE") && !EnvSet("QELT_PROPS"))
            props = kDemoUserProps;
        if (!props.empty()) qelt::host::SetSharedProperty(qelt::host::kPropsStringProperty, props);
        // The user name the scheme owner checks compare with: --user, else
        // QELT_USER_NAME, else the property string's own UserName.
        if (user.empty() && !EnvSet("QELT_USER_NAME")) user = PropsUserName(props);
        if (!user.empty()) qelt::host::SetSharedProperty(qelt::host::kUserNameProperty, user);
        if (lists->parsed()) return RunLists();
        if (show->parsed()) return qelt::cli::RunShow(showOptions, argc, argv);
        if (schemes.parsed()) return schemes.run();
        return RunSql(listId, filterText, notNeedTranType, json);
    } catch (const qelt::cli::Stop& e) {
        return Fail(e.what(), e.status);
    } catch (const qelt::Error& e) {
        return Fail(e.description, kFailed);
    } catch (const std::exception& e) {
        // A fault of the tool or the library; still one line and a status.
        return Fail(std::string("unexpected failure: ") + e.what(), kFailed);
    } catch (...) {
        return Fail("unexpected failure", kFailed);
    }
}
