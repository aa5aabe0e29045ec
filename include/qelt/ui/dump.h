#pragma once

#include <string>

#include "qelt/export.h"
#include "qelt/ui/control.h"

namespace qelt::ui {

// The whole state of a control as readable text, so one comparison checks it
// all. The format is stable; every line ends with a line break (`\n`).
//
// First line: the kind, the name, the kind's main state, then
// ` tip="tool tip"` when there is one, ` hidden` and ` disabled` when so.
// Texts are written in double quotes, where a backslash, a double quote, a
// TAB and a line break are written as a backslash followed by the backslash,
// the double quote, `t` and `n`.
//
// ```
// Label lblPost "caption"
// Frame framePlanOrder "caption"
// CommandButton cmdOk "确定(&O)"
// CheckBox chkPlan "caption" value=1
// TextBox txtRunNoFrom "text" max=20              (max= only when limited)
// ComboBox cboCheck index=1                        then one line per item:
//   0 "全部"                                        '*' instead of the first
// * 1 "已审核"                                      blank marks the selection
// ListBox listOrderFields index=-1                 items as for ComboBox
// ListView lvwProject view=3 selected="P0000"
//   columns "方案"
// * P0000 "默认方案" icon=1 small=5               one line per item
// Toolbar tlbProject                               one line per button:
//   TLBVIEW "查看" disabled hidden tag="2" menu "a" "b"
// TabControl SSTab1 current=0                      one line per tab:
// * 0 "条件"                                       (disabled / hidden after)
// ```
//
// A grid:
//
// ```
// Grid VpFilter rows=2 cols=3 active=1,2 editing noredraw hidden-cols=2,3
//   0: "逻辑" | "(" | "名称"
//   1: C!L1@-1 "" | E<=200 "x" | N(0..99.5/2) "1.5"
//   2: X^ "1" | S{TooltipBackground/WindowText} "" | D ""
//   L1: "并且" "或者"
// ```
//
// Row 0 holds the header texts. Each data cell is its type letter (S Static,
// E Edit, C ComboBox, X CheckBox, N Number, D Date), then `!` when locked,
// then for a combo cell `L<n>@<index>` (its list, numbered in order of
// first use, and its selection) with `/<maxDrop>` when set, for an edit cell
// `<=<maxLength>` when limited, for a number cell `(min..max/decimals)`, for
// a check-box cell `^` centred or `>` right-aligned, and
// `{<back>/<fore>}` when a colour is not the default; then a blank and the
// quoted text. The lists follow the rows. ` editing` and ` noredraw` appear
// when edit mode is on or drawing is suspended.
QELT_EXPORT std::string Dump(const Control& control);

}  // namespace qelt::ui
