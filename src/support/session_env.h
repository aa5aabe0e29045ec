#pragma once

// The logged-on user's session as a whole: the property string, the system
// options and values, the installation. Each has its own header.
#include "support/install_folder.h"
#include "support/props_string.h"
#include "support/system_options.h"
#include "support/system_value.h"
