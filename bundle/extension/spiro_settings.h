// The settings block of the window extension: options, the subject and the
// place of each window, saved as "Resp Settings" and applied through command
// 25. Blocks from the host or a file are untrusted: every read and swap stays
// within the size the caller states.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "frame/extension_base.h"
#include "toolbox/mac_types.h"

namespace spiro {

namespace spirometry {

inline constexpr std::uint16_t kSettingsBlockVersion = 0x1001;
inline constexpr std::uint16_t kOptionsVersion = 0x1004;
inline constexpr std::uint16_t kSubjectVersion = 0x1001;
inline constexpr OSType kWholeBlockType = FourCharCode("****");
inline constexpr OSType kOptionsTag = FourCharCode("~Oth");
inline constexpr OSType kSubjectTag = FourCharCode("~Sbj");
// Header (10) and the two fixed entries: the smallest block there is.
inline constexpr std::uint32_t kFixedSettingsBytes = 86;
inline constexpr std::uint32_t kEntryHeaderBytes = 8;
inline constexpr std::int32_t kSettingsTooSmall = -4940;

// A new block in native order from the record; null when memory is short.
Handle BuildSettingsBlock(LocalDataType** local);
// One entry's payload of `size` bytes; unknown tags, versions and payloads
// too short for their tag change nothing.
void ApplySettingsEntry(const void* payload, std::uint32_t size, OSType tag,
                        LocalDataType** local);
// Command 25: a whole block ("****") entry by entry, or one entry of `type`.
void ApplySettingsData(const void* data, std::int16_t size, OSType type, LocalDataType** local);
// Between native and storage (big-endian) order, in place.
std::int32_t SwapSettingsBlock(void* data, std::uint32_t size, bool toStorage);
// The payload of the first entry with the tag in a native block, or null.
const unsigned char* FindSettingsEntry(Handle block, OSType tag, std::uint32_t* payloadSize);

void SaveSettings(VantorExtensionBase& extension, LocalDataType** local);
void LoadSettings(VantorExtensionBase& extension, LocalDataType** local);

}  // namespace spirometry

}  // namespace spiro
