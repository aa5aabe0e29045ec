#include "dialog/frm_saveschame.h"

#include "host/messages.h"
#include "platform/text.h"
#include "support/language.h"

namespace qelt::dialog {

namespace {

constexpr const char* kCaption = "方案保存";
constexpr const char* kPromptCaption = "请输入方案名称:";
constexpr const char* kShareCaption = "方案共享给其他用户（只读）";
constexpr const char* kOkCaption = "确定(&O)";
constexpr const char* kCancelCaption = "取消(&E)";
constexpr const char* kNoName = "请输入方案名称!";
constexpr const char* kDefaultNotShared = "默认方案不能设置为共享!";
constexpr const char* kRemovedFromMessages = "单据体1";
constexpr const char* kDefaultNames[] = {"默认方案", "默認方案"};
constexpr const char* kDefaultNameEnglish = "Default Schema";
constexpr int kCharApostrophe = 39;

bool IsDefaultName(const std::string& name) {
    for (const char* n : kDefaultNames)
        if (name == n) return true;
    return text::IEquals(name, kDefaultNameEnglish);
}

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
    txtSchemeName.onKeyPress = [](int& key) {
        if (key == kCharApostrophe) key = 0;
    };
    cmdOk.onClick = [this] { cmdOk_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    // Enter and Escape act as OK and Cancel wherever the focus is.
    setKeyPreview(true);
    onKeyPress = [this](int& key) {
        if (key == ui::kKeyEnter) {
            key = 0;
            cmdOk_Click();
        } else if (key == ui::kKeyEscape) {
            key = 0;
            cmdCancel_Click();
        }
    };
}

frmSaveschame::~frmSaveschame() = default;

void frmSaveschame::setCaptionFromResources() {
    setCaption(support::ResourceText(kCaption));
}

void frmSaveschame::Message(const std::string& message, int icon, const std::string& title) {
    std::string shown = message;
    const std::string removed = kRemovedFromMessages;
    for (auto at = shown.find(removed); at != std::string::npos; at = shown.find(removed, at))
        shown.erase(at, removed.size());
    host::ShowMessage(shown, icon, host::kButtonsOk, title);
}

void frmSaveschame::cmdOk_Click() {
    const std::string name = text::Trim(txtSchemeName.text());
    if (name.empty()) {
        Message(kNoName, host::kIconExclamation, host::kMessageTitle);
        return;
    }
    if (IsDefaultName(name) && chkShare.value() != 0) {
        Message(kDefaultNotShared, host::kIconExclamation, host::kMessageTitle);
        return;
    }
    dctScheme_ = std::make_shared<Dictionary>();
    dctScheme_->add("FSchemeName", Variant(name));
    dctScheme_->add("FIsShare", Variant(static_cast<int16_t>(chkShare.value() != 0 ? 1 : 0)));
    hide();
}

void frmSaveschame::cmdCancel_Click() {
    hide();
}

}  // namespace qelt::dialog
