#pragma once

// What a call raises, for tests of every layer: the Error's number, or its
// number and description.

#include <functional>
#include <string>

#include "qelt/error.h"

namespace qelt::testing {

// The number of the Error `f` raises; 0 when it raises none.
inline int ErrorNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.number;
    }
    return 0;
}

// "number: description" of the Error `f` raises; empty when it raises none.
inline std::string Raised(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return std::to_string(e.number) + ": " + e.description;
    }
    return "";
}

}  // namespace qelt::testing
