#include <gtest/gtest.h>

#include <iostream>

#include "qelt/ui/dump.h"
#include "ui_qt/filter_fixture.h"
namespace qelt::testing {
TEST(Explore, Dump) {
    FilterDialog d;
    std::cout << ui::Dump(d.form()) << std::endl;
}
}  // namespace qelt::testing
