#include "info_command.h"

#include <chrono>
#include <cmath>
#include <memory>

#include "failure.h"
#include "host/channel_units.h"
#include "host/document.h"
#include "host/recording_import.h"
#include "toolbox/date_time.h"
#include "toolbox/macroman.h"

namespace cli {
namespace {

// "2024-01-01 09:00:00.000" for seconds since 1904 (local time, as stored).
std::string DateTimeText(double since1904) {
  using namespace std::chrono;
  const double unix = since1904 - toolbox::kUnixEpochSince1904;
  const auto whole = static_cast<long long>(std::floor(unix));
  const sys_days day = floor<days>(sys_seconds{seconds{whole}});
  const year_month_day date{day};
  const long long secondOfDay = whole - duration_cast<seconds>(day.time_since_epoch()).count();
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02lld:%02lld:%06.3f", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), secondOfDay / 3600,
                secondOfDay / 60 % 60, static_cast<double>(secondOfDay % 60) + (unix - static_cast<double>(whole)));
  return text;
}

// The channel's unit and rate where it first has data.
void PrintChannel(const host::Document& d, int channel, std::FILE* out) {
  std::string unit = "-";
  std::string rate = "-";
  for (int block = 1; block <= d.blockCount(); ++block) {
    if (!d.HasRecordedData(channel, block)) continue;
    const vantor::ChannelScaling& scaling = d.RecordedScaling(channel, block);
    unit = toolbox::MacRomanToUtf8(host::UnitTextOf(scaling));
    char hz[32];
    std::snprintf(hz, sizeof hz, "%g Hz", 1.0 / d.SamplingInterval(block));
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

}  // namespace

void PrintDocumentInfo(const host::Document& d, std::FILE* out) {
  std::fprintf(out, "channels: %d\n", d.channelCount());
  for (int c = 1; c <= d.channelCount(); ++c) PrintChannel(d, c, out);
  double total = 0;
  std::fprintf(out, "blocks: %d\n", d.blockCount());
  for (int b = 1; b <= d.blockCount(); ++b) {
    total += BlockSeconds(d, b);
    std::fprintf(out, "  %2d  %s  %8d samples at %g Hz  %.3f s%s\n", b, DateTimeText(d.StartTime(b)).c_str(),
                 d.BlockLength(b), 1.0 / d.SamplingInterval(b), BlockSeconds(d, b), GapNote(d, b).c_str());
  }
  std::fprintf(out, "duration: %.3f s recorded\n", total);
}

int RunInfo(const std::string& path) {
  host::Document document;
  std::string problem;
  if (!host::ImportRecordingFile(path, document, &problem)) return Failure(path, problem);
  std::printf("%s\n", path.c_str());
  PrintDocumentInfo(document, stdout);
  return 0;
}

void AddInfoCommand(CLI::App& app, int* exitCode) {
  auto path = std::make_shared<std::string>();
  CLI::App* sub = app.add_subcommand("info", "show the channels, blocks and duration of a recording (EDF, EDF+, CSV)");
  sub->add_option("FILE", *path, "the recording")->required();
  sub->callback([path, exitCode] { *exitCode = Guarded(*path, [&] { return RunInfo(*path); }); });
}

}  // namespace cli
