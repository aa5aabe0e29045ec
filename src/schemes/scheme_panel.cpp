#include "schemes/scheme_panel.h"

#include <charconv>
#include <string_view>

#include "dialog/frm_filter.h"
#include "dialog/frm_saveschame.h"
#include "editing/fmaker.h"
#include "editing/grid_columns.h"
#include "host/messages.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/scheme_content.h"
#include "qelt/ui/presenter.h"
#include "schemes/scheme_entries.h"
#include "support/session_env.h"
#include "support/shared_settings.h"

namespace qelt::schemes {

namespace {

constexpr const char* kSource = "QeltSqlWhere2.frmFilter";
constexpr const char* kDefaultSchemeTraditional = "默認方案";
constexpr const char* kDefaultSchemeEnglish = "Default Schema";
constexpr const char* kItemKeyPrefix = "Scheme";
constexpr std::size_t kItemKeyPrefixChars = 6;
// The single entry of a list shown with a fixed status.
constexpr const char* kDefaultOnlyKey = "P0000";

constexpr const char* kCannotOverwrite = "不能覆盖";
constexpr const char* kCannotDelete = "不能删除";
constexpr const char* kSetByOwner = "设置的方案。";
constexpr const char* kTooManyColumns = "当前选择待显示的列数超过最大预警列数，请慎重选择必需列";
constexpr const char* kOverwriteSelected = "是否覆盖原方案?";
constexpr const char* kDefaultNameRefused = "用户自定义方案不允许命名为默认方案";
constexpr const char* kOverwriteExisting = "该方案已经存在,是否覆盖原方案?";
constexpr const char* kTooLong = "过滤条件太长,%1保存方案失败!";
constexpr const char* kSaveFailedOpen = "保存方案 [";
constexpr const char* kSaveFailedClose = "] 失败！";
constexpr const char* kDefaultNotDeleted = "不能删除[";
constexpr const char* kDefaultNotDeletedClose = "]!";
constexpr const char* kAskDeleteOpen = "是否要删除方案[";
constexpr const char* kAskDeleteClose = "]？";
constexpr const char* kDeleteFailedOpen = "删除方案 [";

constexpr const char* kStartSchemeSql1 = "SELECT a.FSchemeid FROM ICSchemeProfileEntry a";
constexpr const char* kStartSchemeSql2 =
    " inner join ICSchemeProfile b  on a.Fschemeid =b.Fschemeid";
constexpr const char* kStartSchemeSql3 = " inner join t_user c on b.Fuserid=c.Fuserid";
constexpr const char* kStartSchemeSql4 = " where  FtranType=";
constexpr const char* kStartSchemeSql5 = " and Fname=";
constexpr const char* kStartSchemeSql6 = " and Fkey='chkShowByBeforeProject'  and fvalue like '1' ";
constexpr const char* kOwnerSql =
    "select Fname as Fname from t_user where Fuserid=(SELECT Fuserid  as Fuserid FROM "
    "ICSchemeProfile WHERE FSchemeID=";
constexpr const char* kShareSql =
    "SELECT FISShare as FISShare  FROM ICSchemeProfile WHERE FSchemeID=";
constexpr const char* kSharedOwnerSql1 =
    "select Fname as Fname from t_user where Fuserid=(select Fuserid from ICSchemeProfile "
    "where FSchemeName=";
constexpr const char* kSharedOwnerSql2 = " and Fisshare=1  and Ftrantype=";
constexpr const char* kViewMenu[] = {"大图标(&G)", "小图表(&M)", "列表(&L)", "详细资料(&D)"};
constexpr int kViews = 4;

bool IsDefaultName(const std::string& name) {
    return name == SchemePanel::kDefaultSchemeName || name == kDefaultSchemeTraditional ||
           name == kDefaultSchemeEnglish;
}

int32_t ToLong(std::string_view s) {
    s = text::TrimView(s);
    int32_t n = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    return ec == std::errc{} && end == s.data() + s.size() ? n : 0;
}

std::string Replace(std::string s, const std::string& what, const std::string& with) {
    for (auto at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size()))
        s.replace(at, what.size(), with);
    return s;
}

// The first column of a query's first row as trimmed text; empty for none.
std::string FirstValue(const std::string& sql) {
    RecordsetPtr rs =
        host::Create<host::IAppConnection>(host::progid::kAppConnection)->Execute(sql);
    if (!rs || rs->recordCount() < 1) return {};
    rs->moveFirst();
    return text::Trim(rs->value(std::size_t{0}).toString(""));
}

int Ask(const std::string& text, int buttons) {
    return host::ShowMessage(text, host::kIconQuestion, buttons, host::kMessageTitle);
}

void Tell(const std::string& text) {
    host::ShowMessage(text, host::kIconInformation, host::kButtonsOk, host::kMessageTitle);
}

bool SomeoneElse(const std::string& owner) {
    return !owner.empty() &&
           text::ToUpper(owner) != text::ToUpper(text::Trim(support::CurrentUserName()));
}

std::string ItemKey(int32_t schemeId) {
    return kItemKeyPrefix + text::Num(schemeId);
}

}  // namespace

SchemePanel::SchemePanel(dialog::frmFilter& dialog) : d_(dialog) {
    using dialog::FilterForm;
    for (int i = 0; i < kViews; ++i)
        d_.tlbProject.setMenuItem(FilterForm::kViewButton, i, kViewMenu[i]);
    d_.tlbProject.onButtonClick = [this](const std::string& key) { toolbarClicked(key); };
    d_.tlbProject.onButtonMenuClick = [this](const std::string& key, int index) {
        menuClicked(key, index);
    };
    d_.lvwProject.onItemClick = [this](const std::string& key) { itemClicked(key); };
    d_.setSchemeSteps(this);
}

SchemePanel::~SchemePanel() {
    d_.tlbProject.onButtonClick = nullptr;
    d_.tlbProject.onButtonMenuClick = nullptr;
    d_.lvwProject.onItemClick = nullptr;
    if (d_.schemeSteps() == this) d_.setSchemeSteps(nullptr);
}

// --- the scheme list ------------------------------------------------------------

int32_t SchemePanel::selectedSchemeId() const {
    return ToLong(text::Mid(d_.lvwProject.selectedKey(), kItemKeyPrefixChars));
}

std::string SchemePanel::selectedSchemeText() const {
    const int at = d_.lvwProject.find(d_.lvwProject.selectedKey());
    return at < 0 ? std::string() : d_.lvwProject.items()[at].text;
}

std::optional<std::string> SchemePanel::loadList() {
    d_.lvwProject.clear();
    schemeKey_ = SchemeKey(support::Shared().Filter);
    RecordsetPtr schemes;
    // A store that cannot be read (no user, no tables) leaves the dialog
    // usable without schemes; saving then says that it failed.
    try {
        schemes = loadStoredSchemes();
    } catch (const Error&) {
        d_.lvwProject.clear();
    }
    if (!schemes || schemes->recordCount() < 1) return std::nullopt;
    return chooseInitialScheme(*schemes);
}

RecordsetPtr SchemePanel::loadStoredSchemes() {
    auto component = host::Create<host::IScheme>(host::progid::kScheme);
    std::string key = schemeKey_, again = schemeKey_;
    RecordsetPtr list = component->GetSchemeList(support::PropsString(), key, again);
    bool hasDefault = false;
    if (list && list->recordCount() > 0) {
        const std::string previous = list->filter();
        list->setFilter("FSchemeName=" + text::SqlQuote(kDefaultSchemeName));
        hasDefault = !list->eof();
        list->setFilter(previous);
    }
    if (!hasDefault) {
        // The list's first opening: the user's default scheme, in use.
        schemeName_ = kDefaultSchemeName;
        if (d_.cboTransType.listCount() > 0) d_.cboTransType.setListIndex(0);
        if (d_.models.maker) d_.models.maker->InitHideColumns();
        shareFlag_ = 0;
        RecordsetPtr saved = store(kDefaultSchemeName, 1, 0);
        if (!list)
            list = Recordset::copyOf(*saved);
        else
            list->appendRow({saved->value("FSchemeID"), saved->value("FSchemeName"),
                             saved->value("FUserID"), saved->value("FTranType"),
                             saved->value("FSysName"), saved->value("FStatus"),
                             saved->value("FISShare")});
        schemeId_ = saved->value("FSchemeID").toLong();
    }
    // The user's other schemes (imported ones, colleagues' shared ones) are
    // listed beside a default made just now too.
    for (list->moveFirst(); !list->eof(); list->moveNext())
        d_.lvwProject.addItem({ItemKey(list->value("FSchemeID").toLong()),
                               list->value("FSchemeName").toString(""), 1, 1});
    list->moveFirst();
    return list;
}

std::string SchemePanel::chooseInitialScheme(Recordset& schemes) {
    std::string tranType;
    const auto take = [&] {
        tranType = schemes.value("FTranType").toString("");
        schemeId_ = schemes.value("FSchemeID").toLong();
        schemeName_ = schemes.value("FSchemeName").toString("");
    };
    schemes.moveFirst();
    take();
    inUseSchemeId_ = 0;
    // Other users' schemes come with FStatus 0: a scheme in use is the user's own.
    for (; !schemes.eof(); schemes.moveNext()) {
        const std::string status = text::Trim(schemes.value("FStatus").toString(""));
        if (status == "2" || status == "1") {
            take();
            inUseSchemeId_ = schemeId_;
        }
    }
    return tranType;
}

void SchemePanel::applyStart() {
    // The start scheme: the one the user marked to accept at once for this
    // transaction type, else the user's own scheme in use, ahead of the
    // first of the list (which may be a colleague's shared one).
    std::string startId;
    try {
        startId = FirstValue(
            std::string(kStartSchemeSql1) + kStartSchemeSql2 + kStartSchemeSql3 + kStartSchemeSql4 +
            text::Num(dialog::TransTypeItem::ListId(d_.cboTransType.text())) + kStartSchemeSql5 +
            text::SqlQuote(support::CurrentUserName()) + kStartSchemeSql6);
    } catch (const Error&) {
    }
    std::string key;
    if (!startId.empty() && d_.lvwProject.find(kItemKeyPrefix + startId) >= 0) {
        schemeId_ = ToLong(startId);
        key = kItemKeyPrefix + startId;
    } else if (inUseSchemeId_ != 0 && d_.lvwProject.find(ItemKey(inUseSchemeId_)) >= 0) {
        key = ItemKey(inUseSchemeId_);
    } else if (!d_.lvwProject.items().empty()) {
        key = d_.lvwProject.items().front().key;
    }
    if (key.empty()) return;
    d_.lvwProject.setSelectedKey(key);
    itemClicked(key);
}

void SchemePanel::showDefaultOnly() {
    d_.tlbProject.setEnabled(false);
    d_.tlbProject.setVisible(false);
    d_.lvwProject.clear();
    d_.lvwProject.addItem({kDefaultOnlyKey, kDefaultSchemeName, 1, 5});
}

void SchemePanel::itemClicked(const std::string& key) {
    const int32_t status = d_.inputs().listShowStatus;
    if (status == 4 || status == 6) return;
    const int at = d_.lvwProject.find(key);
    if (at < 0) return;
    schemeName_ = d_.lvwProject.items()[at].text;
    schemeId_ = ToLong(text::Mid(key, kItemKeyPrefixChars));
    try {
        auto store = host::Create<host::IScheme>(host::progid::kScheme);
        RecordsetPtr head, entries;
        int32_t id = schemeId_;
        store->LoadSchemeProfile(support::PropsString(), id, head, entries);
        if (entries) ApplyEntries(d_, *entries);
        appliedSchemeId_ = schemeId_;
        appliedContent_ = content();
    } catch (const Error&) {
        // A scheme that cannot be read leaves the dialog as it is.
    }
}

std::string SchemePanel::content() {
    std::string out;
    for (const auto& [key, value] : EntryValues(d_)) {
        out.append(key).push_back('\n');
        out.append(value).push_back('\n');
    }
    return out;
}

std::string SchemePanel::owner(int32_t schemeId) {
    return FirstValue(kOwnerSql + text::Num(schemeId) + ")");
}

// --- saving, deleting, clearing ---------------------------------------------------

RecordsetPtr SchemePanel::store(const std::string& name, int mark, int32_t schemeId) {
    RecordsetPtr head = host::NewSchemeHeads();
    head->addNew();
    head->setValue("FSchemeID", schemeId != 0 ? schemeId : (name == schemeName_ ? schemeId_ : 0));
    head->setValue("FSchemeName", text::SqlEscape(name));
    head->setValue("FTranType", dialog::TransTypeItem::ListId(d_.cboTransType.text()));
    head->setValue("FSysName", schemeKey_);
    head->setValue("FStatus", mark == 1 ? 2 : 0);
    head->setValue("FISShare", static_cast<int32_t>(shareFlag_));
    head->update();
    RecordsetPtr entries = BuildEntries(d_, schemeId_);
    auto component = host::Create<host::IScheme>(host::progid::kScheme);
    RecordsetPtr saved = component->SaveSchemeProfile(support::PropsString(), head, entries);
    if (!saved || saved->recordCount() < 1) throw Error(-1, kSource, "the scheme was not stored");
    saved->moveFirst();
    saved->setValue("FSchemeName", name);
    saved->update();
    return saved;
}

dialog::SchemeSteps::Outcome SchemePanel::saveOnOk() {
    return save(false, 1);
}

dialog::SchemeSteps::Outcome SchemePanel::save(bool ask, int mark) {
    // Without a scheme tab (list show status 4 or 6) nothing is kept.
    const int32_t status = d_.inputs().listShowStatus;
    if (status == 4 || status == 6) return Outcome::NotSaved;
    std::string name;
    try {
        schemeId_ = selectedSchemeId();
        if (!ownSelection(ask)) return Outcome::NotSaved;
        if (!columnCountAccepted()) return Outcome::KeepOpen;
        int32_t saveId = 0;
        if (!chooseName(ask, name, saveId)) return Outcome::NotSaved;
        RecordsetPtr saved = store(name, mark, saveId);
        const std::string key = ItemKey(saved->value("FSchemeID").toLong());
        if (d_.lvwProject.find(key) < 0)
            d_.lvwProject.addItem({key, saved->value("FSchemeName").toString(""), 1, 1});
        d_.lvwProject.setSelectedKey(key);
        return Outcome::Saved;
    } catch (const Error& e) {
        if (e.number == kErrMultipleStep)
            host::ShowMessage(Replace(kTooLong, "%1", "\n"), host::kIconInformation,
                              host::kButtonsOk, host::kMessageTitle);
        else
            host::ShowMessage(kSaveFailedOpen + name + kSaveFailedClose, host::kIconInformation,
                              host::kButtonsOk, host::kMessageTitle);
        return Outcome::NotSaved;
    }
}

bool SchemePanel::ownSelection(bool ask) {
    const std::string schemeOwner = owner(schemeId_);
    const std::string share = FirstValue(kShareSql + text::Num(schemeId_));
    if (SomeoneElse(schemeOwner)) {
        // Accepting a colleague's scheme as it was applied keeps nothing and
        // needs no word; only a changed one would have to be saved.
        if (!ask && schemeId_ == appliedSchemeId_ && content() == appliedContent_) return false;
        Tell(kCannotOverwrite + schemeOwner + kSetByOwner);
        return false;
    }
    shareFlag_ = static_cast<int16_t>(ToLong(share));
    return true;
}

bool SchemePanel::columnCountAccepted() {
    if (d_.inputs().isCrossRpt == 1) return true;
    int visible = 0;
    for (int row = 1; row <= d_.vaHideColumn.maxRows(); ++row)
        if (d_.vaHideColumn.text(row, editing::ColumnCol::Shown) == "1") ++visible;
    const int32_t limit = ToLong(support::SystemValue("IC", "NeedShowColumnPrompt", "1"));
    return visible <= limit || Ask(kTooManyColumns, host::kButtonsOkCancel) == host::kAnswerOk;
}

bool SchemePanel::chooseName(bool ask, std::string& name, int32_t& saveId) {
    if (d_.lvwProject.items().empty()) {
        name = kDefaultSchemeName;
        return true;
    }
    name = selectedSchemeText();
    // Confirming the dialog keeps the selected scheme; with nothing selected
    // no scheme is in use, and none is made up.
    if (!ask) return !name.empty();
    if (name != kDefaultSchemeName &&
        Ask(kOverwriteSelected, host::kButtonsOkCancel) == host::kAnswerOk)
        return true;
    return askName(name, saveId);
}

bool SchemePanel::askName(std::string& name, int32_t& saveId) {
    // Without a front end there is no one to name the scheme.
    const auto presenter = ui::GetPresenter();
    if (!presenter) return false;
    dialog::frmSaveschame naming;
    presenter->runModal(naming);
    const auto result = naming.DctScheme();
    naming.unload();
    if (!result) return false;
    name = result->value("FSchemeName", Variant("")).toString("");
    shareFlag_ = result->value("FIsShare", Variant(0)).toInteger();
    if (IsDefaultName(name)) {
        Tell(kDefaultNameRefused);
        return false;
    }
    const std::string sharedOwner =
        FirstValue(kSharedOwnerSql1 + text::SqlQuote(name) + kSharedOwnerSql2 +
                   text::Num(dialog::TransTypeItem::ListId(d_.cboTransType.text())) + ")");
    for (const auto& item : d_.lvwProject.items()) {
        if (item.text != name) continue;
        if (SomeoneElse(sharedOwner)) {
            Tell(kCannotOverwrite + sharedOwner + kSetByOwner);
            return false;
        }
        if (Ask(kOverwriteExisting, host::kButtonsOkCancel) != host::kAnswerOk) return false;
        saveId = ToLong(text::Mid(item.key, kItemKeyPrefixChars));
        break;
    }
    return true;
}

void SchemePanel::remove() {
    try {
        schemeId_ = selectedSchemeId();
        schemeName_ = selectedSchemeText();
        if (d_.lvwProject.selectedKey().empty()) return;
        const std::string schemeOwner = owner(schemeId_);
        if (SomeoneElse(schemeOwner)) {
            Tell(kCannotDelete + schemeOwner + kSetByOwner);
            return;
        }
        if (schemeName_ == kDefaultSchemeName) {
            Tell(std::string(kDefaultNotDeleted) + kDefaultSchemeName + kDefaultNotDeletedClose);
            return;
        }
        if (Ask(kAskDeleteOpen + schemeName_ + kAskDeleteClose, host::kButtonsYesNo) !=
            host::kAnswerOk)
            return;
        auto component = host::Create<host::IScheme>(host::progid::kScheme);
        int32_t id = schemeId_;
        if (!component->DelScheme(support::PropsString(), id)) {
            Tell(kDeleteFailedOpen + schemeName_ + kSaveFailedClose);
            return;
        }
        d_.lvwProject.removeItem(d_.lvwProject.selectedKey());
    } catch (const Error&) {
        Tell(kDeleteFailedOpen + schemeName_ + kSaveFailedClose);
    }
}

void SchemePanel::clear() {
    if (d_.models.maker) d_.models.maker->ClearAll();
    d_.grids.clearSortKeys();
    if (d_.models.maker) d_.models.maker->InitHideColumns();
    const dialog::DialogInputs& in = d_.inputs();
    d_.selectors.configure(in.listId, in.destBillTranTypeNumber(), in.listShowStatus,
                           d_.selectors.presetROB(), in.checkSwitch);
}

void SchemePanel::toolbarClicked(const std::string& key) {
    using dialog::FilterForm;
    if (key == FilterForm::kSaveButton) {
        save(true, 0);
    } else if (key == FilterForm::kDeleteButton) {
        remove();
    } else if (key == FilterForm::kClearButton) {
        clear();
    } else if (key == FilterForm::kViewButton) {
        const ui::ToolButton* button = d_.tlbProject.button(FilterForm::kViewButton);
        int view = (button ? ToLong(button->tag) : 0) + 1;
        if (view >= kViews) view = 0;
        d_.tlbProject.setButtonTag(FilterForm::kViewButton, text::Num(view));
        d_.lvwProject.setView(view);
    }
}

void SchemePanel::menuClicked(const std::string& key, int index) {
    if (key != dialog::FilterForm::kViewButton || index < 0 || index >= kViews) return;
    d_.tlbProject.setButtonTag(dialog::FilterForm::kViewButton, text::Num(index));
    d_.lvwProject.setView(index);
}

}  // namespace qelt::schemes
