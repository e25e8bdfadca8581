// CSV recordings (docs/csv.md): a header row "Time [s]", "Title [unit]", ...
// then one row per sample; a step in time well above the usual one is a gap.
// A "# start: " comment gives the date and time that the time column counts from.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "csv_cells.h"
#include "host/date_text.h"
#include "host/recording_import.h"
#include "host/problem.h"

namespace host {
namespace {

// A step in time above this many sampling intervals is a gap.
constexpr double kGapFactor = 1.5;

struct Line {
  std::size_t number;  // 1-based, as an editor shows it
  std::string_view text;
};

struct Table {
  char delimiter = ',';
  double secondsPerTimeUnit = 1;
  std::vector<RecordingChannel> channels;
  std::vector<double> times;                 // seconds
  std::vector<std::vector<double>> columns;  // per channel, physical values
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

struct Lines {
  std::vector<Line> content;  // no blank lines, no "#" comments, no "\r", no BOM
  std::vector<Line> starts;   // "# start: ..." comments
};

bool IsStartComment(std::string_view line) {
  return Trim(line).substr(0, csv::kStartComment.size()) == csv::kStartComment;
}

Lines SplitLines(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  Lines lines;
  std::size_t number = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (IsStartComment(line)) lines.starts.push_back({number, line});
    if (Trim(line).empty() || Trim(line).front() == '#') continue;
    lines.content.push_back({number, line});
  }
  return lines;
}

// The recording's start from its one start comment; 0 (the host's epoch)
// without one.
std::optional<double> StartTime(const std::vector<Line>& starts, std::string* problem) {
  if (starts.empty()) return 0.0;
  if (starts.size() > 1) {
    Fail(problem, "line " + std::to_string(starts[1].number) + ": a second start line (the first is line " +
                      std::to_string(starts[0].number) + ")");
    return std::nullopt;
  }
  const std::string_view text = Trim(Trim(starts[0].text).substr(csv::kStartComment.size()));
  const auto start = ParseDateTimeText(text);
  if (!start) {
    Fail(problem, "line " + std::to_string(starts[0].number) + ": start \"" + std::string(text) +
                      "\" is not a date and time YYYY-MM-DDTHH:MM:SS.sss");
  }
  return start;
}

// "Title [unit]" to title and unit; a cell without brackets has no unit.
bool SplitTitle(std::string_view cell, std::string& title, std::string& unit) {
  cell = Trim(cell);
  const std::size_t open = cell.rfind('[');
  if (open == std::string_view::npos) {
    if (cell.find(']') != std::string_view::npos) return false;
    title = std::string(cell);
    unit.clear();
    return true;
  }
  if (cell.back() != ']') return false;
  title = std::string(Trim(cell.substr(0, open)));
  unit = std::string(Trim(cell.substr(open + 1, cell.size() - open - 2)));
  return true;
}

bool ParseHeader(const Line& line, Table& table, std::string* problem) {
  const auto delimiter = csv::DetectDelimiter(line.text);
  const auto cells = delimiter ? csv::SplitLine(line.text, *delimiter) : std::nullopt;
  if (!cells || cells->size() < 2) {
    return Fail(problem, "line " + std::to_string(line.number) + ": header needs a time column and at least one channel");
  }
  table.delimiter = *delimiter;
  std::string title, unit;
  for (std::size_t c = 0; c < cells->size(); ++c) {
    if (!SplitTitle((*cells)[c], title, unit)) {
      return Fail(problem, "line " + std::to_string(line.number) + ", column " + std::to_string(c + 1) +
                               ": title \"" + (*cells)[c] + "\" does not end in one [unit]");
    }
    if (c == 0) {
      if (unit != "" && unit != "s" && unit != "ms") {
        return Fail(problem, "line " + std::to_string(line.number) + ": time unit \"" + unit + "\" is not s or ms");
      }
      table.secondsPerTimeUnit = unit == "ms" ? 1e-3 : 1;
      continue;
    }
    table.channels.push_back({title.empty() ? "Channel " + std::to_string(c) : title, unit, 1, {}, {}});
  }
  table.columns.resize(table.channels.size());
  return true;
}

std::optional<double> ParseValue(std::string_view cell) {
  cell = Trim(cell);
  if (!cell.empty() && cell.front() == '+') cell.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  if (cell.empty() || ec != std::errc() || end != cell.data() + cell.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool ParseRow(const Line& line, Table& table, std::string* problem) {
  const std::string where = "line " + std::to_string(line.number);
  const auto cells = csv::SplitLine(line.text, table.delimiter);
  if (!cells) return Fail(problem, where + ": a quote is not closed");
  if (cells->size() != table.channels.size() + 1) {
    return Fail(problem, where + " has " + std::to_string(cells->size()) + " values, the header has " +
                             std::to_string(table.channels.size() + 1) + " columns");
  }
  for (std::size_t c = 0; c < cells->size(); ++c) {
    const auto value = ParseValue((*cells)[c]);
    if (!value) {
      return Fail(problem, where + ", column " + std::to_string(c + 1) + ": \"" + (*cells)[c] + "\" is not a number");
    }
    // Channels hold float samples: a value beyond float's range would turn
    // into infinity or nothing.
    const double size = std::fabs(*value);
    if (c > 0 && (size > static_cast<double>(std::numeric_limits<float>::max()) || (size != 0 && size < static_cast<double>(std::numeric_limits<float>::min())))) {
      return Fail(problem, where + ", column " + std::to_string(c + 1) + ": " + (*cells)[c] +
                               " is outside the range of values a channel holds (about 1e-38 to 3e38)");
    }
    if (c == 0) {
      const double seconds = *value * table.secondsPerTimeUnit;
      if (!table.times.empty() && !(seconds > table.times.back())) {
        return Fail(problem, where + ": time " + (*cells)[0] + " does not come after the previous row's");
      }
      table.times.push_back(seconds);
    } else {
      table.columns[c - 1].push_back(*value);
    }
  }
  return true;
}

// The usual step: the median step between rows, then the mean of the steps
// that are not gaps (times are often printed with few decimals).
double SamplingInterval(const std::vector<double>& times) {
  std::vector<double> steps;
  for (std::size_t i = 1; i < times.size(); ++i) steps.push_back(times[i] - times[i - 1]);
  std::vector<double> sorted = steps;
  std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2), sorted.end());
  const double median = sorted[sorted.size() / 2];
  double sum = 0;
  std::size_t count = 0;
  for (double step : steps) {
    if (step <= kGapFactor * median) {
      sum += step;
      ++count;
    }
  }
  return sum / static_cast<double>(count);
}

// Sample values in [-0.5, 0.5]: a power of two at least twice the largest
// magnitude, so that dividing by it loses nothing.
double UnitsPerValue(const std::vector<double>& column) {
  double largest = 0;
  for (double v : column) largest = std::max(largest, std::fabs(v));
  return largest > 0 ? std::exp2(std::ceil(std::log2(2 * largest))) : 1;
}

Recording BuildRecording(Table& table, double startTime1904) {
  Recording recording;
  recording.startTime1904 = startTime1904;
  recording.samplingInterval = SamplingInterval(table.times);
  recording.channels = table.channels;
  for (std::size_t c = 0; c < recording.channels.size(); ++c) recording.channels[c].unitsPerValue = UnitsPerValue(table.columns[c]);
  for (std::size_t i = 0; i < table.times.size(); ++i) {
    if (i == 0 || table.times[i] - table.times[i - 1] > kGapFactor * recording.samplingInterval) {
      recording.segments.push_back({table.times[i], std::vector<std::vector<float>>(table.channels.size())});
    }
    for (std::size_t c = 0; c < table.channels.size(); ++c) {
      recording.segments.back().samples[c].push_back(static_cast<float>(table.columns[c][i] / recording.channels[c].unitsPerValue));
    }
  }
  return recording;
}

}  // namespace

std::optional<Recording> ParseCsvRecording(std::string_view text, std::string* problem) {
  const Lines split = SplitLines(text);
  const std::vector<Line>& lines = split.content;
  const std::optional<double> start = StartTime(split.starts, problem);
  if (!start) return std::nullopt;
  if (lines.empty()) {
    Fail(problem, "file is empty");
    return std::nullopt;
  }
  Table table;
  if (!ParseHeader(lines.front(), table, problem)) return std::nullopt;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (!ParseRow(lines[i], table, problem)) return std::nullopt;
  }
  if (table.times.size() < 2) {
    Fail(problem, "needs at least two rows of samples to know the sampling rate");
    return std::nullopt;
  }
  return BuildRecording(table, *start);
}

}  // namespace host
