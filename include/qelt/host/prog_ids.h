#pragma once

// Programmatic identifiers of the host components: the names a host passes
// to RegisterComponent to replace a default (qelt/host/components.h), and
// the library passes to CreateObject. They match ignoring case.
namespace qelt::host::progid {

inline constexpr const char* kAppConnection = "QeltConnection.AppConnection";
inline constexpr const char* kGLData = "QeltEBCGLView.GLData";
inline constexpr const char* kGLView = "QeltEBCGLView.GLView";
inline constexpr const char* kListServer = "QeltListServer.clsListServer";
inline constexpr const char* kStockRptData = "QeltMStockRpt.Data";
inline constexpr const char* kScheme = "QeltMCaculateRpt.CScheme";
inline constexpr const char* kSchemeProfile = "QeltMCaculateRpt.Profile";
inline constexpr const char* kSysInfo = "QeltBillDataAccess.SysInfo";
inline constexpr const char* kBillData = "QeltBillDataAccess.GetData";
inline constexpr const char* kAisInfo = "QeltCBSSystemData.AisInfo";
inline constexpr const char* kBaseList = "QeltBaseList.BaseList";
inline constexpr const char* kResourcesBrowser = "QeltResources.Browser";
inline constexpr const char* kBomInfo = "QeltBOM.GetBomInfo";
inline constexpr const char* kRoutingView = "QeltRoutingView.RoutingView";
inline constexpr const char* kSingleBillLookUp = "QeltClassLookUp.SingleBillLookUp";
inline constexpr const char* kShareProps = "QeltPropsMgr.ShareProps";
inline constexpr const char* kRegistry = "Pemra.Reg";
inline constexpr const char* kFrmResLoader = "QeltFrmRes.FrmResLoader";
inline constexpr const char* kResLoader = "QeltResLoader.Loader";
// Components the host framework gives without a published identifier.
inline constexpr const char* kMessage = "QeltMessage";
inline constexpr const char* kStringSplitter = "QeltStrSplit";
inline constexpr const char* kFrameworkUtility = "QeltFramework.Utility";

}  // namespace qelt::host::progid
