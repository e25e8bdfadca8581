// The command record the host hands back with PerformCommand (message 8 of a
// window extension, 10 of a computed function). The record lies below 4 GiB
// and is valid only during that call; every field is native byte order.
//
//   0  i16  value format: the index of the submitting service, or 25 when
//           HostSubmitCommandDoublePair (19) submitted it
//   2  u16  the extension's local code the key maps to
//   4  i32  first value: window kind, channel, selector, or a four-char type
//   8  ...  the submitted values, in the submitting service's layout:
//           7       i16 at 8
//           8, 10   i16 at 8 and 10
//           16      u8 at 8
//           17      the 8 data bytes (a Rect) at 8
//           18      f64 at 8
//           19      f64 at 8 and 16
//           28      i16 size at 8, u32 address of the host's copy of the
//                   data at 10 (0 with size 0 when there is nothing to apply)
//
// The host also delivers a computed function's whole settings record as
// command 8192 in the layout of 28: the channel at 4, the record's size at 8
// and the address of the host's copy at 10.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vantor {

inline constexpr std::size_t kCommandRecordBytes = 24;
inline constexpr std::size_t kCommandFormatAt = 0;
inline constexpr std::size_t kCommandCodeAt = 2;
inline constexpr std::size_t kCommandIndexAt = 4;
inline constexpr std::size_t kCommandValueAt = 8;
inline constexpr std::size_t kCommandSecondShortAt = 10;
inline constexpr std::size_t kCommandSecondDoubleAt = 16;
inline constexpr std::size_t kCommandDataSizeAt = 8;
inline constexpr std::size_t kCommandDataAddressAt = 10;
// The bytes service 17 copies from its data pointer.
inline constexpr std::size_t kCommandInlineDataBytes = 8;
inline constexpr std::int16_t kDoublePairFormat = 25;
// The local code of a computed function's whole settings record.
inline constexpr std::uint16_t kSettingsRecordCode = 8192;

#pragma pack(push, 2)
// The record as a layout, for the static checks below; read it with
// LoadAt at the offsets above, never through this struct.
struct CommandRecordLayout {
  std::int16_t valueFormat;
  std::uint16_t localCode;
  std::int32_t index;
  union {
    struct {
      std::int16_t first;
      std::int16_t second;
    } shorts;
    struct {
      std::int16_t size;
      std::uint32_t address;
    } data;
    double doubles[2];
  } values;
};
#pragma pack(pop)

static_assert(sizeof(CommandRecordLayout) == kCommandRecordBytes);
static_assert(offsetof(CommandRecordLayout, localCode) == kCommandCodeAt);
static_assert(offsetof(CommandRecordLayout, index) == kCommandIndexAt);
static_assert(offsetof(CommandRecordLayout, values) == kCommandValueAt);
static_assert(offsetof(CommandRecordLayout, values.shorts.second) == kCommandSecondShortAt);
static_assert(offsetof(CommandRecordLayout, values.data.size) == kCommandDataSizeAt);
static_assert(offsetof(CommandRecordLayout, values.data.address) == kCommandDataAddressAt);
static_assert(offsetof(CommandRecordLayout, values.doubles) + sizeof(double) ==
              kCommandSecondDoubleAt);

}  // namespace vantor
