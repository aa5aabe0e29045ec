#include "qelt/template_data.h"

#include "platform/text.h"
#include "support/collections.h"
#include "template/template_internal.h"

namespace qelt {

TemplateData::TemplateData() = default;
TemplateData::~TemplateData() = default;

void TemplateData::setCollectionFilter(std::shared_ptr<Collection<clsFilterElement>> c) {
    filters_ = std::move(c);
}

void TemplateData::setCollectionSort(std::shared_ptr<Collection<clsSortElement>> c) {
    sorts_ = std::move(c);
}

void TemplateData::setCollectionHiden(std::shared_ptr<Collection<clsHidenElement>> c) {
    hidden_ = std::move(c);
}

}  // namespace qelt

namespace qelt::tpl {

std::string Text(const Variant& v) { return v.toString(""); }

int32_t Long(const Variant& v, int32_t fallback) {
    if (v.isNull() || v.isEmpty()) return fallback;
    try {
        return v.toLong();
    } catch (const std::exception&) {
        return fallback;
    }
}

double Dbl(const Variant& v, double fallback) {
    if (v.isNull() || v.isEmpty()) return fallback;
    try {
        return v.toDouble();
    } catch (const std::exception&) {
        return fallback;
    }
}

std::string FieldText(const Recordset& rs, const std::string& name) { return Text(rs.value(name)); }

int32_t FieldLong(const Recordset& rs, const std::string& name, int32_t fallback) {
    return Long(rs.value(name), fallback);
}

void AddAlias(std::vector<std::string>& aliases, const std::string& alias) {
    if (!support::TextInCollection(alias, aliases)) aliases.push_back(alias);
}

void AddSqlElement(Collection<clsSQLElement>& elements, const std::string& fieldName,
                   const std::string& fieldAlias) {
    auto e = std::make_shared<clsSQLElement>();
    e->sFieldName = fieldName;
    e->sFieldAlias = fieldAlias;
    elements.push_back(std::move(e));
}

}  // namespace qelt::tpl
