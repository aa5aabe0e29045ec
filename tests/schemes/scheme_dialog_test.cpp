// Schemes in the filter dialog on a copy of the demo database: list 1 holds
// 张伟's (user 2) default scheme 1 and scheme 2, and 孙丽's (user 3) shared
// scheme 3.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <string>

#include "common/sqlite_translation.h"
#include "common/test_env.h"
#include "dialog/frm_filter.h"
#include "dialog/golden.h"
#include "platform/text.h"
#include "qelt/cfilter.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/host/session.h"
#include "qelt/ui/presenter.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

using text::SqlQuote;

// The statement with each quoted literal emptied ('' is a quote inside one).
std::string OutsideLiterals(const std::string& sql) {
    return std::regex_replace(sql, std::regex("'([^']|'')*'"), "''");
}

// One case of schemes/golden/scheme_steps.txt: dialogs opened one after
// another (" | " between them) on a fresh copy of the demo database. Before
// a dialog: "user=id,name" (a new process of that user), "list=" (the list
// shown, 1 unless named), "owner=" (user 2's name in the user table),
// "prompt=" (the column count that asks first), "drop=" (a key of scheme
// 1), "entry2=key:value" (scheme 2's entry as stored), "save=" and "share"
// (typed into the save dialog). In it: "answer=" (to every question),
// "click=" a scheme, "tool=" a toolbar button, "menu=button:item", "time="
// an index, "pick=r,c,i", "type=r,c,text", "set=r,c,text", "width=" (row
// 1's), "long" (3600 letters in row 1's value), "ok", "cancel", and what is
// seen: "items", "view", "grids", "check", "open". After
// it: "schemes" (the user's), "keys" and "entry=" of scheme 1, "where" (of
// the result). "_" is a blank. The result is what was seen, the messages
// ("|text|title|icon" each) and whether the last dialog changed the store.
// Every accepted statement runs on the database and holds "PWNED" only
// inside quoted literals.

// The statements of the words that change the database before a dialog and
// of those that read it after: %1 is the word's text quoted, %2 its
// "key:value" as scheme 2's entry, %u the user.
const std::map<std::string, std::string> kStatements = {
    {"owner", "UPDATE t_User SET FName=%1 WHERE FUserID=2"},
    {"prompt", "UPDATE t_SystemProfile SET FValue=%1 WHERE FKey='NeedShowColumnPrompt'"},
    {"drop", "DELETE FROM ICSchemeProfileEntry WHERE FSchemeID=1 AND FKey=%1"},
    {"entry2", "UPDATE ICSchemeProfileEntry SET FValue=%2"},
    {"schemes",
     "SELECT FSchemeID, FSchemeName, FStatus, FSysName, FTranType FROM ICSchemeProfile "
     "WHERE FUserID=%u ORDER BY FSchemeID"},
    {"keys",
     "SELECT group_concat(FKey, ',') FROM (SELECT FKey FROM ICSchemeProfileEntry "
     "WHERE FSchemeID=1 ORDER BY rowid)"},
    {"entry", "SELECT FValue FROM ICSchemeProfileEntry WHERE FSchemeID=1 AND FKey=%1"},
};

class SchemeSteps : public ::testing::Test {
protected:
    void TearDown() override { support::ResetProcessState(); }

    // A new process of `user`.
    void fresh(int userId, const std::string& name) {
        support::ResetProcessState();
        host::SetDatabase(db.sociConnectionString());
        host::SetSharedProperty("PropsString", "UserID=" + std::to_string(userId));
        host::SetSharedProperty("UserName", name);
    }

    // Shows `list`; `person` acts on the filter dialog, `saveName` is typed
    // into the save-scheme dialog when it opens (then OK).
    void show(std::function<void(dialog::frmFilter&)> person, const std::string& saveName,
              bool share, int list) {
        filter = std::make_unique<CFilter>();
        ui::SetPresenter(std::make_shared<ui::ScriptedPresenter>([=](ui::Form& f) {
            if (auto* d = dynamic_cast<dialog::frmFilter*>(&f)) {
                person(*d);
            } else {
                f.text("txtSchemeName").type(saveName);
                if (share) f.check("chkShare").click();
                f.button("cmdOk").click();
            }
        }));
        filter->setListID(list);
        filter->setFilter("FID=" + std::to_string(list));
        filter->Show();
    }

    std::string query(const std::string& sql) {
        auto rs = host::Create<host::IAppConnection>(host::progid::kAppConnection)->Execute(sql);
        std::string out;
        for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
            for (std::size_t i = 0; i < rs->fieldCount(); ++i)
                out += (i ? "|" : "") + rs->value(i).toString("");
            out += "\n";
        }
        return out;
    }
    // The statement of `word` filled in, or none.
    static std::string statement(const std::string& word, const std::string& user) {
        const auto it = kStatements.find(word.substr(0, word.find('=')));
        if (it == kStatements.end()) return "";
        const std::string arg = word.substr(word.find('=') + 1), key = arg.substr(0, arg.find(':'));
        const std::string entry = key == arg ? "" : SqlQuote(arg.substr(key.size() + 1));
        return Replace(Replace(Replace(it->second, "%1", SqlQuote(arg)), "%u", user), "%2",
                       entry + " WHERE FSchemeID=2 AND FKey=" + SqlQuote(key));
    }

    std::string run(const std::string& input) {
        std::filesystem::copy_file(QELT_TEST_DEMO_DB, db.path(),
                                   std::filesystem::copy_options::overwrite_existing);
        fresh(2, "张伟");
        recorder.answer = 1;
        const auto store = [&] {
            return query("SELECT * FROM ICSchemeProfile ORDER BY FSchemeID") +
                   query("SELECT * FROM ICSchemeProfileEntry ORDER BY FSchemeID, FKey");
        };
        std::string before, seen, saveName, user = "2";
        bool share = false;
        for (std::size_t from = 0, at = 0; at != std::string::npos; from = at + 3) {
            at = input.find(" | ", from);
            int list = 1;
            std::vector<std::string> words;
            std::istringstream in(input.substr(from, at - from));
            for (std::string w; in >> w;) {
                std::replace(w.begin(), w.end(), '_', ' ');
                const std::string arg = w.substr(w.find('=') + 1);
                if (w.starts_with("user=")) {
                    user = arg.substr(0, arg.find(','));
                    fresh(std::stoi(user), arg.substr(arg.find(',') + 1));
                } else if (w.starts_with("list=")) {
                    list = std::stoi(arg);
                } else if (const std::string sql = statement(w, user);
                           !sql.empty() && !sql.starts_with("SELECT")) {
                    query(sql);
                } else if (w.starts_with("save=")) {
                    saveName = arg;
                } else if (w == "share") {
                    share = true;
                } else {
                    words.push_back(w);
                }
            }
            before = store();
            show(
                [&](dialog::frmFilter& d) {
                    for (const std::string& w : words) {
                        const std::string arg = w.substr(w.find('=') + 1);
                        int r = 0, c = 0, i = 0;
                        std::sscanf(arg.c_str(), "%d,%d,%d", &r, &c, &i);
                        if (w.starts_with("answer=")) recorder.answer = std::stoi(arg);
                        if (w.starts_with("click=")) d.lvwProject.click(arg);
                        if (w.starts_with("tool=")) d.tlbProject.click(arg);
                        if (w.starts_with("menu="))
                            d.tlbProject.menuClick(arg.substr(0, arg.find(':')),
                                                   std::stoi(arg.substr(arg.find(':') + 1)));
                        if (w.starts_with("time=")) d.cboTime.select(std::stoi(arg));
                        const std::string typed = arg.substr(arg.rfind(',') + 1);
                        EXPECT_TRUE(!w.starts_with("pick=") || d.VpFilter.pick(r, c, i)) << w;
                        EXPECT_TRUE(!w.starts_with("type=") || d.VpFilter.type(r, c, typed)) << w;
                        if (w.starts_with("set=")) d.VpFilter.setText(r, c, typed);
                        if (w.starts_with("width=")) d.vaHideColumn.setText(1, 4, arg);
                        if (w == "long") d.VpFilter.setText(1, 6, std::string(3600, 'x'));
                        if (w == "ok") d.cmdOk.click();
                        if (w == "cancel") d.cmdCancel.click();
                        if (w == "open") seen += d.shown() ? "open " : "closed ";
                        if (w == "check")
                            seen += "check=" + std::to_string(d.cboCheck.listIndex()) + " ";
                        if (w == "view") seen += std::to_string(d.lvwProject.view());
                        if (w == "grids")
                            seen += d.VpFilter.text(1, 3) + "/" +
                                    std::to_string(d.grids.sortRowCount()) + "/" +
                                    d.vsOrder.text(1, 4) + " ";
                        if (w == "items") {
                            for (const auto& item : d.lvwProject.items())
                                seen += item.key + "=" + item.text + ",";
                            seen += "selected " + d.lvwProject.selectedKey() + " ";
                        }
                    }
                },
                saveName, share, list);
            seen += filter->OK() ? "OK " : "";
            if (filter->OK()) {
                EXPECT_EQ(OutsideLiterals(filter->Datasql()).find("PWNED"), std::string::npos)
                    << filter->Datasql();
                std::string error;  // and the database runs it
                EXPECT_GE(CountRows(ToSqlite(filter->Datasql()), error), 0) << error;
            }
            for (const std::string& w : words) {
                if (const std::string sql = statement(w, user); sql.starts_with("SELECT"))
                    seen += query(sql);
                if (w == "where")
                    seen += filter->Datasql().substr(filter->Datasql().find(" where "));
            }
        }
        return seen + recorder.take() + (store() == before ? " store kept" : " store changed");
    }

    TempDatabase db{false};
    MessageRecorder recorder{1};
    std::unique_ptr<CFilter> filter;
};

TEST_F(SchemeSteps, RefusalsSavingHostileCellsAndTheStartSchemeMatchTheGolden) {
    ExpectGoldenCases("schemes/golden/scheme_steps.txt",
                      [this](const std::string& in) { return run(in); });
}

}  // namespace
}  // namespace qelt::testing
