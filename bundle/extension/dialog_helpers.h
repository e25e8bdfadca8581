// Dialog items as the extension's dialogs use them (radio groups, enabling),
// their modal filters and the theme text colour of items they draw.
#pragma once

#include <cstdint>

#include "toolbox/appearance.h"
#include "toolbox/dialogs.h"

namespace spiro {

// Checks item first + value of the items first..last and clears the others.
void SetRadioGroup(DialogRef dialog, std::int16_t first, std::int16_t last, std::int16_t value);
// The offset from first of the first checked item; -1 when none is.
std::int16_t GetRadioGroup(DialogRef dialog, std::int16_t first, std::int16_t last);
void EnableDialogItem(DialogRef dialog, std::int16_t item, bool enable);

ModalFilterUPP NewModalFilter(ModalFilterProcPtr filter);
// The host's standard filter (HostQueryValue(205)), which the extension's own
// filters defer to for what they do not handle.
Boolean CallHostModalFilter(DialogRef dialog, EventRecord* event, DialogItemIndex* itemHit);

// Saves the theme drawing state into saved, then sets the foreground to the
// dialog's text colour (active or inactive with its window's highlight).
// A failure to save is returned and nothing is changed.
OSStatus SetDialogTextColor(DialogRef dialog, ThemeDrawingState* saved);
// Puts a state saved by SetDialogTextColor back and clears it; nothing when
// none is held.
void RestoreThemeState(ThemeDrawingState* saved);

}  // namespace spiro
