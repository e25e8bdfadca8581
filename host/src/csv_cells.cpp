#include "csv_cells.h"

namespace host::csv {

std::optional<char> DetectDelimiter(std::string_view headerLine) {
  bool quoted = false;
  bool seen[3] = {false, false, false};
  constexpr char kByPreference[3] = {'\t', ',', ';'};  // tabs are never part of a title
  for (char c : headerLine) {
    if (c == '"') quoted = !quoted;
    for (int k = 0; k < 3 && !quoted; ++k) seen[k] = seen[k] || c == kByPreference[k];
  }
  for (int k = 0; k < 3; ++k) {
    if (seen[k]) return kByPreference[k];
  }
  return std::nullopt;
}

std::optional<std::vector<std::string>> SplitLine(std::string_view line, char delimiter) {
  std::vector<std::string> cells(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c != '"') {
        cells.back() += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        cells.back() += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == delimiter) {
      cells.emplace_back();
    } else {
      cells.back() += c;
    }
  }
  if (quoted) return std::nullopt;
  return cells;
}

std::string QuoteCell(std::string_view text, char delimiter) {
  const bool needs = text.find(delimiter) != std::string_view::npos || text.find('"') != std::string_view::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!needs) return std::string(text);
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

}  // namespace host::csv
