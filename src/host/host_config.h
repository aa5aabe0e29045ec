#pragma once

#include <string>

#include "qelt/host/session.h"

// The host configuration set through qelt/host/session.h, as the default
// components read it.
namespace qelt::host {

// SetDatabase's value, else QELT_DATABASE, else the bundled demo database.
std::string DatabaseConnectionString();
// SetSharedProperty's value of `name`, else for "UserName" / "PropsString"
// the environment variables QELT_USER_NAME / QELT_PROPS; `found` tells
// whether any of them held a value.
std::string SharedPropertyValue(const std::string& name, bool& found);
// SetInstallPath's value, else QELT_INSTALL_PATH; empty when neither is set.
std::string InstallPath();
// Hands a message to the host's sink (or the default one) and returns its answer.
int DeliverMessage(const Message& message);

}  // namespace qelt::host
