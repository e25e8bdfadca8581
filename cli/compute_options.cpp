#include "compute_options.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

#include "host/problem.h"

namespace cli {
namespace {

// The computed functions' local codes for their settings.
namespace flow {
constexpr std::uint16_t kSource = 8193, kLinearise = 8194, kModel = 8195, kScale = 8196;
constexpr std::uint16_t kNonlinearity = 8197, kZeroOffset = 8198, kDrift = 8200;
constexpr std::int16_t kCustomModel = -1;
}  // namespace flow
namespace volume {
constexpr std::uint16_t kSource = 8193, kCorrection = 8194, kFactor = 8196, kThresholdRow = 8197;
constexpr std::uint16_t kCustomThreshold = 8198, kReset = 8199;
constexpr std::int16_t kCustomRow = -1;
}  // namespace volume

// The volume function's range of correction factors; it clamps others.
constexpr double kMinCorrectionFactor = 0.9, kMaxCorrectionFactor = 2.0;

constexpr int kLargestShort = std::numeric_limits<std::int16_t>::max();

// Far beyond any flow head (L/s per mV, per mV squared, mV) or breath (L),
// yet small enough that squares and sums of a recording's samples stay finite.
constexpr double kLargestCoefficient = 1e6;
constexpr double kSmallestScale = 1e-6;
constexpr double kLargestThresholdLitres = 100;

std::string Text(double value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

std::optional<std::string> OutsideRange(const char* option, double value, double low, double high) {
  if (std::isfinite(value) && value >= low && value <= high) return std::nullopt;
  return std::string(option) + " " + Text(value) + ": must be a number from " + Text(low) + " to " + Text(high);
}

std::optional<std::string> RowOutside(const char* option, int row, int rows, const char* table) {
  if (row >= 1 && row <= rows) return std::nullopt;
  return std::string(option) + " " + std::to_string(row) + ": the " + table + " table has rows 1.." + std::to_string(rows);
}

}  // namespace

std::optional<std::string> ImpossibleFlowSetting(const FlowOptions& o, int modelRows) {
  if (o.model) return RowOutside("--model", *o.model, modelRows, "flow-head model");
  if (o.scale) {
    if (const auto p = OutsideRange("--scale", std::fabs(*o.scale), kSmallestScale, kLargestCoefficient)) {
      return "--scale " + Text(*o.scale) + ": must be a number whose size is from " + Text(kSmallestScale) + " to " +
             Text(kLargestCoefficient) + " (L/s per mV)";
    }
  }
  if (o.nonlinearity) {
    if (auto p = OutsideRange("--nonlinearity", *o.nonlinearity, -kLargestCoefficient, kLargestCoefficient)) return p;
  }
  if (o.zeroOffset) {
    if (auto p = OutsideRange("--zero-offset", *o.zeroOffset, -kLargestCoefficient, kLargestCoefficient)) return p;
  }
  return std::nullopt;
}

std::optional<std::string> ImpossibleVolumeSetting(const VolumeOptions& o, int thresholdRows,
                                                   std::vector<std::string>* notes) {
  if (o.thresholdRow) return RowOutside("--threshold-row", *o.thresholdRow, thresholdRows, "correction threshold");
  if (o.thresholdLitres) {
    if (auto p = OutsideRange("--threshold-litres", *o.thresholdLitres, 0, kLargestThresholdLitres)) return p;
  }
  if (o.correctionFactor) {
    const double f = *o.correctionFactor;
    if (!std::isfinite(f)) return "--correction-factor " + Text(f) + ": must be a number";
    if (f < kMinCorrectionFactor || f > kMaxCorrectionFactor) {
      notes->push_back("--correction-factor " + Text(f) + ": the volume function takes " + Text(kMinCorrectionFactor) +
                       " to " + Text(kMaxCorrectionFactor) + " and uses " +
                       Text(std::clamp(f, kMinCorrectionFactor, kMaxCorrectionFactor)));
    }
  }
  return std::nullopt;
}

std::optional<std::vector<SettingCommand>> FlowCommands(const FlowOptions& o, int source, std::string* problem) {
  if (o.model && (o.scale || o.nonlinearity)) {
    host::Fail(problem, "--model and custom coefficients (--scale, --nonlinearity) exclude each other");
    return std::nullopt;
  }
  if (o.nonlinearity && !o.scale) {
    host::Fail(problem, "--nonlinearity needs --scale (custom coefficients)");
    return std::nullopt;
  }
  if (o.model && (*o.model < 1 || *o.model > kLargestShort)) {
    host::Fail(problem, "--model must be a model number from 1");
    return std::nullopt;
  }
  std::vector<SettingCommand> out;
  if (o.scale) out.push_back({flow::kScale, *o.scale});
  if (o.nonlinearity) out.push_back({flow::kNonlinearity, *o.nonlinearity});
  if (o.zeroOffset) out.push_back({flow::kZeroOffset, *o.zeroOffset});
  out.push_back({flow::kSource, static_cast<std::int16_t>(source)});
  if (o.linearise) out.push_back({flow::kLinearise, *o.linearise});
  if (o.drift) out.push_back({flow::kDrift, *o.drift});
  if (o.scale) out.push_back({flow::kModel, flow::kCustomModel});
  if (o.model) out.push_back({flow::kModel, static_cast<std::int16_t>(*o.model)});
  return out;
}

std::optional<std::vector<SettingCommand>> VolumeCommands(const VolumeOptions& o, int flowChannel, std::string* problem) {
  if (o.thresholdRow && o.thresholdLitres) {
    host::Fail(problem, "--threshold-row and --threshold-litres exclude each other");
    return std::nullopt;
  }
  if (o.thresholdRow && (*o.thresholdRow < 1 || *o.thresholdRow > kLargestShort)) {
    host::Fail(problem, "--threshold-row must be a row number from 1");
    return std::nullopt;
  }
  std::vector<SettingCommand> out;
  out.push_back({volume::kSource, static_cast<std::int16_t>(flowChannel)});
  if (o.noCorrection) out.push_back({volume::kCorrection, false});
  if (o.correctionFactor) out.push_back({volume::kFactor, *o.correctionFactor});
  if (o.thresholdRow) out.push_back({volume::kThresholdRow, static_cast<std::int16_t>(*o.thresholdRow)});
  if (o.thresholdLitres) out.push_back({volume::kThresholdRow, volume::kCustomRow});
  if (o.thresholdLitres) out.push_back({volume::kCustomThreshold, *o.thresholdLitres});
  if (o.resetAtInspiration) out.push_back({volume::kReset, true});
  return out;
}

void AddFlowOptions(CLI::App& c, FlowOptions& o) {
  c.add_option("--model", o.model, "flow: spirometer model (row of the model table)")->group("Flow");
  c.add_option("--scale", o.scale, "flow: custom scale, L/s per base unit (mV)")->group("Flow");
  c.add_option("--nonlinearity", o.nonlinearity, "flow: custom nonlinearity per base unit")->group("Flow");
  c.add_option("--zero-offset", o.zeroOffset, "flow: added to every sample, base units")->group("Flow");
  // Flag functions run only when given: a plain flag would always set the value.
  c.add_flag_function("--linearise,!--no-linearise", [&o](std::int64_t n) { o.linearise = n > 0; },
                      "flow: apply the flow head's nonlinearity (on by default)")->group("Flow");
  c.add_flag_function("--drift,!--no-drift", [&o](std::int64_t n) { o.drift = n > 0; },
                      "flow: remove a linear zero drift (off by default)")->group("Flow");
}

void AddVolumeOptions(CLI::App& c, VolumeOptions& o) {
  c.add_option("--correction-factor", o.correctionFactor, "volume: divisor of expired flow past the threshold (0.9..2)")->group("Volume");
  c.add_flag("--no-correction", o.noCorrection, "volume: no correction of expired flow")->group("Volume");
  c.add_option("--threshold-row", o.thresholdRow, "volume: row of the threshold table")->group("Volume");
  c.add_option("--threshold-litres", o.thresholdLitres, "volume: custom threshold in litres")->group("Volume");
  c.add_flag("--reset-at-inspiration", o.resetAtInspiration, "volume: zero the volume at each inspiration")->group("Volume");
}

}  // namespace cli
