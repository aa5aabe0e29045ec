#pragma once

#include <memory>
#include <string>

#include "qelt/host/components.h"

namespace qelt::host {

// The one instance of a component that lives for the process (the ledger
// data and view objects, the resource loaders), created on first use.
std::shared_ptr<Component> ProcessObject(const std::string& progId);

// Raises the error Create<T> raises for a component without the interface.
[[noreturn]] void ThrowNotOffered(const std::string& progId);

template <class T>
std::shared_ptr<T> ProcessObjectAs(const std::string& progId) {
    auto obj = std::dynamic_pointer_cast<T>(ProcessObject(progId));
    if (!obj) ThrowNotOffered(progId);
    return obj;
}

}  // namespace qelt::host
