#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/raised.h"
#include "qelt/recordset.h"

namespace qelt::testing {

// The visible rows of a set from its first row on, rows separated by "," and
// the first `columns` values of a row by "|" ("<null>" for Null). Leaves the
// cursor at EOF.
inline std::string Dump(Recordset& rs, std::size_t columns = 1) {
    std::string out;
    for (rs.moveFirst(); !rs.eof(); out += ",", rs.moveNext())
        for (std::size_t i = 0; i < columns && i < rs.fieldCount(); ++i)
            out += (i > 0 ? "|" : "") + rs.value(i).toString("<null>");
    if (!out.empty()) out.pop_back();
    return out;
}

// An open in-memory set of the given fields holding `rows`.
inline std::shared_ptr<Recordset> MakeTable(const std::vector<FieldInfo>& fields,
                                            const std::vector<std::vector<Variant>>& rows) {
    auto rs = std::make_shared<Recordset>();
    for (const auto& f : fields) rs->appendField(f.name, f.type, f.definedSize, f.attributes);
    rs->open();
    for (const auto& row : rows) rs->appendRow(row);
    return rs;
}

// Key (integer), Name (text), Amount (double), Flag (boolean); the sample rows
// are the ones the record-set tests' expectations refer to.
inline std::shared_ptr<Recordset> MakeSample(const std::vector<std::vector<Variant>>& rows = {
                                                 {1, "Anna", 10.5, true},
                                                 {2, "bob", 20.0, false},
                                                 {3, "O'Neil", 10.5, true},
                                                 {4, "ANNA", Variant::null(), false},
                                                 {5, Variant::null(), 7.0, Variant::null()}}) {
    return MakeTable(
        {{"Key", adInteger}, {"Name", adVarWChar}, {"Amount", adDouble}, {"Flag", adBoolean}},
        rows);
}

}  // namespace qelt::testing
