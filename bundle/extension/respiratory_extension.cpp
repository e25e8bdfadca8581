#include "extension/respiratory_extension.h"

#include "extension/spiro_commands.h"
#include "extension/spiro_local_data.h"
#include "extension/spiro_menu_requests.h"
#include "extension/spiro_settings.h"
#include "spirometry/analysis.h"

RespiratoryExtension gRespiratoryExtension;

namespace {
std::int32_t SwapProc(void* data, std::uint32_t /*value*/, std::uint32_t size, bool toStorage) {
  return gRespiratoryExtension.SwapSettingsByteOrder(data, size, toStorage);
}
}  // namespace

std::int32_t RespiratoryExtension::SwapSettingsByteOrder(void* settings, std::uint32_t sizeBytes,
                                                         bool toStorage) {
  return spirometry::SwapSettingsBlock(settings, sizeBytes, toStorage);
}

void RespiratoryExtension::RegisterWithHost() {
  RegisterCommandSwapProc(spirometry::kSettingsBlockCommand, &SwapProc);
}

RespiratoryExtension::Local RespiratoryExtension::NewLocalData() {
  return spirometry::NewSpiroLocalData(*this);
}

void RespiratoryExtension::DisposeLocalData(Local local) {
  spirometry::DisposeSpiroLocalData(local);
}

void RespiratoryExtension::PerformCommand(void* commandRecord, Local local) {
  spirometry::PerformSpiroCommand(*this, commandRecord, local);
}

void RespiratoryExtension::DoMenuCommand(std::int16_t command, std::int16_t /*value*/,
                                         std::uint32_t data, Local local) {
  spirometry::DoSpiroMenuRequest(*this, command, data, local);
}

bool RespiratoryExtension::OwnsWindow(void* window, Local local) {
  return spirometry::WindowIndexOf(static_cast<WindowRef>(window), local) > 0;
}
