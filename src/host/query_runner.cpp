#include <soci/soci.h>

#include <typeinfo>
#include <vector>

#include "host/database_error.h"
#include "host/db_session.h"
#include "host/field_types.h"
#include "host/odbc_query.h"

namespace qelt::host {

namespace {

constexpr const char* kOdbcBackend = "odbc";

RecordsetPtr RunSociQuery(soci::session& session, const std::string& sql) {
    auto rs = std::make_shared<Recordset>();
    soci::row row;
    soci::statement st = (session.prepare << sql, soci::into(row));
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

}  // namespace

// The one place where the database's own errors become the library's, with
// the statement added.
RecordsetPtr RunQuery(soci::session& session, const std::string& sql) {
    RecordsetPtr rs;
    try {
        if (session.get_backend_name() == kOdbcBackend)
            rs = RunOdbcQuery(session, sql);
        else
            rs = RunSociQuery(session, sql);
    } catch (const soci::soci_error& e) {
        throw StatementError(e.get_error_message(), sql);
    } catch (const std::bad_cast&) {
        throw StatementError("A column of the result has a type the library cannot read", sql);
    }
    if (rs->recordCount() > 0) rs->moveFirst();
    return rs;
}

RecordsetPtr RunQuery(const std::string& sql) {
    return RunQuery(SessionDatabase(), sql);
}

}  // namespace qelt::host
