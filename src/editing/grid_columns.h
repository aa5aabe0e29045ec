#pragma once

#include <array>

// The columns of the filter dialog's three grids, numbered from 1 as the
// grids address them, with the header each shows, whether a person sees it
// and whether it is one of the wide columns that hold names and values.
// Every rule that reads or writes a grid cell names its column here.
namespace qelt::editing {

struct GridColumn {
    const char* header;
    bool hidden;  // a column the rules read and write, never shown
    bool wide;    // takes the width the narrow columns leave
};

// The condition grid VpFilter: one condition per row.
struct ConditionCol {
    enum : int {
        Logic = 1,  // "并且" or "或者"; locked on the first row
        Left,       // opening parentheses
        Field,      // the field's caption; its index is the field's in the catalogue
        Compare,    // the comparison word
        Code,       // the comparison's code, kept at the word's index
        Value,      // typed by the field's column type
        Right,      // closing parentheses
        FieldId,    // FInterID of the field
        FieldName,
        FieldAlias,
        TableName,
        TableAlias,
        Count = TableAlias
    };
};
inline constexpr std::array<GridColumn, ConditionCol::Count> kConditionColumns{{
    {"逻辑", false, false},
    {"(", false, false},
    {"名称", false, true},
    {"比较关系", false, false},
    {"比较关系对应的内码", true, false},
    {"数值", false, true},
    {")", false, false},
    {"FInterID", true, false},
    {"字段名", true, false},
    {"字段别名", true, false},
    {"表名", true, false},
    {"表别名", true, false},
}};

// The sort grid vsOrder: one sort key per filled row.
struct SortCol {
    enum : int {
        Caption = 1,
        Ascending,   // check box
        Descending,  // check box; exactly one of the two is ticked
        Alias,
        TableAlias,
        FieldName,
        TableName,
        Count = TableName
    };
};
inline constexpr std::array<GridColumn, SortCol::Count> kSortColumns{{
    {"排序字段", false, true},
    {"升序", false, false},
    {"降序", false, false},
    {"对应的数据库字段的别名", true, false},
    {"对应的数据库表的别名", true, false},
    {"字段名", true, false},
    {"库表名", true, false},
}};

// The column-settings grid vaHideColumn: one list column per row.
struct ColumnCol {
    enum : int {
        Caption = 1,
        SecondCaption,
        Shown,      // check box, centred
        Width,      // millimetres
        Index,      // display position
        Alignment,  // "默认", "靠左", "靠右", "居中"
        FieldName,
        Alias,
        TableName,
        TableAlias,
        Count = TableAlias
    };
};
inline constexpr std::array<GridColumn, ColumnCol::Count> kColumnColumns{{
    {"第一行标题", false, true},
    {"第二行标题", false, true},
    {"显示", false, false},
    {"宽度(毫米)", false, false},
    {"索引:主要是用来更新系统数据", true, false},
    {"对齐方式", false, false},
    {"对应的字段名", true, false},
    {"对应的字段的别名", true, false},
    {"对应的库表名", true, false},
    {"库表别名", true, false},
}};

// The alignment items of the column grid, in index order.
inline constexpr const char* kAlignmentList = "默认\t靠左\t靠右\t居中";

}  // namespace qelt::editing
