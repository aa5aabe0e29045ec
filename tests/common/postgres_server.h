#pragma once

#include <string>

// The PostgreSQL server of a test run, started by the ctest fixture
// (tests/postgres/server.sh start, which writes the connection file of the
// build), and its databases, reached through psqlODBC.
namespace qelt::testing::server {

// The library's schema and the functions its own statements need: the
// database every TempDatabase on the server is copied from.
inline constexpr const char* kSchemaDatabase = "qelt_schema";
// The schema with the rows of the demo database.
inline constexpr const char* kDemoDatabase = "qelt_demo";
// Nothing at all (the server's own empty template).
inline constexpr const char* kEmptyDatabase = "template0";
// The database administrative statements connect to.
inline constexpr const char* kAdminDatabase = "postgres";

// The SOCI connection string of a database on the server. Throws, saying how
// to get a server, when none runs for this build.
std::string ConnectionString(const std::string& database);
// Runs one or more statements on a database, on a connection of its own.
// Throws with the server's message.
void Exec(const std::string& database, const std::string& sql);
// A new database, a copy of `source`, which must have no open connection.
void CreateDatabase(const std::string& name, const std::string& source);
// Drops a database, closing any connection to it; none is no error.
void DropDatabase(const std::string& name);
// A database name no other test of the run uses.
std::string UniqueName(const std::string& prefix);

}  // namespace qelt::testing::server
