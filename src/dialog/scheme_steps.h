#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qelt::dialog {

// The steps of the dialog's lifecycle that belong to its filter schemes.
// The scheme layer sits above the dialog and implements them; a dialog
// without them keeps no schemes (it opens with the types' defaults and
// saves nothing on OK).
class SchemeSteps {
public:
    virtual ~SchemeSteps() = default;

    // Lists the user's schemes of the list, creating the default scheme on
    // the list's first opening. The list id of the transaction type the
    // dialog starts with (that of the scheme in use, else of the first
    // scheme), or nothing when the list has no scheme.
    virtual std::optional<std::string> loadList() = 0;
    // Applies the scheme the dialog starts from (a list shown with a free
    // status).
    virtual void applyStart() = 0;
    // Offers the default scheme alone, without the toolbar (a list the host
    // shows with status 4 or 6).
    virtual void showDefaultOnly() = 0;

    enum class Outcome {
        Saved,     // the settings are the scheme in use
        NotSaved,  // nothing to keep, or a refusal the person was told of
        KeepOpen,  // the person stopped OK at a question
    };
    // Keeps the settings as the scheme in use when OK is accepted.
    virtual Outcome saveOnOk() = 0;

    // The scheme in use.
    virtual int32_t schemeId() const = 0;
};

}  // namespace qelt::dialog
