// The catch-all around every dispatch: an exception that escapes an operation
// shows one alert with an entry of string list 2015 and the message returns 0.
// An exception thrown by the alert itself is not caught again: it leaves the
// entry point for the host to deal with.
#pragma once

#include <cstdint>

namespace spiro {

namespace frame {

// Shows entry `stringIndex` of string list 2015 with HostAlert.
void AlertUnexpectedError(std::int16_t stringIndex);

template <class Dispatch>
std::int32_t GuardDispatch(std::int16_t alertStringIndex, Dispatch&& dispatch) {
  try {
    return dispatch();
  } catch (...) {
    AlertUnexpectedError(alertStringIndex);
    return 0;
  }
}

}  // namespace frame

}  // namespace spiro
