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

// Messages every extension answers (DispatchCommon).
namespace msg {
inline constexpr std::int16_t kSetHostRef = 0;      // i16 at 0: hostRef
inline constexpr std::int16_t kGetKind = 1;
inline constexpr std::int16_t kInitialize = 2;
inline constexpr std::int16_t kTerminate = 3;
inline constexpr std::int16_t kRegister = 4;
inline constexpr std::int16_t kMessage5 = 5;
inline constexpr std::int16_t kNewLocalData = 6;
}  // namespace msg

inline constexpr std::size_t kLocalOffset = 0;  // u32 local data handle

// General (window) extension: messages 5..21.
namespace general {
inline constexpr std::int16_t kFirstMessage = 5;
inline constexpr std::int16_t kLastMessage = 21;
enum Message : std::int16_t {
  kHandleMessage5 = 5,
  kNewLocalData = 6,
  kDisposeLocalData = 7,        // local
  kPerformCommand = 8,          // u32@4 command record
  kDoMenuCommand = 9,           // i16@4 command, i16@10, u32@6 (passed in that order)
  kOwnsWindow = 10,             // u32@4 window
  kUpdateWindow = 11,           // u32@4 window
  kResizeWindow = 12,           // u32@4 window, u32@8 point
  kWindowFlagChanged = 13,      // u32@4 window, u8@8
  kClickInWindow = 14,          // u32@4 window, i16@8, u32@10, u32@14, &block[18]
  kAdjustCursor = 15,           // u32@4 window, u32@8 point, &block[12] (i16 out)
  kActivateWindow = 16,         // u32@4 window, u8@8 active
  kHandleMessage17 = 17,        // u32@4, i16@8
  kHandleMessage18 = 18,        // u8@4
  kDescribeWindow = 19,         // u32@4 window, i16@8, u32@10 out record
  kHandleMessage20 = 20,        // u32@4, i8@8, u8@9, &block[10]
  kHandleMessage21 = 21,        // u32@4, i16@8
};
}  // namespace general

// Computed function: messages 5..17.
namespace computed {
inline constexpr std::int16_t kFirstMessage = 5;
inline constexpr std::int16_t kLastMessage = 17;
enum Message : std::int16_t {
  kHandleMessage5 = 5,
  kNewLocalData = 6,            // i16@4 channel, &block[6] (u8 out flag)
  kGetFunctionName = 7,         // u32@4 out Str255
  kComputeBlock = 8,            // u32@4, u32@8, i16@12, i16@14, i16@16, i16@18, u8@20
  kEditSettings = 9,            // i16@4 channel
  kPerformCommand = 10,         // u32@4 command record
  kGetChannelInfo = 11,         // i16@6, i16@4 block, &block[8] out record
  kHasDataForBlock = 12,        // i16@6, i16@4 block
  kGetChannelUnits = 13,        // i16@6, i16@4 block, &block[8], u32@10 out units record
  kHandleNotification = 14,     // i16@4 code, u32@6
  kComputeLive = 15,            // i16@4, i16@6, i16@8, i16@10, &block[12], &block[140]
  kMatchesSource = 16,          // i16@4, i16@6
  kGetDescription = 17,         // u32@4 out record
};
inline constexpr std::size_t kLiveSourceRingsOffset = 12;
inline constexpr std::size_t kLiveOutputRingsOffset = 140;
}  // namespace computed

}  // namespace vantor
