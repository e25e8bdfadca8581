// Commands: submissions the host files and hands straight back as command
// records, and the key mapping (all forwarded as declared).
#pragma once

#include "frame/host_service_wrappers.h"
