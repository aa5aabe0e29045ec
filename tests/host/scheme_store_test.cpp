// The scheme store on the session database, on every backend: what is saved
// is listed, loaded and deleted whole; a failure leaves the stored schemes
// as they were; two processes saving at once lose nothing and leave one
// default scheme.
#include <gmock/gmock.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

#include "common/test_env.h"
#include "host/recordset_dump.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"

namespace qelt {
namespace {

using ::testing::Field, ::testing::HasSubstr, ::testing::Throws, ::testing::AllOf;
using testing::TempDatabase;
using Entries = std::vector<std::pair<std::string, std::string>>;

constexpr const char* kUser2 = "UserID=2;UserName=张伟";
constexpr const char* kUser3 = "UserName=孙丽;UserID=3;";

struct HeadValues {
    int32_t id = 0;
    std::string name;
    int32_t tranType = 1;
    std::string sysName = "(1)";
    int32_t status = 0;
    int32_t share = 0;
};

RecordsetPtr Head(const HeadValues& h) {
    RecordsetPtr rs = host::NewSchemeHeads();
    rs->addNew();
    rs->setValue("FSchemeID", h.id);
    rs->setValue("FSchemeName", h.name);
    rs->setValue("FTranType", h.tranType);
    rs->setValue("FSysName", h.sysName);
    rs->setValue("FStatus", h.status);
    rs->setValue("FISShare", h.share);
    return rs;
}

RecordsetPtr EntrySet(const Entries& entries) {
    RecordsetPtr rs = host::NewSchemeEntries();
    for (const auto& [key, value] : entries) {
        rs->addNew();
        rs->setValue("FSchemeID", 0);
        rs->setValue("FType", 0);
        rs->setValue("FKey", key);
        rs->setValue("FValue", value);
    }
    return rs;
}

using testing::Dump;

std::shared_ptr<host::IScheme> Store() {
    return host::Create<host::IScheme>(host::progid::kScheme);
}

RecordsetPtr Save(const char* props, const HeadValues& h, const Entries& entries) {
    auto head = Head(h);
    auto rows = EntrySet(entries);
    return Store()->SaveSchemeProfile(props, head, rows);
}

int32_t SaveNew(const char* props, const HeadValues& h, const Entries& entries = {}) {
    return Save(props, h, entries)->value("FSchemeID").toLong();
}

std::string List(const char* props, std::string key = "(1)") {
    std::string again = key;
    return Dump(*Store()->GetSchemeList(props, key, again));
}

std::string Load(int32_t id) {
    RecordsetPtr head, entries;
    Store()->LoadSchemeProfile(kUser2, id, head, entries);
    return Dump(*head) + "\n--\n" + Dump(*entries);
}

// Both tables, every row, in a fixed order: the whole stored state.
std::string StoredState() {
    auto conn = host::Create<host::IAppConnection>(host::progid::kAppConnection);
    auto heads = conn->Execute("SELECT * FROM ICSchemeProfile ORDER BY FSchemeID");
    auto entries = conn->Execute(
        "SELECT FSchemeID, FKey, FValue FROM ICSchemeProfileEntry ORDER BY FSchemeID, FKey");
    return Dump(*heads, false) + "\n--" + Dump(*entries, false);
}

int ErrorNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.number;
    }
    return 0;
}

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

class SchemeStore : public ::testing::TestWithParam<testing::Backend> {
protected:
    // The database refuses an entry whose key is 'boom' with the message
    // "refused", as a constraint of its own would.
    void refuseBoomEntries() {
        if (GetParam() == testing::Backend::Postgres)
            db_.exec(
                "CREATE FUNCTION Refuse() RETURNS trigger LANGUAGE plpgsql AS "
                "'BEGIN RAISE EXCEPTION ''refused''; END';"
                "CREATE TRIGGER Refuse BEFORE INSERT ON ICSchemeProfileEntry FOR EACH ROW "
                "WHEN (NEW.FKey = 'boom') EXECUTE FUNCTION Refuse();");
        else
            db_.exec(
                "CREATE TRIGGER Refuse BEFORE INSERT ON ICSchemeProfileEntry "
                "WHEN NEW.FKey = 'boom' BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    }
    TempDatabase db_{GetParam()};
};

constexpr const char* kHeadFields =
    "FSchemeID:3|FSchemeName:202|FUserID:3|FTranType:3|FSysName:200|FStatus:3|FISShare:3";
constexpr const char* kEntryFields = "FSchemeID:3|FType:3|FKey:200|FValue:202";

TEST_P(SchemeStore, SaveAssignsIdsListsLoadsOverwritesAndDeletes) {
    auto saved = Save(kUser2, {0, "默认方案", 1, "(1)", 2, 0},
                      {{"chkShowByBeforeProject", "0"}, {"OrderBy", ""}, {"Relation", "x||"}});
    EXPECT_EQ(Dump(*saved), std::string(kHeadFields) + "\n1|默认方案|2|1|(1)|2|0");
    const int32_t second = SaveNew(kUser2, {0, "按日期", 2, "(1)", 0, 1}, {{"cboTime", "3"}});
    EXPECT_EQ(second, 2);
    EXPECT_EQ(List(kUser2), std::string(kHeadFields) +
                                "\n1|默认方案|2|1|(1)|2|0"
                                "\n2|按日期|2|2|(1)|0|1");
    EXPECT_EQ(Load(1), std::string(kHeadFields) + "\n1|默认方案|2|1|(1)|2|0\n--\n" + kEntryFields +
                           "\n1|0|OrderBy|\n1|0|Relation|x||\n1|0|chkShowByBeforeProject|0");

    // Overwriting replaces the head values and every entry.
    Save(kUser2, {1, "默认方案", 2, "(1)", 2, 0}, {{"Relation", "y||"}});
    EXPECT_EQ(Load(1), std::string(kHeadFields) + "\n1|默认方案|2|2|(1)|2|0\n--\n" + kEntryFields +
                           "\n1|0|Relation|y||");

    int32_t id = 1;
    EXPECT_TRUE(Store()->DelScheme(kUser2, id));
    EXPECT_FALSE(Store()->DelScheme(kUser2, id));
    EXPECT_EQ(Load(1), std::string(kHeadFields) + "\n--\n" + kEntryFields);
    EXPECT_EQ(StoredState(), "\n2|按日期|2|2|(1)|0|1\n--\n2|cboTime|3");
}

// The user's own schemes of the key and other users' shared ones; another
// user's in-use mark is not the reader's.
TEST_P(SchemeStore, ListsOwnSchemesAndOtherUsersSharedOnesOfTheKey) {
    SaveNew(kUser2, {0, "mine", 1, "(1)", 2, 0});
    SaveNew(kUser3, {0, "theirs shared", 1, "(1)", 2, 1});
    SaveNew(kUser3, {0, "theirs private", 1, "(1)", 0, 0});
    SaveNew(kUser2, {0, "mine other list", 71, "(4)", 0, 0});
    SaveNew(kUser2, {0, "key with a blank", 1, "(1 )", 0, 0});
    EXPECT_EQ(List(kUser2), std::string(kHeadFields) +
                                "\n1|mine|2|1|(1)|2|0"
                                "\n2|theirs shared|3|1|(1)|0|1");
    EXPECT_EQ(List(kUser3), std::string(kHeadFields) +
                                "\n2|theirs shared|3|1|(1)|2|1"
                                "\n3|theirs private|3|1|(1)|0|0");
    EXPECT_EQ(List(kUser2, "(4)"), std::string(kHeadFields) + "\n4|mine other list|2|71|(4)|0|0");
    EXPECT_EQ(List("UserID=9"), std::string(kHeadFields) + "\n2|theirs shared|3|1|(1)|0|1");
}

// The last scheme saved in use is the one found in use next time, whatever
// its transaction type; other users and other lists keep their marks.
TEST_P(SchemeStore, InUseMarkMovesToTheLastSchemeSavedInUse) {
    const int32_t a = SaveNew(kUser2, {0, "a", 1, "(1)", 2, 0});
    SaveNew(kUser2, {0, "b", 2, "(1)", 0, 0});
    SaveNew(kUser3, {0, "c", 1, "(1)", 2, 1});
    SaveNew(kUser2, {0, "d", 71, "(4)", 2, 0});
    Save(kUser2, {2, "b", 2, "(1)", 2, 0}, {});
    Save(kUser2, {a, "a", 1, "(1)", 0, 0}, {});
    EXPECT_EQ(StoredState(),
              "\n1|a|2|1|(1)|0|0\n2|b|2|2|(1)|2|0\n3|c|3|1|(1)|2|1\n4|d|2|71|(4)|2|0\n--");
}

// The owner is the FUserID of the property string, whatever name the
// dialog was told: a scheme that is not the caller's is neither updated
// (nor copied) nor deleted.
TEST_P(SchemeStore, UpdatesAndDeletesTouchOnlyTheCallersSchemes) {
    const int32_t theirs = SaveNew(kUser3, {0, "theirs", 1, "(1)", 2, 1}, {{"Relation", "x||"}});
    const std::string before = StoredState();
    for (const int32_t id : {theirs, 42}) {
        EXPECT_EQ(ErrorNumber([&] {
                      Save(kUser2, {id, "theirs", 1, "(1)", 2, 1}, {});
                  }),
                  err::kRuleFailed)
            << id;
        int32_t doomed = id;
        EXPECT_FALSE(Store()->DelScheme(kUser2, doomed)) << id;
    }
    EXPECT_EQ(StoredState(), before);
    // Another user's scheme is read only while it is shared.
    const int32_t hidden = SaveNew(kUser3, {0, "private", 1, "(1)", 0, 0}, {{"Relation", "y||"}});
    for (const auto& [id, rows] : {std::pair{theirs, 1}, std::pair{hidden, 0}}) {
        RecordsetPtr head, entries;
        int32_t asked = id;
        Store()->LoadSchemeProfile(kUser2, asked, head, entries);
        EXPECT_EQ(head->recordCount() + entries->recordCount(), 2 * rows) << id;
    }
}

// Quotes, comment and statement separators and CJK text are values, never
// SQL; texts exactly at their column's size fit. The name arrives with its
// apostrophes doubled and is stored with single ones.
TEST_P(SchemeStore, HostileAndLimitTextsComeBackUnchanged) {
    const std::string name160 = Repeat("方", 150) + "O''Brien;-";
    const std::string key100 = Repeat("k", 99) + "'";
    const std::string value7000 = Repeat("采购订单", 1749) + "'--;";
    const std::string sysName80 = Repeat("(", 1) + Repeat("键", 78) + ")";
    const Entries entries = {{"Relation", "并且##<&单据编号##<&包含##<&9##<&O'Brien'--##<&||"},
                             {"txtRunNoFrom", "'; DROP TABLE ICSchemeProfile; --"},
                             {key100, value7000},
                             {"empty", ""}};
    auto saved = Save(kUser2, {0, name160, 1, sysName80, 0, 0}, entries);
    const std::string storedName = Repeat("方", 150) + "O'Brien;-";
    EXPECT_EQ(saved->value("FSchemeName").toString(), storedName);
    RecordsetPtr head, rows;
    int32_t id = saved->value("FSchemeID").toLong();
    Store()->LoadSchemeProfile(kUser2, id, head, rows);
    EXPECT_EQ(head->value("FSchemeName").toString(), storedName);
    EXPECT_EQ(head->value("FSysName").toString(), sysName80);
    Entries back;
    for (; !rows->eof(); rows->moveNext())
        back.emplace_back(rows->value("FKey").toString(), rows->value("FValue").toString());
    EXPECT_THAT(back, ::testing::UnorderedElementsAreArray(entries));
    EXPECT_EQ(List(kUser2, sysName80).substr(std::string(kHeadFields).size()),
              "\n1|" + storedName + "|2|1|" + sysName80 + "|0|0");
}

// Every text one character over its column raises the provider's
// multiple-step error before anything is written.
TEST_P(SchemeStore, TooLongTextRaisesMultipleStepAndLeavesTheStoredSchemeAsItWas) {
    const int32_t id = SaveNew(kUser2, {0, "kept", 1, "(1)", 2, 0}, {{"Relation", "old||"}});
    const std::string before = StoredState();
    struct Case {
        const char* what;
        HeadValues head;
        Entries entries;
    };
    const Case cases[] = {
        {"value", {id, "kept", 1, "(1)", 2, 0}, {{"Relation", Repeat("条", 7001)}}},
        {"value after a good one",
         {id, "kept", 1, "(1)", 2, 0},
         {{"OrderBy", "new||"}, {"HideColumns", Repeat("x", 7001)}}},
        {"name", {id, Repeat("名", 161), 1, "(1)", 2, 0}, {}},
        {"scheme key", {id, "kept", 1, "(" + Repeat("k", 80), 2, 0}, {}},
        {"entry key", {id, "kept", 1, "(1)", 2, 0}, {{Repeat("k", 101), "v"}}},
        {"new scheme", {0, "new", 1, "(1)", 2, 0}, {{"Relation", Repeat("条", 7001)}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ErrorNumber([&] { Save(kUser2, c.head, c.entries); }),
                  static_cast<int>(0x80040E21u))
            << c.what;
        EXPECT_EQ(StoredState(), before) << c.what;
    }
    EXPECT_EQ(kErrMultipleStep, static_cast<int>(0x80040E21u));
}

// A statement failing half way (here a trigger refusing one entry) rolls
// back the head and the entries already written.
TEST_P(SchemeStore, AFailureHalfWayLeavesTheStoredSchemeAsItWas) {
    const int32_t id =
        SaveNew(kUser2, {0, "kept", 1, "(1)", 0, 0}, {{"Relation", "old||"}, {"OrderBy", "o||"}});
    SaveNew(kUser2, {0, "other", 1, "(1)", 2, 0});
    refuseBoomEntries();
    const std::string before = StoredState();
    EXPECT_THAT(
        [&] {
            Save(kUser2, {id, "renamed", 2, "(1)", 2, 1}, {{"A", "1"}, {"boom", "x"}});
        },
        Throws<Error>(Field(&Error::description, HasSubstr("refused"))));
    EXPECT_THAT(
        [&] {
            Save(kUser2, {0, "new", 2, "(1)", 2, 1}, {{"boom", "x"}});
        },
        Throws<Error>(Field(&Error::description, HasSubstr("ICSchemeProfileEntry"))));
    EXPECT_EQ(StoredState(), before);
    // The session is usable afterwards.
    SaveNew(kUser2, {0, "after", 1, "(1)", 0, 0});
    EXPECT_THAT(StoredState(), HasSubstr("|after|"));
}

TEST_P(SchemeStore, AHeadWithoutARowRaisesAndStoresNothing) {
    auto empty = Head({});
    empty->moveFirst();
    empty->deleteCurrent();
    RecordsetPtr none, entries = EntrySet({{"k", "v"}});
    EXPECT_EQ(ErrorNumber([&] { Store()->SaveSchemeProfile(kUser2, empty, entries); }), 3021);
    EXPECT_EQ(ErrorNumber([&] { Store()->SaveSchemeProfile(kUser2, none, entries); }), 3021);
    EXPECT_EQ(StoredState(), "\n--");
}

TEST_P(SchemeStore, APropertyStringWithoutUserIdRaises) {
    for (const char* props : {"", "UserName=张伟", "UserID=;x=1", "UserID=abc", "XUserID=2"}) {
        std::string key = "(1)", again = key;
        EXPECT_THAT([&] { Store()->GetSchemeList(props, key, again); },
                    Throws<Error>(Field(&Error::description, HasSubstr("UserID"))))
            << props;
    }
    EXPECT_EQ(List("a={x;UserID=7};userid = 2 "), kHeadFields);
}

TEST_P(SchemeStore, DelPlanDeletesTheUsersPlanOfThatReportOnly) {
    SaveNew(kUser2, {0, "plan", 501, "(r)", 0, 0}, {{"k", "1"}});
    SaveNew(kUser2, {0, "plan", 502, "(r)", 0, 0}, {{"k", "2"}});
    SaveNew(kUser3, {0, "plan", 501, "(r)", 0, 1}, {{"k", "3"}});
    SaveNew(kUser2, {0, "Plan", 501, "(r)", 0, 0}, {{"k", "4"}});
    host::Create<host::IProfile>(host::progid::kSchemeProfile)->DelPlan(kUser2, 501, "plan");
    EXPECT_EQ(StoredState(),
              "\n2|plan|2|502|(r)|0|0\n3|plan|3|501|(r)|0|1\n4|Plan|2|501|(r)|0|0"
              "\n--\n2|k|2\n3|k|3\n4|k|4");
}

// A batch is stored whole or not at all; owners other than the caller are
// named by user name, and only by an administrator.
TEST_P(SchemeStore, ABatchIsSavedWholeOrNotAtAll) {
    db_.exec(
        "INSERT INTO t_User (FUserID, FName) VALUES (1, 'Administrator'), (2, '张伟'), "
        "(3, '孙丽'), (4, '孙丽'); INSERT INTO t_Group (FGroupID, FUserID) VALUES (1, 1), (2, 2);");
    refuseBoomEntries();
    const int32_t kept = SaveNew(kUser2, {0, "kept", 1, "(1)", 0, 0}, {{"Relation", "old||"}});
    const std::string before = StoredState();
    struct Item {
        HeadValues head;
        Entries entries;
        std::string owner;
    };
    const auto batch = [](const char* props, const std::vector<Item>& items) {
        std::vector<host::SchemeProfile> schemes;
        for (const Item& i : items) schemes.push_back({Head(i.head), EntrySet(i.entries), i.owner});
        return Store()->SaveSchemeProfiles(props, schemes);
    };
    const Item first{{0, "a"}, {{"Relation", "a||"}}, ""}, second{{kept, "kept"}, {}, ""};
    struct Case {
        const char* what;
        const char* props;
        Item third;
        const char* error;
    };
    const Case refused[] = {
        {"too long",
         kUser2,
         {{0, "c"}, {{"Relation", Repeat("条", 7001)}}, ""},
         "The scheme \"c\": The value of \"Relation\" has 7001 characters; at most 7000 fit"},
        {"failing half way", kUser2, {{0, "c"}, {{"boom", "x"}}, ""}, "refused"},
        {"another's id", kUser2, {{1000, "c"}, {}, ""}, "is not one of user 2's schemes"},
        {"owner named by a user",
         kUser2,
         {{0, "c"}, {}, "Administrator"},
         "Only an administrator saves schemes for other users; user 2 is none"},
        {"unknown owner", "UserID=1", {{0, "c"}, {}, "nobody"}, "No user is named \"nobody\""},
        {"ambiguous owner", "UserID=1", {{0, "c"}, {}, "孙丽"}, "Several users are named \"孙丽\""},
    };
    for (const Case& c : refused) {
        EXPECT_THAT(
            [&] {
                batch(c.props, {first, second, c.third});
            },
            Throws<Error>(Field(&Error::description, HasSubstr(c.error))))
            << c.what;
        EXPECT_EQ(StoredState(), before) << c.what;
    }
    const auto saved = batch("UserID=1", {{{0, "mine"}, {{"k", "1"}}, ""},
                                          {{0, "for 张伟", 1, "(1)", 2, 0}, {{"k", "2"}}, "张伟"}});
    ASSERT_EQ(saved.size(), 2u);
    // A server does not hand out again the ids of the refused batches.
    const std::string mine = saved[0]->value("FSchemeID").toString(),
                      his = saved[1]->value("FSchemeID").toString();
    EXPECT_EQ(Dump(*saved[1]), std::string(kHeadFields) + "\n" + his + "|for 张伟|2|1|(1)|2|0");
    EXPECT_EQ(StoredState(), "\n1|kept|2|1|(1)|0|0\n" + mine + "|mine|1|1|(1)|0|0\n" + his +
                                 "|for 张伟|2|1|(1)|2|0\n--\n1|Relation|old||\n" + mine + "|k|1\n" +
                                 his + "|k|2");
}

TEST(SchemeStoreContract, AStoreWithoutBatchesSaysSo) {
    struct OneByOne : host::IScheme {
        RecordsetPtr GetSchemeList(const std::string&, std::string&, std::string&) override {
            return nullptr;
        }
        RecordsetPtr SaveSchemeProfile(const std::string&, RecordsetPtr&, RecordsetPtr&) override {
            return nullptr;
        }
        void LoadSchemeProfile(const std::string&, int32_t&, RecordsetPtr&,
                               RecordsetPtr&) override {}
        bool DelScheme(const std::string&, int32_t&) override { return false; }
    } store;
    EXPECT_EQ(ErrorNumber([&] { store.SaveSchemeProfiles(kUser2, {}); }),
              err::kInterfaceNotOffered);
}

// Runs `work` in a process of its own, which writes its report to the
// returned descriptor; the process starts when `start` is closed.
std::pair<pid_t, int> Spawn(int start[2], const std::function<std::string()>& work) {
    int report[2];
    if (pipe(report) != 0) return {-1, -1};
    const pid_t pid = fork();
    if (pid == 0) {
        close(start[1]);
        close(report[0]);
        char go;
        (void)!read(start[0], &go, 1);  // returns when the parent closes its end
        const std::string text = work();
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = write(report[1], text.data() + done, text.size() - done);
            if (n <= 0) _exit(2);
            done += static_cast<std::size_t>(n);
        }
        _exit(0);
    }
    close(report[1]);
    return {pid, report[0]};
}

std::string ReadAll(int fd) {
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) text.append(buf, static_cast<size_t>(n));
    close(fd);
    return text;
}

// Eight processes use the store at once, two on each user and kind of list:
// each saves the list's default scheme as a first opening does, saves
// schemes in use and not in use, updates them and deletes some of those not
// in use. Then every scheme kept is there once, with the entries of its last
// save; every user has one default scheme and one scheme in use per kind;
// and each process's failures, with their texts, are the test's.
TEST_P(SchemeStore, EightProcessesSavingUpdatingAndDeletingAtOnceLoseNothing) {
    constexpr int kProcesses = 8, kRounds = 8;
    const auto user = [](int p) { return p % 2 ? 3 : 2; };
    const auto kind = [](int p) { return std::string(p / 2 % 2 ? "(4)" : "(1)"); };
    const auto name = [](int p, int i) {
        return "p" + std::to_string(p) + "-" + std::to_string(i);
    };
    const auto inUse = [](int i) { return i % 2 == 1; };
    const auto deleted = [&](int i) { return !inUse(i) && i % 4 == 0; };
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    std::vector<std::pair<pid_t, int>> children;
    for (int p = 0; p < kProcesses; ++p) {
        children.push_back(Spawn(start, [&, p] {
            const std::string props = "UserID=" + std::to_string(user(p));
            int operations = 0;
            std::string failures;
            const auto run = [&](const std::string& what, const std::function<void()>& op) {
                ++operations;
                try {
                    op();
                } catch (const std::exception& e) {
                    failures += "p" + std::to_string(p) + " " + what + ": " + e.what() + "\n";
                }
            };
            for (int i = 0; i < kRounds; ++i) {
                const std::string n = name(p, i);
                const HeadValues head{0, n, 1, kind(p), inUse(i) ? 2 : 0, i % 3 == 0};
                int32_t id = 0;
                run("default " + n, [&] {
                    SaveNew(props.c_str(), {0, host::kDefaultSchemeName, 1, kind(p), 2, 0},
                            {{"Relation", "p" + std::to_string(p) + "||"}});
                });
                run("save " + n, [&] {
                    id = SaveNew(props.c_str(), head, {{"Relation", n + " v1"}, {"OrderBy", n}});
                });
                run("update " + n, [&] {
                    HeadValues again = head;
                    again.id = id;
                    Save(props.c_str(), again, {{"Relation", n + " v2"}});
                });
                if (deleted(i))
                    run("delete " + n, [&] {
                        int32_t doomed = id;
                        if (!Store()->DelScheme(props.c_str(), doomed))
                            throw std::runtime_error("nothing deleted");
                    });
            }
            return std::to_string(operations) + "\n" + failures;
        }));
        ASSERT_GT(children.back().first, 0);
    }
    close(start[0]);
    close(start[1]);
    int operations = 0, failures = 0;
    for (const auto& [pid, fd] : children) {
        const std::string report = ReadAll(fd);
        int status = 0;
        waitpid(pid, &status, 0);
        const auto eol = report.find('\n');
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || eol == std::string::npos) {
            ++failures;
            ADD_FAILURE() << "process " << pid << " ended without its report: " << report;
            continue;
        }
        operations += std::stoi(report.substr(0, eol));
        const std::string errors = report.substr(eol + 1);
        failures += static_cast<int>(std::count(errors.begin(), errors.end(), '\n'));
        EXPECT_EQ(errors, "") << "process " << pid;
    }

    // The entries of every stored head by owner, kind and name ("key=value;..."),
    // and the in-use marks of each owner and kind.
    auto conn = host::Create<host::IAppConnection>(host::progid::kAppConnection);
    auto rows = conn->Execute(
        "SELECT h.FSchemeID, h.FUserID, h.FSysName, h.FSchemeName, h.FStatus, e.FKey, e.FValue "
        "FROM ICSchemeProfile h LEFT JOIN ICSchemeProfileEntry e ON e.FSchemeID = h.FSchemeID "
        "ORDER BY h.FSchemeID, e.FKey");
    std::map<std::string, std::vector<std::string>> heads;
    std::map<std::string, int> marks;
    for (int32_t last = 0; !rows->eof(); rows->moveNext()) {
        const std::string owner =
            rows->value("FUserID").toString() + " " + rows->value("FSysName").toString();
        const std::string entry =
            rows->value("FKey").toString("NULL") + "=" + rows->value("FValue").toString("NULL");
        if (rows->value("FSchemeID").toLong() == last) {
            heads[owner + " " + rows->value("FSchemeName").toString()].back() += ";" + entry;
            continue;
        }
        last = rows->value("FSchemeID").toLong();
        heads[owner + " " + rows->value("FSchemeName").toString()].push_back(entry);
        marks[owner] += rows->value("FStatus").toLong() == 2;
    }
    std::map<std::string, std::vector<std::string>> expected;
    for (int p = 0; p < kProcesses; ++p) {
        const std::string owner = std::to_string(user(p)) + " " + kind(p);
        expected[owner + " " + host::kDefaultSchemeName] = {
            "Relation=p" + std::to_string(p) + "||", "Relation=p" + std::to_string(p ^ 4) + "||"};
        for (int i = 0; i < kRounds; ++i)
            if (!deleted(i))
                expected[owner + " " + name(p, i)] = {"Relation=" + name(p, i) + " v2"};
    }
    int lost = 0, duplicated = 0;
    for (const auto& [key, entries] : expected) {
        const auto found = heads.find(key);
        if (found == heads.end() || found->second.empty() ||
            std::find(entries.begin(), entries.end(), found->second.front()) == entries.end()) {
            ++lost;
            ADD_FAILURE() << "lost or changed: " << key;
        } else {
            duplicated += static_cast<int>(found->second.size()) - 1;
        }
    }
    for (const auto& [key, entries] : heads)
        EXPECT_TRUE(expected.count(key)) << "never saved or deleted, yet stored: " << key;
    std::string marksSeen;
    for (const auto& [owner, count] : marks) marksSeen += owner + ":" + std::to_string(count) + " ";
    const std::string figures =
        std::to_string(kProcesses) + " processes, " + std::to_string(operations) +
        " operations: " + std::to_string(lost) + " lost, " + std::to_string(duplicated) +
        " duplicated, " + std::to_string(failures) + " failures";
    std::cout << "[ figures  ] " << testing::BackendName(GetParam()) << ": " << figures << "\n";
    EXPECT_EQ(figures, "8 processes, 208 operations: 0 lost, 0 duplicated, 0 failures");
    EXPECT_EQ(marksSeen, "2 (1):1 2 (4):1 3 (1):1 3 (4):1 ");
}

INSTANTIATE_TEST_SUITE_P(AllBackends, SchemeStore, ::testing::ValuesIn(testing::AllBackends()),
                         [](const auto& info) { return testing::BackendName(info.param); });

}  // namespace
}  // namespace qelt
