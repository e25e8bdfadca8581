#include "computed/volume_computation.h"

#include <algorithm>

#include "computed/live_rings.h"
#include "computed/local_records.h"
#include "computed/volume_carried_state.h"
#include "computed/volume_coefficients.h"
#include "computed/volume_integration.h"
#include "frame/host_services_data.h"
#include "util/handle_record.h"

namespace spiro {

namespace {

// The first block of the stretch holding the block; 0 when there is none.
std::int16_t StretchStartBlock(std::int16_t block) {
  const std::int16_t start = DataService493(DataService489(block));
  return start >= 1 && start <= kMaxStretchStartBlock ? start : 0;
}

// Integrates the block's samples from `from` to the block's end for the state
// only. False when the state does not follow the block's last sample: the
// source held fewer samples than the block (a refused lock), or the state is
// already past the block's end.
bool IntegrateRestOfBlock(std::int16_t block, const SourceSamples& samples, std::int32_t from,
                          const VolumeIntegrationCoefficients& coefficients,
                          VolumeRunningState& state) {
  const std::int32_t length = DataBlockLength(block);
  const std::int32_t held = std::min(length, samples.count());
  IntegrateVolumeSamples(coefficients, state, samples.data(), nullptr, from, held);
  return samples.count() >= length && from <= held;
}

// Integrates blocks [from, block) for their state only; false when one of
// them was not whole.
bool IntegrateEarlierBlocks(std::int16_t from, std::int16_t block,
                            const SourceSelection& selection,
                            const VolumeIntegrationCoefficients& coefficients,
                            VolumeRunningState& state) {
  bool whole = true;
  for (std::int16_t z = from; z < block; ++z) {
    const SourceSamples samples(selection, z);
    whole = IntegrateRestOfBlock(z, samples, 0, coefficients, state) && whole;
  }
  return whole;
}

// Writes the requested offsets, leaves the state they reach in the settings,
// then integrates on to the block's end for the state carried to the next
// block; false when that state does not stand for the whole block.
bool IntegrateRequestedBlock(const ComputeBlockRequest& request, const SourceSelection& selection,
                             const VolumeIntegrationCoefficients& coefficients,
                             VolumeRunningState& state, RespVolumeSettings& settings) {
  const SourceSamples samples(selection, request.block);
  const LockedSamples output(request.output);
  const OutputSpan span = SpanWithin(request.first, request.end, output.count(), samples.count());
  const std::int32_t before = std::min(span.from, samples.count());
  IntegrateVolumeSamples(coefficients, state, samples.data(), nullptr, 0, before);
  IntegrateVolumeSamples(coefficients, state, samples.data(), output.data(), span.from, span.held);
  FillZeros(output, span.held, span.to);
  StoreBlockVolumeState(settings, state);
  const std::int32_t reached = span.held > span.from ? span.held : before;
  return IntegrateRestOfBlock(request.block, samples, reached, coefficients, state);
}

void StoreCarried(volume::LocalDataType** local, const CarriedVolumeState& carried) {
  auto record = LoadHandleRecord<volume::LocalDataType>(LocalHandle(local));
  record.carried = carried;
  StoreHandleRecord(LocalHandle(local), record);
}

}  // namespace

void ComputeVolumeBlock(const ComputeBlockRequest& request, volume::LocalDataType** local) {
  const Handle settingsHandle = SettingsHandleOf(local);
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
    const VolumeCarryKey key = CarryKeyFor(settings, startBlock);
    const auto record = LoadHandleRecord<volume::LocalDataType>(LocalHandle(local));
    const IntegrationStart start =
        StartFor(record.carried, key, request.block, BlockVolumeState(settings));
    VolumeRunningState state = start.state;
    bool whole = IntegrateEarlierBlocks(start.block, request.block, selection, coefficients, state);
    whole = IntegrateRequestedBlock(request, selection, coefficients, state, settings) && whole;
    StoreCarried(local, whole ? CarriedVolumeState{key, request.block, state} : CarriedVolumeState{});
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

}  // namespace spiro
