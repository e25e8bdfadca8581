// The host's window messages for the extension's windows: drawing, growing,
// zooming, activating, the cursor, and the copy and print items.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "frame/extension_base.h"
#include "toolbox/mac_types.h"
#include "toolbox/windows.h"

namespace spiro {

namespace spirometry {

inline constexpr std::int16_t kPopUpIcon = 8100;  // + 1 pressed
inline constexpr std::int16_t kControlCursorPart = 11;
inline constexpr std::int16_t kPlotCursorPart = 2;

void UpdateSpiroWindow(const VantorExtensionBase& extension, WindowRef window,
                       LocalDataType** local);
void ResizeSpiroWindow(const VantorExtensionBase& extension, WindowRef window, Point point,
                       LocalDataType** local);
void ZoomSpiroWindow(const VantorExtensionBase& extension, WindowRef window, std::uint8_t flag,
                     LocalDataType** local);
void ActivateSpiroWindow(const VantorExtensionBase& extension, WindowRef window, bool active,
                         LocalDataType** local);
std::int16_t CursorPartIn(WindowRef window, Point point, LocalDataType** local);
// out: the host's five 257-byte slots; marks the window item of the kind.
void DescribeSpiroWindow(WindowRef window, void* out, LocalDataType** local);

void DrawHeader(std::int16_t kind, LocalDataType** local);
void DrawWindowFrame(bool active, std::int16_t kind, LocalDataType** local);
void DrawPopUpButton(const Rect& rect, std::int16_t iconId, bool pressed, bool active);

}  // namespace spirometry

}  // namespace spiro
