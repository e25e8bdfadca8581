#include "info_command.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "failure.h"
#include "host/channel_units.h"
#include "host/date_text.h"
#include "host/document.h"
#include "host/recording_import.h"
#include "toolbox/macroman.h"

namespace cli {
namespace {

constexpr int kNanosecondDigits = 9;
constexpr int kMillisecondDigits = 3;

// A block's start, `offset` seconds after a recording start: as many digits
// of the second as the file gives (at least milliseconds, at most
// nanoseconds). The offset is kept apart from the seconds since 1904, whose
// doubles are about half a microsecond apart.
std::string StartText(double since1904, double offset) {
  const double whole = std::floor(since1904) + std::floor(offset);
  long long nanoseconds = std::llround(((since1904 - std::floor(since1904)) + (offset - std::floor(offset))) * 1e9);
  const long long carried = nanoseconds / 1'000'000'000;
  nanoseconds -= carried * 1'000'000'000;
  char fraction[16];
  std::snprintf(fraction, sizeof fraction, "%09lld", nanoseconds);
  std::size_t digits = kNanosecondDigits;
  while (digits > kMillisecondDigits && fraction[digits - 1] == '0') --digits;
  return host::DateTimeText(whole + static_cast<double>(carried), 0, ' ') + "." + std::string(fraction, digits);
}

// Each block's start after the recording's start, as Document::AddRecording
// cuts segments into blocks.
std::vector<double> BlockOffsets(const host::Recording& recording) {
  std::vector<double> offsets;
  for (const host::RecordingSegment& segment : recording.segments) {
    for (std::size_t done = 0; done < segment.length(); done += host::kMaxBlockLength) {
      offsets.push_back(segment.startSeconds + static_cast<double>(done) * recording.samplingInterval);
    }
  }
  return offsets;
}

std::string Seconds(double seconds) {
  char text[400];
  const auto done = std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed);
  return std::string(text, done.ptr) + " s";
}

// The channel's unit and rate where it first has data, and the rate it was
// recorded at when the host holds it at a faster one.
void PrintChannel(const host::Document& d, int channel, const host::Recording* source, std::FILE* out) {
  std::string unit = "-";
  std::string rate = "-";
  for (int block = 1; block <= d.blockCount(); ++block) {
    if (!d.HasRecordedData(channel, block)) continue;
    const vantor::ChannelScaling& scaling = d.RecordedScaling(channel, block);
    unit = toolbox::MacRomanToUtf8(host::UnitTextOf(scaling));
    char hz[64];
    std::snprintf(hz, sizeof hz, "%g Hz", 1.0 / d.SamplingInterval(block));
    const auto index = static_cast<std::size_t>(channel - 1);
    if (source != nullptr && index < source->channels.size() && source->channels[index].nativeInterval > 0) {
      std::snprintf(hz, sizeof hz, "%g Hz, held at %g Hz", 1.0 / source->channels[index].nativeInterval,
                    1.0 / d.SamplingInterval(block));
    }
    rate = hz;
    break;
  }
  std::fprintf(out, "  %2d  %-20s unit %-8s input %-20s %s\n", channel, ("\"" + d.Title(channel) + "\"").c_str(),
               unit.c_str(), ("\"" + d.InputName(channel) + "\"").c_str(), rate.c_str());
}

double BlockSeconds(const host::Document& d, int block) {
  return static_cast<double>(d.BlockLength(block)) * d.SamplingInterval(block);
}

// "  (after a gap of 2.500 s)" when the block does not start where the
// previous one ends.
std::string GapNote(const host::Document& d, int block) {
  if (block == 1) return "";
  const double gap = d.StartTime(block) - (d.StartTime(block - 1) + BlockSeconds(d, block - 1));
  if (std::fabs(gap) < 0.5 * d.SamplingInterval(block)) return "";
  char text[64];
  std::snprintf(text, sizeof text, "  (after a gap of %.3f s)", gap);
  return text;
}

// Each annotation at its time of day, as exactly as the file gives it.
void PrintAnnotations(const host::Recording& source, std::FILE* out) {
  if (source.annotations.empty()) return;
  std::fprintf(out, "annotations: %zu\n", source.annotations.size());
  for (const host::RecordingAnnotation& a : source.annotations) {
    const std::string duration = a.durationSeconds >= 0 ? "  for " + Seconds(a.durationSeconds) : "";
    std::fprintf(out, "  %s%s  \"%s\"\n", StartText(source.startTime1904, a.onsetSeconds).c_str(), duration.c_str(),
                 a.text.c_str());
  }
}

}  // namespace

void PrintDocumentInfo(const host::Document& d, std::FILE* out, const host::Recording* source) {
  std::fprintf(out, "channels: %d\n", d.channelCount());
  for (int c = 1; c <= d.channelCount(); ++c) PrintChannel(d, c, source, out);
  double total = 0;
  std::fprintf(out, "blocks: %d\n", d.blockCount());
  const std::vector<double> offsets = source != nullptr ? BlockOffsets(*source) : std::vector<double>{};
  for (int b = 1; b <= d.blockCount(); ++b) {
    total += BlockSeconds(d, b);
    const auto index = static_cast<std::size_t>(b - 1);
    const std::string start = index < offsets.size() ? StartText(source->startTime1904, offsets[index])
                                                      : host::DateTimeText(d.StartTime(b), kMillisecondDigits, ' ');
    std::fprintf(out, "  %2d  %s  %8d samples at %g Hz  %.3f s%s\n", b, start.c_str(), d.BlockLength(b),
                 1.0 / d.SamplingInterval(b), BlockSeconds(d, b), GapNote(d, b).c_str());
  }
  std::fprintf(out, "duration: %.3f s recorded\n", total);
  if (source != nullptr) PrintAnnotations(*source, out);
}

int RunInfo(const std::string& path) {
  host::Document document;
  std::string problem;
  const auto recording = host::ReadRecordingFile(path, &problem);
  if (!recording || !host::ImportRecording(*recording, document, &problem)) return Failure(path, problem);
  std::printf("%s\n", path.c_str());
  PrintDocumentInfo(document, stdout, &*recording);
  return 0;
}

void AddInfoCommand(CLI::App& app, int* exitCode) {
  auto path = std::make_shared<std::string>();
  CLI::App* sub = app.add_subcommand("info", "show the channels, blocks and duration of a recording (EDF, EDF+, CSV)");
  sub->add_option("FILE", *path, "the recording")->required();
  sub->callback([path, exitCode] { *exitCode = Guarded(*path, [&] { return RunInfo(*path); }); });
}

}  // namespace cli
