// Measuring the expiratory correction factor from one selected breath cycle:
// between two positive-going crossings the air breathed out beyond the dead
// space, divided by the factor, must match the air breathed in.
#include <algorithm>
#include <cstring>
#include <limits>

#include "computed/source_samples.h"
#include "computed/volume_coefficients.h"
#include "computed/volume_dialog_context.h"
#include "computed/volume_object.h"
#include "extension/channel_samples.h"
#include "frame/host_services_data.h"
#include "frame/host_services_dialogs.h"
#include "frame/host_services_host.h"
#include "frame/host_services_memory.h"
#include "frame/host_services_ranges.h"
#include "util/handle_record.h"
#include "vantor/byte_access.h"
#include "vantor/range_record.h"
#include "vantor/services.h"

namespace spiro {

namespace volume {
namespace {

constexpr std::int32_t kShortestSelection = 19;
constexpr std::int32_t kLongestSelection = 32000;

bool TurnsPositive(float before, float now) { return before <= 0.0f && now > 0.0f; }

struct Selection {
  std::int32_t start;
  std::int16_t block;
};

std::int16_t CheckSelection(VolumeDialogContext& context, Selection* out) {
  if (!RangeHasProperty516()) return kMeasureNoSelection;
  unsigned char range[vantor::kRangeRecordBytes] = {};
  GetActiveRangeRecord(range);
  const auto start = vantor::LoadAt<std::int32_t>(range, vantor::kRangeStartAt);
  const auto end = vantor::LoadAt<std::int32_t>(range, vantor::kRangeEndAt);
  const std::int16_t block = DataBlockOfPosition(static_cast<std::uint32_t>(start));
  const RespVolumeSettings settings = WorkingSettings(context);
  if (!SourceHasBlock(settings.sourceChannel, settings.sourceIsComputed != 0, block)) {
    return kMeasureNoSourceData;
  }
  if (!IsFlowSource(settings, FlowIdOf(context), block)) return kSourceNotFlow;
  const std::int64_t length = static_cast<std::int64_t>(end) - start;
  if (length <= kShortestSelection) return kMeasureTooShort;
  if (length > kLongestSelection) return kMeasureTooLong;
  const std::int16_t last = DataBlockOfPosition(static_cast<std::uint32_t>(end - 1));
  for (std::int16_t b = block + 1; b <= last; ++b) {
    if (DataService487(b) == 0) return kMeasureBrokenBlocks;
  }
  context.selectionLength = static_cast<std::int32_t>(length);
  const auto bytes = static_cast<std::uint32_t>(length) * sizeof(float);
  context.selection = HostNewHandle(bytes);
  if (context.selection == nullptr) return kMeasureNoMemory;
  const HandleLock lock(context.selection);
  std::memset(lock.address(), 0, bytes);
  *out = {start, block};
  return kNotMeasured;
}

void Measure(VolumeDialogContext& context, const Selection& selection) {
  RespVolumeSettings settings = WorkingSettings(context);
  UpdateVolumeCoefficients(selection.block, settings);
  HostBeginBusy();
  ReadChannelSamples(context.selection, settings.sourceChannel, selection.start,
                     context.selectionLength, settings.sourceIsComputed == 0);
  HostEndBusy();
  settings.offsetPerSample = 0.0;
  StoreWorkingSettings(context, settings);

  const HandleLock lock(context.selection);
  auto* samples = reinterpret_cast<float*>(lock.address());
  if (settings.zeroValue != 0.0) {
    for (std::int32_t i = 0; i < context.selectionLength; ++i) {
      samples[i] = static_cast<float>(static_cast<double>(samples[i]) - settings.zeroValue);
    }
  }
  const BreathCycle cycle = FindBreathCycle(samples, context.selectionLength, settings.gainPerSample);
  context.firstCrossing = cycle.first;
  context.secondCrossing = cycle.second;
  if (cycle.first < 0 || cycle.second <= cycle.first) {
    context.status = kNoBreathFound;
    return;
  }
  context.measuredFactor = CorrectionFactorOf(samples, cycle, settings.gainPerSample,
                                              settings.offsetPerSample, settings.correctionThreshold);
  const bool usable = context.measuredFactor >= kMinCorrectionFactor &&
                      context.measuredFactor <= kMaxCorrectionFactor;
  context.status = usable ? kFactorMeasured : kNoBreathFound;
}

}  // namespace

BreathCycle FindBreathCycle(const float* samples, std::int32_t n, double gain) {
  BreathCycle cycle{-1, -1};
  if (n < 2) return cycle;
  const std::int32_t firstEnd = (n - 1) / 3;
  const std::int32_t lastStart = (2 * n - 2) / 3;
  double volume = static_cast<double>(samples[0]) * gain;
  double lowest = std::numeric_limits<double>::infinity();
  for (std::int32_t i = 1; i < n; ++i) {
    const bool searched = i <= firstEnd || i >= lastStart;
    if (i == lastStart) lowest = std::numeric_limits<double>::infinity();
    if (searched && TurnsPositive(samples[i - 1], samples[i]) && volume < lowest) {
      lowest = volume;
      (i <= firstEnd ? cycle.first : cycle.second) = i;
    }
    volume += static_cast<double>(samples[i]) * gain;
  }
  return cycle;
}

double CorrectionFactorOf(const float* samples, BreathCycle cycle, double gain, double offset,
                          double threshold) {
  double reservoir = 0.0;
  double inspired = 0.0;
  double inDeadSpace = 0.0;
  double beyond = 0.0;
  for (std::int32_t i = cycle.first; i <= cycle.second; ++i) {
    const double v = static_cast<double>(samples[i]) * gain + offset;
    reservoir = std::clamp(reservoir - v, 0.0, threshold);
    if (v > 0.0) {
      inspired += v;
    } else if (reservoir >= threshold) {
      beyond -= v;
    } else {
      inDeadSpace -= v;
    }
  }
  return beyond / (inspired - inDeadSpace);
}

void MeasureCorrectionFactor(DialogRef dialog, VolumeDialogContext& context) {
  context.measuredFactor = std::numeric_limits<double>::infinity();
  context.firstCrossing = -1;
  context.secondCrossing = -1;
  Selection selection{};
  context.status = CheckSelection(context, &selection);
  if (context.status == kNotMeasured) Measure(context, selection);
  if (context.selection != nullptr) {
    HostDisposeHandle(context.selection);
    context.selection = nullptr;
  }
  if (dialog == nullptr) return;
  DrawMeasuredFactor(dialog, kMeasuredFactorItem);
  EnableUseMeasured(dialog, context);
  DrawMeasurementStatus(dialog, kMeasurementStatusItem);
}

}  // namespace volume

}  // namespace spiro
