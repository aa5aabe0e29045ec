#include <gmock/gmock.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/test_env.h"
#include "host/recordset_dump.h"
#include "qelt/error.h"

namespace qelt {
namespace {

using ::testing::AllOf, ::testing::ContainsRegex, ::testing::HasSubstr, ::testing::StartsWith;
using testing::Dump, testing::Query, testing::Raised, testing::Repeat;
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

std::shared_ptr<host::IScheme> Store() {
    return host::Create<host::IScheme>(host::progid::kScheme);
}

host::SchemeProfile Scheme(const HeadValues& h, const Entries& entries, std::string owner = "") {
    RecordsetPtr head = host::NewSchemeHeads(), rows = host::NewSchemeEntries();
    head->appendRow({h.id, h.name, Variant(), h.tranType, h.sysName, h.status, h.share});
    head->moveFirst();
    for (const auto& [key, value] : entries) rows->appendRow({0, 0, key, value});
    return {head, rows, std::move(owner)};
}

RecordsetPtr Save(const char* props, const HeadValues& h, const Entries& entries) {
    auto s = Scheme(h, entries);
    return Store()->SaveSchemeProfile(props, s.head, s.entries);
}

int32_t SaveNew(const char* props, const HeadValues& h, const Entries& entries = {}) {
    return Save(props, h, entries)->value("FSchemeID").toLong();
}

std::string List(const char* props, std::string key = "(1)") {
    std::string again = key;
    return Dump(*Store()->GetSchemeList(props, key, again), false);
}

std::string Load(int32_t id, const char* props = kUser2) {
    RecordsetPtr head, entries;
    Store()->LoadSchemeProfile(props, id, head, entries);
    return Dump(*head, false) + "\n--" + Dump(*entries, false);
}

std::string StoredState() {
    return Dump(*Query("SELECT * FROM ICSchemeProfile ORDER BY FSchemeID"), false) + "\n--" +
           Dump(*Query("SELECT FSchemeID, FKey, FValue FROM ICSchemeProfileEntry "
                       "ORDER BY FSchemeID, FKey"),
                false);
}

class SchemeStore : public ::testing::TestWithParam<testing::Backend> {
protected:
    testing::TempDatabase db_{GetParam()};
};

TEST_P(SchemeStore, OwnersChangeTheirSchemesAndReadSharedOnes) {
    auto s = Scheme({}, {{"k", "v"}});
    s.head->deleteCurrent();
    EXPECT_THAT(Raised([&] { Store()->SaveSchemeProfile(kUser2, s.head, s.entries); }),
                StartsWith(std::to_string(err::kNoCurrentRecord) + ": "));
    for (const char* props : {"", "UserID=abc"})
        EXPECT_THAT(Raised([&] { List(props); }), HasSubstr("UserID")) << props;
    SaveNew(kUser2, {0, "mine", 1, "(1)", 2, 0},
            {{"chkShowByBeforeProject", "0"}, {"OrderBy", ""}, {"Relation", "x||"}});
    SaveNew(kUser3, {0, "theirs shared", 1, "(1)", 2, 1}, {{"Relation", "x||"}});
    SaveNew(kUser3, {0, "theirs private", 1, "(1)", 0, 0}, {{"Relation", "y||"}});
    SaveNew(kUser2, {0, "mine other list", 71, "(4)", 2, 0}, {{"k", "0"}});
    SaveNew(kUser2, {0, "key with a blank", 1, "(1 )", 0, 0});
    EXPECT_EQ(List(kUser2) + "\n" + List(kUser3) + "\n" + List("UserID=9"),
              "\n1|mine|2|1|(1)|2|0\n2|theirs shared|3|1|(1)|0|1\n"
              "\n2|theirs shared|3|1|(1)|2|1\n3|theirs private|3|1|(1)|0|0\n"
              "\n2|theirs shared|3|1|(1)|0|1");
    EXPECT_EQ(
        Load(1) + Load(2) + Load(3),
        "\n1|mine|2|1|(1)|2|0\n--\n1|0|OrderBy|\n1|0|Relation|x||\n1|0|chkShowByBeforeProject|0"
        "\n2|theirs shared|3|1|(1)|2|1\n--\n2|0|Relation|x||\n--");
    // Refused saves and deletes change nothing (the final stored state shows).
    for (int32_t id : {2, 3, 42}) {
        const HeadValues taken{id, "taken", 1, "(1)", 2, 1};
        EXPECT_THAT(Raised([&] { Save(kUser2, taken, {}); }),
                    StartsWith(std::to_string(err::kRuleFailed) + ": "));
        EXPECT_FALSE(Store()->DelScheme(kUser2, id)) << id;
    }
    // Overwriting replaces the head values and every entry, and keeps its own in-use mark (the
    // batch and concurrent cases below have the mark move between schemes).
    Save(kUser2, {1, "mine", 2, "(1)", 2, 0}, {{"Relation", "y||"}});
    int32_t id = 4;
    EXPECT_TRUE(Store()->DelScheme(kUser2, id));
    // DelPlan deletes the user's plan of that report only, by its exact name.
    SaveNew(kUser2, {0, "plan", 501, "(r)", 0, 0}, {{"k", "1"}});
    SaveNew(kUser2, {0, "plan", 502, "(r)", 0, 0}, {{"k", "2"}});
    SaveNew(kUser3, {0, "plan", 501, "(r)", 0, 1}, {{"k", "3"}});
    SaveNew(kUser2, {0, "Plan", 501, "(r)", 0, 0}, {{"k", "4"}});
    host::Create<host::IProfile>(host::progid::kSchemeProfile)->DelPlan(kUser2, 501, "plan");
    EXPECT_EQ(StoredState(),
              "\n1|mine|2|2|(1)|2|0\n2|theirs shared|3|1|(1)|2|1\n3|theirs private|3|1|(1)|0|0\n"
              "5|key with a blank|2|1|(1 )|0|0\n7|plan|2|502|(r)|0|0\n8|plan|3|501|(r)|0|1\n"
              "9|Plan|2|501|(r)|0|0\n--\n1|Relation|y||\n2|Relation|x||\n3|Relation|y||\n7|k|2\n"
              "8|k|3\n9|k|4");
}

TEST_P(SchemeStore, TextsFitUpToTheirColumnAndOneCharacterMoreChangesNothing) {
    const std::string sysName = "(" + Repeat("键", 78) + ")";
    const Entries entries = {{Repeat("k", 99) + "'", Repeat("采购订单", 1749) + "'--;"},
                             {"txtRunNoFrom", "'; DROP TABLE ICSchemeProfile; --"},
                             {"empty", ""}};
    const int32_t id = SaveNew(kUser2, {0, Repeat("方", 150) + "O''Brien;-", 1, sysName}, entries);
    const std::string n = "\n" + std::to_string(id);
    EXPECT_EQ(Load(id), n + "|" + Repeat("方", 150) + "O'Brien;-|2|1|" + sysName + "|0|0\n--" + n +
                            "|0|empty|" + n + "|0|" + entries[0].first + "|" + entries[0].second +
                            n + "|0|txtRunNoFrom|" + entries[1].second);

    const std::string before = StoredState(), over = Repeat("条", 7001);
    const std::string value = "The value of \"Relation\" has 7001 characters; at most 7000 fit";
    const std::tuple<HeadValues, Entries, std::string> cases[] = {
        {{0, "new"}, {{"OrderBy", "new||"}, {"Relation", over}}, value},
        {{id, Repeat("名", 161)}, {}, "The scheme name has 161 characters; at most 160 fit"},
        {{id, "kept", 1, "(" + Repeat("k", 80)}, {}, "scheme key has 81 characters; at most 80"},
        {{id, "kept"}, {{Repeat("k", 101), "v"}}, "has 101 characters; at most 100 fit"}};
    for (const auto& [h, e, error] : cases) {
        EXPECT_THAT(Raised([&] { Save(kUser2, h, e); }),
                    AllOf(StartsWith(std::to_string(err::kMultipleStep) + ": "), HasSubstr(error)));
        EXPECT_EQ(StoredState(), before) << error;
    }
}

// Only an administrator names other owners.
TEST_P(SchemeStore, ASaveOrBatchIsSavedWholeOrNotAtAll) {
    db_.exec(
        "INSERT INTO t_User (FUserID, FName) VALUES (1, 'Administrator'), (2, '张伟'), "
        "(3, '孙丽'), (4, '孙丽'); INSERT INTO t_Group (FGroupID, FUserID) VALUES (1, 1), (2, 2);");
    // The database refuses an entry keyed 'boom' with "refused".
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
    const int32_t kept = SaveNew(kUser2, {0, "kept", 1, "(1)", 2, 0}, {{"Relation", "old||"}});
    const std::string before = StoredState();
    // Each row: the user saving, the third scheme of the batch, the error.
    const std::tuple<const char*, host::SchemeProfile, const char*> refused[] = {
        {kUser2, Scheme({0, "c"}, {{"boom", "x"}}), "refused.*INSERT INTO ICSchemeProfileEntry"},
        {kUser2, Scheme({0, "c"}, {}, "Administrator"),
         "Only an administrator saves schemes for other users; user 2 is none"},
        {"UserID=1", Scheme({0, "c"}, {}, "nobody"), "No user is named \"nobody\""},
        {"UserID=1", Scheme({0, "c"}, {}, "孙丽"), "Several users are named \"孙丽\""}};
    for (const auto& [props, third, error] : refused) {
        const std::vector<host::SchemeProfile> batch = {
            Scheme({0, "a", 1, "(1)", 2, 0}, {{"Relation", "a||"}}), Scheme({kept, "kept"}, {}),
            third};
        EXPECT_THAT(Raised([&] { Store()->SaveSchemeProfiles(props, batch); }),
                    ContainsRegex(error));
        EXPECT_EQ(StoredState(), before) << error;
    }
    const auto saved = Store()->SaveSchemeProfiles(
        "UserID=1", {Scheme({0, "mine"}, {{"k", "1"}}),
                     Scheme({0, "for 张伟", 1, "(1)", 2, 0}, {{"k", "2"}}, "张伟")});
    ASSERT_EQ(saved.size(), 2u);
    const std::string mine = saved[0]->value("FSchemeID").toString(),
                      his = saved[1]->value("FSchemeID").toString();
    EXPECT_EQ(StoredState(), "\n1|kept|2|1|(1)|0|0\n" + mine + "|mine|1|1|(1)|0|0\n" + his +
                                 "|for 张伟|2|1|(1)|2|0\n--\n1|Relation|old||\n" + mine + "|k|1\n" +
                                 his + "|k|2");
}

// Nothing is lost, and there is one default and one scheme in use per user and key.
TEST_P(SchemeStore, EightProcessesSavingUpdatingAndDeletingAtOnceLoseNothing) {
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    std::vector<pid_t> children;
    for (int p = 0; p < 8; ++p) {
        if (children.emplace_back(fork()) != 0) continue;
        close(start[1]);
        char go;
        (void)!read(start[0], &go, 1);  // returns when the parent closes its end
        // Two processes per user and key; scheme i is in use for odd i, deleted for i % 4 == 0.
        const char* who = p % 2 ? kUser3 : kUser2;
        const std::string kind = p / 2 % 2 ? "(4)" : "(1)";
        // An error raised here aborts the process, which the parent sees.
        for (int i = 0; i < 8; ++i) {
            SaveNew(who, {0, host::kDefaultSchemeName, 1, kind, 2, 0}, {{"Relation", kind}});
            const std::string name = "p" + std::to_string(p) + "-" + std::to_string(i);
            HeadValues head{0, name, 1, kind, i % 2 ? 2 : 0, i % 3 == 0};
            head.id = SaveNew(who, head, {{"Relation", name + " v1"}, {"OrderBy", "o"}});
            Save(who, head, {{"Relation", name + " v2"}});
            if (i % 4 == 0 && !Store()->DelScheme(who, head.id)) _exit(3);
        }
        _exit(0);
    }
    close(start[0]);
    close(start[1]);
    for (pid_t pid : children) {
        int status = -1;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "process " << pid;
    }
    // Per user and key: schemes, entries, second versions of entries, schemes in use.
    EXPECT_EQ(Dump(*Query("SELECT h.FUserID, h.FSysName, count(DISTINCT h.FSchemeID), count(*), "
                          "sum(CASE WHEN e.FValue LIKE '%v2' THEN 1 ELSE 0 END), "
                          "sum(CASE WHEN h.FStatus = 2 THEN 1 ELSE 0 END) FROM ICSchemeProfile h "
                          "JOIN ICSchemeProfileEntry e ON e.FSchemeID = h.FSchemeID "
                          "GROUP BY h.FUserID, h.FSysName ORDER BY h.FUserID, h.FSysName"),
                   false),
              "\n2|(1)|13|13|12|1\n2|(4)|13|13|12|1\n3|(1)|13|13|12|1\n3|(4)|13|13|12|1");
}

QELT_ON_EVERY_BACKEND(SchemeStore);

}  // namespace
}  // namespace qelt
