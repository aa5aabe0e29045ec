#include "common/test_env.h"

#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "common/postgres_server.h"
#include "support/shared_settings.h"

namespace qelt::testing {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TempDatabase::TempDatabase(bool withSchema) : TempDatabase(Backend::Sqlite3, withSchema) {}

TempDatabase::TempDatabase(Backend backend, bool withSchema) : backend_(backend) {
    if (backend_ == Backend::Postgres) {
        serverDatabase_ = server::UniqueName("qelt_test");
        server::CreateDatabase(serverDatabase_,
                               withSchema ? server::kSchemaDatabase : server::kEmptyDatabase);
    } else {
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
    }
    qelt::support::ResetProcessState();
    qelt::host::SetDatabase(sociConnectionString());
}

TempDatabase::~TempDatabase() {
    // Closes the library's sessions, which a database being dropped must not have.
    qelt::support::ResetProcessState();
    if (!serverDatabase_.empty()) {
        try {
            server::DropDatabase(serverDatabase_);
        } catch (const std::exception&) {
            // The server and everything on it goes at the end of the run.
        }
    }
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
}

std::string TempDatabase::sociConnectionString() const {
    if (backend_ == Backend::Postgres) return server::ConnectionString(serverDatabase_);
    return ConnectionStringFor(backend_, path_);
}

void TempDatabase::exec(const std::string& sql) const {
    if (backend_ == Backend::Postgres) {
        server::Exec(serverDatabase_, sql);
        return;
    }
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

struct OdbcDriverFile {
    Backend backend;
    const char* name;
    const char* file;
    const char* package;
};
const OdbcDriverFile kOdbcDrivers[] = {
    {Backend::Odbc, "SQLite3", "libsqlite3odbc.so", "libsqliteodbc"},
    {Backend::Postgres, "PostgreSQL Unicode", "psqlodbcw.so", "odbc-postgresql"},
};
const char* const kOdbcDriverDirs[] = {"/usr/lib/x86_64-linux-gnu/odbc",
                                       "/usr/lib/aarch64-linux-gnu/odbc", "/usr/lib/odbc",
                                       "/usr/local/lib/odbc", "/usr/lib64"};

std::string FindOdbcDriver(const char* file) {
    for (const char* dir : kOdbcDriverDirs) {
        std::filesystem::path candidate = std::filesystem::path(dir) / file;
        if (std::filesystem::is_regular_file(candidate)) return candidate.string();
    }
    return "";
}

// The folder stays for the process (unixODBC reads it at every connect) and
// is removed at exit.
struct OdbcConfiguration {
    std::string dir;
    std::vector<Backend> installed;
    OdbcConfiguration() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "qelt-odbc-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
        dir = tmpl;
        std::ofstream ini(dir + "/odbcinst.ini");
        for (const OdbcDriverFile& d : kOdbcDrivers) {
            const std::string driver = FindOdbcDriver(d.file);
            if (driver.empty()) continue;
            ini << "[" << d.name << "]\nDriver=" << driver << "\nSetup=" << driver << "\n";
            installed.push_back(d.backend);
        }
        ini.close();
        setenv("ODBCSYSINI", dir.c_str(), 1);
    }
    ~OdbcConfiguration() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

}  // namespace

std::string OdbcDriver(Backend backend) {
    static OdbcConfiguration configuration;
    for (const OdbcDriverFile& d : kOdbcDrivers) {
        if (d.backend != backend) continue;
        if (std::find(configuration.installed.begin(), configuration.installed.end(), backend) ==
            configuration.installed.end())
            throw std::runtime_error(std::string("the ODBC driver ") + d.file +
                                     " is not installed (package " + d.package + ")");
        return d.name;
    }
    throw std::invalid_argument("the backend " + BackendName(backend) + " uses no ODBC driver");
}

std::vector<Backend> AllBackends() {
    return {Backend::Sqlite3, Backend::Odbc, Backend::Postgres};
}

std::string BackendName(Backend backend) {
    switch (backend) {
        case Backend::Sqlite3:
            return "sqlite3";
        case Backend::Odbc:
            return "odbc";
        case Backend::Postgres:
            return "postgres";
    }
    return "";
}

std::string ConnectionStringFor(Backend backend, const std::string& file) {
    if (backend == Backend::Sqlite3) return qelt::host::ToConnectionString(file);
    if (backend == Backend::Postgres)
        throw std::invalid_argument("PostgreSQL holds no files: use a TempDatabase on it");
    return "odbc://DRIVER=" + OdbcDriver(backend) + ";Database=" + file + ";";
}

std::string DemoConnectionString(Backend backend) {
    if (backend == Backend::Postgres) return server::ConnectionString(server::kDemoDatabase);
    return ConnectionStringFor(backend, QELT_TEST_DEMO_DB);
}

std::string SchemaFor(Backend backend, const std::string& statements) {
    if (backend != Backend::Postgres) return statements;
    static const std::pair<std::regex, const char*> kTypes[] = {
        {std::regex(R"(\bINTEGER PRIMARY KEY AUTOINCREMENT\b)", std::regex::icase),
         "INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"},
        {std::regex(R"(\bNVARCHAR\b)", std::regex::icase), "VARCHAR"},
        {std::regex(R"(\bDATETIME\b)", std::regex::icase), "TIMESTAMP"},
        {std::regex(R"(\bFLOAT\b)", std::regex::icase), "DOUBLE PRECISION"},
    };
    std::string out = statements;
    for (const auto& [type, replacement] : kTypes) out = std::regex_replace(out, type, replacement);
    return out;
}

MessageRecorder::MessageRecorder(int a) : answer(a) {
    qelt::host::SetMessageSink([this](const qelt::host::Message& m) {
        messages.push_back(m);
        return answer;
    });
}

std::string MessageRecorder::take() {
    std::string s;
    for (const auto& m : messages) s += "|" + m.text + "|" + m.title + "|" + std::to_string(m.icon);
    messages.clear();
    return s;
}

MessageRecorder::~MessageRecorder() {
    qelt::host::SetMessageSink({});
}

}  // namespace qelt::testing
