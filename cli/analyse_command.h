// vantor analyse: computes flow and volume as compute does, selects a stretch,
// runs the "Spirometry" analysis through its windows as a host does for a
// user, and writes into DIR what the user would take away: the three windows
// as drawn (data.png, loop.png, report.png), their clipboard pictures
// (data.pict, loop.pict and the same through our PICT reader,
// data-picture.png, loop-picture.png), the report as copied (report.txt) and
// printed (report.pdf), report.json and channels.csv.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "analyse_options.h"
#include "host/bundle.h"
#include "report_rows.h"

namespace cli {

struct AnalysisReport {
  AnalysisOutcome outcome;
  std::string warning;
  std::vector<ReportRow> rows;  // empty when the analysis failed
};

// Returns the exit code; `report` (when given) receives what report.json holds.
int RunAnalyse(const AnalyseOptions& options, const host::Bundle& bundle, AnalysisReport* report = nullptr);

void AddAnalyseCommand(CLI::App& app, const std::string* bundlePath, int* exitCode);

}  // namespace cli
