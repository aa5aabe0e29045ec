#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "qelt/export.h"
#include "qelt/variant.h"

namespace qelt {

// Field type codes of a record set (the codes the host environment used).
enum FieldType : int32_t {
    adSmallInt = 2,
    adInteger = 3,
    adDouble = 5,
    adDate = 7,
    adBoolean = 11,
    adBigInt = 20,
    adNumeric = 131,
    adVarChar = 200,
    adVarWChar = 202,
};

// A field (column) of a record set as appendField defined it.
struct QELT_EXPORT FieldInfo {
    std::string name;           // the column name
    int32_t type = adVarWChar;  // a DataType code
    int32_t definedSize = 0;    // the declared size, 0 when none
    int32_t attributes = -1;    // the host environment's attribute bits, -1 when unset
};

// An in-memory table with a cursor, the shape every query result takes.
//
// Rows are shared between a record set and its clones: a row added or deleted
// through one is seen by all (another holder's cursor stays on its row, or
// moves to the next surviving one when its row was deleted). Each record set
// has its own cursor, filter and sort.
//
// A filter is a conjunction of terms `column = value` or `column <> value`,
// where the value is a number or a text in single quotes (two quotes inside
// stand for one), joined by AND in any case; blanks around tokens are
// ignored; a column name may be written in [brackets]. Column names and text
// values compare ignoring ASCII case. A number compares numerically with a
// numeric field and with a text field whose text reads as a number; a quoted
// text compares with a numeric field when it reads as a number (a boolean
// field also takes 'True'/'False'), with a date field when it reads as a date
// (Date::parse). A Null field equals nothing, so `<>` matches it, as it
// matches every value that cannot be compared with the literal. Malformed
// criteria or an unknown column raise Error 3001 (source "Recordset") and
// leave the previous filter in place.
//
// Values take the type of their field when stored (a text "7" in an
// adInteger field becomes the number 7; Empty becomes Null); a value that
// cannot be converted raises Error 0x80040E21 and is not stored.
//
// Walking: an empty view has bof() and eof() both true. Reading a field when
// the cursor is on no row raises Error 3021, naming an unknown column Error
// 3265, any use of a set that is not open Error 3704.
class QELT_EXPORT Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // --- definition (before open) -------------------------------------------
    // Raises Error on an open set. Equal names are allowed; look-ups find the
    // first.
    void appendField(const std::string& name, int32_t type, int32_t definedSize = 0,
                     int32_t attributes = -1);
    // The host environment's cursor location code: 2 server-side (the
    // default), 3 client-side. Recorded only; every set lives in memory.
    void setCursorLocation(int32_t location);
    // The cursor location code last set.
    int32_t cursorLocation() const;
    // Opens the (empty) in-memory set from the appended fields; raises Error
    // when already open.
    void open();
    // Whether the set is open.
    bool isOpen() const;
    // Ends use of the set; any further access raises Error. Clones keep the
    // rows. A closed set can be opened again, empty, with the same fields.
    void close();
    // Drops the link to the connection that produced the set. Results are
    // always materialised, so this only records that the set is detached.
    void detach();
    // Whether detach() was called.
    bool isDetached() const;

    // --- fields ---------------------------------------------------------------
    // The number of fields.
    std::size_t fieldCount() const;
    // The field at a 0-based position; raises Error when out of range.
    const FieldInfo& field(std::size_t index) const;
    // Index of a column, ignoring case; -1 when absent.
    int fieldIndex(const std::string& name) const;

    // --- values in the current row -------------------------------------------
    // The value of a field (by name, ignoring case, or 0-based position) in
    // the current row.
    // @{
    const Variant& value(const std::string& name) const;
    const Variant& value(std::size_t index) const;
    // @}
    // Every value of the current row, in field order: a loop that reads
    // many fields of each row spares the checks of a read per field. Raises
    // as value() does; the span stays valid while the set is open.
    std::span<const Variant> currentRow() const;
    // Stores a value, converted to the field's type, in the current row.
    // @{
    void setValue(const std::string& name, const Variant& v);
    void setValue(std::size_t index, const Variant& v);
    // @}

    // --- rows -----------------------------------------------------------------
    // Appends a row of Nulls and makes it current (it is part of the set at
    // once). The row shows at the end of this set's view whatever its filter
    // and sort, until the filter or sort is next set.
    void addNew();
    // Appends a whole row (values in field order; missing trailing values are
    // Null, more values than fields raise Error). The cursor stays on its
    // row, or at EOF; when the view was empty it comes to rest on the first
    // row, so a set filled this way reads like a fresh query result. The row
    // joins this set's view only when it passes the filter, at its sorted
    // place.
    void appendRow(std::vector<Variant> values);
    // Nothing to do: values are part of the set once stored. Kept for code
    // written against the host environment's record sets.
    // @{
    void update() {}
    void updateBatch() {}
    // @}
    // Removes the current row from the set (for every holder); the cursor
    // stays at the same position, which now shows the next row.
    void deleteCurrent();

    // --- walking --------------------------------------------------------------
    // Whether the cursor is before the first row of the view.
    bool bof() const;
    // Whether the cursor is after the last row of the view.
    bool eof() const;
    // Moves to the first row of the view (EOF when it is empty).
    void moveFirst();
    // Raises Error at EOF.
    void moveNext();
    // Relative move; going past either end stops at BOF or EOF. Raises Error
    // when moving forward from EOF or backward from BOF.
    void move(long n);
    // Rows visible through the current filter.
    long recordCount() const;

    // The filter text last applied ("" for none).
    const std::string& filter() const;
    // Applies a filter and moves to the first matching row; "" removes it.
    void setFilter(const std::string& criteria);
    // The sort text last applied ("" for none).
    const std::string& sort() const;
    // "Col ASC" / "Col DESC" (ASC when omitted), several keys separated by
    // ","; "" removes it. The sort is stable; Null sorts before every value
    // (first ascending, last descending); numbers compare numerically and
    // texts ignoring ASCII case. Moves to the first row. Malformed text or an
    // unknown column raise Error 3001 and keep the previous sort.
    void setSort(const std::string& sort);

    // A second cursor over the same rows, with no filter and no sort,
    // positioned on the first row.
    std::shared_ptr<Recordset> clone() const;
    // A new, independent in-memory copy with a client-side cursor: same fields
    // (double and numeric fields become double with the same size and
    // attributes), every row of the source regardless of its filter (in the
    // source's sort order, deleted rows excepted), no filter or sort of its
    // own, positioned on the first row. The source is not changed.
    static std::shared_ptr<Recordset> copyOf(const Recordset& source);

private:
    // Cursor, filter, sort and the shared rows.
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// How record sets are handed around: a result outlives its connection.
using RecordsetPtr = std::shared_ptr<Recordset>;

}  // namespace qelt
