#include "qelt/recordset.h"

#include <algorithm>

#include "platform/recordset_filter.h"
#include "platform/recordset_store.h"
#include "platform/text.h"
#include "qelt/error.h"

namespace qelt {

namespace {

using detail::kRecordsetSource;

// The provider's "multiple-step" error, raised when a value does not fit
// its field.

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

}  // namespace

namespace detail {

void RecordsetStore::addField(FieldInfo info) {
    firstOfName_.push_back(byName_.emplace(info.name, fields.size()).second);
    fields.push_back(std::move(info));
}

std::size_t RecordsetStore::NameHash::operator()(std::string_view s) const noexcept {
    std::size_t h = 14695981039346656037ull;  // FNV-1a over the upper-cased bytes
    for (char c : s) h = (h ^ static_cast<unsigned char>(text::UpperAscii(c))) * 1099511628211ull;
    return h;
}

bool RecordsetStore::NameEqual::operator()(std::string_view a, std::string_view b) const noexcept {
    return text::IEquals(a, b);
}

int RecordsetStore::indexOf(std::string_view name) const {
    // Callers nearly always spell a column as it was defined: an exact scan
    // of a few dozen names beats hashing ignoring case.
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (firstOfName_[i] && fields[i].name == name) return static_cast<int>(i);
    auto it = byName_.find(name);
    return it == byName_.end() ? -1 : static_cast<int>(it->second);
}

}  // namespace detail

Recordset::Recordset() : store_(std::make_shared<detail::RecordsetStore>()) {}

Recordset::~Recordset() = default;

// --- definition ---------------------------------------------------------------

void Recordset::appendField(const std::string& name, int32_t type, int32_t definedSize,
                            int32_t attributes) {
    if (state_ == State::Open)
        throw Error(err::kObjectOpen, kRecordsetSource,
                    "Operation is not allowed when the object is open.");
    store_->addField(FieldInfo{name, type, definedSize, attributes});
}

void Recordset::open() {
    if (state_ == State::Open)
        throw Error(err::kObjectOpen, kRecordsetSource,
                    "Operation is not allowed when the object is open.");
    state_ = State::Open;
    filterExpr_.reset();
    sortSpec_.reset();
    filterText_.clear();
    sortText_.clear();
    view_.clear();
    pos_ = 0;
    viewGeneration_ = store_->generation;
}

void Recordset::close() {
    checkOpen();
    // Clones keep the rows; this set keeps only its field definitions, so it
    // can be opened again as an empty set.
    auto fresh = std::make_shared<detail::RecordsetStore>();
    for (const auto& f : store_->fields) fresh->addField(f);
    store_ = std::move(fresh);
    filterExpr_.reset();
    sortSpec_.reset();
    view_.clear();
    pos_ = 0;
    state_ = State::Closed;
}

void Recordset::checkOpen() const {
    if (state_ != State::Open)
        throw Error(err::kObjectClosed, kRecordsetSource,
                    "Operation is not allowed when the object is closed.");
}

void Recordset::checkRow() const {
    if (pos_ < 0 || pos_ >= static_cast<long>(view_.size())) ThrowNoCurrentRecord();
}

// --- fields -------------------------------------------------------------------

std::size_t Recordset::fieldCount() const {
    if (state_ == State::Closed) checkOpen();
    return store_->fields.size();
}

const FieldInfo& Recordset::field(std::size_t index) const {
    if (state_ == State::Closed) checkOpen();
    return store_->fields.at(columnIndex(index));
}

int Recordset::fieldIndex(const std::string& name) const {
    if (state_ == State::Closed) checkOpen();
    return store_->indexOf(name);
}

std::size_t Recordset::columnIndex(const std::string& name) const {
    int index = store_->indexOf(name);
    if (index < 0)
        throw Error(err::kItemNotFound, kRecordsetSource,
                    "Item cannot be found in the collection corresponding to the requested name "
                    "or ordinal: " +
                        name);
    return static_cast<std::size_t>(index);
}

std::size_t Recordset::columnIndex(std::size_t index) const {
    if (index >= store_->fields.size())
        throw Error(err::kItemNotFound, kRecordsetSource,
                    "Item cannot be found in the collection corresponding to the requested name "
                    "or ordinal: " +
                        text::Num(static_cast<long long>(index)));
    return index;
}

// --- values -------------------------------------------------------------------

const Variant& Recordset::value(const std::string& name) const {
    checkOpen();
    std::size_t column = columnIndex(name);
    sync();
    checkRow();
    return store_->rows[view_[pos_]][column];
}

const Variant& Recordset::value(std::size_t index) const {
    checkOpen();
    std::size_t column = columnIndex(index);
    sync();
    checkRow();
    return store_->rows[view_[pos_]][column];
}

void Recordset::setValue(const std::string& name, const Variant& v) {
    checkOpen();
    setValue(columnIndex(name), v);
}

void Recordset::setValue(std::size_t index, const Variant& v) {
    checkOpen();
    std::size_t column = columnIndex(index);
    sync();
    checkRow();
    Variant stored = v;
    CoerceToField(store_->fields[column], stored);
    store_->rows[view_[pos_]][column] = std::move(stored);
}

// --- rows ---------------------------------------------------------------------

void Recordset::addNew() {
    checkOpen();
    sync();
    auto& s = *store_;
    s.rows.emplace_back(s.fields.size(), Variant::null());
    s.deleted.push_back(0);
    ++s.generation;
    // The new row is shown at the end whatever the filter and sort say, until
    // the view is next rebuilt.
    view_.push_back(s.rows.size() - 1);
    pos_ = static_cast<long>(view_.size()) - 1;
    viewGeneration_ = s.generation;
}

void Recordset::appendRow(std::vector<Variant> values) {
    checkOpen();
    auto& s = *store_;
    if (values.size() > s.fields.size())
        throw Error(detail::kErrFilterArgument, kRecordsetSource,
                    "A row of " + text::Num(static_cast<long long>(values.size())) +
                        " values does not fit a set of " +
                        text::Num(static_cast<long long>(s.fields.size())) + " fields");
    sync();
    values.resize(s.fields.size(), Variant::null());
    for (std::size_t i = 0; i < values.size(); ++i) CoerceToField(s.fields[i], values[i]);
    s.rows.push_back(std::move(values));
    s.deleted.push_back(0);
    ++s.generation;
    viewGeneration_ = s.generation;

    std::size_t slot = s.rows.size() - 1;
    const auto& row = s.rows.back();
    if (filterExpr_ && !filterExpr_->matches(row)) return;
    bool wasEmpty = view_.empty();
    bool wasEof = !wasEmpty && pos_ >= static_cast<long>(view_.size());
    std::size_t at = view_.size();
    if (sortSpec_) {
        auto it = std::upper_bound(
            view_.begin(), view_.end(), slot,
            [&](std::size_t a, std::size_t b) { return sortSpec_->before(s.rows[a], s.rows[b]); });
        at = static_cast<std::size_t>(it - view_.begin());
    }
    view_.insert(view_.begin() + static_cast<long>(at), slot);
    if (wasEmpty)
        pos_ = 0;
    else if (wasEof)
        pos_ = static_cast<long>(view_.size());
    else if (pos_ >= 0 && static_cast<long>(at) <= pos_)
        ++pos_;
}

void Recordset::deleteCurrent() {
    checkOpen();
    sync();
    checkRow();
    auto& s = *store_;
    s.deleted[view_[pos_]] = 1;
    ++s.generation;
    view_.erase(view_.begin() + pos_);
    viewGeneration_ = s.generation;
}

// --- views --------------------------------------------------------------------

void Recordset::sync() const {
    if (viewGeneration_ != store_->generation) rebuildView();
}

void Recordset::rebuildView() const {
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

// --- walking ------------------------------------------------------------------

bool Recordset::bof() const {
    checkOpen();
    sync();
    return pos_ < 0 || view_.empty();
}

bool Recordset::eof() const {
    checkOpen();
    sync();
    return pos_ >= static_cast<long>(view_.size());
}

void Recordset::moveFirst() {
    checkOpen();
    sync();
    pos_ = 0;
}

void Recordset::moveNext() {
    checkOpen();
    sync();
    if (pos_ >= static_cast<long>(view_.size())) ThrowNoCurrentRecord();
    ++pos_;
}

void Recordset::move(long n) {
    checkOpen();
    sync();
    if (n == 0) return;
    long size = static_cast<long>(view_.size());
    if ((n > 0 && pos_ >= size) || (n < 0 && (pos_ < 0 || size == 0))) ThrowNoCurrentRecord();
    // Written so that no sum can overflow, whatever n is.
    if (n > 0)
        pos_ = n >= size - pos_ ? size : pos_ + n;
    else
        pos_ = n <= -1 - pos_ ? -1 : pos_ + n;
}

long Recordset::recordCount() const {
    checkOpen();
    sync();
    return static_cast<long>(view_.size());
}

void Recordset::setFilter(const std::string& criteria) {
    checkOpen();
    std::shared_ptr<const detail::FilterExpr> expr;
    if (!text::IsBlank(criteria)) expr = detail::ParseFilter(criteria, *store_);
    filterExpr_ = std::move(expr);
    filterText_ = criteria;
    rebuildView();
    pos_ = 0;
}

void Recordset::setSort(const std::string& sort) {
    checkOpen();
    std::shared_ptr<const detail::SortSpec> spec;
    if (!text::IsBlank(sort)) spec = detail::ParseSort(sort, *store_);
    sortSpec_ = std::move(spec);
    sortText_ = sort;
    rebuildView();
    pos_ = 0;
}

// --- copies -------------------------------------------------------------------

std::shared_ptr<Recordset> Recordset::clone() const {
    checkOpen();
    auto copy = std::make_shared<Recordset>();
    copy->store_ = store_;
    copy->cursorLocation_ = cursorLocation_;
    copy->detached_ = detached_;
    copy->state_ = State::Open;
    copy->rebuildView();
    copy->pos_ = 0;
    return copy;
}

std::shared_ptr<Recordset> Recordset::copyOf(const Recordset& source) {
    source.checkOpen();
    auto copy = std::make_shared<Recordset>();
    copy->setCursorLocation(3);
    for (const auto& f : source.store_->fields) {
        int32_t type = (f.type == adNumeric) ? static_cast<int32_t>(adDouble) : f.type;
        copy->appendField(f.name, type, f.definedSize, f.attributes);
    }
    copy->open();

    // The source's rows in its own sort order, with no filter.
    const auto& s = *source.store_;
    std::vector<std::size_t> order;
    order.reserve(s.rows.size());
    for (std::size_t slot = 0; slot < s.rows.size(); ++slot)
        if (!s.deleted[slot]) order.push_back(slot);
    if (source.sortSpec_)
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return source.sortSpec_->before(s.rows[a], s.rows[b]);
        });
    for (std::size_t slot : order) copy->appendRow(s.rows[slot]);
    copy->moveFirst();
    return copy;
}

}  // namespace qelt
