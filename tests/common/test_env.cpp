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
    if (withSchema) exec(ReadFile(std::string(QELT_TEST_SOURCE_DIR) + "/data/schema.sql"));
    else exec("select 1;");
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
    char* err = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err);
    std::string message = err ? err : "";
    sqlite3_free(err);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error("sqlite: " + message + " in: " + sql.substr(0, 200));
}

MessageRecorder::MessageRecorder(int a) : answer(a) {
    qelt::host::SetMessageSink([this](const qelt::host::Message& m) {
        messages.push_back(m);
        return answer;
    });
}

MessageRecorder::~MessageRecorder() { qelt::host::SetMessageSink({}); }

}  // namespace qelt::testing
