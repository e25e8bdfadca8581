// "Spirometry": the window extension, reached through Main1.
#pragma once

#include "frame/general_extension_base.h"

namespace spirometry {
struct LocalDataType;  // one per document
// Local code of the command that carries the settings block.
inline constexpr std::uint16_t kSettingsBlockCommand = 25;
}  // namespace spirometry

class RespiratoryExtension final : public GeneralExtensionBase<spirometry::LocalDataType**> {
 public:
  // Lets the host convert the byte order of settings blocks it files.
  void RegisterWithHost() override;
};

extern RespiratoryExtension gRespiratoryExtension;
