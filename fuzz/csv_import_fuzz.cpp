// Any bytes through the CSV importer and into a document: a recording or a
// one-line problem, never a read outside the input, a value the channels
// cannot hold, or a crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/document.h"
#include "host/recording_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string problem;
  const auto recording = host::ParseCsvRecording(std::string_view(reinterpret_cast<const char*>(data), size), &problem);
  if (!recording) {
    if (problem.empty() || problem.find('\n') != std::string::npos) __builtin_trap();
    return 0;
  }
  if (!(recording->samplingInterval > 0)) __builtin_trap();
  for (const host::RecordingSegment& segment : recording->segments) {
    for (const auto& column : segment.samples) {
      for (float v : column) {
        if (!std::isfinite(v)) __builtin_trap();
      }
    }
  }
  host::Document document;
  host::ImportRecording(*recording, document, &problem);
  return 0;
}
