#include "extension/respiratory_extension.h"

RespiratoryExtension gRespiratoryExtension;

namespace {
std::int32_t SwapProc(void* data, std::uint32_t /*value*/, std::uint32_t size, bool toStorage) {
  return gRespiratoryExtension.SwapSettingsByteOrder(data, size, toStorage);
}
}  // namespace

void RespiratoryExtension::RegisterWithHost() {
  RegisterCommandSwapProc(spirometry::kSettingsBlockCommand, &SwapProc);
}
