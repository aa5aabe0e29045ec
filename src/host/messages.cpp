#include "host/messages.h"

#include "host/default_components.h"
#include "host/host_config.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"

namespace qelt::host {

namespace {

class MessageBox final : public IMessageBox {
public:
    void setTitle(const std::string& title) override { title_ = title; }
    void addLine(const std::string& line) override { lines_.push_back(line); }
    void setIcon(int icon) override { icon_ = icon; }
    int show(int buttons, const std::string&, int) override {
        Message m;
        m.title = title_.empty() ? kMessageTitle : title_;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (i) m.text += "\n";
            m.text += lines_[i];
        }
        m.icon = icon_;
        m.buttons = buttons;
        return DeliverMessage(m);
    }

private:
    std::string title_;
    std::vector<std::string> lines_;
    int icon_ = kIconNone;
};

}  // namespace

int ShowMessage(const std::string& text, int icon, int buttons, const std::string& title) {
    auto box = Create<IMessageBox>(progid::kMessage);
    if (!title.empty()) box->setTitle(title);
    box->addLine(text);
    box->setIcon(icon);
    return box->show(buttons, "", -1);
}

namespace defaults {
std::shared_ptr<Component> NewMessageBox() {
    return std::make_shared<MessageBox>();
}
}  // namespace defaults

}  // namespace qelt::host
