#include <chrono>

#include "toolbox/events.h"

UInt32 TickCount() {
  using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, 60>>;
  static const auto start = std::chrono::steady_clock::now();
  return static_cast<UInt32>(std::chrono::duration_cast<Ticks>(std::chrono::steady_clock::now() - start).count());
}
