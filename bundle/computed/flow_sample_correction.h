// The per-sample transform of the flow function, shared by the block and the
// live computations: zero offset, optional drift line, and the flow head's
// quadratic linearisation, odd-symmetric about zero flow.
#pragma once

#include <cmath>
#include <cstdint>

namespace spiro {

// Coefficients in sample-value terms for one block of the source.
struct FlowSampleTransform {
  double valueOffset;        // added to every sample
  double valueNonlinearity;  // of the linearisation; 0 applies none
};

// The zero drift of one block: slope per sample and value at offset 0.
struct DriftLine {
  double slope;
  double intercept;
};

// y is the sample after offset and drift. y * (1 - k|y|) is y * (1 - k y)
// above zero and y * (1 + k y) at and below it, to the last bit (negation is
// exact), and needs no branch.
inline double LineariseFlowHead(double y, double valueNonlinearity) {
  return y * (1.0 - valueNonlinearity * std::fabs(y));
}

inline float CorrectFlowSample(float x, const FlowSampleTransform& transform, double drift) {
  const double y = static_cast<double>(x) + transform.valueOffset - drift;
  return static_cast<float>(LineariseFlowHead(y, transform.valueNonlinearity));
}

// out[i] = CorrectFlowSample(in[i]) for i in [first, end), the drift line
// evaluated at each offset i. in and out may be the same array.
void CorrectFlowSamples(const float* in, float* out, std::int32_t first, std::int32_t end,
                        const FlowSampleTransform& transform, const DriftLine& drift);

}  // namespace spiro
