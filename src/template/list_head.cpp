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
    // Only the first visible-column element of an alias counts; a condition
    // or sort key only marks its alias as named.
    if (state.hidden)
        for (const auto& e : *state.hidden)
            if (e) {
                Use& use = byAlias[text::ToUpper(e->sFieldAlias)];
                if (!use.named) use.firstHidden = e.get();
                use.named = true;
            }
    const auto mark = [&](const auto& collection) {
        if (collection)
            for (const auto& e : *collection)
                if (e) byAlias[text::ToUpper(e->sFieldAlias)].named = true;
    };
    mark(state.filters);
    mark(state.sorts);
}

const AliasUses::Use* AliasUses::find(std::string_view alias) const {
    if (byAlias.empty()) return nullptr;
    const auto it = byAlias.find(text::ToUpper(alias));
    return it == byAlias.end() ? nullptr : &it->second;
}

}  // namespace qelt::tpl
