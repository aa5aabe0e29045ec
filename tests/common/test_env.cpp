#include "common/test_env.h"

#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/shared_settings.h"

namespace qelt::testing {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TempDatabase::TempDatabase(bool withSchema) {
    std::string tmpl = (std::filesystem::temp_directory_path() / "qelt-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    dir_ = tmpl;
    path_ = dir_ + "/erp.db";
    // One transaction: statement by statement, every CREATE would wait for a disk sync.
    if (withSchema)
        exec("BEGIN;" + ReadFile(std::string(QELT_TEST_SOURCE_DIR) + "/data/schema.sql") +
             "\nCOMMIT;");
    else
        exec("select 1;");
    qelt::support::ResetProcessState();
    qelt::host::SetDatabase(sociConnectionString());
}

TempDatabase::~TempDatabase() {
    qelt::support::ResetProcessState();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

void TempDatabase::exec(const std::string& sql) const {
    sqlite3* db = nullptr;
    if (sqlite3_open(path_.c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + path_);
    }
    // Test files need no durability; syncing each statement makes fixtures slow.
    sqlite3_exec(db, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    char* err = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err);
    std::string message = err ? err : "";
    sqlite3_free(err);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("sqlite: " + message + " in: " + sql.substr(0, 200));
}

namespace {

constexpr const char* kOdbcDriverName = "SQLite3";
constexpr const char* kOdbcDriverFile = "libsqlite3odbc.so";
const char* const kOdbcDriverDirs[] = {"/usr/lib/x86_64-linux-gnu/odbc",
                                       "/usr/lib/aarch64-linux-gnu/odbc", "/usr/lib/odbc",
                                       "/usr/local/lib/odbc", "/usr/lib64"};

std::string FindOdbcDriver() {
    for (const char* dir : kOdbcDriverDirs) {
        std::filesystem::path candidate = std::filesystem::path(dir) / kOdbcDriverFile;
        if (std::filesystem::is_regular_file(candidate)) return candidate.string();
    }
    throw std::runtime_error(std::string("the SQLite ODBC driver ") + kOdbcDriverFile +
                             " is not installed (package libsqliteodbc)");
}

// The folder stays for the process (unixODBC reads it at every connect) and
// is removed at exit.
struct OdbcConfiguration {
    std::string dir;
    OdbcConfiguration() {
        const std::string driver = FindOdbcDriver();
        std::string tmpl = (std::filesystem::temp_directory_path() / "qelt-odbc-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
        dir = tmpl;
        std::ofstream ini(dir + "/odbcinst.ini");
        ini << "[" << kOdbcDriverName << "]\nDescription=SQLite3 ODBC Driver\nDriver=" << driver
            << "\nSetup=" << driver << "\n";
        ini.close();
        setenv("ODBCSYSINI", dir.c_str(), 1);
    }
    ~OdbcConfiguration() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

void ConfigureOdbcOnce() {
    static OdbcConfiguration configuration;
}

}  // namespace

std::vector<Backend> AllBackends() {
    return {Backend::Sqlite3, Backend::Odbc};
}

std::string BackendName(Backend backend) {
    return backend == Backend::Odbc ? "odbc" : "sqlite3";
}

std::string ConnectionStringFor(Backend backend, const std::string& file) {
    if (backend == Backend::Sqlite3) return qelt::host::ToConnectionString(file);
    ConfigureOdbcOnce();
    return std::string("odbc://DRIVER=") + kOdbcDriverName + ";Database=" + file + ";";
}

MessageRecorder::MessageRecorder(int a) : answer(a) {
    qelt::host::SetMessageSink([this](const qelt::host::Message& m) {
        messages.push_back(m);
        return answer;
    });
}

MessageRecorder::~MessageRecorder() {
    qelt::host::SetMessageSink({});
}

}  // namespace qelt::testing
