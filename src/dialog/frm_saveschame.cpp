#include "dialog/frm_saveschame.h"

#include "support/language.h"

namespace qelt::dialog {

namespace {

constexpr const char* kCaption = "方案保存";
constexpr const char* kPromptCaption = "请输入方案名称:";
constexpr const char* kShareCaption = "方案共享给其他用户（只读）";
constexpr const char* kOkCaption = "确定(&O)";
constexpr const char* kCancelCaption = "取消(&E)";

}  // namespace

frmSaveschame::frmSaveschame()
    : ui::Form(kName),
      lblPrompt(add<ui::Label>("lblPrompt")),
      txtSchemeName(add<ui::TextBox>("txtSchemeName")),
      chkShare(add<ui::CheckBox>("chkShare")),
      cmdOk(add<ui::CommandButton>("cmdOk")),
      cmdCancel(add<ui::CommandButton>("cmdCancel")) {
    lblPrompt.setCaption(kPromptCaption);
    chkShare.setCaption(kShareCaption);
    cmdOk.setCaption(kOkCaption);
    cmdCancel.setCaption(kCancelCaption);
    onLoad = [this] { setCaptionFromResources(); };
}

frmSaveschame::~frmSaveschame() = default;

void frmSaveschame::setCaptionFromResources() {
    setCaption(support::ResourceText(kCaption));
}

}  // namespace qelt::dialog
