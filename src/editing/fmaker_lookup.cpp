#include "editing/fmaker.h"
#include "editing/grid_columns.h"
#include "editing/value_lookup.h"
#include "qelt/ui/controls.h"
#include "qelt/ui/grid.h"
#include "support/shared_settings.h"

namespace qelt::editing {

void FMaker::KeyForHelpWin(int32_t Row, int16_t /*OptID*/, int32_t* m_ListID) {
    if (!conditionGrid_) return;
    const int index = conditionGrid_->comboIndex(Row, ConditionCol::Field);
    if (index <= 0 || index >= static_cast<int>(fields_.size())) return;
    const clsChatTitle& entry = fields_[static_cast<size_t>(index)];
    const LookupField field{entry.LookUpClsID, entry.RetDataType, entry.FieldName};
    const int32_t listId = m_ListID ? *m_ListID : MyListID;
    editing::KeyForHelpWin(field, *conditionGrid_, Row, listId, support::Shared().BaseInfo,
                           SystemName);
}

void FMaker::ConditionKeyDown(int keyCode, int32_t listId) {
    if (!conditionGrid_ || keyCode != ui::kKeyF7) return;
    if (conditionGrid_->activeCol() != ConditionCol::Value) return;
    KeyForHelpWin(conditionGrid_->activeRow(), 1, &listId);
}

}  // namespace qelt::editing
