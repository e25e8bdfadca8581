// The flow function's block and live computations. Without settings the block
// computation writes zeros and the live one passes its own input through.
#pragma once

#include "computed/computation_requests.h"
#include "computed/resp_flow_settings.h"
#include "computed/sample_block.h"
#include "computed/source_samples.h"

namespace spiro {

struct DriftLine;

// Offsets [first, end) of the output from the source with the settings'
// derived coefficients; offsets the source does not hold become 0.
void WriteFlowSamples(const float* source, std::int32_t sourceCount, const LockedSamples& output,
                      std::int32_t first, std::int32_t end, const RespFlowSettings& settings,
                      const DriftLine& drift);

void ComputeFlowBlock(const ComputeBlockRequest& request, Handle settings);
void ComputeFlowLive(const ComputeLiveRequest& request, Handle settings);

}  // namespace spiro
