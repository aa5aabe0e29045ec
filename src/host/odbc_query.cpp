#include "host/odbc_query.h"

#include <soci/odbc/soci-odbc.h>
#include <soci/soci.h>

#include <cctype>
#include <climits>
#include <vector>

namespace qelt::host {

namespace {

constexpr std::size_t kTextChunk = 4096;
constexpr SQLSMALLINT kColumnNameLimit = 512;

class Statement {
public:
    explicit Statement(SQLHDBC dbc) {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &handle_)))
            throw soci::odbc_soci_error(SQL_HANDLE_DBC, dbc, "allocating a statement");
    }
    ~Statement() { SQLFreeHandle(SQL_HANDLE_STMT, handle_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    SQLHSTMT get() const { return handle_; }
    void check(SQLRETURN rc, const char* doing) const {
        if (!SQL_SUCCEEDED(rc)) throw soci::odbc_soci_error(SQL_HANDLE_STMT, handle_, doing);
    }

private:
    SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

struct Column {
    std::string name;
    int32_t type;
};

int32_t FieldTypeOf(SQLSMALLINT sqlType) {
    switch (sqlType) {
        case SQL_TYPE_DATE:
        case SQL_TYPE_TIME:
        case SQL_TYPE_TIMESTAMP:
            return adDate;
        case SQL_DOUBLE:
        case SQL_DECIMAL:
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_NUMERIC:
            return adDouble;
        case SQL_TINYINT:
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_BIT:
            return adInteger;
        case SQL_BIGINT:
            return adBigInt;
        default:
            return adVarWChar;
    }
}

std::vector<Column> Describe(const Statement& st) {
    SQLSMALLINT count = 0;
    st.check(SQLNumResultCols(st.get(), &count), "counting the result columns");
    std::vector<Column> columns;
    for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
        SQLCHAR name[kColumnNameLimit];
        SQLSMALLINT nameLength = 0, sqlType = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        st.check(SQLDescribeCol(st.get(), i, name, kColumnNameLimit, &nameLength, &sqlType, &size,
                                &digits, &nullable),
                 "describing the result columns");
        columns.push_back({reinterpret_cast<const char*>(name), FieldTypeOf(sqlType)});
    }
    return columns;
}

template <class T>
bool ReadFixed(const Statement& st, SQLUSMALLINT col, SQLSMALLINT cType, T& out) {
    SQLLEN indicator = 0;
    st.check(SQLGetData(st.get(), col, cType, &out, sizeof out, &indicator), "reading a value");
    return indicator != SQL_NULL_DATA;
}

Variant ReadText(const Statement& st, SQLUSMALLINT col) {
    std::string text;
    std::vector<char> chunk(kTextChunk);
    for (;;) {
        SQLLEN indicator = 0;
        SQLRETURN rc = SQLGetData(st.get(), col, SQL_C_CHAR, chunk.data(),
                                  static_cast<SQLLEN>(chunk.size()), &indicator);
        if (rc == SQL_NO_DATA) break;
        st.check(rc, "reading a text value");
        if (indicator == SQL_NULL_DATA) return Variant::null();
        // A partial read fills the buffer but for its terminating zero.
        const bool partial =
            rc == SQL_SUCCESS_WITH_INFO &&
            (indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(chunk.size()));
        text.append(chunk.data(), partial ? chunk.size() - 1 : static_cast<std::size_t>(indicator));
        if (!partial) break;
    }
    return Variant(std::move(text));
}

Variant ReadValue(const Statement& st, SQLUSMALLINT col, int32_t type) {
    switch (type) {
        case adInteger: {
            SQLINTEGER v = 0;
            return ReadFixed(st, col, SQL_C_SLONG, v) ? Variant(static_cast<int32_t>(v))
                                                      : Variant::null();
        }
        case adBigInt: {
            SQLBIGINT v = 0;
            if (!ReadFixed(st, col, SQL_C_SBIGINT, v)) return Variant::null();
            if (v >= INT32_MIN && v <= INT32_MAX) return Variant(static_cast<int32_t>(v));
            return Variant(static_cast<double>(v));
        }
        case adDouble: {
            SQLDOUBLE v = 0;
            return ReadFixed(st, col, SQL_C_DOUBLE, v) ? Variant(static_cast<double>(v))
                                                       : Variant::null();
        }
        case adDate: {
            SQL_TIMESTAMP_STRUCT ts{};
            if (!ReadFixed(st, col, SQL_C_TYPE_TIMESTAMP, ts)) return Variant::null();
            return Variant(Date{ts.year, ts.month, ts.day, ts.hour, ts.minute, ts.second});
        }
        default:
            return ReadText(st, col);
    }
}

// The statement with each marker ":name" turned into ODBC's "?". The
// library's own statements hold no ":" inside a literal.
std::string PositionalMarkers(const std::string& sql) {
    std::string out;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        if (sql[i] == ':' && i + 1 < sql.size() &&
            (std::isalpha(static_cast<unsigned char>(sql[i + 1])) || sql[i + 1] == '_')) {
            out += '?';
            while (i + 1 < sql.size() &&
                   (std::isalnum(static_cast<unsigned char>(sql[i + 1])) || sql[i + 1] == '_'))
                ++i;
        } else {
            out += sql[i];
        }
    }
    return out;
}

RecordsetPtr Fetch(const Statement& st, SQLRETURN rc) {
    // SQL_NO_DATA: a statement that changed no row.
    if (rc != SQL_NO_DATA) st.check(rc, "executing the statement");

    const std::vector<Column> columns = Describe(st);
    auto rs = std::make_shared<Recordset>();
    for (const auto& c : columns) rs->appendField(c.name, c.type);
    rs->open();
    if (columns.empty()) return rs;
    for (;;) {
        rc = SQLFetch(st.get());
        if (rc == SQL_NO_DATA) break;
        st.check(rc, "fetching a row");
        std::vector<Variant> values;
        values.reserve(columns.size());
        for (std::size_t i = 0; i < columns.size(); ++i)
            values.push_back(ReadValue(st, static_cast<SQLUSMALLINT>(i + 1), columns[i].type));
        rs->appendRow(std::move(values));
    }
    return rs;
}

}  // namespace

RecordsetPtr RunOdbcQuery(soci::session& session, const std::string& sql) {
    auto* backend = static_cast<soci::odbc_session_backend*>(session.get_backend());
    Statement st(backend->hdbc_);
    SQLRETURN rc =
        SQLExecDirect(st.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())),
                      static_cast<SQLINTEGER>(sql.size()));
    return Fetch(st, rc);
}

RecordsetPtr RunOdbcQuery(soci::session& session, const std::string& sql,
                          const std::vector<QueryParam>& params) {
    auto* backend = static_cast<soci::odbc_session_backend*>(session.get_backend());
    Statement st(backend->hdbc_);
    std::string text = PositionalMarkers(sql);
    st.check(SQLPrepare(st.get(), reinterpret_cast<SQLCHAR*>(text.data()),
                        static_cast<SQLINTEGER>(text.size())),
             "preparing the statement");
    // The bound buffers must stay put until the statement has run.
    std::vector<QueryParam> values = params;
    std::vector<SQLLEN> lengths(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto number = static_cast<SQLUSMALLINT>(i + 1);
        if (auto* n = std::get_if<int32_t>(&values[i])) {
            lengths[i] = 0;
            st.check(SQLBindParameter(st.get(), number, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER,
                                      0, 0, n, 0, &lengths[i]),
                     "binding a value");
        } else {
            auto& text = std::get<std::string>(values[i]);
            lengths[i] = static_cast<SQLLEN>(text.size());
            st.check(SQLBindParameter(st.get(), number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                      text.empty() ? 1 : text.size(), 0, text.data(), lengths[i],
                                      &lengths[i]),
                     "binding a value");
        }
    }
    return Fetch(st, SQLExecute(st.get()));
}

}  // namespace qelt::host
