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
// were first added. Keys match exactly (case counts).
class QELT_EXPORT Dictionary {
public:
    // Adds a new key; raises Error when the key is already present.
    void add(const std::string& key, const Variant& item);
    // Sets the value of a key, adding the key at the end when it is absent.
    void set(const std::string& key, const Variant& value);
    std::size_t size() const { return items_.size(); }
    // Room for n items without reallocation.
    void reserve(std::size_t n) { items_.reserve(n); }
    bool contains(const std::string& key) const;
    // 0-based; raises Error when out of range.
    const std::string& keyAt(std::size_t index) const;
    // Raises Error when the key is absent.
    const Variant& at(const std::string& key) const;
    // The value of the key, or `fallback` when it is absent.
    Variant value(const std::string& key, const Variant& fallback) const;

private:
    std::vector<std::pair<std::string, Variant>> items_;
};

// An ordered list of dictionaries, in the order added.
class QELT_EXPORT List {
public:
    void add(std::shared_ptr<Dictionary> item) { items_.push_back(std::move(item)); }
    std::size_t size() const { return items_.size(); }
    // 0-based; raises Error when out of range.
    std::shared_ptr<Dictionary> at(std::size_t index) const;

private:
    std::vector<std::shared_ptr<Dictionary>> items_;
};

}  // namespace qelt
