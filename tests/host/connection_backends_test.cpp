// The connection component on every backend: the same query on the same
// SQLite file gives the same record set, directly and through ODBC.
#include <gtest/gtest.h>

#include <string>

#include "common/test_env.h"
#include "host/prog_ids.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/session.h"

namespace qelt {
namespace {

using testing::Backend;

constexpr const char* kSampleTable = R"sql(
CREATE TABLE Sample (
    FID INTEGER, FName NVARCHAR(80), FAmount FLOAT, FBig BIGINT, FDate DATETIME, FNote VARCHAR(20));
INSERT INTO Sample VALUES (1, '采购订单', 12.5, 5000000000, '2026-12-06 10:20:30', 'plain');
INSERT INTO Sample VALUES (2, 'O''Brien', -0.25, 42, NULL, NULL);
INSERT INTO Sample VALUES (3, NULL, NULL, NULL, '2025-01-31 00:00:00', '生产任务单');
)sql";

std::string TypeName(int32_t type) {
    switch (type) {
        case adInteger:
            return "int";
        case adBigInt:
            return "bigint";
        case adDouble:
            return "double";
        case adDate:
            return "date";
        case adVarWChar:
            return "text";
        default:
            return std::to_string(type);
    }
}

// Every field with its type, then every row, one line each.
std::string Dump(Recordset& rs) {
    std::string out;
    for (std::size_t i = 0; i < rs.fieldCount(); ++i)
        out += (i ? "|" : "") + rs.field(i).name + ":" + TypeName(rs.field(i).type);
    out += "\n";
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        for (std::size_t i = 0; i < rs.fieldCount(); ++i) {
            const Variant& v = rs.value(i);
            out += (i ? "|" : "");
            out += v.isNull()                        ? "NULL"
                   : v.type() == Variant::Type::Date ? v.toDate().isoText()
                                                     : v.toString();
        }
        out += "\n";
    }
    return out;
}

class ConnectionOnBackend : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        db_.exec(kSampleTable);
        host::SetDatabase(testing::ConnectionStringFor(GetParam(), db_.path()));
    }
    RecordsetPtr Query(const std::string& sql) {
        return host::Create<host::IAppConnection>(host::progid::kAppConnection)->Execute(sql);
    }
    testing::TempDatabase db_{false};
};

TEST_P(ConnectionOnBackend, MaterialisesNamesTypesValuesAndNulls) {
    auto rs = Query("SELECT FID, FName, FAmount, FBig, FDate, FNote FROM Sample ORDER BY FID");
    EXPECT_EQ(Dump(*rs),
              "FID:int|FName:text|FAmount:double|FBig:bigint|FDate:date|FNote:text\n"
              "1|采购订单|12.5|5000000000|2026-12-06 10:20:30|plain\n"
              "2|O'Brien|-0.25|42|NULL|NULL\n"
              "3|NULL|NULL|NULL|2025-01-31 00:00:00|生产任务单\n");
}

TEST_P(ConnectionOnBackend, BigIntegersFittingInLongAreLongs) {
    auto rs = Query("SELECT FBig FROM Sample WHERE FID = 2");
    EXPECT_EQ(rs->value("FBig"), Variant(int32_t{42}));
    rs = Query("SELECT FBig FROM Sample WHERE FID = 1");
    EXPECT_EQ(rs->value("FBig"), Variant(5000000000.0));
}

TEST_P(ConnectionOnBackend, ResultIsPositionedOnTheFirstRow) {
    auto rs = Query("SELECT FID FROM Sample ORDER BY FID DESC");
    EXPECT_FALSE(rs->bof());
    EXPECT_EQ(rs->value("fid").toLong(), 3);
    EXPECT_EQ(rs->recordCount(), 3);
}

TEST_P(ConnectionOnBackend, EmptyResultKeepsItsFields) {
    auto rs = Query("SELECT FID, FName FROM Sample WHERE FID = 99");
    EXPECT_EQ(Dump(*rs), "FID:int|FName:text\n");
    EXPECT_TRUE(rs->bof());
    EXPECT_TRUE(rs->eof());
}

TEST_P(ConnectionOnBackend, CjkTextInConditionsAndAliases) {
    auto rs = Query("SELECT FID AS 编号 FROM Sample WHERE FName = '采购订单'");
    EXPECT_EQ(Dump(*rs), "编号:int\n1\n");
}

// Declared sizes count characters; a CJK character takes three bytes.
TEST_P(ConnectionOnBackend, TextLongerInBytesThanItsDeclaredSizeComesBackWhole) {
    std::string twenty, sixHundred;
    for (int i = 0; i < 10; ++i) twenty += "单据";
    for (int i = 0; i < 300; ++i) sixHundred += "单据";
    db_.exec("INSERT INTO Sample (FID, FNote) VALUES (4, '" + twenty +
             "');"
             "INSERT INTO Sample (FID, FNote) VALUES (5, '" +
             sixHundred + "');");
    auto rs = Query("SELECT FNote, FNote || '' AS FExpr FROM Sample WHERE FID >= 4 ORDER BY FID");
    EXPECT_EQ(rs->value("FNote").toString(), twenty);
    rs->moveNext();
    EXPECT_EQ(rs->value("FNote").toString(), sixHundred);
    EXPECT_EQ(rs->value("FExpr").toString(), sixHundred);
}

TEST_P(ConnectionOnBackend, TextLongerThanOneReadBufferComesBackWhole) {
    std::string big;
    for (int i = 0; i < 5000; ++i) big += "采购订单";
    db_.exec("INSERT INTO Sample (FID, FName) VALUES (6, '" + big + "');");
    EXPECT_EQ(Query("SELECT FName FROM Sample WHERE FID = 6")->value(0).toString(), big);
}

TEST_P(ConnectionOnBackend, FailedStatementRaisesWithMessageAndStatement) {
    const std::string sql = "SELECT FNothing FROM Sample";
    try {
        Query(sql);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_NE(e.description.find("FNothing"), std::string::npos) << e.description;
        EXPECT_NE(e.description.find("while executing \"" + sql + "\""), std::string::npos)
            << e.description;
    }
}

TEST_P(ConnectionOnBackend, SessionSurvivesAFailedStatement) {
    EXPECT_THROW(Query("SELECT * FROM NoSuchTable"), Error);
    EXPECT_EQ(Query("SELECT FID FROM Sample WHERE FID = 2")->value(0).toLong(), 2);
}

INSTANTIATE_TEST_SUITE_P(AllBackends, ConnectionOnBackend,
                         ::testing::ValuesIn(testing::AllBackends()),
                         [](const auto& info) { return testing::BackendName(info.param); });

}  // namespace
}  // namespace qelt
