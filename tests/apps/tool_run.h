#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "common/test_env.h"

namespace qelt::testing {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A text as one single-quoted shell word.
inline std::string Quoted(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs a shell command with a clean environment for the library's variables
// (plus `env`, "NAME=value ..." or "-u NAME"). ctest runs the cases in
// parallel: each run has its own file for stderr.
inline ToolRun RunCommand(const std::string& command, const std::string& env = "") {
    std::string errFile = std::string(QELT_TEST_BINARY_DIR) + "/apps_test_XXXXXX";
    int fd = mkstemp(errFile.data());
    if (fd >= 0) close(fd);
    const std::string cmd = "env -u QELT_DATABASE -u QELT_PROPS -u QELT_USER_NAME " + env + " " +
                            command + " 2>" + Quoted(errFile);
    ToolRun r;
    FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe) return r;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) r.out.append(buf, n);
    const int status = pclose(pipe);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = ReadFile(errFile);
    std::remove(errFile.c_str());
    return r;
}

// The tool with its arguments as shell text.
inline ToolRun RunTool(const std::string& args, const std::string& env = "") {
    return RunCommand(Quoted(QELT_FILTER_EXE) + " " + args, env);
}

}  // namespace qelt::testing
