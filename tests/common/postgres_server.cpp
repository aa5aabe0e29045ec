#include "common/postgres_server.h"

#include <soci/soci.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <stdexcept>

#include "common/test_env.h"
#include "host/db_session.h"

namespace qelt::testing::server {

namespace {

// Written by tests/postgres/server.sh: the attributes Server, Port, UID and
// PWD, one "name=value" a line.
std::string ServerAttributes() {
    const std::string file = std::string(QELT_TEST_POSTGRES_DIR) + "/connection";
    std::ifstream in(file);
    if (!in)
        throw std::runtime_error(
            "no PostgreSQL server runs for this build (" + file +
            " is missing): ctest starts one for the tests that need it; by hand, run "
            "tests/postgres/server.sh start " QELT_TEST_POSTGRES_DIR
            " and then qelt_postgres_databases");
    std::string attributes, line;
    while (std::getline(in, line))
        if (!line.empty()) attributes += line + ";";
    return attributes;
}

}  // namespace

std::string ConnectionString(const std::string& database) {
    static const std::string attributes = ServerAttributes();
    return "odbc://DRIVER={" + OdbcDriver(Backend::Postgres) + "};" + attributes +
           "Database=" + database + ";";
}

void Exec(const std::string& database, const std::string& sql) {
    auto session = host::OpenSession(ConnectionString(database));
    host::RunQuery(*session, sql);
}

void CreateDatabase(const std::string& name, const std::string& source) {
    Exec(kAdminDatabase, "CREATE DATABASE " + name + " TEMPLATE " + source);
}

void DropDatabase(const std::string& name) {
    Exec(kAdminDatabase, "DROP DATABASE IF EXISTS " + name + " WITH (FORCE)");
}

std::string UniqueName(const std::string& prefix) {
    static std::atomic<int> counter{0};
    return prefix + "_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
}

}  // namespace qelt::testing::server
