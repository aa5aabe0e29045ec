#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "common/test_env.h"

namespace qelt::testing {

// Compares `actual` with tests/dialog/golden/<file>; on a difference the
// actual text is written next to the build for review. QELT_UPDATE_GOLDEN=1
// rewrites the golden file instead (review its diff before committing).
inline void ExpectGolden(const std::string& file, const std::string& actual) {
    const std::string golden = std::string(QELT_TEST_SOURCE_DIR) + "/tests/dialog/golden/" + file;
    if (actual == ReadFile(golden)) return;
    if (std::getenv("QELT_UPDATE_GOLDEN")) {
        std::ofstream(golden, std::ios::binary) << actual;
        return;
    }
    const std::string out = std::string(QELT_TEST_BINARY_DIR) + "/" + file + ".actual";
    std::ofstream(out, std::ios::binary) << actual;
    ADD_FAILURE() << file << " differs; actual text written to " << out;
}

}  // namespace qelt::testing
