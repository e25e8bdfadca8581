// Menus and the toolbar through the host (all forwarded as declared).
#pragma once

#include "frame/host_service_wrappers.h"
