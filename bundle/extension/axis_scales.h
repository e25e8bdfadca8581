// The bundle's side of the host's scale objects (axes): reading back an
// axis's pixel mapping and setting its flag bits in the pairs the windows use.
#pragma once

namespace spiro {

// The axis's pixel offset and pixel scale (pixel = raw value * scale + offset).
void GetAxisGeometry(void* axis, double* offset, double* scale);
// True when the axis's mapping is no longer (offset, scale); a NaN on either
// side counts as a change.
bool AxisRangeDiffers(void* axis, double offset, double scale);

void SetScaleFlags48(void* scale, bool bit4, bool bit8);
// Bits 32 and 64 both to on.
void SetScaleFlags3264(void* scale, bool on);
// Bits 512 and 1024 both to the opposite of on (on screen: both cleared).
void SetScaleFlags5121024(void* scale, bool on);

}  // namespace spiro
