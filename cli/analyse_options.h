// The options of vantor analyse beyond those of compute, and the dialog
// scripts they become: what a user types into the analysis settings and
// subject dialogs and chooses in the copy dialog.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

#include "compute_command.h"
#include "spirometry_session.h"
#include "toolbox/script.h"

namespace cli {

struct AnalyseOptions {
  ComputeOptions compute;
  std::string select;                  // FROM:TO; empty for the whole first stretch
  std::optional<double> forcedFactor;  // times the mean expiration
  std::optional<double> flowThreshold; // percent of the flow's full range
  std::optional<std::string> reportGraph;  // "data" or "loop"
  std::optional<std::string> subject;      // NAME,AGE,SEX,HEIGHT_CM,WEIGHT_KG
  int copyFormat = 1;                  // 1 or 4
  std::optional<std::string> save;     // DOC.vantor
};

// One line for options that cannot work; nothing otherwise. Values the
// dialogs would hold to their limits are noted in `notes`.
std::optional<std::string> RefusedAnalyseOptions(const AnalyseOptions& options, std::vector<std::string>* notes);

// The settings dialog's actions for the options; empty when none is set.
std::vector<toolbox::ScriptAction> SettingsScript(const AnalyseOptions& options);
// The subject dialog's actions; none (with the reason) for a subject that
// cannot be typed.
std::optional<std::vector<toolbox::ScriptAction>> SubjectScript(const std::string& subject, std::string* problem);

CopyFormat CopyFormatOf(const AnalyseOptions& options);

void AddAnalyseOptions(CLI::App& command, AnalyseOptions& options);

}  // namespace cli
