#pragma once

#include <memory>

#include "qelt/dictionary.h"
#include "qelt/ui/controls.h"
#include "qelt/ui/form.h"

namespace qelt::dialog {

// The save-scheme dialog: a scheme name and a share box. The constructor
// creates the controls with their texts; the form's caption is written on
// load, through the installation's text resources.
class frmSaveschame : public ui::Form {
public:
    static constexpr const char* kName = "frmSaveschame";

    frmSaveschame();
    ~frmSaveschame() override;

    // Sets the caption to the resource text of the dialog's title. The
    // constructor installs it as onLoad; rules that replace onLoad call it.
    void setCaptionFromResources();

    ui::Label& lblPrompt;
    ui::TextBox& txtSchemeName;
    ui::CheckBox& chkShare;
    ui::CommandButton& cmdOk;
    ui::CommandButton& cmdCancel;

    // The result: null until OK accepts a name; then "FSchemeName" (the
    // trimmed name) and "FIsShare" (0 or 1, 16-bit).
    const std::shared_ptr<Dictionary>& DctScheme() const { return dctScheme_; }

private:
    std::shared_ptr<Dictionary> dctScheme_;
    void cmdOk_Click();
    void cmdCancel_Click();
    // Shows a message with "单据体1" taken out of it.
    static void Message(const std::string& text, int icon, const std::string& title);
};

}  // namespace qelt::dialog
