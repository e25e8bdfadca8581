// vantor calibrate: runs Spirometry Flow's syringe calibration on a selected
// stroke of known volume and prints the flow head's new custom scale; with
// --save, keeps the calibrated document (DOC.vantor) for later commands.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "host/bundle.h"

namespace cli {

struct CalibrateOptions {
  std::string file;
  std::string select;  // FROM:TO
  double syringeLitres = 0.0;
  std::optional<int> flowSource;
  std::optional<std::string> save;  // DOC.vantor
};

int RunCalibrate(const CalibrateOptions& options, const host::Bundle& bundle);
void AddCalibrateCommand(CLI::App& app, const std::string* bundlePath, int* exitCode);

}  // namespace cli
