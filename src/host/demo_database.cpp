#include <dlfcn.h>
#include <errno.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "data/demo_sql.h"
#include "platform/text.h"
#include "qelt/demo.h"
#include "qelt/error.h"
#include "qelt/host/connection_string.h"

namespace qelt {

namespace {

namespace fs = std::filesystem;

constexpr int kCannotWrite = err::kPathFileAccess;
constexpr const char* kDemoSource = "QeltSqlWhere2.DemoDatabase";
constexpr const char* kCacheFolder = "qeltsqlwhere2";
constexpr const char* kCacheFile = "demo.db";

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
    throw Error(kCannotWrite, kDemoSource,
                "Cannot write the demo database \"" + path + "\": " + why);
}

void RunScripts(const std::string& file, const std::string& target) {
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::string error;
    if (rc == SQLITE_OK) {
        // One transaction: statement by statement, each would wait for a disk sync.
        for (const char* script :
             {"BEGIN;", support::kDemoSchemaSql, support::kDemoDataSql, "COMMIT;"}) {
            char* message = nullptr;
            if (sqlite3_exec(db, script, nullptr, nullptr, &message) != SQLITE_OK) {
                error = message ? message : "unknown error";
                sqlite3_free(message);
                break;
            }
        }
    } else {
        error = db ? sqlite3_errmsg(db) : "cannot open";
        // SQLite's own message ("unable to open database file") hides why.
        if (const int cause = db ? sqlite3_system_errno(db) : 0; cause != 0)
            error += std::string(": ") + std::strerror(cause);
    }
    sqlite3_close(db);
    if (!error.empty()) Fail(target, error);
}

fs::path CacheCopy() {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    fs::path base;
    if (xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = fs::path(home) / ".cache";
    else
        base = fs::temp_directory_path();
    return base / kCacheFolder / kCacheFile;
}

// The file that holds this code: the shared library, or the program that
// links the library statically (for which the loader reports argv[0]).
fs::path CodeFile() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&DemoDatabaseConnectionString), &info) == 0 ||
        !info.dli_fname || !*info.dli_fname)
        return {};
    std::error_code ec;
    if (std::strcmp(info.dli_fname, program_invocation_name) == 0)
        return fs::read_symlink("/proc/self/exe", ec);
    return fs::absolute(info.dli_fname, ec);
}

// The installed demo database, found relative to the library so that the
// installation can move as a whole (the build tree has the same layout).
fs::path InstalledCopy() {
    const fs::path code = CodeFile();
    if (code.empty()) return {};
    return (code.parent_path() / QELT_DEMO_DB_FROM_LIBDIR).lexically_normal();
}

bool InGroup(gid_t group) {
    if (group == getegid()) return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, group) != groups.end();
}

// Whether the user may write `path` by the system's answer and by its mode
// bits alike. Root passes every access() check, yet a file whose bits deny
// its owner writing is one its installer meant to be read only.
bool MayWrite(const fs::path& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || access(path.c_str(), W_OK) != 0) return false;
    mode_t bit = S_IWOTH;
    if (st.st_uid == geteuid())
        bit = S_IWUSR;
    else if (InGroup(st.st_gid))
        bit = S_IWGRP;
    return (st.st_mode & bit) != 0;
}

// SQLite writes a journal beside the database: the folder must be writable
// as well as the file.
bool Writable(const fs::path& database) {
    return MayWrite(database) && MayWrite(database.parent_path());
}

// A private copy of `installed` at `copy`, made beside it and renamed into
// place like a written one, writable by its owner whatever the installed
// copy's mode.
void CopyDatabase(const fs::path& installed, const fs::path& copy) {
    std::error_code ec;
    const fs::path partial = copy.string() + ".part-" + text::Num(getpid());
    fs::remove(partial, ec);
    fs::copy_file(installed, partial, ec);
    if (!ec)
        fs::permissions(partial, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::add, ec);
    if (!ec) fs::rename(partial, copy, ec);
    if (ec) {
        const std::string why = ec.message();
        fs::remove(partial, ec);
        Fail(copy.string(), why);
    }
}

}  // namespace

void WriteDemoDatabase(const std::string& path) {
    std::error_code ec;
    // The rename below would put the database in place of a folder's entry
    // whatever it is: a device node, a socket, a link.
    const fs::file_status there = fs::symlink_status(path, ec);
    if (fs::exists(there) && !fs::is_regular_file(there)) Fail(path, "it is not a regular file");
    // Built beside the target and renamed into place, so that a reader never
    // sees a half-written database and a failure leaves any old copy intact.
    const std::string partial = path + ".part-" + text::Num(getpid());
    fs::remove(partial, ec);
    try {
        RunScripts(partial, path);
    } catch (...) {
        fs::remove(partial, ec);
        throw;
    }
    fs::rename(partial, path, ec);
    if (ec) {
        const std::string why = ec.message();
        fs::remove(partial, ec);
        Fail(path, why);
    }
}

std::string DemoDatabaseConnectionString() {
    std::error_code ec;
    const fs::path installed = InstalledCopy();
    const bool haveInstalled = fs::is_regular_file(installed, ec);
    if (haveInstalled && Writable(installed)) return host::ToConnectionString(installed.string());
    const fs::path copy = CacheCopy();
    if (fs::is_regular_file(copy, ec)) return host::ToConnectionString(copy.string());
    try {
        fs::create_directories(copy.parent_path(), ec);
        if (ec) Fail(copy.string(), ec.message());
        if (haveInstalled)
            CopyDatabase(installed, copy);
        else
            WriteDemoDatabase(copy.string());
    } catch (const Error&) {
        // Lists and their SQL need no writing; only saving a scheme fails.
        if (haveInstalled) return host::ToConnectionString(installed.string());
        throw;
    }
    return host::ToConnectionString(copy.string());
}

}  // namespace qelt
