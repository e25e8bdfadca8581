#include "extension/axis_scales.h"

#include "frame/host_services_scales.h"

namespace spiro {

namespace {

struct AxisMapping {
  double offset = 0.0;
  double scale = 0.0;
};

AxisMapping ReadAxisMapping(void* axis) {
  double first = 0.0;
  double second = 0.0;
  AxisMapping mapping;
  HostService404(axis, &first, &second, &mapping.offset, &mapping.scale);
  return mapping;
}

}  // namespace

void GetAxisGeometry(void* axis, double* offset, double* scale) {
  const AxisMapping mapping = ReadAxisMapping(axis);
  *offset = mapping.offset;
  *scale = mapping.scale;
}

bool AxisRangeDiffers(void* axis, double offset, double scale) {
  const AxisMapping mapping = ReadAxisMapping(axis);
  return !(mapping.offset == offset) || !(mapping.scale == scale);
}

void SetScaleFlags48(void* scale, bool bit4, bool bit8) {
  HostSetFlagBits(scale, 4, bit4);
  HostSetFlagBits(scale, 8, bit8);
}

void SetScaleFlags3264(void* scale, bool on) { HostSetFlagBits(scale, 32 | 64, on); }

void SetScaleFlags5121024(void* scale, bool on) { HostSetFlagBits(scale, 512 | 1024, !on); }

}  // namespace spiro
