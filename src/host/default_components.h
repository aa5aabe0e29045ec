#pragma once

#include <memory>

#include "qelt/host/components.h"

// Factories of the components the library ships; registry.cpp registers them
// under their identifiers.
namespace qelt::host::defaults {

std::shared_ptr<Component> NewAppConnection();
std::shared_ptr<Component> NewGLData();
std::shared_ptr<Component> NewMessageBox();
std::shared_ptr<Component> NewStringSplitter();
std::shared_ptr<Component> NewFrameworkUtility();
std::shared_ptr<Component> NewShareProps();
std::shared_ptr<Component> NewSysInfo();
std::shared_ptr<Component> NewRegistry();
std::shared_ptr<Component> NewFrmResLoader();
std::shared_ptr<Component> NewResLoader();
std::shared_ptr<Component> NewListServer();
std::shared_ptr<Component> NewAisInfo();
std::shared_ptr<Component> NewBillData();
std::shared_ptr<Component> NewStockRptData();

// The look-up windows. These run headless: no window opens and every look-up
// answers as cancelled (no record set, or a result without ReturnObject), so
// a value cell stays as it was until a front end or host registers its own.
std::shared_ptr<Component> NewBaseList();
std::shared_ptr<Component> NewResourcesBrowser();
std::shared_ptr<Component> NewBomInfo();
std::shared_ptr<Component> NewRoutingView();
std::shared_ptr<Component> NewGLView();
std::shared_ptr<Component> NewSingleBillLookUp();
std::shared_ptr<Component> NewScheme();
std::shared_ptr<Component> NewProfile();

}  // namespace qelt::host::defaults
