#include "qelt/template_data.h"

#include "platform/text.h"
#include "qelt/error.h"
#include "support/collections.h"
#include "template/template_internal.h"

namespace qelt {

TemplateData::TemplateData() : impl_(std::make_unique<Impl>()) {}
TemplateData::~TemplateData() = default;

void TemplateData::setListShowStatus(int32_t status) {
    impl_->listShowStatus = status;
}
bool TemplateData::ShowFilter() const {
    return impl_->showFilter;
}
void TemplateData::setShowFilter(bool v) {
    impl_->showFilter = v;
}
bool TemplateData::GetListByF7() const {
    return impl_->getListByF7;
}
void TemplateData::setGetListByF7(bool v) {
    impl_->getListByF7 = v;
}
const std::string& TemplateData::lastWhere() const {
    return impl_->where;
}

void TemplateData::setCollectionFilter(std::shared_ptr<Collection<clsFilterElement>> c) {
    impl_->filters = std::move(c);
}

void TemplateData::setCollectionSort(std::shared_ptr<Collection<clsSortElement>> c) {
    impl_->sorts = std::move(c);
}

void TemplateData::setCollectionHiden(std::shared_ptr<Collection<clsHidenElement>> c) {
    impl_->hidden = std::move(c);
}

std::string TemplateData::GetListSQL(const std::string& sTableAlaise,
                                     const std::string& sFieldAlias, Dictionary* vctInfo) {
    if (!mRsTemplete || !mRsChatBillTitle || !mRsTableRelation) return {};
    try {
        return tpl::ListSql(*this, *impl_, sTableAlaise, sFieldAlias, vctInfo);
    } catch (const Error&) {
        return {};
    }
}

}  // namespace qelt

namespace qelt::tpl {

std::string Text(const Variant& v) {
    return v.toString("");
}

int32_t Long(const Variant& v, int32_t fallback) {
    if (v.isNull() || v.isEmpty()) return fallback;
    try {
        return v.toLong();
    } catch (const Error&) {
        return fallback;
    }
}

double Dbl(const Variant& v, double fallback) {
    if (v.isNull() || v.isEmpty()) return fallback;
    try {
        return v.toDouble();
    } catch (const Error&) {
        return fallback;
    }
}

std::string FieldText(const Recordset& rs, const std::string& name) {
    return Text(rs.value(name));
}

int32_t FieldLong(const Recordset& rs, const std::string& name, int32_t fallback) {
    return Long(rs.value(name), fallback);
}

std::size_t ColumnIndex(const Recordset& rs, const char* name) {
    const int index = rs.fieldIndex(name);
    return index < 0 ? std::string::npos : static_cast<std::size_t>(index);
}

std::string Text(const Recordset& rs, std::size_t column) {
    return Text(rs.value(column));
}

std::string_view TextView(const Variant& v, std::string& scratch) {
    if (const std::string* s = v.textIf()) return *s;
    scratch = Text(v);
    return scratch;
}

std::string_view TextView(const Recordset& rs, std::size_t column, std::string& scratch) {
    return TextView(rs.value(column), scratch);
}

int32_t Long(const Recordset& rs, std::size_t column, int32_t fallback) {
    return Long(rs.value(column), fallback);
}

std::string TypeFilter(int32_t templateId) {
    return "FTypeID=" + text::Num(templateId);
}

void AddAlias(std::vector<std::string>& aliases, const std::string& alias) {
    if (!support::TextInCollection(alias, aliases)) aliases.push_back(alias);
}

void AddSqlElement(Collection<clsSQLElement>& elements, std::string fieldName,
                   std::string fieldAlias) {
    auto e = std::make_shared<clsSQLElement>();
    e->sFieldName = std::move(fieldName);
    e->sFieldAlias = std::move(fieldAlias);
    elements.push_back(std::move(e));
}

}  // namespace qelt::tpl
