// Writes the demo database of the build tree with the library's own scripts.
#include <iostream>

#include "qelt/demo.h"
#include "qelt/error.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: qelt_write_demo_db PATH\n";
        return 2;
    }
    try {
        qelt::WriteDemoDatabase(argv[1]);
    } catch (const qelt::Error& e) {
        std::cerr << "qelt_write_demo_db: " << e.description << "\n";
        return 1;
    }
    return 0;
}
