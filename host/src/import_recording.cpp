// A recording becomes a document's channels and blocks.
#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string_view>

#include "host/document.h"
#include "host/recording_import.h"
#include "host/problem.h"

namespace host {
namespace {

bool NamesSpirometer(std::string_view text) {
  constexpr std::string_view kSpirometer = "spirometer";
  return text.size() == kSpirometer.size() &&
         std::equal(text.begin(), text.end(), kSpirometer.begin(),
                    [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// A flow head is plugged into the host's spirometer input, whichever field of
// the file says so; other channels keep their label as the input's name.
std::string InputNameOf(const RecordingChannel& channel) {
  return NamesSpirometer(channel.label) || NamesSpirometer(channel.transducer) ? kSpirometerInput : channel.label;
}

}  // namespace

bool ImportRecording(const Recording& recording, Document& document, std::string* problem) {
  std::vector<vantor::ChannelScaling> scalings;
  for (const RecordingChannel& channel : recording.channels) {
    std::string why;
    auto scaling = ScalingFor(channel, &why);
    if (!scaling) {
      return Fail(problem, "channel \"" + channel.label + "\": " + why);
    }
    scalings.push_back(*scaling);
  }
  try {
    for (const RecordingChannel& channel : recording.channels) {
      document.SetClipLevels(document.AddChannel(channel.label, InputNameOf(channel)), channel.clip);
    }
    for (const RecordingSegment& segment : recording.segments) {
      if (segment.length() == 0) continue;
      const BlockRun run = document.AddRecording(recording.samplingInterval, recording.startTime1904 + segment.startSeconds,
                                                 static_cast<std::int64_t>(segment.length()));
      for (std::size_t c = 0; c < recording.channels.size(); ++c) {
        const int channel = static_cast<int>(c) + 1;
        document.SetSamples(channel, run, segment.samples[c]);
        document.SetScaling(channel, run, scalings[c]);
      }
    }
  } catch (const std::invalid_argument& e) {
    return Fail(problem, e.what());
  }
  return true;
}

}  // namespace host
