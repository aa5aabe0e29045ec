#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "common/test_env.h"

namespace qelt::testing {
namespace {

// The installed headers state contracts only (scripts/check-layers.sh keeps
// their includes public): no internal namespace, no friend that lets tests or
// helpers reach private steps (a form owning its controls is a design friend,
// not one of those).
TEST(PublicHeaders, NameNoInternals) {
    const std::filesystem::path root = std::string(QELT_TEST_SOURCE_DIR) + "/include/qelt";
    static const std::regex reachIn(
        R"(detail::|friend\s+(class|struct)\s+\w*(Test|Access|Peer)\w*)");
    std::string offences;
    for (const auto& f : std::filesystem::recursive_directory_iterator(root))
        if (f.path().extension() == ".h" && std::regex_search(ReadFile(f.path().string()), reachIn))
            offences += f.path().filename().string() + "\n";
    EXPECT_EQ(offences, "");
}

}  // namespace
}  // namespace qelt::testing
