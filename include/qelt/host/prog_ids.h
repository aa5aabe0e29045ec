#pragma once

// Programmatic identifiers of the host components: the names a host passes
// to RegisterComponent to replace a default (qelt/host/components.h), and
// the library passes to CreateObject. They match ignoring case.
namespace qelt::host::progid {

// IAppConnection: the session database.
inline constexpr const char* kAppConnection = "QeltConnection.AppConnection";
// IGLData: the ledger data object and the rights check.
inline constexpr const char* kGLData = "QeltEBCGLView.GLData";
// IGLView: the ledger view look-ups.
inline constexpr const char* kGLView = "QeltEBCGLView.GLView";
// IListServer: the current period and the list server's extra condition.
inline constexpr const char* kListServer = "QeltListServer.clsListServer";
// IStockRptData: the stock system's start date.
inline constexpr const char* kStockRptData = "QeltMStockRpt.Data";
// IScheme: the users' filter schemes.
inline constexpr const char* kScheme = "QeltMCaculateRpt.CScheme";
// IProfile: report plans.
inline constexpr const char* kSchemeProfile = "QeltMCaculateRpt.Profile";
// ISysInfo: system values.
inline constexpr const char* kSysInfo = "QeltBillDataAccess.SysInfo";
// IBillData: statements of the bill data access.
inline constexpr const char* kBillData = "QeltBillDataAccess.GetData";
// IAisInfo: accounting periods.
inline constexpr const char* kAisInfo = "QeltCBSSystemData.AisInfo";
// IBaseList: the special base-data list.
inline constexpr const char* kBaseList = "QeltBaseList.BaseList";
// IResourcesBrowser: resources and production resources.
inline constexpr const char* kResourcesBrowser = "QeltResources.Browser";
// IBomInfo: the bill-of-materials list.
inline constexpr const char* kBomInfo = "QeltBOM.GetBomInfo";
// IRoutingView: the routing list.
inline constexpr const char* kRoutingView = "QeltRoutingView.RoutingView";
// ISingleBillLookUp: items of user-defined base-data classes.
inline constexpr const char* kSingleBillLookUp = "QeltClassLookUp.SingleBillLookUp";
// IShareProps: the shared properties (SetSharedProperty).
inline constexpr const char* kShareProps = "QeltPropsMgr.ShareProps";
// IRegistry: registry-style values (SetInstallPath).
inline constexpr const char* kRegistry = "Pemra.Reg";
// IFormResLoader: form fonts.
inline constexpr const char* kFrmResLoader = "QeltFrmRes.FrmResLoader";
// IResLoader: resource texts.
inline constexpr const char* kResLoader = "QeltResLoader.Loader";
// Components the host framework gives without a published identifier.
//
// IMessageBox: one message box (SetMessageSink).
inline constexpr const char* kMessage = "QeltMessage";
// IStringSplitter: pieces of text.
inline constexpr const char* kStringSplitter = "QeltStrSplit";
// IFrameworkUtility: Null defaults and message formatting.
inline constexpr const char* kFrameworkUtility = "QeltFramework.Utility";

}  // namespace qelt::host::progid
