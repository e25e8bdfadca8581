#include "report_rows.h"

#include <cctype>
#include <charconv>
#include <nlohmann/json.hpp>

#include "toolbox/macroman.h"
#include "toolbox/memory.h"
#include "toolbox/resources.h"

namespace cli {
namespace {

constexpr SInt16 kMessageListId = 8101;

std::optional<double> NumberOf(const std::string& text) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || at != end) return std::nullopt;
  return value;
}

// The length of the decimal number the text starts with ("-12.5" of
// "-12.5 mL"), 0 when it starts with none.
std::size_t LeadingNumberLength(const std::string& text) {
  std::size_t at = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
  const std::size_t digits = at;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
  if (at == digits) return 0;
  if (at + 1 < text.size() && text[at] == '.' && std::isdigit(static_cast<unsigned char>(text[at + 1]))) {
    for (++at; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]));) ++at;
  }
  return at;
}

// A row shows a number or "?" followed by its unit ("3.99 L", "80.3%");
// anything else (a channel's name) is a value without a unit.
void SplitValueAndUnit(const std::string& shown, ReportRow& row) {
  const std::size_t length = shown.starts_with('?') ? 1 : LeadingNumberLength(shown);
  const bool unitFollows = length > 0 && (length == shown.size() || !std::isalnum(static_cast<unsigned char>(shown[length])) ||
                                          shown[length - 1] == '?');
  if (!unitFollows) {
    row.value = shown;
    return;
  }
  row.value = shown.substr(0, length);
  row.number = NumberOf(row.value);
  row.unit = shown.substr(length < shown.size() && shown[length] == ' ' ? length + 1 : length);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool ConsumePrefix(std::string_view& text, const std::string& prefix) {
  if (prefix.empty() || text.substr(0, prefix.size()) != prefix) return false;
  text.remove_prefix(prefix.size());
  return true;
}

}  // namespace

std::vector<ReportRow> ParseReportText(const std::string& text) {
  std::vector<ReportRow> rows;
  for (const std::string& line : Lines(text)) {
    ReportRow row;
    row.row = static_cast<int>(rows.size()) + 1;
    const std::size_t tab = line.find('\t');
    row.label = line.substr(0, tab);
    if (tab != std::string::npos) SplitValueAndUnit(line.substr(tab + 1), row);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<std::string> MessageList(const host::Bundle& bundle) {
  const SInt16 saved = CurResFile();
  UseResFile(bundle.resourceFile());
  std::vector<std::string> entries;
  Handle list = Get1Resource(FourCharCode("STR#"), kMessageListId);
  const auto size = list != nullptr ? static_cast<std::size_t>(GetHandleSize(list)) : 0;
  if (size >= 2) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(*list);
    const int count = (bytes[0] << 8) | bytes[1];
    std::size_t at = 2;
    for (int i = 0; i < count && at < size && at + 1 + bytes[at] <= size; ++i) {
      entries.push_back(toolbox::MacRomanToUtf8(
          std::string_view(reinterpret_cast<const char*>(bytes + at + 1), bytes[at])));
      at += 1 + bytes[at];
    }
  }
  UseResFile(saved);
  return entries;
}

std::optional<AnalysisOutcome> OutcomeOfRefusal(const std::string& alert, const std::vector<std::string>& messages,
                                                int headingEntry) {
  if (headingEntry < 1 || static_cast<std::size_t>(headingEntry) > messages.size()) return std::nullopt;
  std::string_view rest(alert);
  if (!ConsumePrefix(rest, messages[static_cast<std::size_t>(headingEntry) - 1])) return std::nullopt;
  for (std::size_t s = 1; s <= messages.size(); ++s) {
    std::string_view afterStatus = rest;
    if (!ConsumePrefix(afterStatus, messages[s - 1])) continue;
    AnalysisOutcome outcome{static_cast<int>(s), 0, std::string(rest)};
    if (afterStatus.empty()) return outcome;
    for (std::size_t c = 1; c <= messages.size(); ++c) {
      if (afterStatus == " (" + messages[c - 1] + ")") {
        outcome.code = static_cast<int>(c);
        return outcome;
      }
    }
  }
  return std::nullopt;
}

std::string ReportJson(const AnalysisOutcome& outcome, const std::string& warning, const std::vector<ReportRow>& rows) {
  nlohmann::ordered_json json;
  json["status"] = outcome.status;
  json["code"] = outcome.code;
  json["warning"] = warning;
  json["rows"] = nlohmann::ordered_json::array();
  for (const ReportRow& r : rows) {
    nlohmann::ordered_json row;
    row["row"] = r.row;
    row["label"] = r.label;
    row["value"] = r.value;
    row["unit"] = r.unit;
    row["number"] = r.number ? nlohmann::ordered_json(*r.number) : nlohmann::ordered_json(nullptr);
    json["rows"].push_back(std::move(row));
  }
  return json.dump(2) + "\n";
}

}  // namespace cli
