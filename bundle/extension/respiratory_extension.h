// "Spirometry": the window extension, reached through Main1.
#pragma once

#include "frame/general_extension_base.h"

namespace spiro {

namespace spirometry {
struct LocalDataType;  // one per document
// Local code of the command that carries the settings block.
inline constexpr std::uint16_t kSettingsBlockCommand = 25;
}  // namespace spirometry

class RespiratoryExtension final : public GeneralExtensionBase<spirometry::LocalDataType**> {
 public:
  using Local = spirometry::LocalDataType**;

  std::int32_t SwapSettingsByteOrder(void* settings, std::uint32_t sizeBytes,
                                     bool toStorage) override;
  // Lets the host convert the byte order of settings blocks it files.
  void RegisterWithHost() override;
  Local NewLocalData() override;
  void DisposeLocalData(Local local) override;
  void PerformCommand(void* commandRecord, Local local) override;
  void DoMenuCommand(std::int16_t command, std::int16_t value, std::uint32_t data,
                     Local local) override;
  bool OwnsWindow(void* window, Local local) override;
  void UpdateWindow(void* window, Local local) override;
  void ResizeWindow(void* window, Point point, Local local) override;
  void WindowFlagChanged(void* window, std::uint8_t flag, Local local) override;
  void ClickInWindow(void* window, std::int16_t value, std::uint32_t when, std::uint32_t where,
                     void* event, Local local) override;
  void AdjustCursor(void* window, Point point, std::int16_t* part, Local local) override;
  void ActivateWindow(void* window, std::uint8_t active, Local local) override;
  void DescribeWindow(void* window, std::int16_t value, void* out, Local local) override;
};

extern RespiratoryExtension gRespiratoryExtension;

}  // namespace spiro
