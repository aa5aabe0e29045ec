#include "host/password_mask.h"

#include <gtest/gtest.h>

namespace qelt::host {
namespace {

// ODBC values end at ";" and may hold blanks; braced values may hold ";";
// other backends end a value at a blank as well.
TEST(PasswordMask, EveryPasswordValueIsMaskedToItsEnd) {
    const std::pair<const char*, const char*> cases[] = {
        {"odbc://DRIVER=x;UID=sa;PWD={my se;cret};Database=erp;",
         "odbc://DRIVER=x;UID=sa;PWD=***;Database=erp;"},
        {"ODBC://DSN=erp;pwd=a b;UID=x", "ODBC://DSN=erp;pwd=***;UID=x"},
        {"odbc://Password=p;PWD=q", "odbc://Password=***;PWD=***"},
        {"postgresql://dbname=erp password=se;cret user=x",
         "postgresql://dbname=erp password=***;cret user=x"},
        {"postgresql://dbname=erp PASSWORD=secret user=x",
         "postgresql://dbname=erp PASSWORD=*** user=x"},
        {"sqlite3://db=/srv/erp.db", "sqlite3://db=/srv/erp.db"},
        {"odbc://DSN=erp;PWD=", "odbc://DSN=erp;PWD=***"},
    };
    for (const auto& [cs, masked] : cases) EXPECT_EQ(MaskPasswords(cs), masked) << cs;
}

}  // namespace
}  // namespace qelt::host
