#include "frame/host_services_dialogs.h"
#include "frame/host_services_host.h"
#include "frame/host_services_strings.h"
#include "spirometry/settings_dialogs.h"
#include "util/window_placement.h"

namespace spiro {

namespace spirometry {

ExtensionDialog::ExtensionDialog(const VantorExtensionBase& extension, std::int16_t id) {
  extension.BeginResources();
  dialog_ = OpenExtensionDialog(extension, id);
  extension.EndResources();
}

ExtensionDialog::~ExtensionDialog() {
  if (dialog_ != nullptr) HostDisposeDialog(dialog_);
}

std::int16_t ExtensionDialog::Step() {
  std::int16_t hit = kCancelItem;
  HostModalDialog(HostQueryValue(205), &hit);
  return hit;
}

void ExtensionDialog::SetNumber(std::int16_t item, double value, std::int16_t decimals) {
  Str255 text;
  HostDoubleToString(text, value, decimals, true);
  HostSetDialogItemText(dialog_, item, text);
}

}  // namespace spirometry

}  // namespace spiro
