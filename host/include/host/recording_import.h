// Opening recordings: EDF, EDF+ (continuous or not) and CSV files become a
// document's channels and blocks.
//
// Sample values and units: a channel's sample values are fractions of the
// converter's range with 0 at physical zero (EDF: physical / (32768 |gain|)).
// A volt dimension (V, mV, uV, µV, nV) gives the uncalibrated base unit "mV":
// raw and unit factor are millivolts per sample value, offset 0. Any other
// dimension gives a calibrated channel whose unit text is the dimension, unit
// factor 1, gain and raw factor the units per sample value, offset 0. A
// channel's samples are clipped where they reach the sample value of its
// converter's extremes (EDF: the digital minimum or maximum). Each gap in time
// starts a new block.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/edf_reader.h"
#include "host/recording.h"
#include "vantor/records.h"

namespace host {

class Document;

// Most samples a recording may hold in memory, all channels together (4 GiB of
// floats); slower signals count at the fastest rate.
inline constexpr std::uint64_t kMaxRecordingSamples = std::uint64_t{1} << 30;

// The channels of every ordinary signal, in file order, at the highest rate of
// the file: a signal recorded at a lower rate has each sample held until its
// next one. Records that follow each other without a gap form one segment.
// Nothing, with a reason, when that would exceed kMaxRecordingSamples.
std::optional<Recording> RecordingFromEdf(const EdfContents& contents, std::string* problem);

// CSV as docs/csv.md describes it: a header row of titles with units in
// brackets, the first column time in seconds. Nothing on failure, with one
// line in *problem naming the line and the fault.
std::optional<Recording> ParseCsvRecording(std::string_view text, std::string* problem);

// The scaling record of a channel (see above). Nothing when the dimension
// cannot be a unit text (more than 25 characters, or characters the
// platform's character set lacks).
std::optional<vantor::ChannelScaling> ScalingFor(const RecordingChannel& channel, std::string* problem);

// The input name of a flow head's channel.
inline constexpr const char* kSpirometerInput = "Spirometer";

// Adds the recording's channels and blocks to an empty document: each
// channel's title is its label, its input name kSpirometerInput when the label
// or the transducer type says "spirometer" (in any case), else its label.
// False with one line in *problem when a unit cannot be a unit text (checked before anything is added) or the recording does not fit
// a document (found while building: discard the document then).
bool ImportRecording(const Recording& recording, Document& document, std::string* problem);

// Reads a recording file: EDF by its contents, CSV by a ".csv" name. Nothing
// with one line in *problem (without the path) when it cannot be read.
std::optional<Recording> ReadRecordingFile(const std::string& path, std::string* problem);

// Opens a recording file (ReadRecordingFile, then ImportRecording) and names
// the document after it. False with one line in *problem when it cannot.
bool ImportRecordingFile(const std::string& path, Document& document, std::string* problem);

}  // namespace host
