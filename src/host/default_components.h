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
std::shared_ptr<Component> NewScheme();
std::shared_ptr<Component> NewProfile();

}  // namespace qelt::host::defaults
