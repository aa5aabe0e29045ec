#pragma once

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
};

}  // namespace qelt::dialog
