#include "extension/respiratory_extension.h"

#include <cstring>

#include "extension/spiro_commands.h"
#include "extension/spiro_local_data.h"
#include "extension/spiro_menu_requests.h"
#include "extension/spiro_settings.h"
#include "extension/spiro_window_clicks.h"
#include "extension/spiro_window_events.h"
#include "spirometry/analysis.h"

namespace spiro {

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

void RespiratoryExtension::UpdateWindow(void* window, Local local) {
  spirometry::UpdateSpiroWindow(*this, static_cast<WindowRef>(window), local);
}

void RespiratoryExtension::ResizeWindow(void* window, Point point, Local local) {
  spirometry::ResizeSpiroWindow(*this, static_cast<WindowRef>(window), point, local);
}

void RespiratoryExtension::WindowFlagChanged(void* window, std::uint8_t flag, Local local) {
  spirometry::ZoomSpiroWindow(*this, static_cast<WindowRef>(window), flag, local);
}

void RespiratoryExtension::ClickInWindow(void* window, std::int16_t /*value*/, std::uint32_t /*when*/,
                                         std::uint32_t where, void* event, Local local) {
  Point point{};
  std::memcpy(&point, &where, sizeof point);
  spirometry::ClickInSpiroWindow(*this, static_cast<WindowRef>(window), point, event, local);
}

void RespiratoryExtension::AdjustCursor(void* window, Point point, std::int16_t* part,
                                        Local local) {
  const std::int16_t found = spirometry::CursorPartIn(static_cast<WindowRef>(window), point, local);
  if (part != nullptr) *part = found;
}

void RespiratoryExtension::ActivateWindow(void* window, std::uint8_t active, Local local) {
  spirometry::ActivateSpiroWindow(*this, static_cast<WindowRef>(window), active != 0, local);
}

void RespiratoryExtension::DescribeWindow(void* window, std::int16_t /*value*/, void* out,
                                          Local local) {
  spirometry::DescribeSpiroWindow(static_cast<WindowRef>(window), out, local);
}

}  // namespace spiro
