#include "qelt/version.h"

namespace qelt {

// The macro is read here, inside the library, so the answer is the version
// of the library that is loaded, not the one a host was compiled against.
const char* Version() {
    return QELT_VERSION_STRING;
}

}  // namespace qelt
