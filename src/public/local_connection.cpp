#include "public/local_connection.h"

#include <soci/soci.h>

#include <memory>

#include "qelt/error.h"

namespace qelt::facade {

namespace {

constexpr const char* kSource = "QeltSqlWhere2.CFilter";

std::unique_ptr<soci::session>& Connection() {
    static std::unique_ptr<soci::session> connection;
    return connection;
}

}  // namespace

void OpenLocalConnection(const std::string& connectionString) {
    try {
        auto session = std::make_unique<soci::session>(connectionString);
        Connection() = std::move(session);
    } catch (const std::exception& e) {
        throw Error(err::kRuleFailed, kSource,
                    std::string("cannot open the connection: ") + e.what());
    }
}

void ReleaseLocalConnection() {
    Connection().reset();
}

bool HasLocalConnection() {
    return Connection() != nullptr;
}

}  // namespace qelt::facade
