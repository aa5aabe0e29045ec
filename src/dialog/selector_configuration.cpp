#include <map>
#include <string>

#include "dialog/frm_filter.h"
#include "host/prog_ids.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "support/language.h"

namespace qelt::dialog {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kTable = "ICListFilter";
// VB's "Invalid use of Null", raised for a configuration value that must be set.
constexpr int kInvalidUseOfNull = 94;

struct Selector {
    const char* name;
    ui::ComboBox& combo;
    ui::Label& label;
};

std::string Column(const Selector& s, const char* suffix) {
    return std::string("F") + s.name + suffix;
}

// The text of a column that must hold one, naming the column when it is NULL.
std::string RequiredText(const Recordset& rs, const std::string& column) {
    const Variant& v = rs.value(column);
    if (v.isNull()) throw Error(kInvalidUseOfNull, kTable, "Invalid use of Null: " + column);
    return v.toString();
}

// Visible and Enable: only an explicit 0 turns the selector off.
bool Flag(const Recordset& rs, const std::string& column) {
    const Variant& v = rs.value(column);
    return v.isNull() || v.isEmpty() || v.toLong() != 0;
}

// The items of a list text "a;b;c": up to the first part that is blank.
void LoadItems(ui::ComboBox& combo, const std::string& list) {
    combo.clear();
    for (int n = 1;; ++n) {
        const std::string part = text::Piece(list, n, ";", false);
        if (text::IsBlank(part)) break;
        combo.addItem(part);
    }
}

}  // namespace

void frmFilter::ConfigureSelectors(int32_t listId, int32_t destBillTranType, int32_t listShowStatus,
                                   int32_t billROB, int32_t checkSwitch) {
    const Selector selectors[] = {
        {"CboTime", cboTime, lblTime},       {"CboCheck", cboCheck, lblCheck},
        {"CboCancel", cboCancel, lblCancel}, {"CboKickBack", cboKickBack, lblKickBack},
        {"CboROB", cboROB, lblROB},          {"CboPost", cboPost, lblPost},
        {"CboICMO", cboICMO, lblICMO},       {"CboConnect", cboConnect, lblConnect},
    };
    // Captions and item lists are read from the column of the user's language.
    std::map<std::string, std::string> languageColumn;
    for (const Selector& s : selectors)
        for (const char* suffix : {"Caption", "List"})
            languageColumn[Column(s, suffix)] = support::LanguageColumn(Column(s, suffix));

    const std::string sql = std::string("SELECT * FROM ICListFilter ") + kCrLf +
                            "WHERE FListID = " + text::Num(listId) +
                            " And FListShowStatus = " + text::Num(listShowStatus) + kCrLf +
                            " AND FDestBillTranType=" + text::Num(destBillTranType) +
                            " AND FBillROB=" + text::Num(billROB) + kCrLf +
                            " AND FCheckSwitch=" + text::Num(checkSwitch);
    auto connection = host::Create<host::IAppConnection>(host::progid::kAppConnection);
    RecordsetPtr rs = connection->Execute(sql);
    if (!rs || (rs->bof() && rs->eof())) return;
    rs->moveFirst();

    for (const Selector& s : selectors) {
        if (!Flag(*rs, Column(s, "Visible"))) {
            s.combo.setVisible(false);
            s.label.setVisible(false);
            continue;
        }
        s.label.setVisible(true);
        s.label.setCaption(RequiredText(*rs, languageColumn[Column(s, "Caption")]));
        s.combo.setVisible(true);
        LoadItems(s.combo, RequiredText(*rs, languageColumn[Column(s, "List")]));
        const std::string valueColumn = Column(s, "Value");
        if (rs->value(valueColumn).isNull())
            throw Error(kInvalidUseOfNull, kTable, "Invalid use of Null: " + valueColumn);
        // An index beyond the loaded items raises the box's own error.
        s.combo.setListIndex(rs->value(valueColumn).toLong());
        s.combo.setEnabled(Flag(*rs, Column(s, "Enable")));
    }
    rs->close();
}

}  // namespace qelt::dialog
