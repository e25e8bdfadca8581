#include "util/window_placement.h"

#include "frame/host_services.h"

namespace spiro {

namespace {

constexpr OSType kWindowTemplate = FourCharCode("WIND");
constexpr OSType kDialogTemplate = FourCharCode("DLOG");
constexpr std::uint32_t kDialogPlacement = 8;

}  // namespace

void VantorExtensionBase::PlaceWindow(WindowRef window, std::int16_t resId, std::int16_t a,
                                      std::uint32_t b) const {
  Str255 name;
  HostGetExtensionName(hostRef, name);
  HostPositionWindow(window, name, kWindowTemplate, resId, a, b);
}

void VantorExtensionBase::PlaceDialog(DialogRef dialog, std::int16_t resId, std::int16_t a) const {
  Str255 name;
  HostGetExtensionName(hostRef, name);
  HostPositionWindow(GetDialogWindow(dialog), name, kDialogTemplate, resId, a, kDialogPlacement);
}

DialogRef OpenExtensionDialog(const VantorExtensionBase& extension, std::int16_t dialogId) {
  auto dialog = static_cast<DialogRef>(HostGetNewDialog(dialogId));
  if (dialog == nullptr) return nullptr;
  extension.PlaceDialog(dialog, dialogId, 0);
  return dialog;
}

void SetMinimumWindowSize(WindowRef window, float width, float height) {
  Rect content{};
  Rect structure{};
  GetWindowBounds(window, kWindowContentRgn, &content);
  GetWindowBounds(window, kWindowStructureRgn, &structure);
  const int frameWidth = (structure.right - structure.left) - (content.right - content.left);
  const int frameHeight = (structure.bottom - structure.top) - (content.bottom - content.top);
  const HISize minimum{width + static_cast<float>(frameWidth),
                       height + static_cast<float>(frameHeight)};
  SetWindowResizeLimits(window, &minimum, nullptr);
}

}  // namespace spiro
