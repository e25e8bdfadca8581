// A spirometer flow head as the flow function models it: the voltage u (mV,
// relative to the voltage at zero flow) reads as flow
//   q = scale * u * (1 - nonlinearity * |u|)   litres per second,
// odd-symmetric. Synthesis runs it backwards, from flow to voltage.
#pragma once

#include <optional>

namespace cli {

// Defaults: the 800 L/min head, the flow function's default model.
struct FlowHead {
  double scale = 1.333;         // L/s per mV
  double nonlinearity = 0.006;  // per mV
};

// The largest flow magnitude the head can show: where the curve turns
// (scale / (4 nonlinearity)) for a positive nonlinearity, unbounded otherwise.
double LargestFlow(const FlowHead& head);

// The voltage at which the head reads `flow`; nothing beyond LargestFlow.
std::optional<double> VoltageForFlow(const FlowHead& head, double flow);

}  // namespace cli
