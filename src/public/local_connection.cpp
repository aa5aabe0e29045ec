#include "public/local_connection.h"

#include <soci/soci.h>

#include <memory>

#include "host/db_session.h"
#include "platform/process_state.h"

namespace qelt::facade {

namespace {

struct LocalConnection {
    std::unique_ptr<soci::session> session;
};

std::unique_ptr<soci::session>& Connection() {
    return platform::ProcessState<LocalConnection, platform::StateLayer::Public>().session;
}

}  // namespace

void OpenLocalConnection(const std::string& connectionString) {
    Connection() = host::OpenSession(connectionString);
}

void ReleaseLocalConnection() {
    Connection().reset();
}

bool HasLocalConnection() {
    return Connection() != nullptr;
}

}  // namespace qelt::facade
