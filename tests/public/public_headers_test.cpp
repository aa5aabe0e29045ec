#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "common/test_env.h"

namespace qelt::testing {
namespace {

// The installed headers state contracts only: no path into the sources, no
// internal namespace, no friend that lets tests or helpers reach private
// steps (a form owning its controls is a design friend, not one of those).
TEST(PublicHeaders, NameNoInternals) {
    const std::filesystem::path root = std::string(QELT_TEST_SOURCE_DIR) + "/include/qelt";
    std::string offences;
    for (const auto& f : std::filesystem::recursive_directory_iterator(root)) {
        if (f.path().extension() != ".h") continue;
        const std::string text = ReadFile(f.path().string());
        for (const char* token :
             {"\"src/", "\"platform/", "\"support/", "\"template/", "\"host/", "detail::"})
            if (text.find(token) != std::string::npos)
                offences += f.path().filename().string() + ": " + token + "\n";
        static const std::regex reachIn(R"(friend\s+(class|struct)\s+\w*(Test|Access|Peer)\w*)");
        if (std::regex_search(text, reachIn))
            offences += f.path().filename().string() + ": friend\n";
    }
    EXPECT_EQ(offences, "");
}

}  // namespace
}  // namespace qelt::testing
