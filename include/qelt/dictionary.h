#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "qelt/export.h"
#include "qelt/variant.h"

namespace qelt {

// An ordered key/value store of variants: keys keep the order in which they
// were first added. Keys match exactly (case counts). Look-ups by key walk
// the items; walk a whole dictionary by position or with begin()/end().
class QELT_EXPORT Dictionary {
public:
    // One entry: its key and its value.
    using Item = std::pair<std::string, Variant>;
    // Walks the items in order.
    using const_iterator = std::vector<Item>::const_iterator;

    // Adds a new key; raises Error (err::kKeyExists) when it is present.
    void add(const std::string& key, const Variant& item);
    // Sets the value of a key, adding the key at the end when it is absent.
    void set(const std::string& key, const Variant& value);
    // The number of keys.
    std::size_t size() const { return items_.size(); }
    // Room for n items without reallocation.
    void reserve(std::size_t n) { items_.reserve(n); }
    // Whether the key is present.
    bool contains(const std::string& key) const;
    // The key and the value at a 0-based position; raise Error
    // (err::kSubscript) when out of range.
    // @{
    const std::string& keyAt(std::size_t index) const;
    const Variant& valueAt(std::size_t index) const;
    // @}
    // Replaces the value at a 0-based position, keeping its key; raises
    // Error (err::kSubscript) when out of range. Filling a copy of a
    // dictionary of fixed keys this way spares the key search of set().
    void setValueAt(std::size_t index, Variant value);
    // Raises Error (err::kNotFound) when the key is absent.
    const Variant& at(const std::string& key) const;
    // The value of the key, or `fallback` when it is absent.
    Variant value(const std::string& key, const Variant& fallback) const;

    // The (key, value) items in order. Adding a key invalidates iterators.
    // @{
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }
    // @}

private:
    std::vector<Item> items_;
};

// An ordered list of dictionaries, in the order added.
class QELT_EXPORT List {
public:
    // Adds a dictionary at the end.
    void add(std::shared_ptr<Dictionary> item) { items_.push_back(std::move(item)); }
    // The number of dictionaries.
    std::size_t size() const { return items_.size(); }
    // 0-based; raises Error (err::kSubscript) when out of range.
    std::shared_ptr<Dictionary> at(std::size_t index) const;

private:
    std::vector<std::shared_ptr<Dictionary>> items_;
};

}  // namespace qelt
