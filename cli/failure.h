// How a vantor command reports a failure: one line on standard error,
// "vantor: SUBJECT: problem", and a non-zero exit code.
#pragma once

#include <exception>
#include <new>
#include <string>

namespace cli {

inline constexpr int kFailureExit = 1;
// Arguments that cannot work (unknown options, impossible settings), refused
// before anything is read or written.
inline constexpr int kUsageExit = 2;

// Prints the line and returns kUsageExit.
int UsageFailure(const std::string& problem);

// Prints the line and returns kFailureExit.
int Failure(const std::string& subject, const std::string& problem);

// Runs a command; an exception that escapes it (memory exhausted while
// reading a huge file, say) becomes the failure line instead of a crash.
template <class Command>
int Guarded(const std::string& subject, Command&& command) {
  try {
    return command();
  } catch (const std::bad_alloc&) {
    return Failure(subject, "out of memory");
  } catch (const std::exception& e) {
    return Failure(subject, e.what());
  } catch (...) {
    return Failure(subject, "failed unexpectedly");
  }
}

}  // namespace cli
