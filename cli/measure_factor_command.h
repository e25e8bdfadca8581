// vantor measure-factor: runs Spirometry Volume's measurement of the
// expiratory correction factor on a selected breath cycle and prints it.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "host/bundle.h"

namespace cli {

struct MeasureFactorOptions {
  std::string file;
  std::string select;  // FROM:TO
  std::optional<int> thresholdRow;
  std::optional<int> flowSource;
};

int RunMeasureFactor(const MeasureFactorOptions& options, const host::Bundle& bundle);
void AddMeasureFactorCommand(CLI::App& app, const std::string* bundlePath, int* exitCode);

}  // namespace cli
