#include "extension/dialog_helpers.h"

#include "frame/host_services.h"
#include "toolbox/windows.h"
#include "vantor/byte_access.h"

namespace spiro {

namespace {

constexpr std::int16_t kStandardModalFilter = 205;
constexpr SInt16 kMonochromeDepth = 1;

}  // namespace

void SetRadioGroup(DialogRef dialog, std::int16_t first, std::int16_t last, std::int16_t value) {
  for (int item = first; item <= last; ++item) {
    HostSetDialogItemChecked(dialog, static_cast<std::int16_t>(item), item == first + value);
  }
}

std::int16_t GetRadioGroup(DialogRef dialog, std::int16_t first, std::int16_t last) {
  for (int item = first; item <= last; ++item) {
    if (HostGetDialogItemValue(dialog, static_cast<std::int16_t>(item)) > 0) {
      return static_cast<std::int16_t>(item - first);
    }
  }
  return -1;
}

void EnableDialogItem(DialogRef dialog, std::int16_t item, bool enable) {
  HostEnableDialogItem(dialog, item, enable);
}

ModalFilterUPP NewModalFilter(ModalFilterProcPtr filter) { return NewModalFilterUPP(filter); }

Boolean CallHostModalFilter(DialogRef dialog, EventRecord* event, DialogItemIndex* itemHit) {
  const vantor::HostProcedure procedure = HostQueryValue(kStandardModalFilter);
  auto* standard = vantor::PointerFromU32<OpaqueModalFilterUPP>(procedure);
  return static_cast<Boolean>(InvokeModalFilterUPP(dialog, event, itemHit, standard) & 0xFF);
}

OSStatus SetDialogTextColor(DialogRef dialog, ThemeDrawingState* saved) {
  if (const OSStatus err = GetThemeDrawingState(saved); err != noErr) return err;
  const ThemeTextColor color = IsWindowHilited(GetDialogWindow(dialog))
                                   ? kThemeTextColorDialogActive
                                   : kThemeTextColorDialogInactive;
  CGrafPtr port = GetDialogPort(dialog);
  const bool isColor = IsPortColor(port) != 0;
  const SInt16 depth = isColor ? GetPixDepth(GetPortPixMap(port)) : kMonochromeDepth;
  return SetThemeTextColor(color, depth, isColor);
}

void RestoreThemeState(ThemeDrawingState* saved) {
  if (*saved == nullptr) return;
  SetThemeDrawingState(*saved, true);
  *saved = nullptr;
}

}  // namespace spiro
