#pragma once

#include <QKeyEvent>

#include "qelt/ui/controls.h"

namespace qelt::qt {

// The key code the control models expect for a Qt key event (the codes of
// qelt/ui/controls.h), or 0 for keys the models do not take as key-downs.
inline int FormKeyCode(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return ui::kKeyEnter;
        case Qt::Key_Escape:
            return ui::kKeyEscape;
        case Qt::Key_Delete:
            return ui::kKeyDelete;
        case Qt::Key_F7:
            return ui::kKeyF7;
        case Qt::Key_Backspace:
            return ui::kKeyBackspace;
        default:
            return 0;
    }
}

// The shift state of the models: 1 Shift, 2 Ctrl, 4 Alt.
inline int FormShift(const QKeyEvent& event) {
    int shift = 0;
    if (event.modifiers() & Qt::ShiftModifier) shift |= 1;
    if (event.modifiers() & Qt::ControlModifier) shift |= 2;
    if (event.modifiers() & Qt::AltModifier) shift |= 4;
    return shift;
}

}  // namespace qelt::qt
