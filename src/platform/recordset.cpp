#include "qelt/recordset.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/recordset_filter.h"
#include "platform/recordset_store.h"
#include "platform/text.h"
#include "qelt/error.h"

namespace qelt {

namespace {

using detail::kRecordsetSource;

[[noreturn]] void ThrowNoCurrentRecord() {
    throw Error(err::kNoCurrentRecord, kRecordsetSource,
                "Either BOF or EOF is True, or the current record has been deleted. Requested "
                "operation requires a current record.");
}

// The value type a field of `type` holds, or Empty for types whose values
// are kept as given.
Variant::Type StoredType(int32_t type) {
    switch (type) {
        case adSmallInt:
            return Variant::Type::Integer;
        case adInteger:
            return Variant::Type::Long;
        case adDouble:
        case adNumeric:
            return Variant::Type::Double;
        case adBoolean:
            return Variant::Type::Boolean;
        case adDate:
            return Variant::Type::Date;
        case adVarChar:
        case adVarWChar:
            return Variant::Type::Text;
        default:
            return Variant::Type::Empty;
    }
}

// Values take the type of their field when stored, so that sorting and
// filtering see one kind of value per column. Unset values are Null.
void CoerceToField(const FieldInfo& field, Variant& v) {
    if (v.isNull()) return;
    if (v.isEmpty()) {
        v = Variant::null();
        return;
    }
    Variant::Type target = StoredType(field.type);
    if (target == Variant::Type::Empty || v.type() == target) return;
    try {
        switch (target) {
            case Variant::Type::Integer:
                v = Variant(v.toInteger());
                break;
            case Variant::Type::Long:
                v = Variant(v.toLong());
                break;
            case Variant::Type::Double:
                v = Variant(v.toDouble());
                break;
            case Variant::Type::Boolean:
                v = Variant(v.toBool());
                break;
            case Variant::Type::Date:
                v = Variant(v.toDate());
                break;
            default:
                v = Variant(v.toString());
                break;
        }
    } catch (const Error& e) {
        throw Error(err::kMultipleStep, kRecordsetSource,
                    "Multiple-step operation generated errors: the value does not fit field " +
                        field.name + " (" + e.description + ")");
    }
}

enum class State { Defining, Open, Closed };

}  // namespace

// A record set's own cursor, filter and sort over rows it may share.
struct Recordset::Impl {
    std::shared_ptr<detail::RecordsetStore> store_ = std::make_shared<detail::RecordsetStore>();
    std::shared_ptr<const detail::FilterExpr> filterExpr_;
    std::shared_ptr<const detail::SortSpec> sortSpec_;
    std::vector<std::size_t> view_;     // store row slots visible through filter and sort
    long pos_ = 0;                      // index into view_; -1 is BOF, view_.size() EOF
    std::uint64_t viewGeneration_ = 0;  // store generation the view reflects
    std::string filterText_;
    std::string sortText_;
    int32_t cursorLocation_ = 2;
    State state_ = State::Defining;
    bool detached_ = false;

    // Rebuilds the view from the shared rows through the filter and sort,
    // keeping the cursor on its row (or the next surviving one).
    void rebuildView();
    // Catches up with adds and deletes made through other holders.
    void sync();
    void checkOpen() const;
    void checkRow() const;
    std::size_t columnIndex(const std::string& name) const;
    std::size_t columnIndex(std::size_t index) const;
};

void Recordset::Impl::checkOpen() const {
    if (state_ != State::Open)
        throw Error(err::kObjectClosed, kRecordsetSource,
                    "Operation is not allowed when the object is closed.");
}

void Recordset::Impl::checkRow() const {
    if (pos_ < 0 || pos_ >= static_cast<long>(view_.size())) ThrowNoCurrentRecord();
}

std::size_t Recordset::Impl::columnIndex(const std::string& name) const {
    int index = store_->indexOf(name);
    if (index < 0)
        throw Error(err::kItemNotFound, kRecordsetSource,
                    "Item cannot be found in the collection corresponding to the requested name "
                    "or ordinal: " +
                        name);
    return static_cast<std::size_t>(index);
}

std::size_t Recordset::Impl::columnIndex(std::size_t index) const {
    if (index >= store_->fields.size())
        throw Error(err::kItemNotFound, kRecordsetSource,
                    "Item cannot be found in the collection corresponding to the requested name "
                    "or ordinal: " +
                        text::Num(static_cast<long long>(index)));
    return index;
}

void Recordset::Impl::sync() {
    if (viewGeneration_ != store_->generation) rebuildView();
}

void Recordset::Impl::rebuildView() {
    const auto& s = *store_;
    std::vector<std::size_t> old = std::move(view_);
    long oldPos = pos_;

    std::vector<std::size_t> fresh;
    fresh.reserve(s.rows.size());
    for (std::size_t slot = 0; slot < s.rows.size(); ++slot) {
        if (s.deleted[slot]) continue;
        if (filterExpr_ && !filterExpr_->matches(s.rows[slot])) continue;
        fresh.push_back(slot);
    }
    if (sortSpec_)
        std::stable_sort(fresh.begin(), fresh.end(), [&](std::size_t a, std::size_t b) {
            return sortSpec_->before(s.rows[a], s.rows[b]);
        });
    view_ = std::move(fresh);
    viewGeneration_ = s.generation;

    long size = static_cast<long>(view_.size());
    if (old.empty()) {
        pos_ = 0;
    } else if (oldPos < 0) {
        pos_ = size == 0 ? 0 : -1;
    } else if (oldPos >= static_cast<long>(old.size())) {
        pos_ = size;
    } else {
        // Stay on the current row, or on the first row after it that is still
        // visible when it was deleted or filtered out.
        std::vector<long> where(s.rows.size(), -1);
        for (long i = 0; i < size; ++i) where[view_[i]] = i;
        pos_ = size;
        for (std::size_t i = static_cast<std::size_t>(oldPos); i < old.size(); ++i) {
            if (old[i] < where.size() && where[old[i]] >= 0) {
                pos_ = where[old[i]];
                break;
            }
        }
    }
}

Recordset::Recordset() : impl_(std::make_unique<Impl>()) {}

namespace detail {

void RecordsetStore::addField(FieldInfo info) {
    if (fields.empty()) {
        // Most sets have a few or a few dozen fields: no growing one by one.
        fields.reserve(16);
        first_.reserve(16);
    }
    fields.push_back(std::move(info));
    first_.push_back(First::Unknown);
}

int RecordsetStore::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].name != name) continue;
        if (first_[i] == First::Unknown) {
            first_[i] = First::Yes;
            for (std::size_t j = 0; j < i; ++j)
                if (text::IEquals(fields[j].name, name)) {
                    first_[i] = First::No;
                    break;
                }
        }
        if (first_[i] == First::Yes) return static_cast<int>(i);
        break;
    }
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (text::IEquals(fields[i].name, name)) return static_cast<int>(i);
    return -1;
}

}  // namespace detail

Recordset::~Recordset() = default;

void Recordset::setCursorLocation(int32_t location) {
    impl_->cursorLocation_ = location;
}
int32_t Recordset::cursorLocation() const {
    return impl_->cursorLocation_;
}
bool Recordset::isOpen() const {
    return impl_->state_ == State::Open;
}
void Recordset::detach() {
    impl_->detached_ = true;
}
bool Recordset::isDetached() const {
    return impl_->detached_;
}
const std::string& Recordset::filter() const {
    return impl_->filterText_;
}
const std::string& Recordset::sort() const {
    return impl_->sortText_;
}

// --- definition ---------------------------------------------------------------

void Recordset::appendField(const std::string& name, int32_t type, int32_t definedSize,
                            int32_t attributes) {
    if (impl_->state_ == State::Open)
        throw Error(err::kObjectOpen, kRecordsetSource,
                    "Operation is not allowed when the object is open.");
    impl_->store_->addField(FieldInfo{name, type, definedSize, attributes});
}

void Recordset::open() {
    if (impl_->state_ == State::Open)
        throw Error(err::kObjectOpen, kRecordsetSource,
                    "Operation is not allowed when the object is open.");
    impl_->state_ = State::Open;
    impl_->filterExpr_.reset();
    impl_->sortSpec_.reset();
    impl_->filterText_.clear();
    impl_->sortText_.clear();
    impl_->view_.clear();
    impl_->pos_ = 0;
    impl_->viewGeneration_ = impl_->store_->generation;
}

void Recordset::close() {
    impl_->checkOpen();
    // Clones keep the rows; this set keeps only its field definitions, so it
    // can be opened again as an empty set.
    auto fresh = std::make_shared<detail::RecordsetStore>();
    for (const auto& f : impl_->store_->fields) fresh->addField(f);
    impl_->store_ = std::move(fresh);
    impl_->filterExpr_.reset();
    impl_->sortSpec_.reset();
    impl_->view_.clear();
    impl_->pos_ = 0;
    impl_->state_ = State::Closed;
}

// --- fields -------------------------------------------------------------------

std::size_t Recordset::fieldCount() const {
    if (impl_->state_ == State::Closed) impl_->checkOpen();
    return impl_->store_->fields.size();
}

const FieldInfo& Recordset::field(std::size_t index) const {
    if (impl_->state_ == State::Closed) impl_->checkOpen();
    return impl_->store_->fields.at(impl_->columnIndex(index));
}

int Recordset::fieldIndex(const std::string& name) const {
    if (impl_->state_ == State::Closed) impl_->checkOpen();
    return impl_->store_->indexOf(name);
}

// --- values -------------------------------------------------------------------

const Variant& Recordset::value(const std::string& name) const {
    impl_->checkOpen();
    std::size_t column = impl_->columnIndex(name);
    impl_->sync();
    impl_->checkRow();
    return impl_->store_->rows[impl_->view_[impl_->pos_]][column];
}

const Variant& Recordset::value(std::size_t index) const {
    impl_->checkOpen();
    std::size_t column = impl_->columnIndex(index);
    impl_->sync();
    impl_->checkRow();
    return impl_->store_->rows[impl_->view_[impl_->pos_]][column];
}

std::span<const Variant> Recordset::currentRow() const {
    impl_->checkOpen();
    impl_->sync();
    impl_->checkRow();
    return impl_->store_->rows[impl_->view_[impl_->pos_]];
}

void Recordset::setValue(const std::string& name, const Variant& v) {
    impl_->checkOpen();
    setValue(impl_->columnIndex(name), v);
}

void Recordset::setValue(std::size_t index, const Variant& v) {
    impl_->checkOpen();
    std::size_t column = impl_->columnIndex(index);
    impl_->sync();
    impl_->checkRow();
    Variant stored = v;
    CoerceToField(impl_->store_->fields[column], stored);
    impl_->store_->rows[impl_->view_[impl_->pos_]][column] = std::move(stored);
}

// --- rows ---------------------------------------------------------------------

void Recordset::addNew() {
    impl_->checkOpen();
    impl_->sync();
    auto& s = *impl_->store_;
    s.rows.emplace_back(s.fields.size(), Variant::null());
    s.deleted.push_back(0);
    ++s.generation;
    // The new row is shown at the end whatever the filter and sort say, until
    // the view is next rebuilt.
    impl_->view_.push_back(s.rows.size() - 1);
    impl_->pos_ = static_cast<long>(impl_->view_.size()) - 1;
    impl_->viewGeneration_ = s.generation;
}

void Recordset::appendRow(std::vector<Variant> values) {
    impl_->checkOpen();
    auto& s = *impl_->store_;
    if (values.size() > s.fields.size())
        throw Error(detail::kErrFilterArgument, kRecordsetSource,
                    "A row of " + text::Num(static_cast<long long>(values.size())) +
                        " values does not fit a set of " +
                        text::Num(static_cast<long long>(s.fields.size())) + " fields");
    impl_->sync();
    values.resize(s.fields.size(), Variant::null());
    for (std::size_t i = 0; i < values.size(); ++i) CoerceToField(s.fields[i], values[i]);
    s.rows.push_back(std::move(values));
    s.deleted.push_back(0);
    ++s.generation;
    impl_->viewGeneration_ = s.generation;

    std::size_t slot = s.rows.size() - 1;
    const auto& row = s.rows.back();
    if (impl_->filterExpr_ && !impl_->filterExpr_->matches(row)) return;
    bool wasEmpty = impl_->view_.empty();
    bool wasEof = !wasEmpty && impl_->pos_ >= static_cast<long>(impl_->view_.size());
    std::size_t at = impl_->view_.size();
    if (impl_->sortSpec_) {
        auto it = std::upper_bound(impl_->view_.begin(), impl_->view_.end(), slot,
                                   [&](std::size_t a, std::size_t b) {
                                       return impl_->sortSpec_->before(s.rows[a], s.rows[b]);
                                   });
        at = static_cast<std::size_t>(it - impl_->view_.begin());
    }
    impl_->view_.insert(impl_->view_.begin() + static_cast<long>(at), slot);
    if (wasEmpty)
        impl_->pos_ = 0;
    else if (wasEof)
        impl_->pos_ = static_cast<long>(impl_->view_.size());
    else if (impl_->pos_ >= 0 && static_cast<long>(at) <= impl_->pos_)
        ++impl_->pos_;
}

void Recordset::deleteCurrent() {
    impl_->checkOpen();
    impl_->sync();
    impl_->checkRow();
    auto& s = *impl_->store_;
    s.deleted[impl_->view_[impl_->pos_]] = 1;
    ++s.generation;
    impl_->view_.erase(impl_->view_.begin() + impl_->pos_);
    impl_->viewGeneration_ = s.generation;
}

// --- views --------------------------------------------------------------------

// --- walking ------------------------------------------------------------------

bool Recordset::bof() const {
    impl_->checkOpen();
    impl_->sync();
    return impl_->pos_ < 0 || impl_->view_.empty();
}

bool Recordset::eof() const {
    impl_->checkOpen();
    impl_->sync();
    return impl_->pos_ >= static_cast<long>(impl_->view_.size());
}

void Recordset::moveFirst() {
    impl_->checkOpen();
    impl_->sync();
    impl_->pos_ = 0;
}

void Recordset::moveNext() {
    impl_->checkOpen();
    impl_->sync();
    if (impl_->pos_ >= static_cast<long>(impl_->view_.size())) ThrowNoCurrentRecord();
    ++impl_->pos_;
}

void Recordset::move(long n) {
    impl_->checkOpen();
    impl_->sync();
    if (n == 0) return;
    long size = static_cast<long>(impl_->view_.size());
    if ((n > 0 && impl_->pos_ >= size) || (n < 0 && (impl_->pos_ < 0 || size == 0)))
        ThrowNoCurrentRecord();
    // Written so that no sum can overflow, whatever n is.
    if (n > 0)
        impl_->pos_ = n >= size - impl_->pos_ ? size : impl_->pos_ + n;
    else
        impl_->pos_ = n <= -1 - impl_->pos_ ? -1 : impl_->pos_ + n;
}

long Recordset::recordCount() const {
    impl_->checkOpen();
    impl_->sync();
    return static_cast<long>(impl_->view_.size());
}

void Recordset::setFilter(const std::string& criteria) {
    impl_->checkOpen();
    std::shared_ptr<const detail::FilterExpr> expr;
    if (!text::IsBlank(criteria)) expr = detail::ParseFilter(criteria, *impl_->store_);
    impl_->filterExpr_ = std::move(expr);
    impl_->filterText_ = criteria;
    impl_->rebuildView();
    impl_->pos_ = 0;
}

void Recordset::setSort(const std::string& sort) {
    impl_->checkOpen();
    std::shared_ptr<const detail::SortSpec> spec;
    if (!text::IsBlank(sort)) spec = detail::ParseSort(sort, *impl_->store_);
    impl_->sortSpec_ = std::move(spec);
    impl_->sortText_ = sort;
    impl_->rebuildView();
    impl_->pos_ = 0;
}

// --- copies -------------------------------------------------------------------

std::shared_ptr<Recordset> Recordset::clone() const {
    impl_->checkOpen();
    auto copy = std::make_shared<Recordset>();
    copy->impl_->store_ = impl_->store_;
    copy->impl_->cursorLocation_ = impl_->cursorLocation_;
    copy->impl_->detached_ = impl_->detached_;
    copy->impl_->state_ = State::Open;
    copy->impl_->rebuildView();
    copy->impl_->pos_ = 0;
    return copy;
}

std::shared_ptr<Recordset> Recordset::copyOf(const Recordset& source) {
    source.impl_->checkOpen();
    auto copy = std::make_shared<Recordset>();
    copy->setCursorLocation(3);
    for (const auto& f : source.impl_->store_->fields) {
        int32_t type = (f.type == adNumeric) ? static_cast<int32_t>(adDouble) : f.type;
        copy->appendField(f.name, type, f.definedSize, f.attributes);
    }
    copy->open();

    // The source's rows in its own sort order, with no filter.
    const auto& s = *source.impl_->store_;
    std::vector<std::size_t> order;
    order.reserve(s.rows.size());
    for (std::size_t slot = 0; slot < s.rows.size(); ++slot)
        if (!s.deleted[slot]) order.push_back(slot);
    if (source.impl_->sortSpec_)
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return source.impl_->sortSpec_->before(s.rows[a], s.rows[b]);
        });
    for (std::size_t slot : order) copy->appendRow(s.rows[slot]);
    copy->moveFirst();
    return copy;
}

}  // namespace qelt
