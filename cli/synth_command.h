// vantor synth: writes a synthetic spirometer recording (EDF+) and its ground
// truth (JSON, same name with ".json").
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "synthetic_recording.h"

namespace cli {

struct SynthOptions {
  std::string out;
  SynthParameters parameters;
};

// Returns the exit code.
int RunSynth(const SynthOptions& options);

// Adds the subcommand; running it stores its exit code in *exitCode.
void AddSynthCommand(CLI::App& app, int* exitCode);

}  // namespace cli
