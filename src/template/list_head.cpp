#include <iterator>
#include <memory>
#include <string>

#include "platform/text.h"
#include "qelt/template_data.h"
#include "template/template_internal.h"

namespace qelt::tpl {

namespace {

// The keys of a head entry, in the order hosts walk them.
constexpr const char* kHeadKeys[] = {
    "FColCaption",   "FHeadSecond",  "FColType",     "FColName",   "FSrcSQL",
    "FUserColWidth", "FLogicAction", "FInterID",     "FMergeable", "FIsPrimary",
    "FNeedCount",    "FUserVisible", "FIndex",       "FVisible",   "FSrcFieldName",
    "FSrcTableName", "FExtFilter",   "FSrcFieldKey", "FColWidth",  "FColAlign"};

// Every entry has the same keys: each is a copy of this one with its values
// put in place by position, which spares a key search per value.
const Dictionary& EmptyEntry() {
    static const Dictionary entry = [] {
        Dictionary d;
        d.reserve(std::size(kHeadKeys));
        for (const char* key : kHeadKeys) d.add(key, Variant());
        return d;
    }();
    return entry;
}

}  // namespace

void AddListHead(List& head, ListHeadColumn&& c, const clsHidenElement* first) {
    auto entry = std::make_shared<Dictionary>(EmptyEntry());
    std::size_t at = 0;
    entry->setValueAt(at++, std::move(c.caption));
    entry->setValueAt(at++, std::string());  // FHeadSecond
    entry->setValueAt(at++, std::move(c.typeCode));
    entry->setValueAt(at++, std::move(c.alias));
    entry->setValueAt(at++, std::move(c.srcSql));
    entry->setValueAt(at++, c.userWidth);
    entry->setValueAt(at++, std::move(c.logicAction));
    entry->setValueAt(at++, c.interId);
    entry->setValueAt(at++, c.mergeable);
    entry->setValueAt(at++, c.isPrimary);
    entry->setValueAt(at++, c.needCount);
    entry->setValueAt(at++, c.userVisible);
    entry->setValueAt(at++, c.index);
    entry->setValueAt(at++, c.visible);
    entry->setValueAt(at++, std::move(c.srcFieldName));
    entry->setValueAt(at++, std::move(c.srcTableName));
    entry->setValueAt(at++, std::move(c.extFilter));
    entry->setValueAt(at++, std::move(c.srcFieldKey));
    entry->setValueAt(at++, first ? first->FColWidth : std::string());
    entry->setValueAt(at++, first ? first->FColAlign : std::string());
    head.add(std::move(entry));
}

double ColumnWidthAndPosition(const clsHidenElement* first, int32_t& index, int32_t& visible) {
    if (!first) return 0.0;
    index = first->lIndex;
    visible = 1;
    return first->dColWidth;
}

AliasUses::AliasUses(const TemplateState& state) {
    std::size_t count = 0;
    if (state.hidden) count += state.hidden->size();
    if (state.filters) count += state.filters->size();
    if (state.sorts) count += state.sorts->size();
    // A few aliases are searched one by one; many through a hash table.
    constexpr std::size_t kIndexed = 32;
    if (count > kIndexed) {
        std::size_t size = 64;
        while (size < count * 2) size *= 2;
        table_.assign(size, 0);
    }
    entries_.reserve(count);
    // Only the first visible-column element of an alias counts; a condition
    // or sort key only marks its alias as named.
    if (state.hidden)
        for (const auto& e : *state.hidden)
            if (e) {
                Use& u = use(e->sFieldAlias);
                if (!u.named) u.firstHidden = e.get();
                u.named = true;
            }
    const auto mark = [&](const auto& collection) {
        if (collection)
            for (const auto& e : *collection)
                if (e) use(e->sFieldAlias).named = true;
    };
    mark(state.filters);
    mark(state.sorts);
}

std::size_t AliasUses::slot(std::string_view alias) const {
    std::size_t h = 14695981039346656037ull;  // FNV-1a over the upper-cased bytes
    for (char c : alias)
        h = (h ^ static_cast<unsigned char>(text::UpperAscii(c))) * 1099511628211ull;
    const std::size_t mask = table_.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask)
        if (table_[i] == 0 || text::IEquals(entries_[table_[i] - 1].alias, alias)) return i;
}

AliasUses::Use& AliasUses::use(std::string_view alias) {
    if (!table_.empty()) {
        const std::size_t i = slot(alias);
        if (table_[i] == 0) {
            entries_.push_back({alias, {}});
            table_[i] = entries_.size();
        }
        return entries_[table_[i] - 1].use;
    }
    for (Entry& e : entries_)
        if (text::IEquals(e.alias, alias)) return e.use;
    entries_.push_back({alias, {}});
    return entries_.back().use;
}

const AliasUses::Use* AliasUses::find(std::string_view alias) const {
    if (!table_.empty()) {
        const std::size_t i = slot(alias);
        return table_[i] == 0 ? nullptr : &entries_[table_[i] - 1].use;
    }
    for (const Entry& e : entries_)
        if (text::IEquals(e.alias, alias)) return &e.use;
    return nullptr;
}

}  // namespace qelt::tpl
