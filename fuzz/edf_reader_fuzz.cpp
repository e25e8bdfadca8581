// Any bytes through the EDF reader: contents or a problem, never a read
// outside the input or a crash.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "host/edf_reader.h"
#include "host/recording_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string problem;
  if (const auto contents = host::ParseEdf(std::span(data, size), &problem)) {
    const auto recording = host::RecordingFromEdf(*contents, &problem);
    if (recording && (recording->channels.empty() || !(recording->samplingInterval > 0))) __builtin_trap();
  } else if (problem.empty()) {
    __builtin_trap();  // a refusal must say why
  }
  return 0;
}
