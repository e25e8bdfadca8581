// vantor compute: opens a recording, attaches Spirometry Flow to the
// spirometer channel and Spirometry Volume to a new channel that integrates
// it, applies the settings options as the functions' dialogs would, computes
// (block by block, or replayed as if sampled live) and writes every channel in
// its units to DIR/channels.csv.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

#include "compute_options.h"
#include "host/bundle.h"
#include "host/document.h"

namespace cli {

struct ComputeOptions {
  std::string file;
  std::string outDir;
  std::optional<int> flowSource;  // channel of the spirometer; default: the input named "Spirometer"
  // A channel that holds flow already (L/s, mL/s, L/min, mL/min): only the
  // volume function is attached, to it.
  std::optional<int> flowChannel;
  std::vector<int> invert;        // channels whose sign is flipped on import
  FlowOptions flow;
  VolumeOptions volume;
  bool live = false;
};

// The flow head's channel: --flow-source, else the input named "Spirometer".
std::optional<int> SpirometerChannel(const host::Document& document, const std::optional<int>& flowSource,
                                     std::string* problem);

// Options that cannot work, refused before the recording is read: their
// line, or nothing. Clamped values are noted on standard error.
std::optional<std::string> RefusedComputeOptions(const ComputeOptions& options, const host::Bundle& bundle);

// Imports the recording, flips the channels to invert, attaches the
// functions and delivers their settings. The document must be current
// (QuietDocument), so that the functions' alerts are kept for the line.
bool PrepareComputedDocument(const ComputeOptions& options, const host::Bundle& bundle, host::Document& document,
                             std::string* problem);

// The problem, marked as caused by memory when memory ran out since the
// count was taken and the problem does not say so.
std::string ProblemWithMemory(long memoryFullBefore, const std::string& problem);

// DIR/channels.csv, written whole or not at all: not when an extension showed
// an alert or memory ran out since the count was taken. Returns the exit code.
int WriteChannelsCsv(host::Document& document, const std::string& outDir, long memoryFullBefore);

// Returns the exit code.
int RunCompute(const ComputeOptions& options, const std::string& bundlePath);
// With a bundle already loaded (it must outlive the call).
int RunCompute(const ComputeOptions& options, const host::Bundle& bundle);

// FILE, --out and the options that say how flow and volume are computed.
void AddComputeOptions(CLI::App& command, ComputeOptions& options);

// bundlePath is read when the command runs (after parsing).
void AddComputeCommand(CLI::App& app, const std::string* bundlePath, int* exitCode);

}  // namespace cli
