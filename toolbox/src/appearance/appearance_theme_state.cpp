// Theme drawing states and theme text colours.
#include <new>
#include <unordered_set>

#include "appearance_port_state.h"
#include "toolbox/appearance.h"
#include "toolbox/memory.h"

struct OpaqueThemeDrawingState {
  toolbox::internal::PortDrawingState state;
};

namespace {

constexpr ThemeTextColor kLastThemeTextColor = 56;
constexpr RGBColor kBlack{0, 0, 0};
constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kInactiveGrey{0x7777, 0x7777, 0x7777};

std::unordered_set<ThemeDrawingState>& LiveStates() {
  static std::unordered_set<ThemeDrawingState> states;
  return states;
}

GrafPort& Current() {
  GrafPtr port = nullptr;
  GetPort(&port);
  return *port;
}

}  // namespace

OSStatus GetThemeDrawingState(ThemeDrawingState* outState) {
  if (outState == nullptr) return paramErr;
  *outState = nullptr;
  Ptr memory = NewPtr(static_cast<Size>(sizeof(OpaqueThemeDrawingState)));
  if (memory == nullptr) return MemError();
  auto* state = new (memory) OpaqueThemeDrawingState{toolbox::internal::CaptureDrawingState(Current())};
  LiveStates().insert(state);
  *outState = state;
  return noErr;
}

OSStatus DisposeThemeDrawingState(ThemeDrawingState inState) {
  if (LiveStates().erase(inState) == 0) return paramErr;
  inState->~OpaqueThemeDrawingState();
  DisposePtr(reinterpret_cast<Ptr>(inState));
  return noErr;
}

OSStatus SetThemeDrawingState(ThemeDrawingState inState, bool inDisposeNow) {
  if (LiveStates().count(inState) == 0) return paramErr;
  toolbox::internal::ApplyDrawingState(inState->state);
  return inDisposeNow ? DisposeThemeDrawingState(inState) : noErr;
}

OSStatus NormalizeThemeDrawingState() {
  PenNormal();
  RGBForeColor(&kBlack);
  RGBBackColor(&kWhite);
  TextMode(srcOr);
  return noErr;
}

OSStatus GetThemeTextColor(ThemeTextColor inColor, SInt16 inDepth, bool inIsColorDevice, RGBColor* outColor) {
  if (outColor == nullptr) return paramErr;
  if (inColor == kThemeTextColorWhite) {
    *outColor = kWhite;
  } else if (inColor == kThemeTextColorBlack || (inColor >= 1 && inColor <= kLastThemeTextColor && inColor % 2 == 1)) {
    *outColor = kBlack;
  } else if (inColor >= 1 && inColor <= kLastThemeTextColor) {
    *outColor = inIsColorDevice && inDepth >= 4 ? kInactiveGrey : kBlack;
  } else {
    return paramErr;
  }
  return noErr;
}

OSStatus SetThemeTextColor(ThemeTextColor inColor, SInt16 inDepth, bool inIsColorDevice) {
  RGBColor color{};
  const OSStatus status = GetThemeTextColor(inColor, inDepth, inIsColorDevice, &color);
  if (status == noErr) RGBForeColor(&color);
  return status;
}
