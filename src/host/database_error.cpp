#include "host/database_error.h"

namespace qelt::host {

Error DatabaseError(const std::string& description) {
    return Error(kDatabaseErrorNumber, kDatabaseErrorSource, description);
}

}  // namespace qelt::host
