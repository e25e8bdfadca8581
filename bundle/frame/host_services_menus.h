// The extension's menu items and toolbar buttons in the host's menus.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"

// imageFile: a NUL-terminated file name among the bundle's resources.
void HostService164(std::int16_t group, std::uint16_t key, const char* imageFile,
                    ConstStr255Param label, std::int16_t hostRef);
std::int16_t HostService165(ConstStr255Param title, std::int16_t a);
void HostService567(void* menu, std::int16_t firstItem, std::int16_t a, std::int16_t b);
// The new item's reference.
void* HostService631(ConstStr255Param text, std::int16_t a, std::uint16_t key);
void HostService634(void* item, bool marked);
void HostService636(ConstStr255Param text);
