// The settings options of vantor compute, and the commands they become: the
// ones the computed functions' settings dialogs submit on OK, in the dialogs'
// order, each under the function's own key for its local code.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace cli {

struct FlowOptions {
  std::optional<int> model;           // row of the spirometer model table
  std::optional<double> scale;        // custom coefficients, L/s per base unit
  std::optional<double> nonlinearity; // per base unit; needs a custom scale
  std::optional<double> zeroOffset;   // base units
  std::optional<bool> linearise;
  std::optional<bool> drift;
};

struct VolumeOptions {
  std::optional<double> correctionFactor;
  bool noCorrection = false;
  std::optional<int> thresholdRow;
  std::optional<double> thresholdLitres;
  bool resetAtInspiration = false;
};

// One submission: the local code and the value, whose type picks the service
// (i16: HostSubmitCommandShort, bool: HostSubmitCommandFlag, f64:
// HostSubmitCommandDouble).
struct SettingCommand {
  std::uint16_t code;
  std::variant<std::int16_t, bool, double> value;
  bool operator==(const SettingCommand&) const = default;
};

// The flow function's commands for a source channel; always the source (so
// the function has settings), then what the options change. Nothing, with a
// reason, for options that contradict each other.
std::optional<std::vector<SettingCommand>> FlowCommands(const FlowOptions& options, int sourceChannel, std::string* problem);
std::optional<std::vector<SettingCommand>> VolumeCommands(const VolumeOptions& options, int flowChannel, std::string* problem);

// Settings the functions cannot work with (not numbers, beyond what a flow
// head or a breath can be, rows past the bundle's tables), as one line for
// the refusal; nothing when all can be delivered. `notes` gets a line per
// value the function would clamp.
std::optional<std::string> ImpossibleFlowSetting(const FlowOptions& options, int modelRows);
std::optional<std::string> ImpossibleVolumeSetting(const VolumeOptions& options, int thresholdRows,
                                                   std::vector<std::string>* notes);

void AddFlowOptions(CLI::App& command, FlowOptions& options);
void AddVolumeOptions(CLI::App& command, VolumeOptions& options);

}  // namespace cli
