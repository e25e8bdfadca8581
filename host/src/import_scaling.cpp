// A recorded channel's scaling record from its physical dimension.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "host/document.h"
#include "host/recording_import.h"
#include "toolbox/pascal_string.h"
#include "host/problem.h"
#include "toolbox/macroman.h"

namespace host {
namespace {

struct VoltUnit {
  std::string_view text;
  double millivolts;
};
constexpr std::array<VoltUnit, 6> kVoltUnits = {{
    {"V", 1e3}, {"mV", 1}, {"uV", 1e-3}, {"\u00B5V", 1e-3}, {"\u03BCV", 1e-3}, {"nV", 1e-6}}};

std::optional<double> MillivoltsPer(std::string_view dimension) {
  for (const VoltUnit& unit : kVoltUnits) {
    if (unit.text == dimension) return unit.millivolts;
  }
  return std::nullopt;
}

// About four significant digits of the channel's full scale.
std::int16_t DecimalsFor(double unitsPerValue) {
  const double fullScale = std::fabs(unitsPerValue) * static_cast<double>(kFullScale);
  if (!(fullScale > 0) || !std::isfinite(fullScale)) return 3;
  const double decimals = 3 - std::floor(std::log10(fullScale));
  return static_cast<std::int16_t>(std::clamp(decimals, 0.0, 6.0));
}

bool UnitTextFits(std::string_view dimension, std::string* problem) {
  std::string why;
  const auto macRoman = toolbox::Utf8ToMacRoman(dimension, &why);
  if (!macRoman) {
    return Fail(problem, "unit \"" + std::string(dimension) + "\" cannot be shown: " + why);
  }
  if (macRoman->size() >= vantor::kUnitTextBytes) {
    return Fail(problem, "unit \"" + std::string(dimension) + "\" is longer than 25 characters");
  }
  return true;
}

}  // namespace

std::optional<vantor::ChannelScaling> ScalingFor(const RecordingChannel& channel, std::string* problem) {
  vantor::ChannelScaling scaling = DefaultScaling();
  if (const auto millivolts = MillivoltsPer(channel.dimension)) {
    const double factor = channel.unitsPerValue * *millivolts;
    scaling.info.rawFactor = factor;
    scaling.info.unitFactor = factor;
    scaling.calibrated = 0;
    scaling.gain = 1;
    scaling.offset = 0;
    toolbox::StorePascalText(scaling.unitText, sizeof scaling.unitText, "mV");
    toolbox::StorePascalText(scaling.info.baseUnitText, sizeof scaling.info.baseUnitText, "mV");
    scaling.decimals = DecimalsFor(factor);
    return scaling;
  }
  if (!UnitTextFits(channel.dimension, problem)) return std::nullopt;
  scaling.calibrated = 1;
  scaling.gain = channel.unitsPerValue;
  scaling.offset = 0;
  scaling.info.rawFactor = channel.unitsPerValue;
  scaling.info.unitFactor = 1;
  toolbox::StorePascalText(scaling.unitText, sizeof scaling.unitText, channel.dimension);
  std::memset(scaling.info.baseUnitText, 0, sizeof scaling.info.baseUnitText);
  scaling.decimals = DecimalsFor(channel.unitsPerValue);
  return scaling;
}

}  // namespace host
