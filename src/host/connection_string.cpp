#include "qelt/host/connection_string.h"

#include "platform/text.h"
#include "qelt/error.h"

namespace qelt::host {

namespace {

constexpr const char* kSqlitePrefix = "sqlite3://";
constexpr const char* kSchemeMark = "://";
constexpr const char* kDbKey = "db=";
constexpr const char* kDbNameKey = "dbname=";
constexpr const char* kSource = "QeltConnection.AppConnection";
constexpr int kBadFileName = 52;  // "Bad file name or number"

// The value of `key` where it starts a blank-separated parameter, or npos.
std::size_t ValueStart(const std::string& params, const std::string& key) {
    for (std::size_t at = params.find(key); at != std::string::npos; at = params.find(key, at + 1))
        if (at == 0 || params[at - 1] == ' ') return at + key.size();
    return std::string::npos;
}

}  // namespace

std::string ToConnectionString(const std::string& database) {
    if (database.find(kSchemeMark) != std::string::npos) return database;
    if (database.find('"') != std::string::npos)
        throw Error(kBadFileName, kSource,
                    "An SQLite file name cannot hold a double quote: " + database);
    if (database.find(' ') == std::string::npos)
        return kSqlitePrefix + std::string(kDbKey) + database;
    // The backend cannot read a quoted value whose first character is a blank.
    const std::string path = database.front() == ' ' ? "./" + database : database;
    return kSqlitePrefix + std::string(kDbKey) + "\"" + path + "\"";
}

std::string SqliteFileOf(const std::string& connectionString) {
    if (!text::IStartsWith(connectionString, kSqlitePrefix)) return {};
    const std::string params =
        connectionString.substr(std::char_traits<char>::length(kSqlitePrefix));
    std::size_t start = ValueStart(params, kDbKey);
    if (start == std::string::npos) start = ValueStart(params, kDbNameKey);
    if (start == std::string::npos) return params;
    if (start < params.size() && params[start] == '"') {
        const std::size_t close = params.find('"', start + 1);
        return params.substr(start + 1, close == std::string::npos ? close : close - start - 1);
    }
    return params.substr(start, params.find(' ', start) - start);
}

}  // namespace qelt::host
