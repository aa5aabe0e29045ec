#include "show_command.h"

#include <iostream>
#include <memory>
#include <string>

#include "exit_status.h"
#include "json_output.h"
#include "qelt/cfilter.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/ui/dump.h"
#ifdef QELT_FILTER_WITH_QT
#include "qelt/qt/qt_dialogs.h"
#endif
#include "qelt/ui/presenter.h"

namespace qelt::cli {

namespace {

constexpr const char* kSource = "qelt-filter";

// What a person looks at before choosing: the transaction type, the status
// selectors and the three grids.
constexpr const char* kDumpedControls[] = {
    "cboTransType", "cboTime",     "cboCheck",    "cboICMO",    "cboROB",
    "cboPost",      "cboKickBack", "cboCancel",   "cboConnect", "chkFastMode",
    "VpFilter",     "vsOrder",     "vaHideColumn"};

bool ListExists(int listId) {
    auto connection = host::Create<host::IAppConnection>("QeltConnection.AppConnection");
    auto rs =
        connection->Execute("select FID from ICListTemplate where FID=" + std::to_string(listId));
    return rs && !rs->eof();
}

std::string DumpDialog(const ui::Form& form) {
    std::string out;
    for (const char* name : kDumpedControls)
        if (const ui::Control* c = form.find(name)) out += ui::Dump(*c);
    return out;
}

// Clicks the user's scheme `name` in the dialog's scheme list, as a person
// picks it (the newest of that name); false when the list has none.
bool ClickScheme(const ui::Form& form, const std::string& name) {
    ui::ListView& schemes = form.listView("lvwProject");
    std::string key;
    for (const auto& item : schemes.items())
        if (item.text == name) key = item.key;
    if (key.empty()) return false;
    schemes.click(key);
    return true;
}

void ConfigureFilter(CFilter& filter, const ShowOptions& options) {
    filter.setListID(options.listId);
    // The dialog offers the templates the host's filter selects; a host
    // opening one list selects that list's.
    filter.setFilter("FID in (" + std::to_string(options.listId) + ")");
    filter.setListShowStatus(options.status);
    if (options.crossReport) filter.setCROSSRPT(1);
}

Error NoSuchScheme(const ShowOptions& options) {
    return Error(kFailed, kSource,
                 "the dialog of list " + std::to_string(options.listId) +
                     " offers no scheme named \"" + options.scheme + "\" to this user");
}

// A scheme whose auto-accept box is set accepts the dialog while it loads,
// before anyone (a script, a person) could pick another scheme.
Error AcceptedBeforeTheScheme(const ShowOptions& options) {
    return Error(kFailed, kSource,
                 "the dialog of list " + std::to_string(options.listId) +
                     " accepted itself as it opened (the user's start scheme accepts at once), "
                     "before the scheme \"" +
                     options.scheme + "\" could be chosen");
}

// The dialog's result: the SELECT (the WHERE text of a cross report), after
// the dump when there is one; as JSON, the dump and the result's fields.
void PrintResult(const ShowOptions& options, const CFilter& filter, const std::string* dialog) {
    if (options.json) {
        nlohmann::ordered_json out;
        if (dialog) out["dialog"] = *dialog;
        if (options.crossReport) {
            out["ok"] = filter.OK();
            out["where"] = filter.SQLWHERE();
        } else {
            const nlohmann::ordered_json result = LookupResult(filter);
            for (const auto& [key, value] : result.items()) out[key] = value;
        }
        std::cout << JsonText(out) << "\n";
        return;
    }
    if (dialog) std::cout << *dialog;
    if (filter.OK())
        std::cout << (options.crossReport ? filter.SQLWHERE() : filter.Datasql()) << "\n";
}

Stop Cancelled(const ShowOptions& options) {
    return Stop(kNotAccepted,
                "the dialog of list " + std::to_string(options.listId) + " was cancelled");
}

// The dialog a person works through the Qt front end.
int RunGui(const ShowOptions& options, int& argc, char** argv) {
#ifdef QELT_FILTER_WITH_QT
    return qt::RunWithQt(argc, argv, [&] {
        bool offered = false, missing = false;
        if (!options.scheme.empty())
            if (auto presenter = std::dynamic_pointer_cast<qt::QtPresenter>(ui::GetPresenter()))
                presenter->setShownHook([&](QWidget&, ui::Form& form) {
                    if (offered || !form.find("lvwProject")) return;
                    offered = true;
                    missing = !ClickScheme(form, options.scheme);
                    if (missing) form.button("cmdCancel").click();
                });
        CFilter filter;
        ConfigureFilter(filter, options);
        filter.Show();
        if (missing) throw NoSuchScheme(options);
        if (!options.scheme.empty() && !offered && filter.OK())
            throw AcceptedBeforeTheScheme(options);
        if (!filter.OK()) throw Cancelled(options);
        PrintResult(options, filter, nullptr);
        return kDone;
    });
#else
    (void)options;
    (void)argc;
    (void)argv;
    throw Stop(kCannotRun, "this qelt-filter was built without the Qt front end");
#endif
}

}  // namespace

CLI::App* AddShowCommand(CLI::App& app, ShowOptions& options) {
    auto* show = app.add_subcommand("show", "run a list's filter dialog from a script");
    show->add_option("--list", options.listId, "list id (ICListTemplate.FID)")->required();
    show->add_flag("--accept", options.accept, "press OK and print the SELECT");
    show->add_flag("--cross-report", options.crossReport,
                   "a cross report: OK gives the WHERE text only");
    show->add_option("--status", options.status, "list show status (2, 4, 6 fix the type)");
    show->add_flag("--dump", options.dump, "print the selectors and grids as the dialog opens");
    show->add_flag("--json", options.json, "print the result as JSON");
    show->add_flag("--gui", options.gui,
                   "show the Qt dialog to a person (needs a display; with --scheme, --json)");
    show->add_option("--scheme", options.scheme, "apply the user's scheme of this name first");
    return show;
}

int RunShow(const ShowOptions& options, int& argc, char** argv) {
    const std::string list = std::to_string(options.listId);
    if (options.gui && (options.accept || options.dump))
        throw Stop(kCannotRun,
                   "show --gui leaves the dialog to a person: --accept and --dump are for the "
                   "scripted dialog");
    if (!ListExists(options.listId)) throw Error(kFailed, kSource, "no list with id " + list);
    if (options.gui) return RunGui(options, argc, argv);

    std::string dialog;
    bool opened = false;
    bool missing = false;
    ui::SetPresenter(std::make_shared<ui::ScriptedPresenter>([&](ui::Form& form) {
        opened = true;
        if (!options.scheme.empty() && !ClickScheme(form, options.scheme)) {
            missing = true;
            form.button("cmdCancel").click();
            return;
        }
        if (options.dump) dialog = DumpDialog(form);
        if (options.accept) form.button("cmdOk").click();
    }));
    CFilter filter;
    ConfigureFilter(filter, options);
    filter.Show();
    ui::SetPresenter(nullptr);

    if (!opened) {
        // Accepted while loading (the start scheme's auto-accept box): the
        // presenter never saw the dialog shown, and the result is the
        // dialog's all the same.
        if (!filter.OK())
            throw Error(kFailed, kSource, "the dialog of list " + list + " could not be opened");
        if (!options.scheme.empty()) throw AcceptedBeforeTheScheme(options);
    }
    if (missing) throw NoSuchScheme(options);
    if (!filter.OK() && options.accept)
        throw Stop(kNotAccepted, "the dialog of list " + list + " refused OK (see its messages)");
    // A dump is what was asked for; only a dialog shown for nothing else
    // ends as a person's cancel.
    if (!filter.OK() && !options.dump) throw Cancelled(options);
    PrintResult(options, filter, opened && options.dump ? &dialog : nullptr);
    return kDone;
}

}  // namespace qelt::cli
