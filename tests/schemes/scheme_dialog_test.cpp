// Schemes in the filter dialog on a copy of the demo database: list 1 holds
// 张伟's (user 2) default scheme 1 and scheme 2, and 孙丽's (user 3) shared
// scheme 3.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "common/test_env.h"
#include "dialog/frm_filter.h"
#include "dialog/golden.h"
#include "public/sqlite_translation.h"
#include "qelt/cfilter.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/host/session.h"
#include "qelt/ui/presenter.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

constexpr int kBillNo = 2;
constexpr int kEqual = 0;

using Person = std::function<void(dialog::frmFilter&)>;

class SchemeDialog : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(QELT_TEST_DEMO_DB, db.path(),
                                   std::filesystem::copy_options::overwrite_existing);
        fresh(2, "张伟");
    }
    void TearDown() override { support::ResetProcessState(); }

    // A new process of `user`.
    void fresh(int userId, const std::string& name) {
        support::ResetProcessState();
        host::SetDatabase(db.sociConnectionString());
        host::SetSharedProperty("PropsString", "UserID=" + std::to_string(userId));
        host::SetSharedProperty("UserName", name);
    }

    // Shows list 1; `person` acts on the filter dialog, `saveName` is typed
    // into the save-scheme dialog when it opens (then OK).
    CFilter& show(Person person, const std::string& saveName = "", bool share = false,
                  int list = 1) {
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
        return *filter;
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
    std::string entry(int scheme, const std::string& key) {
        return query("SELECT FValue FROM ICSchemeProfileEntry WHERE FSchemeID=" +
                     std::to_string(scheme) + " AND FKey='" + key + "'");
    }
    std::string messages() {
        std::string out;
        for (const auto& m : recorder.messages)
            out += m.text + "|" + m.title + "|" + std::to_string(m.icon) + "\n";
        recorder.messages.clear();
        return out;
    }

    TempDatabase db{false};
    MessageRecorder recorder{1};
    std::unique_ptr<CFilter> filter;
};

TEST_F(SchemeDialog, ANewUserGetsTheDefaultSchemeOnceAndItIsInUse) {
    fresh(5, "赵磊");
    for (int i = 0; i < 2; ++i) show([](dialog::frmFilter& d) { d.cmdCancel.click(); });
    EXPECT_EQ(query("SELECT FSchemeName, FStatus, FSysName, FTranType FROM ICSchemeProfile "
                    "WHERE FUserID=5"),
              "默认方案|2|(1)|1\n");
    EXPECT_EQ(messages(), "");
}

// Two complete rows, the first in parentheses, and a blank third: two are
// stored and come back with an empty third.
TEST_F(SchemeDialog, OkStoresTheExactEncodingsAndAFreshProcessAppliesThem) {
    const std::string value = "A'1--;链" + std::string(190, 'z');
    show([&](dialog::frmFilter& d) {
        ASSERT_TRUE(d.VpFilter.pick(1, 2, 1) && d.VpFilter.pick(1, 3, kBillNo));
        ASSERT_TRUE(d.VpFilter.pick(1, 4, kEqual));
        d.VpFilter.setText(1, 6, value);
        ASSERT_TRUE(d.VpFilter.pick(2, 1, 1) && d.VpFilter.pick(2, 3, kBillNo));
        ASSERT_TRUE(d.VpFilter.pick(2, 4, kEqual) && d.VpFilter.type(2, 6, "B2"));
        ASSERT_TRUE(d.VpFilter.pick(2, 7, 1));
        d.vaHideColumn.setText(1, 4, "10");
        d.cmdOk.click();
    });
    ASSERT_TRUE(filter->OK());
    EXPECT_EQ(filter->SchemeID, 1);
    EXPECT_EQ(entry(1, "Relation"), "##<&单据编号##<&等于##<&1##<&" + value + "##<&" + value +
                                        "##<&3##<&(##<&##<&##<&##<&||"
                                        "或者##<&单据编号##<&等于##<&1##<&B2##<&B2##<&3##<&##<&)"
                                        "##<&##<&##<&||\n");
    const std::string columns = entry(1, "HideColumns");
    EXPECT_EQ(columns.substr(0, columns.find("||", 30) + 2),
              "1##<&567##<&1##<&FDate##<&0||1##<&1500##<&2##<&FBillNo##<&0||");
    EXPECT_EQ(query("SELECT FStatus FROM ICSchemeProfile WHERE FSchemeID=1"), "2\n");

    fresh(2, "张伟");
    std::string seen;
    show([&](dialog::frmFilter& d) {
        seen = d.VpFilter.text(1, 6) == value ? "value " : "lost value ";
        for (int r = 1; r <= 3; ++r)
            for (int c : {1, 2, 3, 7}) seen += d.VpFilter.text(r, c) + ",";
        seen += d.vaHideColumn.text(1, 4);
        d.cmdOk.click();
    });
    EXPECT_EQ(seen, "value ,(,单据编号,,或者,,单据编号,),,,,,10.00");
    std::string error;
    EXPECT_GE(CountRows(ToSqlite(filter->Datasql()), error), 0) << error;
    EXPECT_EQ(messages(), "");
}

TEST_F(SchemeDialog, ANameWithAnApostropheIsStoredWithOneQuote) {
    query("UPDATE ICSchemeProfile SET FSchemeName='O''Brien' WHERE FSchemeID=2");
    show([](dialog::frmFilter& d) {
        d.lvwProject.click("Scheme2");
        d.cmdOk.click();
    });
    EXPECT_EQ(query("SELECT FSchemeID, FSchemeName, FStatus FROM ICSchemeProfile WHERE "
                    "FUserID=2 ORDER BY FSchemeID"),
              "1|默认方案|0\n2|O'Brien|2\n");
}

TEST_F(SchemeDialog, ConditionsTooLongForTheStoreSaySoAndKeepTheOldScheme) {
    const std::string before = entry(1, "Relation");
    show([](dialog::frmFilter& d) {
        ASSERT_TRUE(d.VpFilter.pick(1, 3, kBillNo));
        ASSERT_TRUE(d.VpFilter.pick(1, 4, kEqual));
        d.VpFilter.setText(1, 6, std::string(3600, 'x'));
        d.cmdOk.click();
    });
    EXPECT_EQ(messages(), "过滤条件太长,\n保存方案失败!|Vostrel提示|64\n");
    EXPECT_EQ(entry(1, "Relation"), before);
}

TEST_F(SchemeDialog, AHiddenSelectorIsNotStoredAndTakesItsDefaultWhenApplied) {
    show([](dialog::frmFilter& d) { d.cmdOk.click(); });
    const std::string keys = query(
        "SELECT group_concat(FKey, ',') FROM (SELECT FKey FROM ICSchemeProfileEntry WHERE "
        "FSchemeID=1 ORDER BY rowid)");
    EXPECT_EQ(keys,
              "chkShowByBeforeProject,cboTransType,cboTime,cboCheck,cboCancel,cboROB,cboPost,"
              "OrderBy,Relation,HideColumns\n")
        << "cboConnect, cboICMO and cboKickBack are hidden on this list";
    query("DELETE FROM ICSchemeProfileEntry WHERE FSchemeID=1 AND FKey='cboCheck'");
    fresh(2, "张伟");
    int check = -1;
    show([&](dialog::frmFilter& d) {
        check = d.cboCheck.listIndex();
        d.cmdCancel.click();
    });
    EXPECT_EQ(check, 2);
}

// A refused OK keeps the dialog open; the next OK's statement is the result.
TEST_F(SchemeDialog, TooManyColumnsAskFirstAndCancelKeepsTheDialogOpen) {
    query("UPDATE t_SystemProfile SET FValue='3' WHERE FKey='NeedShowColumnPrompt'");
    recorder.answer = 2;
    bool open = false;
    show([&](dialog::frmFilter& d) {
        d.cmdOk.click();
        open = d.shown();
        ASSERT_TRUE(d.VpFilter.pick(1, 3, kBillNo) && d.VpFilter.pick(1, 4, kEqual));
        ASSERT_TRUE(d.VpFilter.type(1, 6, "LATER"));
        recorder.answer = 1;
        d.cmdOk.click();
    });
    EXPECT_TRUE(open);
    EXPECT_TRUE(filter->OK());
    EXPECT_NE(filter->Datasql().find("'LATER'"), std::string::npos) << filter->Datasql();
    const std::string asked =
        "当前选择待显示的列数超过最大预警列数，请慎重选择必需列|Vostrel提示|32\n";
    EXPECT_EQ(messages(), asked + asked);
}

// One case of schemes/golden/scheme_steps.txt: dialogs opened one after another
// (" | " between them) on a fresh copy of the demo database, each a list of
// words: "user=id,name" (a new process of that user, "_" a blank),
// "owner=name" (the user's name in the user table), "answer=" (to every
// question), "save=name" and "share" (typed into the save dialog), "click="
// a scheme, "tool=" a toolbar button, "menu=button:item", "time=" an index,
// "ok", "cancel", and what is seen: "items", "view", "menu", "grids". The
// result is what was seen, the messages and whether the last dialog changed
// the store.
class SchemeSteps : public SchemeDialog {
protected:
    std::string run(const std::string& input) {
        std::filesystem::copy_file(QELT_TEST_DEMO_DB, db.path(),
                                   std::filesystem::copy_options::overwrite_existing);
        fresh(2, "张伟");
        recorder.answer = 1;
        const auto store = [&] {
            return query("SELECT * FROM ICSchemeProfile ORDER BY FSchemeID") +
                   query("SELECT * FROM ICSchemeProfileEntry ORDER BY FSchemeID, FKey");
        };
        std::string before, seen, saveName;
        bool share = false;
        std::istringstream dialogs(input);
        for (std::string steps; std::getline(dialogs, steps, '|');) {
            std::vector<std::string> words;
            std::istringstream in(steps);
            for (std::string w; in >> w;) {
                std::replace(w.begin(), w.end(), '_', ' ');
                const auto eq = w.find('=');
                const std::string key = w.substr(0, eq), arg = eq == w.npos ? "" : w.substr(eq + 1);
                if (key == "user")
                    fresh(std::stoi(arg), arg.substr(arg.find(',') + 1));
                else if (key == "owner")
                    query("UPDATE t_User SET FName='" + arg + "' WHERE FUserID=2");
                else if (key == "answer")
                    recorder.answer = std::stoi(arg);
                else if (key == "save")
                    saveName = arg;
                else if (key == "share")
                    share = true;
                else
                    words.push_back(w);
            }
            before = store();
            show(
                [&](dialog::frmFilter& d) {
                    for (const std::string& w : words) {
                        const std::string arg = w.substr(w.find('=') + 1);
                        if (w.starts_with("click=")) d.lvwProject.click(arg);
                        if (w.starts_with("tool=")) d.tlbProject.click(arg);
                        if (w.starts_with("menu="))
                            d.tlbProject.menuClick(arg.substr(0, arg.find(':')),
                                                   std::stoi(arg.substr(arg.find(':') + 1)));
                        if (w.starts_with("time=")) d.cboTime.select(std::stoi(arg));
                        if (w == "ok") d.cmdOk.click();
                        if (w == "cancel") d.cmdCancel.click();
                        if (w == "view") seen += std::to_string(d.lvwProject.view());
                        if (w == "menu")
                            for (const std::string& e : d.tlbProject.button("TLBVIEW")->menu)
                                seen += e + ",";
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
                saveName, share);
            seen += filter->OK() ? "OK " : "";
        }
        std::string shown = messages();
        std::replace(shown.begin(), shown.end(), '\n', ';');
        return seen + "| " + shown + (store() == before ? " store kept" : " store changed");
    }
};

TEST_F(SchemeSteps, RefusalsSavingDeletingAndTheStartSchemeMatchTheGolden) {
    ExpectGoldenCases("schemes/golden/scheme_steps.txt",
                      [this](const std::string& in) { return run(in); });
}

// The statement with its quoted literals taken out ('' is a quote inside one).
std::string OutsideLiterals(const std::string& sql) {
    std::string out;
    bool inside = false;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        if (sql[i] == '\'') {
            if (inside && i + 1 < sql.size() && sql[i + 1] == '\'')
                ++i;
            else
                inside = !inside;
            continue;
        }
        if (!inside) out += sql[i];
    }
    return out;
}

std::string Doubled(const std::string& value) {
    std::string out;
    for (char c : value) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out;
}

// Every cell of a stored scheme (conditions, sort keys, columns, selectors)
// reaches the statement only inside a quoted literal, or not at all.
TEST_F(SchemeDialog, HostileSchemesReachTheStatementOnlyInsideQuotedValues) {
    const std::string row1 = "##<&单据编号##<&等于##<&1##<&A##<&A##<&3##<&##<&##<&##<&##<&||";
    const auto row2 = [&](int cell, const std::string& text) {
        std::string fields[] = {"并且", "单据编号", "等于", "1", "B", "B", "3", "", "", "", "", ""};
        fields[cell] = text;
        if (cell == 4) fields[5] = text;
        std::string out = row1;
        for (int i = 0; i < 12; ++i) out += fields[i] + (i < 11 ? "##<&" : "||");
        return out;
    };
    std::string cjk;
    for (int i = 0; i < 200; ++i) cjk += "链";
    struct Case {
        std::string key, value, expect;
    };
    std::vector<Case> cases = {
        {"Relation", row2(0, "并且PWNED"), "'A'"},
        {"Relation", row2(1, "单据编号PWNED"), "'A'"},
        {"Relation", row2(2, "等于 OR PWNED"), "'A'"},
        {"Relation", row2(3, "1 OR PWNED"), "'A'"},
        {"Relation", row2(6, "3 PWNED"), "'A'"},
        {"Relation", row2(7, "1=1); DROP TABLE PWNED; SELECT 1 WHERE (1=1 AND "), "'A'"},
        {"Relation", row2(8, ") OR PWNED=1 OR (1=0"), "'A'"},
        {"Relation", "##<&日期##<&等于##<&1##<&PWNED##<&PWNED##<&2##<&##<&##<&##<&##<&||", ""},
        {"OrderBy", "单据编号##<&0##<&1##<&FBillNo##<&PWNED##<&PWNED##<&PWNED||", "FBillNo DESC"},
        {"OrderBy", "PWNED##<&1##<&0##<&PWNED||单据编号##<&1##<&1##<&FBillNo||", ""},
        // A sort key whose field has gone is left out; the next one closes up.
        {"OrderBy",
         "gone##<&1##<&0##<&FPWNED##<&v1##<&FPWNED##<&ICStockBill||单据编号##<&0##<&1##<&"
         "FBillNo##<&v1##<&FBillNo##<&ICStockBill||",
         "FBillNo DESC"},
        {"HideColumns", "1##<&PWNED##<&1##<&FBillNo##<&0||0##<&567##<&1##<&PWNED##<&0||", ""},
        {"cboTime", "PWNED", ""},
        {"cboCancel", "-1", "v1.FCancellation = 0"},  // "nothing selected": the default
    };
    for (const std::string& value :
         {std::string("x' OR PWNED=1 --"), std::string("O'Brien PWNED"),
          std::string("a;DROP TABLE PWNED;"), std::string("输送机'链条\"--;PWNED"), cjk})
        cases.push_back({"Relation", row2(4, value), "'" + Doubled(value) + "'"});
    for (const auto& [key, value, expect] : cases) {
        query("DELETE FROM ICSchemeProfileEntry WHERE FSchemeID=2 AND FKey='" + key + "'");
        query("INSERT INTO ICSchemeProfileEntry (FSchemeID, FType, FKey, FValue) VALUES (2, 0, '" +
              key + "', '" + Doubled(value) + "')");
        fresh(2, "张伟");
        show([](dialog::frmFilter& d) {
            d.lvwProject.click("Scheme2");
            d.cmdOk.click();
        });
        ASSERT_TRUE(filter->OK()) << value;
        const std::string sql = filter->Datasql();
        EXPECT_EQ(OutsideLiterals(sql).find("PWNED"), std::string::npos) << value << "\n" << sql;
        EXPECT_NE(sql.find(expect), std::string::npos) << expect << "\n" << sql;
        std::string error;
        EXPECT_GE(CountRows(ToSqlite(sql), error), 0) << error << "\n" << sql;
        EXPECT_EQ(messages(), "") << value;
    }
}

TEST_F(SchemeDialog, ABlankRowKeepsTheConditionsBelowItAndARepickedComparisonKeepsItsCode) {
    show([](dialog::frmFilter& d) {
        ASSERT_TRUE(d.VpFilter.pick(1, 3, kBillNo));
        ASSERT_TRUE(d.VpFilter.pick(1, 4, kEqual));
        ASSERT_TRUE(d.VpFilter.type(1, 6, "A1"));
        ASSERT_TRUE(d.VpFilter.pick(2, 3, kBillNo));
        ASSERT_TRUE(d.VpFilter.pick(2, 4, 6)) << "包含, the text field's own default";
        ASSERT_TRUE(d.VpFilter.type(2, 6, "B2"));
        ASSERT_TRUE(d.VpFilter.moveTo(2, 3));
        d.cmdInsert.click();
        d.tlbProject.click("TLBSAVE");
        d.cmdOk.click();
    });
    ASSERT_TRUE(filter->OK());
    EXPECT_NE(filter->Datasql().find("= 'A1'  AND  v1.FBillNo LIKE '%B2%')"), std::string::npos)
        << filter->Datasql();
    EXPECT_EQ(entry(1, "Relation"),
              "##<&单据编号##<&等于##<&1##<&A1##<&A1##<&3##<&##<&##<&##<&##<&||"
              "并且##<&单据编号##<&包含##<&9##<&B2##<&B2##<&3##<&##<&##<&##<&##<&||\n");
}

TEST_F(SchemeDialog, ANewUsersDefaultSchemeKeepsEverySelectorOfTheDemoLists) {
    for (int list = 4; list <= 7; ++list) {
        fresh(5, "赵磊");
        std::string first;
        for (int open = 0; open < 2; ++open) {
            show([](dialog::frmFilter& d) { d.cmdOk.click(); }, "", false, list);
            ASSERT_TRUE(filter->OK()) << list;
            if (open == 0) first = filter->Datasql();
        }
        EXPECT_NE(first.find("v1.FCancellation = 0"), std::string::npos) << first;
        EXPECT_EQ(filter->Datasql(), first) << "list " << list << ": the second opening";
    }
}

}  // namespace
}  // namespace qelt::testing
