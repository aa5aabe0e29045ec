// qelt-filter transcripts (golden/*.test): "> command" (DEMO: the demo database; "# shape"/"# json"
// for JSON) then "? status" unless 0, "| " stdout, "! " stderr; "> % FILE: SQL" prints rows.
// QELT_UPDATE_GOLDEN=1 writes them back.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "common/template_rows.h"

namespace qelt::testing {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

// A text as one single-quoted shell word.
std::string Quoted(const std::string& s) {
    return "'" + Replace(s, "'", "'\\''") + "'";
}

// Lists and the first item of each list, strings cut to 24 bytes.
Json Shape(Json j) {
    if (j.is_object()) {
        for (auto& item : j.items()) item.value() = Shape(item.value());
        return j;
    }
    if (j.is_array() && !j.empty())
        return Json::array({Shape(j[0]), "x" + std::to_string(j.size())});
    if (!j.is_string() || j.get<std::string>().size() <= 24) return j;
    std::string s = j.get<std::string>();
    std::size_t cut = 24;
    while ((s[cut] & 0xC0) == 0x80) --cut;
    return s.substr(0, cut) + "...";
}

std::string Prefixed(const std::string& text, const char* prefix) {
    std::string out;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        out += prefix + Replace(line, "\r", "\\r") + "\n";
    if (!text.empty() && text.back() != '\n') out += std::string(prefix) + "\\ no newline\n";
    return out;
}

class ToolTranscript : public ::testing::TestWithParam<std::string> {
protected:
    ToolTranscript() {
        fs::create_directory(dir_ / "bin");
        fs::create_symlink(QELT_FILTER_EXE, dir_ / "bin" / "qelt-filter");
    }
    std::string messages() { return ""; }

    std::string run(const std::string& command) {
        if (command.rfind("% ", 0) == 0) return sql(command.substr(2));
        const std::string err = (dir_ / ".stderr").string();
        const std::string cmd = "cd " + Quoted(dir_.string()) +
                                " && env -u QELT_DATABASE -u QELT_PROPS -u QELT_USER_NAME PATH=" +
                                Quoted((dir_ / "bin").string()) + ":\"$PATH\" timeout 120 sh -c " +
                                Quoted(Replace(command, "DEMO", Quoted(QELT_TEST_DEMO_DB))) + " >" +
                                Quoted(err + "out") + " 2>" + Quoted(err);
        const int status = std::system(cmd.c_str());
        std::string out = ReadFile(err + "out");
        const auto mark = command.rfind("  # ");
        const std::string shown = mark == std::string::npos ? "" : command.substr(mark + 3);
        if (shown == " shape" || shown == " json") {
            const Json doc = Json::parse(out, nullptr, false);
            out = (shown == " shape" ? Shape(doc) : doc).dump() + "\n";
        }
        const int exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return (exit ? "? " + std::to_string(exit) + "\n" : "") +
               Prefixed(Replace(out, QELT_TEST_DEMO_DB, "DEMO"), "| ") +
               Prefixed(Replace(ReadFile(err), QELT_TEST_DEMO_DB, "DEMO"), "! ");
    }

    // "FILE: SQL"
    std::string sql(const std::string& line) {
        sqlite3* db = nullptr;
        std::string rows;
        const auto colon = line.find(": ");
        sqlite3_open((dir_ / line.substr(0, colon)).c_str(), &db);
        const auto print = [](void* text, int n, char** values, char**) {
            auto& s = *static_cast<std::string*>(text);
            for (int i = 0; i < n; ++i)
                s += (i ? "|" : "| ") + std::string(values[i] ? values[i] : "");
            s += "\n";
            return 0;
        };
        if (sqlite3_exec(db, line.substr(colon + 2).c_str(), print, &rows, nullptr) != SQLITE_OK)
            rows += "! " + std::string(sqlite3_errmsg(db)) + "\n";
        sqlite3_close(db);
        return rows;
    }

    TempDatabase scratch_{false};
    fs::path dir_ = fs::path(scratch_.path()).parent_path();
};

QELT_TRANSCRIPTS(ToolTranscript, "apps/golden", "\n");

// The README's sh-block tool lines (but --gui) run in order in a fresh clone (the scratch folder).
TEST_F(ToolTranscript, ReadmeToolLinesRunAsWritten) {
    std::istringstream readme(ReadFile(QELT_README));
    fs::create_directory_symlink(QELT_TEST_BINARY_DIR, dir_ / "build");
    int lines = 0;
    bool inSh = false;
    for (std::string line; std::getline(readme, line);) {
        if (line.rfind("```", 0) == 0) inSh = !inSh && line == "```sh";
        if (!inSh || line.find("qelt-filter") == std::string::npos ||
            line.find("--gui") != std::string::npos)
            continue;
        ++lines;
        const std::string ran = run(line);
        // Success, printing unless the line sends its output to a file.
        EXPECT_EQ(ran.substr(0, 2), line.find(" > ") == std::string::npos ? "| " : "")
            << line << "\n"
            << ran;
    }
    EXPECT_GE(lines, 5);
}

}  // namespace
}  // namespace qelt::testing
