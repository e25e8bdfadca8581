// Reading the command records a computed function receives (message 10):
// local code at 2, channel at 4, the value at 8 as the command's kind says.
// Fields are read at their offsets, never through a struct.
#pragma once

#include <cstddef>
#include <cstdint>

#include "toolbox/mac_types.h"
#include "vantor/command_record.h"

namespace spiro {

// The local codes both functions share; each names its others.
inline constexpr std::uint16_t kSetWholeSettings =
    vantor::kSettingsRecordCode;                          // i16 size, address
inline constexpr std::uint16_t kSetSourceChannel = 8193;  // i16

std::uint16_t CommandCode(const void* record);
std::int32_t CommandChannel(const void* record);
std::int16_t CommandShort(const void* record);
std::uint8_t CommandFlag(const void* record);
double CommandDouble(const void* record);

// The settings record submitted with 8192, or null when no data came, the
// record is not in the block layout (format 28), or the stated size does not
// fit the rule: a shorter submission is never read past its end, and never
// applied in part.
enum class SubmittedSize { kAtLeastRecord, kExactlyRecord };
const void* SubmittedSettings(const void* record, std::size_t recordBytes, SubmittedSize rule);

// A command record for `code` with an i16 value, as the host would deliver it.
struct ShortCommandRecord {
  unsigned char bytes[vantor::kCommandRecordBytes];
};
ShortCommandRecord MakeShortCommand(std::uint16_t code, std::int32_t channel, std::int16_t value);

}  // namespace spiro
