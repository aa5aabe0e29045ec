#pragma once

// Golden files, one way for every directory: where they are, how a text is
// compared with one, and how QELT_UPDATE_GOLDEN=1 rewrites them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "common/test_env.h"

namespace qelt::testing {

// A path below the source tree's tests/ folder.
inline std::string TestSource(const std::string& path) {
    return std::string(QELT_TEST_SOURCE_DIR) + "/tests/" + path;
}

// `s` with every `from` replaced by `to`.
inline std::string Replace(std::string s, const std::string& from, const std::string& to) {
    for (auto at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

// Expects `actual` to equal the golden file at `path`; with
// QELT_UPDATE_GOLDEN=1 the file is rewritten from `actual` instead.
inline void ExpectGoldenFile(const std::string& path, const std::string& actual) {
    if (std::getenv("QELT_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    EXPECT_EQ(actual, ReadFile(path)) << path;
}

}  // namespace qelt::testing
