// The bundle's only exported symbols. Each forwards to its extension's
// template dispatcher.
#include <cstdint>

#include "computed/resp_flow_extension.h"
#include "computed/resp_volume.h"
#include "extension/respiratory_extension.h"

#define VANTOR_EXPORT extern "C" __attribute__((visibility("default")))

namespace spiro {

VANTOR_EXPORT std::int32_t Main1(std::int16_t message, void* block, std::uint32_t services) {
  return gRespiratoryExtension.Dispatch(message, block, services);
}

VANTOR_EXPORT std::int32_t Main3(std::int16_t message, void* block, std::uint32_t services) {
  return gRespFlowExtension.Dispatch(message, block, services);
}

VANTOR_EXPORT std::int32_t Main5(std::int16_t message, void* block, std::uint32_t services) {
  return gRespVolume.Dispatch(message, block, services);
}

}  // namespace spiro
