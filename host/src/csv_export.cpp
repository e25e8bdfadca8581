#include "host/csv_export.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "csv_cells.h"
#include "host/channel_units.h"
#include "host/computed_channels.h"
#include "host/date_text.h"
#include "host/document.h"
#include "host/problem.h"
#include "toolbox/file_bytes.h"
#include "toolbox/macroman.h"

namespace host {
namespace {

constexpr char kDelimiter = ',';

// Text that reads back as the same number, as short as that allows.
void AppendNumber(std::string& out, double value) {
  char cell[32];
  const float asFloat = static_cast<float>(value);
  // A float sample in float range needs at most 9 digits to come back whole.
  const auto done = std::isfinite(asFloat) || !std::isfinite(value) ? std::to_chars(cell, cell + sizeof cell, asFloat)
                                                                    : std::to_chars(cell, cell + sizeof cell, value);
  out.append(cell, done.ptr);
}

// A time of a block, with the digits that tell it from its neighbours one
// step away: enough significant digits for time / step, and a few more.
void AppendTime(std::string& out, double time, double step) {
  const double span = std::max(std::fabs(time), step);
  const int digits = std::clamp(static_cast<int>(std::ceil(std::log10(span / step))) + 4, 4, 17);
  char cell[64];
  const auto done = std::to_chars(cell, cell + sizeof cell, time, std::chars_format::general, digits);
  out.append(cell, done.ptr);
}

// Without the spaces and no-break spaces (MacRoman 0xCA) that some unit
// texts carry for display.
std::string_view TrimBlanks(std::string_view macRoman) {
  constexpr std::string_view kBlanks = " \xCA";
  const std::size_t first = macRoman.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return macRoman.substr(first, macRoman.find_last_not_of(kBlanks) - first + 1);
}

std::string HeaderRow(Document& d) {
  std::string row = "Time [s]";
  for (int c = 1; c <= d.channelCount(); ++c) {
    std::string unit;
    for (int b = 1; b <= d.blockCount(); ++b) {
      if (!d.computed().HasDisplayedData(c, b)) continue;
      const vantor::ChannelScaling scaling = d.computed().DisplayedScaling(c, b);
      unit = toolbox::MacRomanToUtf8(TrimBlanks(UnitTextOf(scaling)));
      break;
    }
    row += kDelimiter + csv::QuoteCell(unit.empty() ? d.Title(c) : d.Title(c) + " [" + unit + "]", kDelimiter);
  }
  return row + "\n";
}

// Copies: computing one channel may make another's cached samples stale.
struct BlockColumns {
  std::vector<std::optional<std::vector<float>>> samples;  // none where a channel shows nothing
  std::vector<vantor::ChannelScaling> scalings;
};

bool CollectBlock(Document& d, int block, BlockColumns& columns, std::string* problem) {
  for (int c = 1; c <= d.channelCount(); ++c) {
    std::optional<std::vector<float>> samples;
    if (d.computed().HasDisplayedData(c, block)) {
      const std::vector<float>* shown = d.computed().DisplayedSamples(c, block);
      if (!shown) return Fail(problem, "channel " + std::to_string(c) + " could not be computed in block " + std::to_string(block));
      samples = *shown;
    }
    columns.samples.push_back(std::move(samples));
    columns.scalings.push_back(d.computed().DisplayedScaling(c, block));
  }
  return true;
}

void AppendBlockRows(const Document& d, int block, const BlockColumns& columns, std::string& out) {
  const double start = d.StartTime(block) - d.StartTime(1);
  const double step = d.SamplingInterval(block);
  for (std::int32_t i = 0; i < d.BlockLength(block); ++i) {
    AppendTime(out, start + i * step, step);
    for (std::size_t c = 0; c < columns.samples.size(); ++c) {
      out += kDelimiter;
      if (!columns.samples[c]) continue;
      const float value = (*columns.samples[c])[static_cast<std::size_t>(i)];
      AppendNumber(out, ValueInUnits(columns.scalings[c], static_cast<double>(value)));
    }
    out += '\n';
  }
}

}  // namespace

bool ExportChannelsCsv(Document& d, toolbox::AtomicFileWriter& out, std::string* problem) {
  std::string text = d.blockCount() > 0 ? std::string(csv::kStartComment) + DateTimeText(d.StartTime(1), 3) + "\n" : "";
  text += HeaderRow(d);
  for (int b = 1; b <= d.blockCount(); ++b) {
    BlockColumns columns;
    if (!CollectBlock(d, b, columns, problem)) return false;
    AppendBlockRows(d, b, columns, text);
    if (!out.Write(text)) return Fail(problem, "cannot be written");
    text.clear();
  }
  return out.Write(text) || Fail(problem, "cannot be written");
}

bool ExportChannelsCsv(Document& d, const std::string& path, std::string* problem) {
  toolbox::AtomicFileWriter out;
  if (out.Open(path) != noErr) return Fail(problem, "cannot be written");
  if (!ExportChannelsCsv(d, out, problem)) return false;
  return out.Commit() == noErr || Fail(problem, "cannot be written");
}

}  // namespace host
