#pragma once

#include <gtest/gtest.h>

#include <string>

#include "common/raised.h"
#include "common/test_env.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/recordset.h"

namespace qelt::testing {

inline RecordsetPtr Query(const std::string& sql) {
    return host::Create<host::IAppConnection>(host::progid::kAppConnection)->Execute(sql);
}

// Fields with their type codes, then every row, one line each ("NULL" for
// Null); only the rows with withFields false.
inline std::string Dump(Recordset& rs, bool withFields = true) {
    std::string out;
    for (std::size_t i = 0; withFields && i < rs.fieldCount(); ++i)
        out += (i ? "|" : "") + rs.field(i).name + ":" + std::to_string(rs.field(i).type);
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        for (std::size_t i = 0; i < rs.fieldCount(); ++i)
            out += (i ? "|" : "\n") + rs.value(i).toString("NULL");
    return out;
}

inline std::string Repeat(const std::string& s, int n) {
    return n ? s + Repeat(s, n - 1) : "";
}

}  // namespace qelt::testing
