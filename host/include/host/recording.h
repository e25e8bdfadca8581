// A recording as read from a file, before it becomes a document: channels
// with their physical dimension and the linear map from sample values to it,
// and contiguous segments of samples at one rate. Importers of every format
// produce it; ImportRecording (recording_import.h) turns it into channels and
// blocks with the host's scaling records.
#pragma once

#include <limits>
#include <string>
#include <vector>

namespace host {

// The sample values of a converter's extremes: a recorded sample at or beyond
// either one was clipped. Without a converter nothing is clipped.
struct ClipLevels {
  float low = -std::numeric_limits<float>::infinity();
  float high = std::numeric_limits<float>::infinity();
};

struct RecordingChannel {
  std::string label;      // UTF-8; the channel's title, and the name of its input
  std::string dimension;  // physical dimension as the file gives it ("mV", "uV", "L/s", "")
  // physical = sampleValue * unitsPerValue, in `dimension`: a sample value of 0
  // is always physical zero (a flow head's zero is a physical zero), and
  // unitsPerValue is positive whichever way a file writes its range.
  double unitsPerValue = 1;
  ClipLevels clip;
  std::string transducer;  // EDF's transducer type; may be empty
  // Seconds per sample as recorded, when slower than the recording's rate
  // (each sample then held until the next); 0 when recorded at that rate.
  double nativeInterval = 0;
};

// A note on the recording's time line (EDF+ annotations).
struct RecordingAnnotation {
  double onsetSeconds = 0;      // after Recording::startTime1904
  double durationSeconds = -1;  // -1 when none is stated
  std::string text;             // UTF-8
};

// A stretch of samples without gaps.
struct RecordingSegment {
  double startSeconds = 0;                  // after Recording::startTime1904
  std::vector<std::vector<float>> samples;  // per channel, all the same length
  std::size_t length() const { return samples.empty() ? 0 : samples.front().size(); }
};

struct Recording {
  double startTime1904 = 0;      // seconds since 1 January 1904, local time
  double samplingInterval = 0;   // seconds per sample, in every segment
  std::vector<RecordingChannel> channels;
  std::vector<RecordingSegment> segments;
  std::vector<RecordingAnnotation> annotations;
};

}  // namespace host
