#include "computed/flow_computation.h"

#include <algorithm>

#include "computed/flow_channel_scaling.h"
#include "computed/flow_drift_line.h"
#include "computed/flow_sample_correction.h"
#include "computed/live_rings.h"
#include "util/handle_record.h"

namespace spiro {

namespace {

constexpr DriftLine kNoDrift{0.0, 0.0};

FlowSampleTransform TransformOf(const RespFlowSettings& settings) {
  return {settings.valueOffset, settings.valueNonlinearity};
}

void CorrectSpan(const float* in, float* out, std::int32_t first, std::int32_t end,
                 const RespFlowSettings& settings, const DriftLine& drift) {
  if (first >= end) return;
  if (settings.correctionActive != 0) {
    CorrectFlowSamples(in, out, first, end, TransformOf(settings), drift);
  } else if (in != out) {
    std::copy(in + first, in + end, out + first);
  }
}

}  // namespace

void WriteFlowSamples(const float* source, std::int32_t sourceCount, const LockedSamples& output,
                      std::int32_t first, std::int32_t end, const RespFlowSettings& settings,
                      const DriftLine& drift) {
  const OutputSpan span = SpanWithin(first, end, output.count(), sourceCount);
  CorrectSpan(source, output.data(), span.from, span.held, settings, drift);
  FillZeros(output, span.held, span.to);
}

void ComputeFlowBlock(const ComputeBlockRequest& request, Handle settingsHandle) {
  if (settingsHandle == nullptr) {
    WriteZeroSamples(request.output, request.first, request.end);
    return;
  }
  auto settings = LoadHandleRecord<RespFlowSettings>(settingsHandle);
  ApplyChannelScaling(request.block, settings);
  const SourceSelection selection = SelectionFor(settings, request);
  DriftLine drift = kNoDrift;
  if (settings.driftCorrection != 0) {
    drift = FindDriftLine(request.block, selection, settings.valueOffset).value_or(kNoDrift);
  }
  {
    const SourceSamples source(selection, request.block);
    const LockedSamples output(request.output);
    WriteFlowSamples(source.data(), source.count(), output, request.first, request.end, settings,
                     drift);
  }
  // The drift line belongs to this computation only.
  settings.driftSlope = 0.0;
  settings.driftIntercept = 0.0;
  StoreHandleRecord(settingsHandle, settings);
}

void ComputeFlowLive(const ComputeLiveRequest& request, Handle settingsHandle) {
  const RingSpans spans = RingSpansToDo(request.lastDone, request.lastToDo, request.ringLength);
  if (settingsHandle == nullptr) {
    PassLiveInputThrough(request, spans);
    return;
  }
  const auto settings = LoadHandleRecord<RespFlowSettings>(settingsHandle);
  const float* input = LiveSourceRing(settings, request);
  float* output = LiveRing(request.outputRings, request.channel);
  if (input == nullptr || output == nullptr) return;
  for (int s = 0; s < spans.count; ++s) {
    const RingSpan& span = spans.spans[static_cast<std::size_t>(s)];
    CorrectSpan(input, output, span.first, span.end, settings, kNoDrift);
  }
}

}  // namespace spiro
