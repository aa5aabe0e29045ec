#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "qelt/export.h"
#include "qelt/variant.h"

// What a base-data look-up window lists, without the window. The class
// catalogue of the session database (t_ItemClass) says where the items of a
// class live; a search reads them. A front end draws the rows and lets the
// person choose one; every statement is written here, so the look-up's
// queries run and are tested without a display.
namespace qelt::host {

// Where the items of one base-data class live: one row of the class
// catalogue. Table and field names are the administrator's configuration and
// go into the statements as written (trimmed of blanks).
struct BaseTable {
    std::string caption;                  // FName, the class's name as stored
    std::string table;                    // FSQLTableName
    std::string keyField;                 // FKeyField
    std::string numberField = "FNumber";  // FNumberField; FNumber when blank
    std::string nameField = "FName";      // FNameField; FName when blank
};

// One item of a base table, its values as text (Null gives "").
struct LookupRow {
    Variant id;               // the key field's value; Empty when the table has no such field
    std::string number;       // the number field
    std::string name;         // the name field
    std::string shortNumber;  // FShortNumber; "" when the table has none
};

// What a search found.
struct LookupRows {
    // Whether the table has a short-number column (FShortNumber).
    bool hasShortNumbers = false;
    std::vector<LookupRow> rows;  // the items, ordered by number
};

// The queries of a look-up window on one base table. Each call creates the
// connection component ("QeltConnection.AppConnection"), runs one statement
// and drops it; the object keeps no connection and no rows, and what a call
// returns belongs to the caller. Nothing is cached: every call reads the
// database as it is then.
class QELT_EXPORT LookupQuery {
public:
    // The catalogue row of class `classId`, or nothing when the catalogue
    // has none or its table name is blank (classes the database keeps no
    // items for). Raises Error when the catalogue cannot be read.
    static std::optional<LookupQuery> ForClass(int32_t classId);

    // The queries on `table` as given; nothing is checked until a search.
    explicit LookupQuery(BaseTable table) : table_(std::move(table)) {}
    // The base table the queries read.
    const BaseTable& table() const { return table_; }

    // The items whose number or name contains `text` (every item for an
    // empty text), ordered by number; items marked deleted (a table with a
    // column FDeleted, rows where it is not 0) are left out. The text goes
    // into the statement between quotes through the library's quoting
    // helper, so a quote in it is searched for; `%` and `_` keep their LIKE
    // meaning. Raises Error (with the statement) when the table or its
    // fields do not exist or the database fails.
    LookupRows search(const std::string& text) const;

private:
    BaseTable table_;
};

}  // namespace qelt::host
