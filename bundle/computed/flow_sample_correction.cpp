#include "computed/flow_sample_correction.h"

namespace spiro {

namespace {

// The loops are built for several vector widths and the loader picks the
// widest the processor runs (AVX-512 handles eight doubles where the x86-64
// baseline handles two). Multiply-adds stay unfused, so that every width
// rounds as the baseline does and gives the same bits.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("fp-contract=off")
#define VANTOR_WIDEST_VECTORS __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define VANTOR_WIDEST_VECTORS
#endif

// Without a drift line the loop carries no per-offset term, so it vectorises.
VANTOR_WIDEST_VECTORS void CorrectWithoutDrift(const float* in, float* out, std::int32_t first,
                                               std::int32_t end,
                                               const FlowSampleTransform& transform) {
  for (std::int32_t i = first; i < end; ++i) out[i] = CorrectFlowSample(in[i], transform, 0.0);
}

VANTOR_WIDEST_VECTORS void CorrectWithDrift(const float* in, float* out, std::int32_t first,
                                            std::int32_t end, const FlowSampleTransform& transform,
                                            const DriftLine& drift) {
  for (std::int32_t i = first; i < end; ++i) {
    out[i] =
        CorrectFlowSample(in[i], transform, static_cast<double>(i) * drift.slope + drift.intercept);
  }
}

}  // namespace

void CorrectFlowSamples(const float* in, float* out, std::int32_t first, std::int32_t end,
                        const FlowSampleTransform& transform, const DriftLine& drift) {
  if (drift.slope == 0.0 && drift.intercept == 0.0) {
    CorrectWithoutDrift(in, out, first, end, transform);
  } else {
    CorrectWithDrift(in, out, first, end, transform, drift);
  }
}

}  // namespace spiro
