#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/text.h"
#include "qelt/records.h"
#include "qelt/variant.h"

// Small text and collection operations shared by the layers above.
namespace qelt::support {

// The n-th (1-based) piece of text between separators (text + separator is
// split; the separator matches ignoring case); empty when there are fewer.
std::string Segment(const std::string& text, int n, const std::string& separator);
// Non-overlapping occurrences of separator in text, compared exactly.
int CountOf(const std::string& text, const std::string& separator);
bool ValueInArray(const Variant& value, const std::vector<Variant>& array);
bool TextInCollection(const std::string& text, const std::vector<std::string>& collection);

// Whether an element's sFieldAlias equals alias ignoring case; false for an
// absent collection.
template <class T>
bool FieldAliasInCollection(const std::string& alias,
                            const std::shared_ptr<Collection<T>>& collection) {
    if (!collection) return false;
    for (const auto& e : *collection)
        if (e && text::IEquals(e->sFieldAlias, alias)) return true;
    return false;
}

}  // namespace qelt::support
