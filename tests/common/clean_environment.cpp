// Every test process starts without the variables that choose the database,
// the user and the installation, whatever the shell that runs the tests
// holds. Compiled into each test program (not the support library, whose
// unreferenced objects the linker may leave out).
#include <cstdlib>
#include <initializer_list>

namespace {

const bool kCleared = [] {
    for (const char* name : {"QELT_DATABASE", "QELT_USER_NAME", "QELT_PROPS", "QELT_INSTALL_PATH"})
        unsetenv(name);
    return true;
}();

}  // namespace
