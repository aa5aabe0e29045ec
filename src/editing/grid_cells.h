#pragma once

#include <string>

#include "qelt/ui/grid.h"

// Cell set-ups the editing rules repeat on the dialog's grids.
namespace qelt::editing::cells {

// How many items a pick list shows when it drops down.
inline constexpr int kVisibleItems = 10;

// A drop-down list of TAB-separated items; the cell keeps its text (and so
// selects the matching item, or none).
inline void MakeList(ui::Grid& grid, int row, int col, const std::string& items) {
    grid.setCellType(row, col, ui::CellType::ComboBox);
    grid.setComboList(row, col, items);
    grid.setComboMaxDrop(row, col, kVisibleItems);
}

inline void SetStatic(ui::Grid& grid, int row, int col, const std::string& text) {
    grid.setCellType(row, col, ui::CellType::Static);
    grid.setText(row, col, text);
}

inline void SetEdit(ui::Grid& grid, int row, int col, const std::string& text) {
    grid.setCellType(row, col, ui::CellType::Edit);
    grid.setText(row, col, text);
}

// A centred check box, ticked or not.
inline void SetCheck(ui::Grid& grid, int row, int col, bool ticked) {
    grid.setCellType(row, col, ui::CellType::CheckBox);
    grid.setCheckAlign(row, col, ui::CheckAlign::Center);
    grid.setText(row, col, ticked ? "1" : "0");
}

}  // namespace qelt::editing::cells
