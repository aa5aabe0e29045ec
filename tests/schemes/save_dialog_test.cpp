#include <gtest/gtest.h>

#include <string>

#include "common/test_env.h"
#include "dialog/frm_saveschame.h"
#include "qelt/ui/presenter.h"

namespace qelt::testing {
namespace {

// What the save-scheme dialog gives back after a person types `name`,
// sets the share box and presses the button `finish`.
std::string Result(const std::string& name, bool share, const std::string& finish,
                   std::string* messages = nullptr) {
    MessageRecorder recorder;
    dialog::frmSaveschame form;
    ui::ScriptedPresenter([&](ui::Form& f) {
        f.text("txtSchemeName").type(name);
        if (share) f.check("chkShare").click();
        f.button(finish).click();
    }).runModal(form);
    if (messages)
        for (const auto& m : recorder.messages)
            *messages += m.text + "|" + m.title + "|" + std::to_string(m.icon) + "\n";
    const auto& r = form.DctScheme();
    return std::string(form.shown() ? "open " : "closed ") +
           (r ? r->value("FSchemeName", Variant()).toString("") + "/" +
                    std::to_string(r->value("FIsShare", Variant()).toInteger())
              : "none");
}

TEST(SaveSchemeDialog, NamesAreTrimmedApostrophesSwallowedAndDefaultNamesNotShared) {
    struct Case {
        std::string name;
        bool share;
        std::string finish, result, messages;
    };
    const Case cases[] = {
        {"  O'Brien  ", true, "cmdOk", "closed OBrien/1", ""},
        {"月报", false, "cmdOk", "closed 月报/0", ""},
        {"   ", false, "cmdOk", "closed none", "请输入方案名称!|Vostrel提示|48\n"},
        {"DEFAULT SCHEMA", true, "cmdOk", "closed none",
         "默认方案不能设置为共享!|Vostrel提示|48\n"},
        {"默认方案", true, "cmdOk", "closed none", "默认方案不能设置为共享!|Vostrel提示|48\n"},
        {"默認方案", true, "cmdOk", "closed none", "默认方案不能设置为共享!|Vostrel提示|48\n"},
        {"Default Schema", false, "cmdOk", "closed Default Schema/0", ""},
        {"x", true, "cmdCancel", "closed none", ""},
    };
    for (const Case& c : cases) {
        std::string messages;
        EXPECT_EQ(Result(c.name, c.share, c.finish, &messages), c.result) << c.name << c.finish;
        EXPECT_EQ(messages, c.messages) << c.name;
    }
}

}  // namespace
}  // namespace qelt::testing
