#pragma once

// Column type codes of the list templates (ICChatBillTitle.FColType) that
// more than one layer tells apart.
namespace qelt::tpl {

// Money columns (4, 5, 6, 11, 40): a list and its field catalogue leave them
// out when the user may not see money.
inline bool IsMoneyType(int colType) {
    return colType == 4 || colType == 5 || colType == 6 || colType == 11 || colType == 40;
}

}  // namespace qelt::tpl
