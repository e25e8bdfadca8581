// Texts, menus and records taken from the extension's resources and the host.
#pragma once

#include <cstdint>

#include "frame/extension_base.h"
#include "toolbox/mac_types.h"
#include "toolbox/menus.h"
#include "vantor/records.h"

namespace spiro {

// The index-th (1-based) string of a detached string list; returns out.
StringPtr GetListString(StringPtr out, Handle list, std::int16_t index);
// The string from the extension's own resource file; with a null extension
// out is left as it was. Returns out.
StringPtr GetExtensionIndString(StringPtr out, std::int16_t listId, std::int16_t index,
                                const VantorExtensionBase* extension);
// A menu from the current resource chain, detached; null when missing.
MenuRef GetDetachedMenu(std::int16_t id);
// Appends one item whose text is taken as it is (no menu metacharacters);
// prefixed puts a character of code 0 before it. Nothing for a null menu.
void AppendMenuItemText(MenuRef menu, ConstStr255Param text, bool prefixed);
// SaveNamedSettings into the current resource file; its error.
std::int16_t SaveSettingsResource(ConstStr255Param name, Handle block,
                                  VantorExtensionBase& extension);
// The scaling's unit text, as the host formats it.
void FormatText(vantor::ChannelScaling scaling, StringPtr out);
// The host's active range record (vantor::kRangeRecordBytes bytes).
void CopyActiveRange(unsigned char* out);
// True when the channel's input is a spirometer.
bool IsSpirometerChannel(std::int16_t channel);
// The first channel whose input is a spirometer; 0 when none is.
std::int16_t FindSpirometerChannel();

}  // namespace spiro
