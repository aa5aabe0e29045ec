#include "qelt/dictionary.h"

#include <algorithm>

#include "qelt/error.h"

namespace qelt {

namespace {

constexpr const char* kDictionarySource = "Dictionary";
constexpr const char* kListSource = "List";

[[noreturn]] void ThrowKeyExists(const std::string& key) {
    throw Error(err::kKeyExists, kDictionarySource,
                "This key is already associated with an element of this collection: " + key);
}

}  // namespace

void Dictionary::add(const std::string& key, const Variant& item) {
    if (contains(key)) ThrowKeyExists(key);
    items_.emplace_back(key, item);
}

void Dictionary::set(const std::string& key, const Variant& value) {
    auto it = std::find_if(items_.begin(), items_.end(),
                           [&](const auto& item) { return item.first == key; });
    if (it == items_.end())
        items_.emplace_back(key, value);
    else
        it->second = value;
}

bool Dictionary::contains(const std::string& key) const {
    return std::any_of(items_.begin(), items_.end(),
                       [&](const auto& item) { return item.first == key; });
}

const std::string& Dictionary::keyAt(std::size_t index) const {
    if (index >= items_.size())
        throw Error(err::kSubscript, kDictionarySource, "Subscript out of range");
    return items_[index].first;
}

const Variant& Dictionary::valueAt(std::size_t index) const {
    if (index >= items_.size())
        throw Error(err::kSubscript, kDictionarySource, "Subscript out of range");
    return items_[index].second;
}

void Dictionary::setValueAt(std::size_t index, Variant value) {
    if (index >= items_.size())
        throw Error(err::kSubscript, kDictionarySource, "Subscript out of range");
    items_[index].second = std::move(value);
}

const Variant& Dictionary::at(const std::string& key) const {
    for (const auto& item : items_)
        if (item.first == key) return item.second;
    throw Error(err::kNotFound, kDictionarySource, "No element with the key: " + key);
}

Variant Dictionary::value(const std::string& key, const Variant& fallback) const {
    for (const auto& item : items_)
        if (item.first == key) return item.second;
    return fallback;
}

std::shared_ptr<Dictionary> List::at(std::size_t index) const {
    if (index >= items_.size()) throw Error(err::kSubscript, kListSource, "Subscript out of range");
    return items_[index];
}

}  // namespace qelt
