#include "show_command.h"

#include <iostream>
#include <memory>
#include <sstream>
#include <string>

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

// The dialog a person works through the Qt front end.
int RunGui(const ShowOptions& options, int& argc, char** argv) {
#ifdef QELT_FILTER_WITH_QT
    return qt::RunWithQt(argc, argv, [&] {
        const std::string list = std::to_string(options.listId);
        CFilter filter;
        filter.setListID(options.listId);
        filter.setFilter("FID in (" + list + ")");
        filter.setListShowStatus(options.status);
        if (options.crossReport) filter.setCROSSRPT(1);
        filter.Show();
        if (!filter.OK()) {
            std::cerr << "qelt-filter: the dialog of list " << list << " was cancelled\n";
            return 1;
        }
        std::cout << (options.crossReport ? filter.SQLWHERE() : filter.Datasql()) << "\n";
        return 0;
    });
#else
    (void)options;
    (void)argc;
    (void)argv;
    throw Error(1, kSource, "this qelt-filter was built without the Qt front end");
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
    show->add_flag("--gui", options.gui, "show the Qt dialog to a person (needs a display)");
    show->add_option("--scheme", options.scheme, "apply the user's scheme of this name first");
    return show;
}

int RunShow(const ShowOptions& options, int& argc, char** argv) {
    const std::string list = std::to_string(options.listId);
    if (!ListExists(options.listId)) throw Error(1, kSource, "no list with id " + list);
    if (options.gui) return RunGui(options, argc, argv);

    std::string dialog;
    bool opened = false;
    bool schemeMissing = false;
    ui::SetPresenter(std::make_shared<ui::ScriptedPresenter>([&](ui::Form& form) {
        opened = true;
        if (!options.scheme.empty()) {
            ui::ListView& schemes = form.listView("lvwProject");
            std::string key;
            for (const auto& item : schemes.items())
                if (item.text == options.scheme) key = item.key;
            if (key.empty()) {
                schemeMissing = true;
                form.button("cmdCancel").click();
                return;
            }
            schemes.click(key);
        }
        if (options.dump) dialog = DumpDialog(form);
        if (options.accept) form.button("cmdOk").click();
    }));
    CFilter filter;
    filter.setListID(options.listId);
    // The dialog offers the templates the host's filter selects; a host
    // opening one list selects that list's.
    filter.setFilter("FID in (" + list + ")");
    filter.setListShowStatus(options.status);
    if (options.crossReport) filter.setCROSSRPT(1);
    filter.Show();
    ui::SetPresenter(nullptr);

    if (!opened) throw Error(1, kSource, "the dialog of list " + list + " could not be opened");
    if (schemeMissing)
        throw Error(1, kSource,
                    "the dialog of list " + list + " offers no scheme named \"" + options.scheme +
                        "\" to this user");
    if (options.accept && !filter.OK())
        throw Error(1, kSource, "the dialog of list " + list + " refused OK (see its messages)");

    if (options.json) {
        nlohmann::ordered_json out;
        if (options.dump) out["dialog"] = dialog;
        if (options.crossReport) {
            out["ok"] = filter.OK();
            out["where"] = filter.SQLWHERE();
        } else {
            const nlohmann::ordered_json result = LookupResult(filter);
            for (const auto& [key, value] : result.items()) out[key] = value;
        }
        std::cout << out.dump(2) << "\n";
        return 0;
    }
    std::cout << dialog;
    if (options.accept)
        std::cout << (options.crossReport ? filter.SQLWHERE() : filter.Datasql()) << "\n";
    return 0;
}

}  // namespace qelt::cli
