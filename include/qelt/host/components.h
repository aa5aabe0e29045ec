#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "qelt/error.h"
#include "qelt/export.h"
#include "qelt/host/messages.h"
#include "qelt/recordset.h"
#include "qelt/variant.h"

// Contracts of the host components the library creates by programmatic
// identifier. The library ships a working default for each; a host replaces
// one by registering its own factory under the same identifier.
namespace qelt::host {

class QELT_EXPORT Component {
public:
    virtual ~Component();
};

using ComponentFactory = std::function<std::shared_ptr<Component>()>;

// The object-creation service. Identifiers (qelt/host/prog_ids.h) match
// ignoring case. Registering replaces any earlier factory of that identifier
// (and drops a process-lived instance of it, so the next use creates the new
// one); an empty factory removes the identifier. A factory is called on the
// caller's thread each time an instance is needed and must return a non-null
// instance. Registrations last until the library's process state is reset
// (tests do that), which restores the defaults.
QELT_EXPORT void RegisterComponent(const std::string& progId, ComponentFactory factory);

// The source of the errors the object-creation service raises.
inline constexpr const char* kCreateObjectSource = "QeltHost.CreateObject";

// A new instance, owned by the caller (shared). Raises Error
// err::kCannotCreateObject for an unknown identifier or a factory that
// returns nothing.
QELT_EXPORT std::shared_ptr<Component> CreateObject(const std::string& progId);

// A new instance of the identifier as interface T. Raises Error as
// CreateObject does, and err::kInterfaceNotOffered when the component does
// not offer T.
template <class T>
std::shared_ptr<T> Create(const std::string& progId) {
    auto obj = std::dynamic_pointer_cast<T>(CreateObject(progId));
    if (!obj)
        throw Error(err::kInterfaceNotOffered, kCreateObjectSource,
                    "The object \"" + progId + "\" does not offer the expected interface");
    return obj;
}

// "QeltConnection.AppConnection": runs a statement on the session database
// and returns its result materialised, so it outlives the instance; the
// caller owns it. A failed statement raises Error (err::kDatabase) with the
// statement in its description. A host's component may return null for a
// statement without a result; the library reads that as no rows.
class QELT_EXPORT IAppConnection : public virtual Component {
public:
    virtual RecordsetPtr Execute(const std::string& sql) = 0;
    virtual RecordsetPtr getanyrecordset(const std::string& sql) = 0;
};

// "QeltEBCGLView.GLData": the ledger data object (lives for the process).
class QELT_EXPORT IGLData : public virtual Component {
public:
    virtual RecordsetPtr getanyrecordset(const std::string& sql) = 0;
    // Whether the user holds `right` on the rights object (type, number).
    virtual bool AccessCheck(int32_t objectType, int32_t objectNumber, int32_t right) = 0;
};

// "QeltMessage": one message box.
class QELT_EXPORT IMessageBox : public virtual Component {
public:
    virtual void setTitle(const std::string& title) = 0;
    virtual void addLine(const std::string& line) = 0;
    // One of the kIcon... values (qelt/host/messages.h).
    virtual void setIcon(int icon) = 0;
    // buttons: one of the kButtons... values. Returns the kAnswer... value of
    // the button chosen.
    virtual int show(int buttons, const std::string& helpFile, int helpContext) = 0;
};

// "QeltStrSplit": the index-th (1-based) piece of text between separators.
class QELT_EXPORT IStringSplitter : public virtual Component {
public:
    virtual std::string split(const std::string& text, int index, const std::string& separator) = 0;
};

// "QeltFramework.Utility"
class QELT_EXPORT IFrameworkUtility : public virtual Component {
public:
    virtual Variant nullToDefault(const Variant& value, const Variant& fallback) = 0;
    // Replaces %1, %2, ... with the arguments in order.
    virtual std::string formatMessage(const std::string& text,
                                      const std::vector<std::string>& args) = 0;
};

// "QeltPropsMgr.ShareProps"
class QELT_EXPORT IShareProps : public virtual Component {
public:
    virtual Variant GetProperty(int32_t& processId, const std::string& name) = 0;
};

// "QeltBillDataAccess.SysInfo": raises Error when the value cannot be read.
class QELT_EXPORT ISysInfo : public virtual Component {
public:
    virtual Variant GetSysValue(const std::string& propsString, const std::string& category,
                                const std::string& key) = 0;
};

// "Pemra.Reg": reads a registry-style value. Raises Error when absent.
class QELT_EXPORT IRegistry : public virtual Component {
public:
    virtual std::string GetKeyValue(const std::string& key, const std::string& valueName,
                                    const std::string& option) = 0;
};

// "QeltFrmRes.FrmResLoader" (lives for the process).
class QELT_EXPORT IFormResLoader : public virtual Component {
public:
    virtual void SetFrmFont(void* form, const std::string& language) = 0;
};

// "QeltResLoader.Loader" (lives for the process).
class QELT_EXPORT IResLoader : public virtual Component {
public:
    virtual std::string ResFileBaseName() const = 0;
    virtual void setResFileBaseName(const std::string& name) = 0;
    virtual std::string LanguageID() const = 0;
    virtual void setLanguageID(const std::string& id) = 0;
    virtual std::string LoadString2(const std::string& text) = 0;
};

// "QeltListServer.clsListServer"
class QELT_EXPORT IListServer : public virtual Component {
public:
    virtual bool GetCurPeriod(const std::string& propsString, int32_t& curYear, int32_t& curPeriod,
                              Date& startDate, Date& endDate) = 0;
    virtual std::string GetExtFilter(const std::string& propsString) = 0;
};

// "QeltCBSSystemData.AisInfo"
class QELT_EXPORT IAisInfo : public virtual Component {
public:
    virtual void setPropsString(const std::string& propsString) = 0;
    virtual int32_t CBGetPeriodCount() = 0;
    virtual int32_t CBGetCurrYear() = 0;
    virtual int32_t CBGetCurrPeriod() = 0;
    virtual Date GetPeriodDate(int32_t year, int32_t period) = 0;
};

// "QeltBillDataAccess.GetData"
class QELT_EXPORT IBillData : public virtual Component {
public:
    virtual RecordsetPtr ExecuteSQL(const std::string& propsString, const std::string& sql) = 0;
};

}  // namespace qelt::host
