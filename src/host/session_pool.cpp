#include <soci/odbc/soci-odbc.h>
#include <soci/soci.h>
#include <soci/sqlite3/soci-sqlite3.h>

#include <map>
#include <memory>

#include "host/database_error.h"
#include "host/db_session.h"
#include "host/host_config.h"
#include "host/password_mask.h"
#include "host/session_prefixes.h"
#include "host/sqlite_functions.h"
#include "platform/process_state.h"
#include "platform/text.h"

namespace qelt::host {

namespace {

struct SessionPool {
    std::map<std::string, std::unique_ptr<soci::session>> sessions;
};

SessionPool& Pool() {
    return platform::ProcessState<SessionPool, platform::StateLayer::Host>();
}

std::string WithoutPrefix(const std::string& cs, const char* prefix) {
    return cs.substr(std::char_traits<char>::length(prefix));
}

}  // namespace

std::unique_ptr<soci::session> OpenSession(const std::string& cs) {
    try {
        if (text::IStartsWith(cs, kSqlitePrefix)) {
            auto s =
                std::make_unique<soci::session>(soci::sqlite3, WithoutPrefix(cs, kSqlitePrefix));
            PrepareSqliteSession(*s);
            return s;
        }
        if (text::IStartsWith(cs, kOdbcPrefix))
            return std::make_unique<soci::session>(soci::odbc, WithoutPrefix(cs, kOdbcPrefix));
        // Any other backend SOCI can load by name.
        return std::make_unique<soci::session>(cs);
    } catch (const soci::soci_error& e) {
        throw DatabaseError("Cannot open the database \"" + MaskPasswords(cs) +
                            "\": " + e.get_error_message());
    }
}

soci::session& PooledSession(const std::string& connectionString) {
    auto& sessions = Pool().sessions;
    auto it = sessions.find(connectionString);
    if (it == sessions.end())
        it = sessions.emplace(connectionString, OpenSession(connectionString)).first;
    return *it->second;
}

soci::session& SessionDatabase() {
    return PooledSession(DatabaseConnectionString());
}

}  // namespace qelt::host
