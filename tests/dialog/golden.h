#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <sstream>
#include <string>

#include "common/golden.h"
#include "common/test_env.h"

namespace qelt::testing {

// tests/dialog/golden/<file>, or tests/<file> for a path with a folder.
inline std::string GoldenPath(const std::string& file) {
    return TestSource((file.find('/') == std::string::npos ? "dialog/golden/" : "") + file);
}

// A golden file of cases "input => output", one a line, each rebuilt from
// what `run` gives for its input (line breaks as \n); "#" lines stay.
inline void ExpectGoldenCases(const std::string& file,
                              const std::function<std::string(const std::string&)>& run) {
    std::istringstream in(ReadFile(GoldenPath(file)));
    std::string actual;
    for (std::string line; std::getline(in, line);) {
        const auto arrow = line.find(" => ");
        if (line.starts_with("#") || arrow == std::string::npos) {
            actual += line + "\n";
            continue;
        }
        SCOPED_TRACE(line);
        const std::string result = run(line.substr(0, arrow));
        actual += line.substr(0, arrow) + " => " +
                  std::regex_replace(result, std::regex("\n"), "\\n") + "\n";
    }
    ExpectGoldenFile(GoldenPath(file), actual);
}

// A dump without the grid rows whose cells are all empty.
inline std::string WithoutEmptyRows(const std::string& dump) {
    return std::regex_replace(dump, std::regex(R"(  \d+: ([^"|]*"" \| )*[^"|]*""\n)"), "");
}

// A dump with each indented or marked line (items, rows, containers) joined
// to the line before it after " ¦".
inline std::string Folded(const std::string& dump) {
    return std::regex_replace(dump, std::regex("\n([ *]) "), " ¦$1 ");
}

}  // namespace qelt::testing
