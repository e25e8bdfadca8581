// Host scale objects (axes): range, units, placement, drawing and clicks.
#pragma once

#include "frame/host_service_wrappers.h"

namespace spiro {

// Service 404 for one output, with scratch buffers for the other three.
void HostService404First(void* scale, double* first);
void HostService404Second(void* scale, double* second);

}  // namespace spiro
