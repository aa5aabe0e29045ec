#pragma once

#include <memory>
#include <string>
#include <vector>

#include "qelt/recordset.h"

namespace qelt::testing {

// The visible rows of a set from its first row on, one line per row with the
// values separated by "|" ("<null>" for Null). Leaves the cursor at EOF.
inline std::string Dump(Recordset& rs) {
    std::string out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        for (std::size_t i = 0; i < rs.fieldCount(); ++i) {
            if (i > 0) out += "|";
            out += rs.value(i).toString("<null>");
        }
        out += "\n";
    }
    return out;
}

// Key (integer), Name (text), Amount (double), Flag (boolean).
inline std::shared_ptr<Recordset> MakePeople(const std::vector<std::vector<Variant>>& rows) {
    auto rs = std::make_shared<Recordset>();
    rs->appendField("Key", adInteger);
    rs->appendField("Name", adVarWChar, 50);
    rs->appendField("Amount", adDouble);
    rs->appendField("Flag", adBoolean);
    rs->setCursorLocation(3);
    rs->open();
    for (const auto& row : rows) rs->appendRow(row);
    return rs;
}

inline std::shared_ptr<Recordset> MakeSample() {
    return MakePeople({
        {1, "Anna", 10.5, true},
        {2, "bob", 20.0, false},
        {3, "O'Neil", 10.5, true},
        {4, "ANNA", Variant::null(), false},
        {5, Variant::null(), 7.0, Variant::null()},
    });
}

}  // namespace qelt::testing
