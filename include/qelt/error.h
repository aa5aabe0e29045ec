#pragma once

#include <stdexcept>
#include <string>

#include "qelt/export.h"

namespace qelt {

// The error the library raises where a rule raises one. `number` is the error
// number (-1 for the template translators), `source` names the component that
// raised it and `description` is the text shown to a user.
class QELT_EXPORT Error : public std::runtime_error {
public:
    Error(int number, std::string source, std::string description);

    int number;
    std::string source;
    std::string description;
};

}  // namespace qelt
