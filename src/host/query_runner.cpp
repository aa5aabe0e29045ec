#include <soci/soci.h>

#include <typeinfo>
#include <variant>
#include <vector>

#include "host/database_error.h"
#include "host/db_session.h"
#include "host/field_types.h"
#include "host/odbc_query.h"

namespace qelt::host {

namespace {

constexpr const char* kOdbcBackend = "odbc";
constexpr const char* kSqliteBackend = "sqlite3";

// Binds the values to the statement's markers, from the vector's own
// elements, which outlive the statement.
void BindParams(soci::statement& st, std::vector<QueryParam>& params) {
    for (auto& p : params) {
        if (auto* n = std::get_if<int32_t>(&p))
            st.exchange(soci::use(*n));
        else
            st.exchange(soci::use(std::get<std::string>(p)));
    }
}

// SQLite: the columns as SOCI describes them for a dynamic row (SQLite's
// describing needs no bound values), each fetched into a buffer of its own
// type and moved into the set.
RecordsetPtr RunSqliteQuery(soci::session& session, const std::string& sql,
                            std::vector<QueryParam> params) {
    soci::statement st(session);
    BindParams(st, params);
    st.alloc();
    st.prepare(sql);

    auto rs = std::make_shared<Recordset>();
    soci::details::statement_backend& backend = *st.get_backend();
    const int columns = backend.prepare_for_describe();
    std::vector<ColumnReader> readers;
    readers.reserve(static_cast<std::size_t>(columns));
    for (int i = 1; i <= columns; ++i) {
        soci::data_type type = soci::dt_string;
        std::string name;
        backend.describe_column(i, type, name);
        rs->appendField(name, FieldTypeOf(type));
        readers.emplace_back(type);
    }
    for (ColumnReader& r : readers) r.bind(st);
    rs->open();

    st.define_and_bind();
    for (bool more = st.execute(true); more; more = st.fetch()) {
        std::vector<Variant> values;
        values.reserve(readers.size());
        for (ColumnReader& r : readers) values.push_back(r.take());
        rs->appendRow(std::move(values));
    }
    return rs;
}

// Any other backend SOCI loads: a dynamic row, which that backend describes
// with the values bound.
RecordsetPtr RunSociQuery(soci::session& session, const std::string& sql,
                          std::vector<QueryParam> params) {
    auto rs = std::make_shared<Recordset>();
    soci::row row;
    soci::statement st(session);
    st.exchange(soci::into(row));
    BindParams(st, params);
    st.alloc();
    st.prepare(sql);
    st.define_and_bind();
    bool more = st.execute(true);
    for (std::size_t i = 0; i < row.size(); ++i) {
        const auto& props = row.get_properties(i);
        rs->appendField(props.get_name(), FieldTypeOf(props.get_data_type()));
    }
    rs->open();
    while (more) {
        std::vector<Variant> values;
        values.reserve(row.size());
        for (std::size_t i = 0; i < row.size(); ++i) values.push_back(ValueAt(row, i));
        rs->appendRow(std::move(values));
        more = st.fetch();
    }
    return rs;
}

Error StatementError(const std::string& message, const std::string& sql) {
    return DatabaseError(message + " while executing \"" + sql + "\"");
}

// The one place where the database's own errors become the library's, with
// the statement added.
RecordsetPtr RunGuarded(soci::session& session, const std::string& sql,
                        const std::vector<QueryParam>& params) {
    RecordsetPtr rs;
    try {
        // Only a statement with parameters is prepared: a plain one runs as
        // written, whatever its text holds.
        const std::string backend = session.get_backend_name();
        if (backend == kSqliteBackend)
            rs = RunSqliteQuery(session, sql, params);
        else if (backend != kOdbcBackend)
            rs = RunSociQuery(session, sql, params);
        else if (params.empty())
            rs = RunOdbcQuery(session, sql);
        else
            rs = RunOdbcQuery(session, sql, params);
    } catch (const soci::soci_error& e) {
        throw StatementError(e.get_error_message(), sql);
    } catch (const std::bad_cast&) {
        throw StatementError("A column of the result has a type the library cannot read", sql);
    }
    if (rs->recordCount() > 0) rs->moveFirst();
    return rs;
}

}  // namespace

RecordsetPtr RunQuery(soci::session& session, const std::string& sql) {
    return RunGuarded(session, sql, {});
}

RecordsetPtr RunQuery(soci::session& session, const std::string& sql,
                      const std::vector<QueryParam>& params) {
    return RunGuarded(session, sql, params);
}

RecordsetPtr RunQuery(const std::string& sql) {
    return RunQuery(SessionDatabase(), sql);
}

}  // namespace qelt::host
