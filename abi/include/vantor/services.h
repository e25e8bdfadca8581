// The C++ signature of every host service an extension calls, by table index.
//
// Conventions both sides rely on:
// - Arguments are in the order the calling code lists them.
// - A service whose result is a record (a Str255 or larger) writes it into a
//   caller-supplied buffer passed first; a Str255 result or out argument is a
//   `Str255*` (256 bytes), an in-place string a plain `unsigned char*`.
// - Data services (the Data* names) take the host data object first.
// - Services that exchange such a record through a buffer are listed with
//   VANTOR_RECORD_SERVICE: the bundle wraps them by hand, the others are
//   wrapped by expanding the list (service_list.inc) once more.
// - Handles are `Handle`, host objects (dialogs, windows, menus, scales, jobs,
//   menu items) `void*`; both lie below 4 GiB.
// - Command keys are u16 in 1..32767, as HostMapExtensionId hands them out.
#pragma once

#include <cstddef>
#include <cstdint>

#include "toolbox/mac_types.h"
#include "vantor/service_table.h"

namespace vantor {

// Host records that services fill or read by address (layouts live with the
// records themselves).
struct ChannelScaling;    // 118 bytes: a channel's conversion to its units
struct ChannelScaleInfo;  // 72 bytes: base unit, raw and unit factors
struct BlockTimeFormat;   // a block's time unit and sampling interval

// The host's selection record, handed around as bytes.
inline constexpr std::size_t kRangeRecordBytes = 400;
// The record that service 45 makes for a buffered text box.
inline constexpr std::size_t kTextBufferRecordBytes = 36;
// The record that service 494 fills for a block.
inline constexpr std::size_t kBlockRecord494Bytes = 12;
// The packed {i16 block, i16 offset} that service 465 reads.
inline constexpr std::size_t kBlockOffsetBytes = 4;
inline constexpr std::size_t kBlockOffsetBlockAt = 0;
inline constexpr std::size_t kBlockOffsetOffsetAt = 2;

// Converts command data filed under a key between native and stored
// (big-endian) order in place; the value argument carries nothing. 0 = success.
using CommandSwapProc = std::int32_t (*)(void* data, std::uint32_t value, std::uint32_t size,
                                         bool toStorage);
// Draws one user item of a dialog.
using UserItemProc = void (*)(void* dialog, std::int16_t item);
// Draws one page of an output job into the page rectangle at the given scale;
// local is the handle the job was started for. Returns 0.
using OutputPageProc = std::int32_t (*)(const Rect* page, std::int32_t unused, std::int16_t scale,
                                        Handle local);
// Supplies a picture for the destination rectangle; 1 when it did, else 0.
using OutputPictureProc = std::int32_t (*)(const Rect* destination, std::int16_t scale,
                                           Handle local);
// A procedure reference as HostQueryValue reports it (selectors 200, 205) and
// as the modal loop takes its filter: 32 bits, like every host reference.
using HostProcedure = std::uint32_t;

}  // namespace vantor

#define VANTOR_SERVICE(index, name, ret, ...) VANTOR_DECLARE_SERVICE(index, name, ret, __VA_ARGS__)
#define VANTOR_RECORD_SERVICE(index, name, ret, ...) \
  VANTOR_DECLARE_SERVICE(index, name, ret, __VA_ARGS__)
#include "vantor/service_list.inc"
#undef VANTOR_RECORD_SERVICE
#undef VANTOR_SERVICE
