#include "platform/recordset_filter.h"

#include "platform/numbers.h"
#include "platform/text.h"
#include "qelt/error.h"

namespace qelt::detail {

namespace {

constexpr std::string_view kAnd = "AND";
constexpr std::string_view kAscending = "ASC";
constexpr std::string_view kDescending = "DESC";

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

[[noreturn]] void Fail(std::string_view criteria, const std::string& why) {
    throw Error(kErrFilterArgument, kRecordsetSource,
                "Invalid filter \"" + std::string(criteria) + "\": " + why);
}

class FilterParser {
public:
    FilterParser(std::string_view criteria, const RecordsetStore& store)
        : s_(criteria), store_(store) {}

    std::shared_ptr<const FilterExpr> parse() {
        auto expr = std::make_shared<FilterExpr>();
        while (true) {
            expr->terms.push_back(term());
            skipSpace();
            if (at_ >= s_.size()) break;
            if (!keywordAnd()) fail("expected AND at position " + position());
        }
        return expr;
    }

private:
    std::string position() const { return text::Num(static_cast<long long>(at_ + 1)); }
    [[noreturn]] void fail(const std::string& why) const { Fail(s_, why); }

    void skipSpace() {
        while (at_ < s_.size() && IsSpace(s_[at_])) ++at_;
    }

    bool keywordAnd() {
        if (s_.size() - at_ <= kAnd.size() || !text::IEquals(s_.substr(at_, kAnd.size()), kAnd) ||
            !IsSpace(s_[at_ + kAnd.size()]))
            return false;
        at_ += kAnd.size();
        return true;
    }

    FilterTerm term() {
        FilterTerm t;
        skipSpace();
        std::string_view name = columnName();
        int index = store_.indexOf(name);
        if (index < 0) fail("unknown column " + std::string(name));
        t.column = static_cast<std::size_t>(index);
        skipSpace();
        t.notEqual = comparison();
        skipSpace();
        literal(t);
        return t;
    }

    std::string_view columnName() {
        std::size_t start = at_;
        if (at_ < s_.size() && s_[at_] == '[') {
            std::size_t close = s_.find(']', at_ + 1);
            if (close == std::string_view::npos) fail("unclosed [ at position " + position());
            at_ = close + 1;
            std::string_view name = s_.substr(start + 1, close - start - 1);
            if (name.empty()) fail("empty column name at position " + text::Num(start + 1));
            return name;
        }
        while (at_ < s_.size() && !IsSpace(s_[at_]) && s_[at_] != '=' && s_[at_] != '<' &&
               s_[at_] != '>' && s_[at_] != '\'' && s_[at_] != '[')
            ++at_;
        if (at_ == start) fail("expected a column name at position " + position());
        return s_.substr(start, at_ - start);
    }

    // true for "<>", false for "="; anything else is not supported.
    bool comparison() {
        if (at_ < s_.size() && s_[at_] == '=') {
            ++at_;
            return false;
        }
        if (s_.substr(at_, 2) == "<>") {
            at_ += 2;
            return true;
        }
        fail("expected = or <> at position " + position());
    }

    void literal(FilterTerm& t) {
        if (at_ >= s_.size()) fail("missing value at the end");
        if (s_[at_] == '\'') {
            quotedText(t);
            return;
        }
        std::size_t start = at_;
        while (at_ < s_.size() && !IsSpace(s_[at_])) ++at_;
        double v = 0;
        if (!number::ParseDecimal(s_.substr(start, at_ - start), v))
            Fail(s_, "value at position " + text::Num(start + 1) +
                         " is neither a number nor a quoted text");
        t.number = v;
        t.text = std::string(s_.substr(start, at_ - start));
    }

    void quotedText(FilterTerm& t) {
        std::size_t start = at_;
        ++at_;
        std::string value;
        while (true) {
            if (at_ >= s_.size()) Fail(s_, "unclosed quote at position " + text::Num(start + 1));
            char c = s_[at_++];
            if (c != '\'') {
                value += c;
            } else if (at_ < s_.size() && s_[at_] == '\'') {
                value += '\'';
                ++at_;
            } else {
                break;
            }
        }
        t.literalIsText = true;
        std::string trimmed = text::Trim(value);
        double v = 0;
        if (number::ParseDecimal(trimmed, v)) t.number = v;
        if (text::IEquals(trimmed, "True")) t.booleanWord = -1;
        if (text::IEquals(trimmed, "False")) t.booleanWord = 0;
        Date d;
        if (Date::parse(value, d)) t.date = d;
        t.text = std::move(value);
    }

    std::string_view s_;
    const RecordsetStore& store_;
    std::size_t at_ = 0;
};

bool NumberEquals(double field, const FilterTerm& t, bool isBoolean) {
    if (t.number) return field == *t.number;
    if (isBoolean && t.booleanWord) return field == *t.booleanWord;
    return false;
}

bool FieldEquals(const Variant& field, const FilterTerm& t) {
    switch (field.type()) {
        case Variant::Type::Boolean:
            return NumberEquals(field.toDouble(), t, true);
        case Variant::Type::Integer:
        case Variant::Type::Long:
        case Variant::Type::Double:
            return NumberEquals(field.toDouble(), t, false);
        case Variant::Type::Text: {
            const std::string& s = *field.textIf();
            if (t.literalIsText) return text::IEquals(s, t.text);
            double v = 0;
            return number::ParseDecimal(text::Trim(s), v) && v == *t.number;
        }
        case Variant::Type::Date:
            return t.date && *field.dateIf() == *t.date;
        default:
            return false;
    }
}

int CompareNumbers(double a, double b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

int SortRank(Variant::Type type) {
    switch (type) {
        case Variant::Type::Empty:
        case Variant::Type::Null:
            return 0;
        case Variant::Type::Boolean:
        case Variant::Type::Integer:
        case Variant::Type::Long:
        case Variant::Type::Double:
            return 1;
        case Variant::Type::Date:
            return 2;
        case Variant::Type::Text:
            return 3;
        case Variant::Type::Object:
            break;
    }
    return 4;
}

int CompareFolded(const std::string& a, const std::string& b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto ca = static_cast<unsigned char>(a[i]);
        auto cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'a' && ca <= 'z') ca = static_cast<unsigned char>(ca - 'a' + 'A');
        if (cb >= 'a' && cb <= 'z') cb = static_cast<unsigned char>(cb - 'a' + 'A');
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareDates(const Date& a, const Date& b) {
    const int av[] = {a.year, a.month, a.day, a.hour, a.minute, a.second};
    const int bv[] = {b.year, b.month, b.day, b.hour, b.minute, b.second};
    for (int i = 0; i < 6; ++i)
        if (av[i] != bv[i]) return av[i] < bv[i] ? -1 : 1;
    return 0;
}

}  // namespace

bool FilterExpr::matches(const std::vector<Variant>& row) const {
    for (const auto& t : terms) {
        if (FieldEquals(row[t.column], t) == t.notEqual) return false;
    }
    return true;
}

std::shared_ptr<const FilterExpr> ParseFilter(std::string_view criteria,
                                              const RecordsetStore& store) {
    return FilterParser(criteria, store).parse();
}

int CompareForSort(const Variant& a, const Variant& b) {
    int ra = SortRank(a.type());
    int rb = SortRank(b.type());
    if (ra != rb) return ra < rb ? -1 : 1;
    switch (ra) {
        case 1:
            return CompareNumbers(a.toDouble(), b.toDouble());
        case 2:
            return CompareDates(*a.dateIf(), *b.dateIf());
        case 3:
            return CompareFolded(*a.textIf(), *b.textIf());
        default:
            return 0;
    }
}

bool SortSpec::before(const std::vector<Variant>& a, const std::vector<Variant>& b) const {
    for (const auto& key : keys) {
        int c = CompareForSort(a[key.column], b[key.column]);
        if (c != 0) return key.descending ? c > 0 : c < 0;
    }
    return false;
}

std::shared_ptr<const SortSpec> ParseSort(std::string_view sort, const RecordsetStore& store) {
    auto spec = std::make_shared<SortSpec>();
    auto fail = [&](const std::string& why) -> void {
        throw Error(kErrFilterArgument, kRecordsetSource,
                    "Invalid sort \"" + std::string(sort) + "\": " + why);
    };
    std::size_t start = 0;
    while (start <= sort.size()) {
        std::size_t comma = sort.find(',', start);
        if (comma == std::string_view::npos) comma = sort.size();
        std::string_view piece = sort.substr(start, comma - start);
        while (!piece.empty() && IsSpace(piece.front())) piece.remove_prefix(1);
        while (!piece.empty() && IsSpace(piece.back())) piece.remove_suffix(1);
        if (piece.empty()) fail("empty sort key");

        SortKey key;
        std::string_view name;
        std::string_view direction;
        if (piece.front() == '[') {
            std::size_t close = piece.find(']');
            if (close == std::string_view::npos) fail("unclosed [");
            name = piece.substr(1, close - 1);
            direction = piece.substr(close + 1);
            while (!direction.empty() && IsSpace(direction.front())) direction.remove_prefix(1);
            if (!direction.empty() && !IsSpace(piece[close + 1])) fail("expected a blank after ]");
        } else {
            std::size_t space = piece.find_first_of(" \t\r\n");
            name = piece.substr(0, space);
            if (space != std::string_view::npos) {
                direction = piece.substr(space);
                while (!direction.empty() && IsSpace(direction.front())) direction.remove_prefix(1);
            }
        }
        if (text::IEquals(direction, kDescending))
            key.descending = true;
        else if (!direction.empty() && !text::IEquals(direction, kAscending))
            fail("expected ASC or DESC after the column, found " + std::string(direction));
        int index = store.indexOf(name);
        if (index < 0) fail("unknown column " + std::string(name));
        key.column = static_cast<std::size_t>(index);
        spec->keys.push_back(key);
        start = comma + 1;
    }
    return spec;
}

}  // namespace qelt::detail
