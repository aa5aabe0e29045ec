#include <memory>
#include <string>

#include "platform/text.h"
#include "qelt/template_data.h"
#include "template/template_internal.h"

namespace qelt::tpl {

namespace {

const clsHidenElement* FirstVisibleColumn(const Collection<clsHidenElement>* c,
                                          const std::string& alias) {
    if (!c) return nullptr;
    for (const auto& e : *c)
        if (e && text::IEquals(e->sFieldAlias, alias)) return e.get();
    return nullptr;
}

}  // namespace

void AddListHead(List& head, const ListHeadColumn& c, const Collection<clsHidenElement>* hidden) {
    std::string width;
    std::string align;
    ColumnWidthAndAlign(hidden, c.alias, width, align);
    auto entry = std::make_shared<Dictionary>();
    entry->reserve(20);
    entry->set("FColCaption", c.caption);
    entry->set("FHeadSecond", std::string());
    entry->set("FColType", c.typeCode);
    entry->set("FColName", c.alias);
    entry->set("FSrcSQL", c.srcSql);
    entry->set("FUserColWidth", c.userWidth);
    entry->set("FLogicAction", c.logicAction);
    entry->set("FInterID", c.interId);
    entry->set("FMergeable", c.mergeable);
    entry->set("FIsPrimary", c.isPrimary);
    entry->set("FNeedCount", c.needCount);
    entry->set("FUserVisible", c.userVisible);
    entry->set("FIndex", c.index);
    entry->set("FVisible", c.visible);
    entry->set("FSrcFieldName", c.srcFieldName);
    entry->set("FSrcTableName", c.srcTableName);
    entry->set("FExtFilter", c.extFilter);
    entry->set("FSrcFieldKey", c.srcFieldKey);
    entry->set("FColWidth", width);
    entry->set("FColAlign", align);
    head.add(std::move(entry));
}

void ColumnWidthAndAlign(const Collection<clsHidenElement>* hidden, const std::string& alias,
                         std::string& width, std::string& align) {
    const clsHidenElement* e = FirstVisibleColumn(hidden, alias);
    width = e ? e->FColWidth : std::string();
    align = e ? e->FColAlign : std::string();
}

double ColumnWidthAndPosition(const Collection<clsHidenElement>* hidden, const std::string& alias,
                              int32_t& index, int32_t& visible) {
    const clsHidenElement* e = FirstVisibleColumn(hidden, alias);
    if (!e) return 0.0;
    index = e->lIndex;
    visible = 1;
    return e->dColWidth;
}

}  // namespace qelt::tpl
