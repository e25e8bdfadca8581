// What the command tests share: the loaded bundle, synthetic recordings
// written once per suite, and commands run with their printed output captured.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "support/bundle_suite.h"
#include "support/test_files.h"
#include "synth_command.h"

// Runs a command with its printed output swallowed: its exit code and its error output.
template <class Command>
std::pair<int, std::string> Quietly(Command command) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  const int rc = command();
  ::testing::internal::GetCapturedStdout();
  return {rc, ::testing::internal::GetCapturedStderr()};
}

// Writes a synthetic recording, and its ground truth beside it, to the temporary folder.
inline void Synth(const std::string& name, const cli::SynthParameters& parameters) {
  cli::SynthOptions o;
  o.out = Temp(name);
  o.parameters = parameters;
  const auto [rc, error] = Quietly([&] { return cli::RunSynth(o); });
  ASSERT_EQ(rc, 0) << error;
}

// The parameters with the head's zero offset, drift and noise, in millivolts.
inline cli::SynthParameters Imperfect(double offset, double drift, double noise) {
  cli::SynthParameters p;
  p.zeroOffsetMillivolts = offset;
  p.driftMillivoltsPerSecond = drift;
  p.noiseMillivolts = noise;
  return p;
}
