#include "frame/host_services_scales.h"

namespace spiro {

void HostService404First(void* scale, double* first) {
  double scratch[3]{};
  HostService404(scale, first, &scratch[0], &scratch[1], &scratch[2]);
}

void HostService404Second(void* scale, double* second) {
  double scratch[3]{};
  HostService404(scale, &scratch[0], second, &scratch[1], &scratch[2]);
}

}  // namespace spiro
