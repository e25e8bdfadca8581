// Entry points, message numbers and parameter-block offsets: the binding
// contract between the host and an extension.
//
// Each exported entry point (Main1, Main3, Main5) is called as
//   int32_t MainN(int16_t message, void* block, uint32_t serviceTable)
// on the host's main thread, one call at a time. The block is host-owned and
// valid only for the duration of the call; every field is native byte order.
// The u32 at offset 0 of every block from message 5 on is the extension's
// local data handle, as message 6 returned it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vantor/byte_access.h"

namespace vantor {

using EntryPoint = std::int32_t (*)(std::int16_t message, void* block, std::uint32_t serviceTable);

inline constexpr const char* kEntryPointNames[] = {"Main1", "Main3", "Main5"};

// Answers to message 1.
enum ExtensionKind : std::uint32_t {
  kGeneralExtensionKind = 0x10002,
  kComputedFunctionKind = 0x10003,
};

// Large enough for the largest block (computed message 15: 32 + 32 ring pointers).
inline constexpr std::size_t kParamBlockBytes = 272;
inline constexpr std::size_t kLiveRingCount = 32;

// A field of a parameter block: its type and byte offset travel together, so
// a sender and the dispatcher cannot disagree on either.
template <class T, std::size_t Offset>
struct Field {
  using Type = T;
  static constexpr std::size_t kOffset = Offset;
  static T Load(const void* block) { return LoadAt<T>(block, Offset); }
  static void Store(void* block, T value) { StoreAt(block, Offset, value); }
  static void* Address(void* block) { return AddressAt(block, Offset); }
};

// Messages every extension answers (DispatchCommon).
namespace msg {
inline constexpr std::int16_t kSetHostRef = 0;
inline constexpr std::int16_t kGetKind = 1;
inline constexpr std::int16_t kInitialize = 2;
inline constexpr std::int16_t kTerminate = 3;
inline constexpr std::int16_t kRegister = 4;
inline constexpr std::int16_t kMessage5 = 5;
inline constexpr std::int16_t kNewLocalData = 6;
}  // namespace msg

struct SetHostRefBlock {
  using HostRef = Field<std::int16_t, 0>;
};

// From message 5 on: the local data handle that message 6 returned.
using LocalField = Field<std::uint32_t, 0>;
inline constexpr std::size_t kLocalOffset = LocalField::kOffset;

// General (window) extension: messages 5..21.
namespace general {
inline constexpr std::int16_t kFirstMessage = 5;
inline constexpr std::int16_t kLastMessage = 21;
enum Message : std::int16_t {
  kHandleMessage5 = 5,
  kNewLocalData = 6,
  kDisposeLocalData = 7,
  kPerformCommand = 8,
  kDoMenuCommand = 9,
  kOwnsWindow = 10,
  kUpdateWindow = 11,
  kResizeWindow = 12,
  kWindowFlagChanged = 13,
  kClickInWindow = 14,
  kAdjustCursor = 15,
  kActivateWindow = 16,
  kHandleMessage17 = 17,
  kHandleMessage18 = 18,
  kDescribeWindow = 19,
  kHandleMessage20 = 20,
  kHandleMessage21 = 21,
};

// The menu command that tells window extensions their analysis is stale.
inline constexpr std::int16_t kInvalidateAnalysis = 0;

// Messages 10..16 and 19 name their window first.
using WindowField = Field<std::uint32_t, 4>;

struct PerformCommandBlock {
  using Record = Field<std::uint32_t, 4>;
};
// The value comes before the data in the call, after it in the block.
struct DoMenuCommandBlock {
  using Command = Field<std::int16_t, 4>;
  using Data = Field<std::uint32_t, 6>;
  using Value = Field<std::int16_t, 10>;
};
struct ResizeWindowBlock {
  using Size = Field<std::uint32_t, 8>;  // a Point
};
struct WindowFlagChangedBlock {
  using Flag = Field<std::uint8_t, 8>;
};
struct ClickInWindowBlock {
  using Value = Field<std::int16_t, 8>;
  using When = Field<std::uint32_t, 10>;
  using Where = Field<std::uint32_t, 14>;  // a Point, local to the window
  using Tail = Field<std::uint8_t, 18>;  // the rest of the block, passed by address
};
struct AdjustCursorBlock {
  using Where = Field<std::uint32_t, 8>;  // a Point
  using CursorOut = Field<std::int16_t, 12>;
};
struct ActivateWindowBlock {
  using Active = Field<std::uint8_t, 8>;
};
struct HandleMessage17Block {
  using Data = Field<std::uint32_t, 4>;
  using Value = Field<std::int16_t, 8>;
};
struct HandleMessage18Block {
  using Flag = Field<std::uint8_t, 4>;
};
struct DescribeWindowBlock {
  using Selector = Field<std::int16_t, 8>;
  using RecordOut = Field<std::uint32_t, 10>;
};
struct HandleMessage20Block {
  using Data = Field<std::uint32_t, 4>;
  using Code = Field<std::int8_t, 8>;
  using Flag = Field<std::uint8_t, 9>;
  using Tail = Field<std::uint8_t, 10>;  // passed by address
};
struct HandleMessage21Block {
  using Data = Field<std::uint32_t, 4>;
  using Value = Field<std::int16_t, 8>;
};
}  // namespace general

// Computed function: messages 5..17.
namespace computed {
inline constexpr std::int16_t kFirstMessage = 5;
inline constexpr std::int16_t kLastMessage = 17;
enum Message : std::int16_t {
  kHandleMessage5 = 5,
  kNewLocalData = 6,
  kGetFunctionName = 7,
  kComputeBlock = 8,
  kEditSettings = 9,
  kPerformCommand = 10,
  kGetChannelInfo = 11,
  kHasDataForBlock = 12,
  kGetChannelUnits = 13,
  kHandleNotification = 14,
  kComputeLive = 15,
  kMatchesSource = 16,
  kGetDescription = 17,
};

struct NewLocalDataBlock {
  using Channel = Field<std::int16_t, 4>;
  using FlagOut = Field<std::uint8_t, 6>;
};
struct GetFunctionNameBlock {
  using NameOut = Field<std::uint32_t, 4>;  // a Str255
};
struct ComputeBlockBlock {
  using Input = Field<std::uint32_t, 4>;
  using Output = Field<std::uint32_t, 8>;
  using Channel = Field<std::int16_t, 12>;
  using Block = Field<std::int16_t, 14>;
  using First = Field<std::int16_t, 16>;
  using End = Field<std::int16_t, 18>;
  using Flag = Field<std::uint8_t, 20>;
};
struct EditSettingsBlock {
  using Channel = Field<std::int16_t, 4>;
};
struct PerformCommandBlock {
  using Record = Field<std::uint32_t, 4>;
};
// Messages 11..13 put the block before the channel.
struct ChannelBlockFields {
  using Block = Field<std::int16_t, 4>;
  using Channel = Field<std::int16_t, 6>;
};
struct GetChannelInfoBlock : ChannelBlockFields {
  using InfoOut = Field<std::uint8_t, 8>;  // the record itself, passed by address
};
struct HasDataForBlockBlock : ChannelBlockFields {};
struct GetChannelUnitsBlock : ChannelBlockFields {
  using FlagOut = Field<std::uint8_t, 8>;
  using UnitsOut = Field<std::uint32_t, 10>;
};
struct HandleNotificationBlock {
  using Code = Field<std::int16_t, 4>;
  using Value = Field<std::uint32_t, 6>;
};
struct ComputeLiveBlock {
  using LastDone = Field<std::int16_t, 4>;
  using LastToDo = Field<std::int16_t, 6>;
  using RingLength = Field<std::int16_t, 8>;
  using Channel = Field<std::int16_t, 10>;
  using SourceRings = Field<std::uint32_t, 12>;   // kLiveRingCount addresses
  using OutputRings = Field<std::uint32_t, 140>;  // kLiveRingCount addresses
};
inline constexpr std::size_t kLiveSourceRingsOffset = ComputeLiveBlock::SourceRings::kOffset;
inline constexpr std::size_t kLiveOutputRingsOffset = ComputeLiveBlock::OutputRings::kOffset;
static_assert(ComputeLiveBlock::OutputRings::kOffset + 4 * kLiveRingCount <= kParamBlockBytes);
struct MatchesSourceBlock {
  using Channel = Field<std::int16_t, 4>;
  using Kind = Field<std::int16_t, 6>;
};
struct GetDescriptionBlock {
  using RecordOut = Field<std::uint32_t, 4>;
};
}  // namespace computed

}  // namespace vantor
