// The window extension's modal dialogs: the analysis settings, the subject's
// details and the copy format. Each submits what the user accepted as a
// command, which the host hands back to the extension to apply; Cancel
// submits nothing.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "frame/extension_base.h"

namespace spiro {

namespace spirometry {

void EditAnalysisSettings(LocalDataType** data, const VantorExtensionBase& extension);
void EditSubject(LocalDataType** data, const VantorExtensionBase& extension);
// kind: 1 and 2 the plot windows, 3 the report.
void EditCopyFormat(std::int16_t kind, LocalDataType** data, const VantorExtensionBase& extension);

// A user item crossed out corner to corner in the dialog's text colour.
void DrawCrossItem(void* dialog, std::int16_t item);

// What the three dialogs share: made from the extension's resources, shown,
// stepped through the host's standard filter, disposed.
class ExtensionDialog {
 public:
  ExtensionDialog(const VantorExtensionBase& extension, std::int16_t id);
  ~ExtensionDialog();
  ExtensionDialog(const ExtensionDialog&) = delete;
  ExtensionDialog& operator=(const ExtensionDialog&) = delete;

  DialogRef get() const { return dialog_; }
  // The next item hit.
  std::int16_t Step();
  void SetNumber(std::int16_t item, double value, std::int16_t decimals);

 private:
  DialogRef dialog_;
};

inline constexpr std::int16_t kOkItem = 1;
inline constexpr std::int16_t kCancelItem = 2;

}  // namespace spirometry

}  // namespace spiro
