// The flow head's coefficients: from the spirometer model table (string list
// 8301, two integers in thousandths per model: scale in L/s per base unit,
// then nonlinearity per base unit) or from the custom values, and whether the
// per-sample transform does anything at all.
#pragma once

#include <cstdint>

#include "computed/resp_flow_settings.h"
#include "toolbox/mac_types.h"

namespace spiro {

inline constexpr std::int16_t kSpirometerModelListId = 8301;

struct FlowHeadCoefficients {
  double scale;         // L/s per base unit
  double nonlinearity;  // per base unit
};

// The model's row of string list 8301, read from the flow function's own
// resources. A model beyond the table reads empty texts, which give zeros.
FlowHeadCoefficients SpirometerModelCoefficients(std::int16_t model);

// A custom model whose scale was never set falls back to the default model;
// true when the coefficients then come from the model table.
bool ResolveSpirometerModel(RespFlowSettings& settings);

// Stores scale and nonlinearity, copies the zero offset and derives
// correctionActive (a NaN counts as non-zero).
void SetFlowCoefficients(RespFlowSettings& settings, const FlowHeadCoefficients& coefficients);

// Both of the above, with the table read when the model asks for it.
void UpdateFlowCoefficients(RespFlowSettings& settings);
void UpdateFlowCoefficients(Handle settings);

}  // namespace spiro
