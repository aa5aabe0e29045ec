#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "dialog/scheme_steps.h"
#include "qelt/host/components.h"
#include "qelt/recordset.h"

namespace qelt::dialog {
class frmFilter;
}

namespace qelt::schemes {

// The filter dialog's schemes: the scheme list with its toolbar (save,
// delete, clear, view), the scheme the dialog starts from, applying a
// scheme when it is clicked, and keeping the settings as the scheme in use
// on OK. Every write goes through the scheme store component; the dialog's
// state travels as the entries of scheme_entries.h.
class SchemePanel final : public dialog::SchemeSteps {
public:
    // The default scheme, which every kind of list has and no one deletes.
    static constexpr const char* kDefaultSchemeName = host::kDefaultSchemeName;

    // Wires the dialog's scheme list and toolbar and becomes the dialog's
    // scheme steps; must outlive the dialog's use.
    explicit SchemePanel(dialog::frmFilter& dialog);
    ~SchemePanel() override;
    SchemePanel(const SchemePanel&) = delete;
    SchemePanel& operator=(const SchemePanel&) = delete;

    std::optional<std::string> loadList() override;
    void applyStart() override;
    void showDefaultOnly() override;
    Outcome saveOnOk() override;
    int32_t schemeId() const override { return schemeId_; }

    // The scheme key of the list (computed when the list loads) and the
    // name of the scheme in use.
    const std::string& schemeKey() const { return schemeKey_; }
    const std::string& schemeName() const { return schemeName_; }

private:
    dialog::frmFilter& d_;
    std::string schemeKey_;
    int32_t schemeId_ = 0;
    std::string schemeName_;
    int16_t shareFlag_ = 0;
    // The user's own scheme in use when the list loaded (0 for none).
    int32_t inUseSchemeId_ = 0;
    // The scheme applied last and its content right after applying, to tell
    // whether the person changed it.
    int32_t appliedSchemeId_ = 0;
    std::string appliedContent_;

    RecordsetPtr loadStoredSchemes();
    // The list id of the scheme to start from (that in use, else the first).
    std::string chooseInitialScheme(Recordset& schemes);
    void itemClicked(const std::string& key);
    void toolbarClicked(const std::string& key);
    void menuClicked(const std::string& key, int index);
    Outcome save(bool ask, int mark);
    // False (the person told why, when there is a why) when the selected
    // scheme is another user's; else takes its share flag.
    bool ownSelection(bool ask);
    // False when the person stops at the column-count warning.
    bool columnCountAccepted();
    // The name to save under, from the selection or asked for, and the id
    // of a scheme of that name to overwrite; false when the save stops.
    bool chooseName(bool ask, std::string& name, int32_t& saveId);
    bool askName(std::string& name, int32_t& saveId);
    // Saves the current state under `name`; the stored head, or raises Error.
    RecordsetPtr store(const std::string& name, int mark, int32_t schemeId);
    void remove();
    void clear();
    // The current state as one text, for comparing contents.
    std::string content();
    // The owner's name of a stored scheme; empty for none.
    std::string owner(int32_t schemeId);
    int32_t selectedSchemeId() const;
    std::string selectedSchemeText() const;
};

}  // namespace qelt::schemes
