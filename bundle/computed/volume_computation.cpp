#include "computed/volume_computation.h"

#include <algorithm>

#include "computed/live_rings.h"
#include "computed/volume_coefficients.h"
#include "computed/volume_integration.h"
#include "frame/host_services_data.h"
#include "util/handle_record.h"

namespace {

// The first block of the stretch holding the block; 0 when there is none.
std::int16_t StretchStartBlock(std::int16_t block) {
  const std::int16_t start = DataService493(DataService489(block));
  return start >= 1 && start <= kMaxStretchStartBlock ? start : 0;
}

// Integrates the earlier blocks of the stretch for their state only.
void ReplayEarlierBlocks(std::int16_t startBlock, std::int16_t block,
                         const SourceSelection& selection,
                         const VolumeIntegrationCoefficients& coefficients,
                         VolumeRunningState& state) {
  for (std::int16_t z = startBlock; z < block; ++z) {
    const std::int32_t length = DataBlockLength(z);
    const SourceSamples samples(selection, z);
    IntegrateVolumeSamples(coefficients, state, samples.data(), nullptr, 0,
                           std::min(length, samples.count()));
  }
}

void IntegrateRequestedBlock(const ComputeBlockRequest& request, const SourceSelection& selection,
                             const VolumeIntegrationCoefficients& coefficients,
                             VolumeRunningState& state) {
  const SourceSamples samples(selection, request.block);
  const LockedSamples output(request.output);
  const OutputSpan span = SpanWithin(request.first, request.end, output.count(), samples.count());
  IntegrateVolumeSamples(coefficients, state, samples.data(), nullptr, 0,
                         std::min(span.from, samples.count()));
  IntegrateVolumeSamples(coefficients, state, samples.data(), output.data(), span.from, span.held);
  FillZeros(output, span.held, span.to);
}

}  // namespace

void ComputeVolumeBlock(const ComputeBlockRequest& request, Handle settingsHandle) {
  if (settingsHandle == nullptr) {
    WriteZeroSamples(request.output, request.first, request.end);
    return;
  }
  auto settings = LoadHandleRecord<RespVolumeSettings>(settingsHandle);
  UpdateVolumeCoefficients(request.block, settings);
  const std::int16_t startBlock = StretchStartBlock(request.block);
  if (startBlock == 0) {
    WriteZeroSamples(request.output, request.first, request.end);
  } else {
    const SourceSelection selection = SelectionFor(settings, request);
    const VolumeIntegrationCoefficients coefficients = IntegrationCoefficientsOf(settings);
    VolumeRunningState state = BlockVolumeState(settings);
    ReplayEarlierBlocks(startBlock, request.block, selection, coefficients, state);
    IntegrateRequestedBlock(request, selection, coefficients, state);
    StoreBlockVolumeState(settings, state);
  }
  StoreHandleRecord(settingsHandle, settings);
}

void ComputeVolumeLive(const ComputeLiveRequest& request, Handle settingsHandle) {
  const RingSpans spans = RingSpansToDo(request.lastDone, request.lastToDo, request.ringLength);
  if (settingsHandle == nullptr) {
    PassLiveInputThrough(request, spans);
    return;
  }
  auto settings = LoadHandleRecord<RespVolumeSettings>(settingsHandle);
  const float* input = LiveSourceRing(settings, request);
  float* output = LiveRing(request.outputRings, request.channel);
  if (input == nullptr || output == nullptr) return;
  const VolumeIntegrationCoefficients coefficients = IntegrationCoefficientsOf(settings);
  VolumeRunningState state = LiveVolumeState(settings);
  for (int s = 0; s < spans.count; ++s) {
    const RingSpan& span = spans.spans[static_cast<std::size_t>(s)];
    IntegrateVolumeSamples(coefficients, state, input, output, span.first, span.end);
  }
  StoreLiveVolumeState(settings, state);
  StoreHandleRecord(settingsHandle, settings);
}
