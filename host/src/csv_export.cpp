#include "host/csv_export.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "csv_cells.h"
#include "host/channel_units.h"
#include "host/computed_channels.h"
#include "host/document.h"
#include "host/problem.h"
#include "toolbox/file_bytes.h"
#include "toolbox/macroman.h"

namespace host {
namespace {

constexpr char kDelimiter = ',';

// Enough decimals to tell neighbouring samples apart, and at least 3.
int TimeDecimals(const Document& d) {
  double shortest = 1;
  for (int b = 1; b <= d.blockCount(); ++b) shortest = std::min(shortest, d.SamplingInterval(b));
  return std::max(3, static_cast<int>(std::ceil(-std::log10(shortest))) + 2);
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

void AppendBlockRows(const Document& d, int block, const BlockColumns& columns, int decimals, std::string& out) {
  const double start = d.StartTime(block) - d.StartTime(1);
  char cell[64];
  for (std::int32_t i = 0; i < d.BlockLength(block); ++i) {
    std::snprintf(cell, sizeof cell, "%.*f", decimals, start + i * d.SamplingInterval(block));
    out += cell;
    for (std::size_t c = 0; c < columns.samples.size(); ++c) {
      out += kDelimiter;
      if (!columns.samples[c]) continue;
      const float value = (*columns.samples[c])[static_cast<std::size_t>(i)];
      std::snprintf(cell, sizeof cell, "%.7g", ValueInUnits(columns.scalings[c], static_cast<double>(value)));
      out += cell;
    }
    out += '\n';
  }
}

}  // namespace

bool ExportChannelsCsv(Document& d, const std::string& path, std::string* problem) {
  std::string out = HeaderRow(d);
  const int decimals = TimeDecimals(d);
  for (int b = 1; b <= d.blockCount(); ++b) {
    BlockColumns columns;
    if (!CollectBlock(d, b, columns, problem)) return false;
    AppendBlockRows(d, b, columns, decimals, out);
  }
  if (toolbox::WriteFileBytesAtomically(path, std::vector<unsigned char>(out.begin(), out.end())) != noErr) {
    return Fail(problem, "cannot be written");
  }
  return true;
}

}  // namespace host
