// The report as a program reads it: the rows the extension copies to the
// clipboard as labelled text, and the analysis status that its messages
// show, both turned back into values for report.json.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/bundle.h"

namespace cli {

struct ReportRow {
  int row = 0;
  std::string label;
  std::string value;              // as shown
  std::string unit;               // as shown after the value, without the space before it
  std::optional<double> number;   // the value in the row's own unit; none for "?" or text
};

// The rows of the labelled text (one row per line, numbered from 1).
std::vector<ReportRow> ParseReportText(const std::string& text);

// The extension's message list (its resource 8101), entries from 1.
std::vector<std::string> MessageList(const host::Bundle& bundle);

struct AnalysisOutcome {
  int status = 0;  // 0 when the analysis succeeded
  int code = 0;    // why it failed, or a warning's code
  std::string message;  // the status message, with the code's in brackets
};

// The outcome that a print refusal shows: `heading` (the list's entry that
// heads it) followed by a status entry and, in brackets, a code entry. None
// when the alert is not such a refusal.
std::optional<AnalysisOutcome> OutcomeOfRefusal(const std::string& alert, const std::vector<std::string>& messages,
                                                int headingEntry);

// report.json: {"status", "code", "warning", "rows": [...]}.
std::string ReportJson(const AnalysisOutcome& outcome, const std::string& warning, const std::vector<ReportRow>& rows);

}  // namespace cli
