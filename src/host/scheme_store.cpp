#include <soci/odbc/soci-odbc.h>
#include <soci/soci.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>
#include <optional>
#include <random>
#include <thread>
#include <utility>

#include "host/database_error.h"
#include "host/db_session.h"
#include "host/default_components.h"
#include "host/odbc_query.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"

// The filter schemes on the session database. Every value travels as a bound
// parameter; writes run in one transaction, which on SQLite takes the write
// lock first (BEGIN IMMEDIATE), so that two processes saving at once wait for
// each other instead of failing, and over ODBC runs at SERIALIZABLE
// isolation, again when the server ends it for a conflict.
namespace qelt::host {

namespace {

constexpr int kNoUser = 5;
constexpr int kNoCurrentRecord = 3021;
constexpr const char* kUserIdKey = "UserID";
constexpr const char* kOdbcBackend = "odbc";

constexpr std::size_t kNameLimit = 160;
constexpr std::size_t kSysNameLimit = 80;
constexpr std::size_t kKeyLimit = 100;
constexpr std::size_t kValueLimit = 7000;
constexpr int32_t kInUse = 2;
// A server ends one of two conflicting serializable transactions; the
// loser runs again and then finds what the winner wrote. Writers that
// collide again and again (PostgreSQL watches the whole of a table it reads
// by scanning it, as it does a small one, so any two saves at once
// conflict) wait a random while before the next attempt, longer each time,
// so that they stop meeting.
constexpr int kAttempts = 20;
constexpr int kFirstBackoffMs = 5;
constexpr int kLongestBackoffMs = 200;

constexpr const char* kListSql =
    "SELECT FSchemeID, FSchemeName, FUserID, FTranType, FSysName, "
    "CASE WHEN FUserID = :owner THEN FStatus ELSE 0 END AS FStatus, FISShare "
    "FROM ICSchemeProfile WHERE FSysName = :sysName AND (FUserID = :user OR FISShare = 1) "
    "ORDER BY FSchemeID";
constexpr const char* kHeadSql =
    "SELECT FSchemeID, FSchemeName, FUserID, FTranType, FSysName, FStatus, FISShare "
    "FROM ICSchemeProfile WHERE FSchemeID = :id";
// A scheme the user may read: his own, or another user's shared one.
constexpr const char* kVisibleHeadSql =
    "SELECT FSchemeID, FSchemeName, FUserID, FTranType, FSysName, FStatus, FISShare "
    "FROM ICSchemeProfile WHERE FSchemeID = :id AND (FUserID = :user OR FISShare = 1)";
constexpr const char* kEntriesSql =
    "SELECT FSchemeID, FType, FKey, FValue FROM ICSchemeProfileEntry WHERE FSchemeID = :id "
    "ORDER BY FType, FKey";
constexpr const char* kUpdateHeadSql =
    "UPDATE ICSchemeProfile SET FSchemeName = :name, FTranType = :tranType, FSysName = :sysName, "
    "FStatus = :status, FISShare = :share WHERE FSchemeID = :id AND FUserID = :user";
// The owner's default scheme of the key, if there is one (the first, should
// an older version have left several).
constexpr const char* kUpdateDefaultSql =
    "UPDATE ICSchemeProfile SET FTranType = :tranType, FStatus = :status, FISShare = :share "
    "WHERE FSchemeID = (SELECT MIN(FSchemeID) FROM ICSchemeProfile WHERE FUserID = :user "
    "AND FSysName = :sysName AND FSchemeName = :name)";
constexpr const char* kDefaultIdSql =
    "SELECT MIN(FSchemeID) FROM ICSchemeProfile WHERE FUserID = :user AND FSysName = :sysName "
    "AND FSchemeName = :name";
constexpr const char* kInsertHeadSql =
    "INSERT INTO ICSchemeProfile (FSchemeName, FUserID, FTranType, FSysName, FStatus, FISShare) "
    "VALUES (:name, :user, :tranType, :sysName, :status, :share)";
constexpr const char* kNewestIdSql =
    "SELECT MAX(FSchemeID) FROM ICSchemeProfile WHERE FUserID = :user AND FSysName = :sysName";
constexpr const char* kClearInUseSql =
    "UPDATE ICSchemeProfile SET FStatus = 0 WHERE FStatus = 2 AND FSchemeID <> :id "
    "AND FSysName = :sysName AND FUserID = :user";
constexpr const char* kDeleteEntriesSql = "DELETE FROM ICSchemeProfileEntry WHERE FSchemeID = :id";
constexpr const char* kDeleteOwnHeadSql =
    "DELETE FROM ICSchemeProfile WHERE FSchemeID = :id AND FUserID = :user";
constexpr const char* kInsertEntrySql =
    "INSERT INTO ICSchemeProfileEntry (FSchemeID, FType, FKey, FValue) "
    "VALUES (:id, :type, :key, :value)";
constexpr const char* kDeletePlanEntriesSql =
    "DELETE FROM ICSchemeProfileEntry WHERE FSchemeID IN (SELECT FSchemeID FROM ICSchemeProfile "
    "WHERE FUserID = :user AND FTranType = :reportId AND FSchemeName = :name)";
constexpr const char* kDeletePlanHeadsSql =
    "DELETE FROM ICSchemeProfile WHERE FUserID = :user AND FTranType = :reportId "
    "AND FSchemeName = :name";
// The rule that also frees administrators from the group restriction of
// lists: membership of group 1.
constexpr const char* kAdministratorSql =
    "SELECT t_User.FUserID FROM t_Group INNER JOIN t_User ON t_Group.FUserID = t_User.FUserID "
    "WHERE t_User.FUserID = :user AND t_Group.FGroupID = 1";
constexpr const char* kUserByNameSql = "SELECT FUserID FROM t_user WHERE FName = :name";

// The UserID of a property string: pairs key=value separated by ";", a value
// holding ";" written in braces; keys match ignoring case.
int32_t UserIdOf(const std::string& props, const char* source) {
    std::string_view rest = props;
    while (!rest.empty()) {
        const auto eq = rest.find('=');
        if (eq == std::string_view::npos) break;
        const std::string key = text::Trim(rest.substr(0, eq));
        if (key.empty()) break;
        rest = text::TrimView(rest.substr(eq + 1));
        std::string value;
        if (!rest.empty() && rest.front() == '{') {
            const auto close = rest.find('}');
            value = std::string(
                rest.substr(1, close == std::string_view::npos ? rest.size() - 1 : close - 1));
            const auto sep = close == std::string_view::npos ? close : rest.find(';', close);
            rest = sep == std::string_view::npos ? std::string_view{} : rest.substr(sep + 1);
        } else {
            const auto sep = rest.find(';');
            value = std::string(rest.substr(0, sep));
            rest = sep == std::string_view::npos ? std::string_view{} : rest.substr(sep + 1);
        }
        if (text::IEquals(key, kUserIdKey)) {
            try {
                return Variant(text::Trim(value)).toLong();
            } catch (const Error&) {
                break;
            }
        }
    }
    throw Error(kNoUser, source, "The property string holds no numeric UserID");
}

bool IsOdbc(soci::session& sql) {
    return sql.get_backend_name() == kOdbcBackend;
}

Error StoreError(const std::string& source, const std::string& message, const char* statement) {
    return Error(kDatabaseErrorNumber, source, message + " while executing \"" + statement + "\"");
}

// A server's way of ending a serializable transaction that conflicts with
// another: a serialization failure or a deadlock victim (SQL Server 1205
// reports 40001 too).
bool IsSerializationConflict(const soci::soci_error& e) {
    const auto* odbc = dynamic_cast<const soci::odbc_soci_error*>(&e);
    if (!odbc) return false;
    const char* state = reinterpret_cast<const char*>(odbc->odbc_error_code());
    return std::strcmp(state, "40001") == 0 || std::strcmp(state, "40P01") == 0;
}

// SERIALIZABLE isolation for a write transaction on a database reached
// through ODBC. A save reads what it then writes on: whether the owner has a
// default scheme, the scheme that holds the owner's in-use mark, the id of
// the head it has just inserted. On a server two transactions at a weaker
// level can each miss the other's uncommitted rows (PostgreSQL's reads see a
// snapshot and never wait), and leave two default schemes, two schemes in
// use, or a head with the other's entries; serializable, one of them is
// ended with a serialization failure or as a deadlock victim, and runs
// again. The connection attribute is the ODBC way to ask every driver for
// it (the SQLite driver, whose database serialises writers anyway, accepts
// it too); the previous level comes back afterwards, since the pooled
// connection outlives the transaction. SQLite's own backend needs nothing:
// BEGIN IMMEDIATE already lets one writer in at a time.
class SerializableScope {
public:
    explicit SerializableScope(soci::session& sql) {
        if (!IsOdbc(sql)) return;
        auto* backend = static_cast<soci::odbc_session_backend*>(sql.get_backend());
        SQLUINTEGER previous = 0;
        if (!SQL_SUCCEEDED(
                SQLGetConnectAttr(backend->hdbc_, SQL_ATTR_TXN_ISOLATION, &previous, 0, nullptr)))
            throw soci::odbc_soci_error(SQL_HANDLE_DBC, backend->hdbc_,
                                        "reading the transaction isolation");
        if (!SQL_SUCCEEDED(SQLSetConnectAttr(backend->hdbc_, SQL_ATTR_TXN_ISOLATION,
                                             reinterpret_cast<SQLPOINTER>(SQL_TXN_SERIALIZABLE),
                                             0)))
            throw soci::odbc_soci_error(SQL_HANDLE_DBC, backend->hdbc_,
                                        "setting SERIALIZABLE isolation");
        hdbc_ = backend->hdbc_;
        previous_ = previous;
    }
    ~SerializableScope() {
        if (hdbc_)
            SQLSetConnectAttr(hdbc_, SQL_ATTR_TXN_ISOLATION,
                              reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(previous_)), 0);
    }
    SerializableScope(const SerializableScope&) = delete;
    SerializableScope& operator=(const SerializableScope&) = delete;

private:
    SQLHDBC hdbc_ = nullptr;
    SQLUINTEGER previous_ = 0;
};

// Waits a random while of up to kFirstBackoffMs doubled for each attempt
// made, and at most kLongestBackoffMs.
void BackOff(int attempt) {
    static std::minstd_rand random(std::random_device{}());
    const int longest = std::min(kLongestBackoffMs, kFirstBackoffMs << std::min(attempt, 16));
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::uniform_int_distribution<int>(1, longest)(random)));
}

// A write transaction; rolled back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(soci::session& sql) : sql_(sql) {
        if (IsOdbc(sql_))
            sql_.begin();
        else
            sql_ << "BEGIN IMMEDIATE";
    }
    ~WriteTransaction() {
        if (done_) return;
        try {
            if (IsOdbc(sql_))
                sql_.rollback();
            else
                sql_ << "ROLLBACK";
        } catch (const soci::soci_error&) {
            // The database rolls back on its own when the statement that
            // failed ended the transaction.
        }
    }
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void commit() {
        if (IsOdbc(sql_))
            sql_.commit();
        else
            sql_ << "COMMIT";
        done_ = true;
    }

private:
    soci::session& sql_;
    bool done_ = false;
};

// The query result in a set of the store's field types (expression columns
// come back as text from some backends).
RecordsetPtr Typed(Recordset& result, RecordsetPtr into) {
    for (result.moveFirst(); !result.eof(); result.moveNext()) {
        into->addNew();
        for (std::size_t i = 0; i < into->fieldCount(); ++i)
            into->setValue(i, result.value(into->field(i).name));
    }
    if (into->recordCount() > 0) into->moveFirst();
    return into;
}

std::optional<Variant> FieldOf(Recordset& rs, const char* name) {
    if (rs.fieldIndex(name) < 0) return std::nullopt;
    return rs.value(name);
}

int32_t WholeOf(Recordset& rs, const char* name) {
    auto v = FieldOf(rs, name);
    return v && !v->isNull() ? v->toLong() : 0;
}

std::string TextOf(Recordset& rs, const char* name) {
    auto v = FieldOf(rs, name);
    return v ? v->toString("") : std::string();
}

// The dialog doubles every apostrophe of the name on its way to the store.
std::string Unquoted(const std::string& name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        out += name[i];
        if (name[i] == '\'' && i + 1 < name.size() && name[i + 1] == '\'') ++i;
    }
    return out;
}

void CheckLength(const std::string& what, const std::string& value, std::size_t limit,
                 const char* source) {
    const std::size_t count = text::CharCount(value);
    if (count > limit)
        throw Error(kErrMultipleStep, source,
                    what + " has " + text::Num(static_cast<long long>(count)) +
                        " characters; at most " + text::Num(static_cast<long long>(limit)) +
                        " fit");
}

struct Head {
    int32_t id = 0;
    std::string name;
    int32_t tranType = 0;
    std::string sysName;
    int32_t status = 0;
    int32_t share = 0;
};

struct Entry {
    int32_t type = 0;
    std::string key;
    std::string value;
};

// One scheme as it is written, its owner resolved.
struct Pending {
    Head head;
    std::vector<Entry> entries;
    int32_t owner = 0;
};

Head ReadHead(const RecordsetPtr& head, const char* source) {
    auto rs = head ? head->clone() : nullptr;
    if (!rs || rs->eof()) throw Error(kNoCurrentRecord, source, "The scheme head holds no row");
    Head h;
    h.id = WholeOf(*rs, "FSchemeID");
    h.name = Unquoted(TextOf(*rs, "FSchemeName"));
    h.tranType = WholeOf(*rs, "FTranType");
    h.sysName = TextOf(*rs, "FSysName");
    h.status = WholeOf(*rs, "FStatus");
    h.share = WholeOf(*rs, "FISShare");
    CheckLength("The scheme name", h.name, kNameLimit, source);
    CheckLength("The scheme key", h.sysName, kSysNameLimit, source);
    return h;
}

std::vector<Entry> ReadEntries(const RecordsetPtr& entries, const char* source) {
    std::vector<Entry> out;
    if (!entries) return out;
    auto rs = entries->clone();
    for (; !rs->eof(); rs->moveNext()) {
        Entry e{WholeOf(*rs, "FType"), TextOf(*rs, "FKey"), TextOf(*rs, "FValue")};
        CheckLength("The entry key \"" + text::Left(e.key, 40) + "\"", e.key, kKeyLimit, source);
        CheckLength("The value of \"" + e.key + "\"", e.value, kValueLimit, source);
        out.push_back(std::move(e));
    }
    return out;
}

// The user a batch names by FName; exactly one user must have the name.
int32_t UserNamed(soci::session& sql, const std::string& name) {
    auto rs = RunQuery(sql, kUserByNameSql, {name});
    if (rs->recordCount() != 1)
        throw Error(err::kRuleFailed, progid::kScheme,
                    rs->recordCount() == 0
                        ? "No user is named \"" + name + "\" in this database"
                        : "Several users are named \"" + name + "\" in this database");
    return rs->value(std::size_t{0}).toLong();
}

bool IsAdministrator(soci::session& sql, int32_t user) {
    return RunQuery(sql, kAdministratorSql, {user})->recordCount() > 0;
}

// The id the database gave the head just inserted; where the backend
// cannot tell, the newest head of the owner and key, which the open write
// transaction keeps anyone else from adding to.
int32_t NewId(soci::session& sql, int32_t owner, const std::string& sysName) {
    long long id = 0;
    // Over ODBC the last id is the table's (SQL Server's ident_current), which
    // another session's insert can have moved on; the owner's newest head of
    // the key, read inside this serializable transaction, is this one's.
    try {
        if (!IsOdbc(sql) && sql.get_last_insert_id("ICSchemeProfile", id) && id > 0)
            return static_cast<int32_t>(id);
    } catch (const soci::soci_error&) {
    }
    int32_t newest = 0;
    soci::indicator ind = soci::i_null;
    std::string key = sysName;
    sql << kNewestIdSql, soci::into(newest, ind), soci::use(owner, "user"),
        soci::use(key, "sysName");
    return ind == soci::i_ok ? newest : 0;
}

// Writes one scheme inside the open transaction; `doing` follows the
// statement under way for the error message. Returns its id.
int32_t Write(soci::session& sql, Pending& p, const char*& doing) {
    Head& h = p.head;
    int32_t owner = p.owner;
    int32_t id = h.id;
    bool stored = false;
    if (id != 0) {
        doing = kUpdateHeadSql;
        soci::statement st = (sql.prepare << kUpdateHeadSql, soci::use(h.name, "name"),
                              soci::use(h.tranType, "tranType"), soci::use(h.sysName, "sysName"),
                              soci::use(h.status, "status"), soci::use(h.share, "share"),
                              soci::use(id, "id"), soci::use(owner, "user"));
        st.execute(true);
        if (st.get_affected_rows() == 0)
            throw Error(err::kRuleFailed, progid::kScheme,
                        "The scheme " + text::Num(id) + " is not one of user " + text::Num(owner) +
                            "'s schemes; nothing was saved");
        stored = true;
    } else if (h.name == kDefaultSchemeName) {
        // Two first openings of a list at once would otherwise each add a
        // default scheme that can never be deleted. The update is the
        // transaction's first statement, so it also takes the write lock
        // before anything is read.
        doing = kUpdateDefaultSql;
        soci::statement st =
            (sql.prepare << kUpdateDefaultSql, soci::use(h.tranType, "tranType"),
             soci::use(h.status, "status"), soci::use(h.share, "share"), soci::use(owner, "user"),
             soci::use(h.sysName, "sysName"), soci::use(h.name, "name"));
        st.execute(true);
        if (st.get_affected_rows() > 0) {
            doing = kDefaultIdSql;
            soci::indicator ind = soci::i_null;
            sql << kDefaultIdSql, soci::into(id, ind), soci::use(owner, "user"),
                soci::use(h.sysName, "sysName"), soci::use(h.name, "name");
            stored = ind == soci::i_ok && id != 0;
        }
    }
    if (!stored) {
        doing = kInsertHeadSql;
        sql << kInsertHeadSql, soci::use(h.name, "name"), soci::use(owner, "user"),
            soci::use(h.tranType, "tranType"), soci::use(h.sysName, "sysName"),
            soci::use(h.status, "status"), soci::use(h.share, "share");
        doing = kNewestIdSql;
        id = NewId(sql, owner, h.sysName);
    }
    if (h.status == kInUse) {
        doing = kClearInUseSql;
        sql << kClearInUseSql, soci::use(id, "id"), soci::use(h.sysName, "sysName"),
            soci::use(owner, "user");
    }
    doing = kDeleteEntriesSql;
    sql << kDeleteEntriesSql, soci::use(id, "id");
    doing = kInsertEntrySql;
    for (Entry& e : p.entries)
        sql << kInsertEntrySql, soci::use(id, "id"), soci::use(e.type, "type"),
            soci::use(e.key, "key"), soci::use(e.value, "value");
    return id;
}

// The head as stored, read inside the write transaction. Over ODBC the
// database layer's own error passes up, so that a serializable transaction
// ended at this read runs again like one ended at a write.
RecordsetPtr StoredHead(soci::session& sql, int32_t id) {
    auto rs = IsOdbc(sql) ? RunOdbcQuery(sql, kHeadSql, {id}) : RunQuery(sql, kHeadSql, {id});
    return Typed(*rs, NewSchemeHeads());
}

// Writes every scheme in one transaction, all or none; the stored heads in
// order.
std::vector<RecordsetPtr> WriteAll(std::vector<Pending>& schemes) {
    soci::session& sql = SessionDatabase();
    for (int attempt = 1;; ++attempt) {
        const char* doing = kInsertHeadSql;
        try {
            SerializableScope isolation(sql);
            WriteTransaction tx(sql);
            std::vector<int32_t> ids;
            for (Pending& p : schemes) ids.push_back(Write(sql, p, doing));
            doing = kHeadSql;
            std::vector<RecordsetPtr> saved;
            for (int32_t id : ids) saved.push_back(StoredHead(sql, id));
            doing = "COMMIT";
            tx.commit();
            return saved;
        } catch (const soci::soci_error& e) {
            if (attempt < kAttempts && IsSerializationConflict(e)) {
                BackOff(attempt);
                continue;
            }
            throw StoreError(progid::kScheme, e.get_error_message(), doing);
        }
    }
}

class Scheme final : public IScheme {
public:
    RecordsetPtr GetSchemeList(const std::string& propsString, std::string& sysName,
                               std::string&) override {
        const int32_t user = UserIdOf(propsString, progid::kScheme);
        auto result = Run(kListSql, {user, sysName, user});
        return Typed(*result, NewSchemeHeads());
    }

    RecordsetPtr SaveSchemeProfile(const std::string& propsString, RecordsetPtr& head,
                                   RecordsetPtr& entries) override {
        const int32_t user = UserIdOf(propsString, progid::kScheme);
        std::vector<Pending> one{
            {ReadHead(head, progid::kScheme), ReadEntries(entries, progid::kScheme), user}};
        return WriteAll(one).front();
    }

    std::vector<RecordsetPtr> SaveSchemeProfiles(
        const std::string& propsString, const std::vector<SchemeProfile>& schemes) override {
        const int32_t user = UserIdOf(propsString, progid::kScheme);
        std::vector<Pending> pending;
        for (const SchemeProfile& s : schemes) {
            try {
                pending.push_back({ReadHead(s.head, progid::kScheme),
                                   ReadEntries(s.entries, progid::kScheme), user});
            } catch (const Error& e) {
                auto head = s.head ? s.head->clone() : nullptr;
                const std::string name =
                    head && !head->eof() ? Unquoted(TextOf(*head, "FSchemeName")) : "";
                throw Error(e.number, e.source, "The scheme \"" + name + "\": " + e.description);
            }
        }
        ResolveOwners(user, schemes, pending);
        return WriteAll(pending);
    }

    void LoadSchemeProfile(const std::string& propsString, int32_t& schemeId, RecordsetPtr& head,
                           RecordsetPtr& entries) override {
        const int32_t user = UserIdOf(propsString, progid::kScheme);
        head = Typed(*Run(kVisibleHeadSql, {schemeId, user}), NewSchemeHeads());
        entries = head->recordCount() > 0 ? Typed(*Run(kEntriesSql, {schemeId}), NewSchemeEntries())
                                          : NewSchemeEntries();
    }

    bool DelScheme(const std::string& propsString, int32_t& schemeId) override {
        int32_t user = UserIdOf(propsString, progid::kScheme);
        soci::session& sql = SessionDatabase();
        const char* doing = kDeleteOwnHeadSql;
        try {
            WriteTransaction tx(sql);
            int32_t id = schemeId;
            soci::statement heads =
                (sql.prepare << kDeleteOwnHeadSql, soci::use(id, "id"), soci::use(user, "user"));
            heads.execute(true);
            const bool deleted = heads.get_affected_rows() > 0;
            // Another user's entries stay with that user's scheme.
            if (deleted) {
                doing = kDeleteEntriesSql;
                sql << kDeleteEntriesSql, soci::use(id, "id");
            }
            tx.commit();
            return deleted;
        } catch (const soci::soci_error& e) {
            throw StoreError(progid::kScheme, e.get_error_message(), doing);
        }
    }

private:
    static RecordsetPtr Run(const char* statement, const std::vector<QueryParam>& params) {
        return RunQuery(SessionDatabase(), statement, params);
    }

    // Schemes saved for other users: only an administrator names owners,
    // and every name must be one user's.
    static void ResolveOwners(int32_t user, const std::vector<SchemeProfile>& schemes,
                              std::vector<Pending>& pending) {
        soci::session& sql = SessionDatabase();
        std::map<std::string, int32_t> owners;
        for (std::size_t i = 0; i < schemes.size(); ++i) {
            const std::string& name = schemes[i].ownerName;
            if (name.empty()) continue;
            if (owners.empty() && !IsAdministrator(sql, user))
                throw Error(err::kRuleFailed, progid::kScheme,
                            "Only an administrator saves schemes for other users; user " +
                                text::Num(user) + " is none");
            auto it = owners.find(name);
            if (it == owners.end()) it = owners.emplace(name, UserNamed(sql, name)).first;
            pending[i].owner = it->second;
        }
    }
};

class Profile final : public IProfile {
public:
    void DelPlan(const std::string& propsString, int32_t reportId,
                 const std::string& planName) override {
        int32_t user = UserIdOf(propsString, progid::kSchemeProfile);
        int32_t report = reportId;
        std::string name = planName;
        soci::session& sql = SessionDatabase();
        const char* doing = kDeletePlanEntriesSql;
        try {
            WriteTransaction tx(sql);
            sql << kDeletePlanEntriesSql, soci::use(user, "user"), soci::use(report, "reportId"),
                soci::use(name, "name");
            doing = kDeletePlanHeadsSql;
            sql << kDeletePlanHeadsSql, soci::use(user, "user"), soci::use(report, "reportId"),
                soci::use(name, "name");
            tx.commit();
        } catch (const soci::soci_error& e) {
            throw StoreError(progid::kSchemeProfile, e.get_error_message(), doing);
        }
    }
};

}  // namespace

std::vector<RecordsetPtr> IScheme::SaveSchemeProfiles(const std::string&,
                                                      const std::vector<SchemeProfile>&) {
    throw Error(err::kInterfaceNotOffered, progid::kScheme,
                "This scheme store cannot save several schemes in one transaction");
}

RecordsetPtr NewSchemeHeads() {
    auto rs = std::make_shared<Recordset>();
    rs->setCursorLocation(3);
    rs->appendField("FSchemeID", adInteger);
    rs->appendField("FSchemeName", adVarWChar, kNameLimit);
    rs->appendField("FUserID", adInteger);
    rs->appendField("FTranType", adInteger);
    rs->appendField("FSysName", adVarChar, kSysNameLimit);
    rs->appendField("FStatus", adInteger);
    rs->appendField("FISShare", adInteger);
    rs->open();
    return rs;
}

RecordsetPtr NewSchemeEntries() {
    auto rs = std::make_shared<Recordset>();
    rs->setCursorLocation(3);
    rs->appendField("FSchemeID", adInteger);
    rs->appendField("FType", adInteger);
    rs->appendField("FKey", adVarChar, kKeyLimit);
    rs->appendField("FValue", adVarWChar, kValueLimit);
    rs->open();
    return rs;
}

namespace defaults {
std::shared_ptr<Component> NewScheme() {
    return std::make_shared<Scheme>();
}
std::shared_ptr<Component> NewProfile() {
    return std::make_shared<Profile>();
}
}  // namespace defaults

}  // namespace qelt::host
