// A stand-in host for testing the service wrappers: a low table whose every
// declared entry is a recorder generated from the service's signature. A
// recorder logs its index and arguments, fills a Str255 result with
// "S<index>" (and 0xEE up to byte 255), and returns a value naming its
// service (ResultOf), so a test sees which entry a wrapper reached, with what,
// and what came back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>
#include <vector>

#include "toolbox/mac_types.h"
#include "vantor/service_table.h"
#include "vantor/services.h"

// Arguments as recorded: numbers by value, pointers by address, a Point as
// (v << 16 | h), and a Str255 result buffer as kStr255Result.
inline constexpr long double kStr255Result = -256.0L;
inline constexpr Str255* kStr255Out = nullptr;  // stands for it in Arguments()

template <class T>
long double Recorded(T value) {
  if constexpr (std::is_same_v<T, Str255*>) {
    return kStr255Result;
  } else if constexpr (std::is_same_v<T, Point>) {
    return static_cast<long double>((std::uint32_t{static_cast<std::uint16_t>(value.v)} << 16) |
                                    static_cast<std::uint16_t>(value.h));
  } else if constexpr (std::is_pointer_v<T>) {
    return static_cast<long double>(reinterpret_cast<std::uintptr_t>(value));
  } else {
    return static_cast<long double>(value);
  }
}

template <class... T>
std::vector<long double> Arguments(T... values) {
  return {Recorded(values)...};
}

// The result a recorder of service Index returns.
template <class R, int Index>
R ResultOf() {
  if constexpr (std::is_void_v<R>) {
    return;
  } else if constexpr (std::is_same_v<R, bool>) {
    return true;
  } else if constexpr (std::is_pointer_v<R>) {
    return reinterpret_cast<R>(static_cast<std::uintptr_t>(0x10000 + Index));
  } else if constexpr (std::is_same_v<R, Rect>) {
    return Rect{Index, 1, 2, 3};
  } else if constexpr (std::is_floating_point_v<R>) {
    return Index + 0.5;
  } else {
    return static_cast<R>(Index);
  }
}

struct RecordedCall {
  int index;
  std::vector<long double> arguments;
};

// Fake host objects and arguments: the wrappers pass them on and never look inside.
inline void* const kDialog = reinterpret_cast<void*>(0x2000);
inline void* const kWindow = reinterpret_cast<void*>(0x3000);
inline void* const kScale = reinterpret_cast<void*>(0x4000);
inline void* const kMenu = reinterpret_cast<void*>(0x5000);
inline const Handle kHandle = reinterpret_cast<Handle>(0x6000);
inline const auto* const kScaling = reinterpret_cast<const vantor::ChannelScaling*>(0x7000);
inline constexpr unsigned char kText[] = "\x05hello";

// The caller's buffer holds the Str255 that service index wrote, all 256 bytes of it.
::testing::AssertionResult HoldsResultOf(const Str255 text, int index);

class RecordingHost : public ::testing::Test {
 protected:
  // A fresh low table of recorders, stored as the bundle's table; the
  // bundle's data object is forgotten so that each test starts as if loaded.
  void SetUp() override;
  void TearDown() override;

  vantor::ServiceTable& Table() { return *table_; }
  static std::vector<RecordedCall>& Calls();
  static long CallCount(int index);
  // Success when the last call reached service index with these arguments.
  static ::testing::AssertionResult LastCallWas(int index,
                                                const std::vector<long double>& arguments);

 private:
  vantor::ServiceTable* table_ = nullptr;
};
