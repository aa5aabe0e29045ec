#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
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

struct QELT_EXPORT FieldInfo {
    std::string name;
    int32_t type = adVarWChar;
    int32_t definedSize = 0;
    int32_t attributes = -1;
};

namespace detail {
struct RecordsetStore;
struct FilterExpr;
}  // namespace detail

// An in-memory table with a cursor, the shape every query result takes.
//
// Rows are shared between a record set and its clones: a row added or deleted
// through one is seen by all. Each record set has its own cursor, filter and
// sort. A filter is a conjunction of terms `column = value` or
// `column <> value`, where the value is a number or a text in single quotes
// (two quotes inside stand for one), joined by " AND " (any case); column
// names and text values compare ignoring ASCII case. A malformed filter
// raises Error and leaves the previous filter in place.
//
// Walking: an empty view has bof() and eof() both true. Reading a field when
// the cursor is on no row raises Error, as does naming an unknown column.
class QELT_EXPORT Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // --- definition (before open) -------------------------------------------
    void appendField(const std::string& name, int32_t type, int32_t definedSize = 0,
                     int32_t attributes = -1);
    void setCursorLocation(int32_t location) { cursorLocation_ = location; }
    int32_t cursorLocation() const { return cursorLocation_; }
    // Opens the (empty) in-memory set from the appended fields.
    void open();
    bool isOpen() const { return open_; }
    // Ends use of the set; any further access raises Error.
    void close();
    // Drops the link to the connection that produced the set. Results are
    // always materialised, so this only records that the set is detached.
    void detach() { detached_ = true; }
    bool isDetached() const { return detached_; }

    // --- fields ---------------------------------------------------------------
    std::size_t fieldCount() const;
    const FieldInfo& field(std::size_t index) const;
    // Index of a column, ignoring case; -1 when absent.
    int fieldIndex(const std::string& name) const;

    // --- values in the current row -------------------------------------------
    const Variant& value(const std::string& name) const;
    const Variant& value(std::size_t index) const;
    void setValue(const std::string& name, const Variant& v);
    void setValue(std::size_t index, const Variant& v);

    // --- rows -----------------------------------------------------------------
    // Appends an empty row and makes it current (it is part of the set at once).
    void addNew();
    // Appends a whole row (values in field order) without moving the cursor.
    void appendRow(std::vector<Variant> values);
    void update() {}
    void updateBatch() {}
    // Removes the current row from the set (for every holder); the cursor
    // stays at the same position, which now shows the next row.
    void deleteCurrent();

    // --- walking --------------------------------------------------------------
    bool bof() const;
    bool eof() const;
    void moveFirst();
    void moveNext();
    void move(long n);
    // Rows visible through the current filter.
    long recordCount() const;

    const std::string& filter() const { return filterText_; }
    // Applies a filter and moves to the first matching row; "" removes it.
    void setFilter(const std::string& criteria);
    const std::string& sort() const { return sortText_; }
    // "Col ASC" / "Col DESC", several keys separated by ","; "" removes it.
    void setSort(const std::string& sort);

    // A second cursor over the same rows, with no filter and no sort.
    std::shared_ptr<Recordset> clone() const;
    // A new, independent in-memory copy: same fields (double and numeric
    // fields become double), every row of the source regardless of its
    // filter, positioned on the first row.
    static std::shared_ptr<Recordset> copyOf(const Recordset& source);

private:
    void rebuildView();
    void checkOpen() const;
    void checkRow() const;

    std::shared_ptr<detail::RecordsetStore> store_;
    std::shared_ptr<detail::FilterExpr> filterExpr_;
    std::vector<std::size_t> view_;  // store row slots visible through filter and sort
    long pos_ = 0;                   // index into view_; view_.size() means EOF
    bool bofFlag_ = true;
    std::string filterText_;
    std::string sortText_;
    int32_t cursorLocation_ = 2;
    bool open_ = false;
    bool detached_ = false;
};

using RecordsetPtr = std::shared_ptr<Recordset>;

}  // namespace qelt
