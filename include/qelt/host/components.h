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

// The base of every component: the registry hands out Component pointers,
// and a caller casts them to the interface it needs (Create).
class QELT_EXPORT Component {
public:
    virtual ~Component();
};

// Makes one instance of a component (RegisterComponent).
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
    // The same call under two names: the rows of `sql`.
    // @{
    virtual RecordsetPtr Execute(const std::string& sql) = 0;
    virtual RecordsetPtr getanyrecordset(const std::string& sql) = 0;
    // @}
};

// "QeltEBCGLView.GLData": the ledger data object (lives for the process).
class QELT_EXPORT IGLData : public virtual Component {
public:
    // The rows of `sql`, as IAppConnection gives them (the library reads
    // today's date through it: "Select getdate() ").
    virtual RecordsetPtr getanyrecordset(const std::string& sql) = 0;
    // Whether the user holds `right` on the rights object (type, number);
    // the library asks before it selects money columns. The default grants
    // every right.
    virtual bool AccessCheck(int32_t objectType, int32_t objectNumber, int32_t right) = 0;
};

// "QeltMessage": one message box.
class QELT_EXPORT IMessageBox : public virtual Component {
public:
    // The box's title (the default uses the library's own title when none
    // is set) and its lines, in the order added.
    // @{
    virtual void setTitle(const std::string& title) = 0;
    virtual void addLine(const std::string& line) = 0;
    // @}
    // One of the kIcon... values (qelt/host/messages.h).
    virtual void setIcon(int icon) = 0;
    // buttons: one of the kButtons... values. Returns the kAnswer... value of
    // the button chosen. The help file and context are passed as the host's
    // message boxes expect; the library passes none ("", -1). The default
    // hands the message to the message sink (SetMessageSink).
    virtual int show(int buttons, const std::string& helpFile, int helpContext) = 0;
};

// "QeltStrSplit": splits text for the host; the library itself does not
// call it.
class QELT_EXPORT IStringSplitter : public virtual Component {
public:
    // The index-th (1-based) piece of `text` between separators; empty when
    // there is no such piece.
    virtual std::string split(const std::string& text, int index, const std::string& separator) = 0;
};

// "QeltFramework.Utility": small helpers for the host; the library itself
// does not call it.
class QELT_EXPORT IFrameworkUtility : public virtual Component {
public:
    // `fallback` when `value` is Null, else `value`.
    virtual Variant nullToDefault(const Variant& value, const Variant& fallback) = 0;
    // Replaces `%1`, `%2`, ... with the arguments in order, in one pass (an
    // argument holding `%2` stays as it is); a number without an argument
    // stays in the text.
    virtual std::string formatMessage(const std::string& text,
                                      const std::vector<std::string>& args) = 0;
};

// "QeltPropsMgr.ShareProps": the logged-on user's shared properties.
class QELT_EXPORT IShareProps : public virtual Component {
public:
    // The property `name` of the host process `processId` (the library
    // passes its own); Empty when it is not set. The library asks for
    // "UserName" and "PropsString"; the default answers what
    // SetSharedProperty (or the environment) gave, for any process id.
    virtual Variant GetProperty(int32_t& processId, const std::string& name) = 0;
};

// "QeltBillDataAccess.SysInfo": system values.
class QELT_EXPORT ISysInfo : public virtual Component {
public:
    // The value of `key` in `category` for the user of the property string;
    // the default reads FValue of t_SystemProfile. Raises Error when the
    // value cannot be read (absent or Null).
    virtual Variant GetSysValue(const std::string& propsString, const std::string& category,
                                const std::string& key) = 0;
};

// "Pemra.Reg": registry-style values.
class QELT_EXPORT IRegistry : public virtual Component {
public:
    // The value `valueName` under `key`; raises Error when absent. The
    // library asks only for the installation folder ("Path" under its
    // product key), which the default answers from SetInstallPath.
    virtual std::string GetKeyValue(const std::string& key, const std::string& valueName,
                                    const std::string& option) = 0;
};

// "QeltFrmRes.FrmResLoader": form fonts (lives for the process).
class QELT_EXPORT IFormResLoader : public virtual Component {
public:
    // Sets the fonts of `form` (a ui::Form) for the language code
    // `language`. An Error leaves the form's own fonts; the default does
    // nothing.
    virtual void SetFrmFont(void* form, const std::string& language) = 0;
};

// "QeltResLoader.Loader": translations of the library's texts (lives for
// the process).
class QELT_EXPORT IResLoader : public virtual Component {
public:
    // The resource file the texts come from; the library sets its own
    // before it loads a text.
    // @{
    virtual std::string ResFileBaseName() const = 0;
    virtual void setResFileBaseName(const std::string& name) = 0;
    // @}
    // The language the texts are loaded for.
    // @{
    virtual std::string LanguageID() const = 0;
    virtual void setLanguageID(const std::string& id) = 0;
    // @}
    // The translation of `text`; the default, which has no resource files,
    // returns the text trimmed of blanks.
    virtual std::string LoadString2(const std::string& text) = 0;
};

// "QeltListServer.clsListServer": the accounting calendar and list
// conditions of the host's list server.
class QELT_EXPORT IListServer : public virtual Component {
public:
    // The current accounting year and period with the period's first and
    // last day; false, the arguments unchanged, when they are unknown. The
    // default reads the system options "CurrentYear" and "CurrentPeriod"
    // (category "IC") and the period's row of t_PeriodDate.
    virtual bool GetCurPeriod(const std::string& propsString, int32_t& curYear, int32_t& curPeriod,
                              Date& startDate, Date& endDate) = 0;
    // An extra condition for the lists of cost calculation
    // (CFilter::setIsCalculate); the default has none (empty).
    virtual std::string GetExtFilter(const std::string& propsString) = 0;
};

// "QeltCBSSystemData.AisInfo": the cost system's calendar, which the
// library reads when CFilter::SystemName names the cost system. The default
// reads the same options and t_PeriodDate as IListServer's.
class QELT_EXPORT IAisInfo : public virtual Component {
public:
    // The user's property string, set before any other call.
    virtual void setPropsString(const std::string& propsString) = 0;
    // The number of periods of the current year.
    virtual int32_t CBGetPeriodCount() = 0;
    // The current year and period; raise Error when they are not set.
    // @{
    virtual int32_t CBGetCurrYear() = 0;
    virtual int32_t CBGetCurrPeriod() = 0;
    // @}
    // The first day of the period. The library also asks for the period
    // after the last one (the first of the next year); a period the calendar
    // does not hold yet starts the day after the latest earlier one ends.
    // Raises Error when there is none.
    virtual Date GetPeriodDate(int32_t year, int32_t period) = 0;
};

// "QeltBillDataAccess.GetData": the host's data access for documents.
class QELT_EXPORT IBillData : public virtual Component {
public:
    // The rows of `sql`, run for the user of `propsString` (the library reads
    // a period's first and last day through it); the default runs it on the
    // session database.
    virtual RecordsetPtr ExecuteSQL(const std::string& propsString, const std::string& sql) = 0;
};

}  // namespace qelt::host

namespace qelt {
class Dictionary;
}

namespace qelt::host {

// --- Look-up windows ---------------------------------------------------------
// The windows a user opens with F7 in a condition's value cell. Each is
// created per look-up (the ledger view object excepted, which lives for the
// process) and released at once. What a look-up returns (record sets,
// results, items) is handed over to the library, which reads it and drops
// it; a record set is read from its first row and must outlive the component
// (materialised). A look-up that the user cancelled, or that found nothing,
// answers "nothing": a null record set or one without rows, or a null result
// or a result whose ReturnObject is null. The library's own components run
// headless and always answer nothing; a front end or host registers the real
// windows. A component signals a failure by raising Error; the library then
// leaves the value as it was, without a message. Any other exception is a
// fault of the component and passes through.

// The item a ledger view look-up chose.
class QELT_EXPORT ILookupItem {
public:
    virtual ~ILookupItem();
    // The item's code.
    virtual std::string Number() const = 0;
    // The item's name.
    virtual std::string Name() const = 0;
    // A further property of the item by name (the library asks for
    // "FShortNumber"); Empty when the item has no such property.
    virtual Variant Properties(const std::string& name) const = 0;
};

// What a ledger view look-up returns; ReturnObject is null when nothing was
// chosen.
class QELT_EXPORT ILookupResult {
public:
    virtual ~ILookupResult();
    // The item chosen; null when nothing was chosen.
    virtual std::shared_ptr<ILookupItem> ReturnObject() const = 0;
};

// A ledger view look-up's result, owned by whoever holds it.
using LookupResultPtr = std::shared_ptr<ILookupResult>;

// "QeltBaseList.BaseList": the list of special base data (classes -17, -15,
// -5 and 6).
class QELT_EXPORT IBaseList : public virtual Component {
public:
    // The text the list starts searching with.
    virtual void setKeyWord(const std::string& keyWord) = 0;
    // Shows the list of class `classId` for the host's base-information
    // number; the chosen row first (field "FName"), or nothing.
    virtual RecordsetPtr Show(int16_t baseInfoNumber, int16_t classId) = 0;
};

// "QeltResources.Browser": resources (ShowType 0) or production resources of
// manufacturing orders (ShowType 1, narrowed by Filter).
class QELT_EXPORT IResourcesBrowser : public virtual Component {
public:
    // Set before Show: the show type (0 or 1, above), the show mode (the
    // library passes 1, modal) and the condition on manufacturing orders
    // (empty for resources).
    // @{
    virtual void setShowType(int32_t showType) = 0;
    virtual void setShowMode(int32_t showMode) = 0;
    virtual void setFilter(const std::string& filter) = 0;
    // @}
    // Shows the list and returns when the person has chosen or cancelled.
    virtual void Show() = 0;
    // The chosen row (field "FName") after Show, or nothing.
    virtual RecordsetPtr Result() = 0;
};

// "QeltBOM.GetBomInfo": the bill-of-materials list.
class QELT_EXPORT IBomInfo : public virtual Component {
public:
    // `options` holds "ShowMode", "Filter" and "Filter1"; the chosen row
    // (field "FBomNumber"), or nothing.
    virtual RecordsetPtr GetBomList(const Dictionary& options) = 0;
};

// "QeltRoutingView.RoutingView": the routing list.
class QELT_EXPORT IRoutingView : public virtual Component {
public:
    // Set before Show: the host's subsystem (CFilter::SystemName).
    virtual void setSystemName(const std::string& systemName) = 0;
    // Shows the list and returns when the person has chosen or cancelled.
    virtual void Show() = 0;
    // The chosen row (field "FRoutingName") after Show, or nothing.
    virtual RecordsetPtr Result() = 0;
};

// "QeltEBCGLView.GLView": the ledger view object, one instance for the
// process. Each look-up returns a result (null counts as nothing chosen).
// `classId` and `filter` are passed by reference as the host's windows
// expect; the library does not read them back.
class QELT_EXPORT IGLView : public virtual Component {
public:
    // Base items of class `classId`. `settings` holds "Search" (the text to
    // search for, also passed as `text`) and "GetDataType" (1 code, 2 name).
    virtual LookupResultPtr ItemLookup(int32_t& classId, const std::string& text,
                                       std::string& filter, Dictionary& settings) = 0;
    // Currencies, accounts and settlement types.
    // @{
    virtual LookupResultPtr CurrencyLookup() = 0;
    virtual LookupResultPtr AccountLookup() = 0;
    virtual LookupResultPtr SettTypeLookup() = 0;
    // @}
    // Items of a user-defined auxiliary class. The library always omits
    // `option` (it passes Empty).
    virtual LookupResultPtr SubMesLookup(int32_t& classId, const Variant& option,
                                         std::string& filter) = 0;
};

// "QeltClassLookUp.SingleBillLookUp": items of a user-defined base-data
// class (class numbers above 999999).
class QELT_EXPORT ISingleBillLookUp : public virtual Component {
public:
    // Set before Show: the class and the show type (the library passes 1).
    // @{
    virtual void setClassTypeID(int32_t classTypeId) = 0;
    virtual void setShowType(int32_t showType) = 0;
    // @}
    // The chosen row (fields "FNumber", "FID", "FName"), or nothing.
    virtual RecordsetPtr Show() = 0;
};

}  // namespace qelt::host

namespace qelt::host {

// "QeltMStockRpt.Data": the stock reports' data service.
class QELT_EXPORT IStockRptData : public virtual Component {
public:
    // The first day of the stock system's start: the start date of period
    // `startPeriod` of the start year, as "yyyy/mm/dd". The default reads the
    // year from the system option "StartYear" (category "IC") and the date
    // from t_PeriodDate; empty when either is missing. Raises Error when the
    // database cannot be read.
    virtual std::string GetStartDate(const std::string& propsString, int32_t& startPeriod) = 0;
};

}  // namespace qelt::host

// --- Filter schemes -----------------------------------------------------------

namespace qelt {
// Error number of a value too long for its column (the provider's
// "multiple-step operation" error); the scheme store raises it before
// writing anything.
inline constexpr int kErrMultipleStep = static_cast<int>(0x80040E21u);
}  // namespace qelt

namespace qelt::host {

// The head and entry record sets of a scheme, empty and open, with the
// columns and sizes the scheme store checks: for a caller that builds a
// scheme to save (IScheme::SaveSchemeProfile).
// @{
QELT_EXPORT RecordsetPtr NewSchemeHeads();
QELT_EXPORT RecordsetPtr NewSchemeEntries();
// @}

// The name of the default scheme every user has for each kind of list.
inline constexpr const char* kDefaultSchemeName = "默认方案";

// One scheme of a batch save (IScheme::SaveSchemeProfiles).
struct SchemeProfile {
    // The head (its first row) and the entries, as SaveSchemeProfile takes them.
    // @{
    RecordsetPtr head;
    RecordsetPtr entries;
    // @}
    // Empty: the scheme is the caller's. Otherwise the name (t_user FName)
    // of the user it is saved for.
    std::string ownerName;
};

// "QeltMCaculateRpt.CScheme": the users' filter schemes, kept as one head
// row in ICSchemeProfile and key/value rows in ICSchemeProfileEntry.
//
// Every member takes the user's property string first; its `UserID` names
// the user (a property string without a numeric UserID raises Error), and
// the store writes only that user's schemes: a scheme's owner is its
// FUserID, never a name. Record sets handed back are materialised and
// belong to the caller. Heads carry FSchemeID, FSchemeName, FUserID,
// FTranType, FSysName, FStatus, FISShare; entries FSchemeID, FType, FKey,
// FValue. Failures raise Error; the stored schemes are then as they were
// before the call.
class QELT_EXPORT IScheme : public virtual Component {
public:
    // The heads of the scheme key `sysName` (both arguments hold the same
    // key) that the user may pick: the user's own schemes and the shared ones
    // (FISShare 1) of other users, in ascending FSchemeID. The in-use mark
    // is its owner's: another user's scheme is listed with FStatus 0.
    virtual RecordsetPtr GetSchemeList(const std::string& propsString, std::string& sysName,
                                       std::string& sysNameAgain) = 0;

    // Saves the head's first row (a head without rows raises Error 3021)
    // with all rows of `entries` (their FSchemeID is ignored; no entries set
    // stores none) in one transaction, as the user's scheme (the head's
    // FUserID is ignored). FSchemeID 0 stores a new scheme with a new id;
    // another id replaces the head values and all entries of that scheme
    // when it is the user's, and raises Error err::kRuleFailed, writing
    // nothing, when it is not (another user's, or none at all). A scheme
    // named kDefaultSchemeName saved with FSchemeID 0 replaces the user's
    // default scheme of the same key when there is one, so that two
    // processes opening a list for the first time at once leave one default
    // scheme: the check and the write are one transaction that no other
    // writer can interleave. FSchemeName arrives with every apostrophe
    // doubled, the form the dialog sends, and is stored with single ones. A
    // head saved with FStatus 2 (in use) takes that mark from the user's
    // other schemes of the same key, so the last scheme used is the one
    // found in use next time. Texts longer than their columns (name 160,
    // key 80, entry key 100, entry value 7000 characters, counted in code
    // points) raise Error kErrMultipleStep before anything is written.
    // Returns the stored head (one row, FSchemeID filled in, the name with
    // single apostrophes); the arguments are not changed.
    virtual RecordsetPtr SaveSchemeProfile(const std::string& propsString, RecordsetPtr& head,
                                           RecordsetPtr& entries) = 0;

    // Saves every scheme of `schemes` as SaveSchemeProfile saves one, all in
    // one transaction: all of them are stored, or none when any is refused
    // or fails (every text is checked before anything is written; an error
    // names the scheme). A scheme with an ownerName is saved as that user's,
    // the name matched exactly against t_user FName (no user or several of
    // that name raise Error err::kRuleFailed), and only an administrator may
    // name owners: a user who belongs to group 1 in t_Group, the rule that
    // also exempts administrators from the group restriction of lists;
    // anyone else raises Error err::kRuleFailed. Returns the stored heads in
    // the order of `schemes`. A store that cannot save several schemes in
    // one transaction keeps this base implementation, which raises Error
    // err::kInterfaceNotOffered and writes nothing.
    virtual std::vector<RecordsetPtr> SaveSchemeProfiles(const std::string& propsString,
                                                         const std::vector<SchemeProfile>& schemes);

    // The scheme's head (one row) and its entries, ordered by FType, then
    // FKey (in the database's collation), when the user may read it: his
    // own scheme, or another user's shared one. An unknown id, or another
    // user's private scheme, gives an empty head and empty entries.
    virtual void LoadSchemeProfile(const std::string& propsString, int32_t& schemeId,
                                   RecordsetPtr& head, RecordsetPtr& entries) = 0;

    // Deletes the user's scheme and its entries in one transaction; true
    // when it was deleted, false when the user has no scheme of that id (an
    // unknown id, or another user's scheme, which stays as it is). The
    // dialog refuses other users' schemes and the default scheme before.
    virtual bool DelScheme(const std::string& propsString, int32_t& schemeId) = 0;
};

// "QeltMCaculateRpt.Profile": report plans, each stored as a scheme.
class QELT_EXPORT IProfile : public virtual Component {
public:
    // Deletes the user's schemes named `planName` whose FTranType is
    // `reportId`, with their entries, in one transaction; none is no error.
    virtual void DelPlan(const std::string& propsString, int32_t reportId,
                         const std::string& planName) = 0;
};

}  // namespace qelt::host
