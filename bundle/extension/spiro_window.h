// The extension's three windows: making them, placing them where they were
// saved, and the rectangles their content is drawn in.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "toolbox/carbon_events.h"
#include "toolbox/mac_types.h"
#include "toolbox/windows.h"

namespace spiro {

namespace spirometry {

inline constexpr std::uint16_t kWindowEntryVersion = 0x1001;
inline constexpr std::uint16_t kDataWindowEntryVersion = 0x1002;
inline constexpr std::int16_t kFirstWindowResource = 8100;  // + kind
inline constexpr std::int16_t kPopUpMenuId = 8130;

// "FVvT", "FlVl", "Rprt" for kinds 1..3, "????" otherwise; and back (0 for
// any other tag).
OSType TagOfKind(std::int16_t kind);
std::int16_t KindOfTag(OSType tag);

// The window of the kind, or null while it has not been made.
WindowRef WindowOfKind(LocalDataType** local, std::int16_t kind);

// True when the kind's window is open afterwards; made from its saved entry.
bool OpenWindow(std::int16_t kind, LocalDataType** local);
// entry: the saved payload for the tag, or null for the resource's place.
void CreateWindow(const void* entry, std::uint32_t entrySize, OSType tag, LocalDataType** local);
void RestoreWindow(const void* entry, std::uint32_t entrySize, std::int16_t kind,
                   LocalDataType** local);
// rect: global (top, left, bottom, right).
void ApplyWindowRect(WindowRef window, bool visible, const Rect& rect);
void LayOutWindow(std::int16_t kind, LocalDataType** local);
// Disposes the kind's window and everything its record owns.
void DisposeWindowRecord(std::int16_t kind, LocalDataType** local);

// Lays out a window of the document whose size changed; never consumes the
// event.
OSStatus BoundsChangedHandler(EventHandlerCallRef call, EventRef event, void* local);

}  // namespace spirometry

}  // namespace spiro
