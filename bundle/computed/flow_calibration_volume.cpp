// The volume of the selected syringe stroke as the flow head saw it: the
// integral of the source's samples, in base units x seconds, and whether the
// selection can be calibrated from at all.
#include <cmath>
#include <cstring>

#include "computed/flow_channel_scaling.h"
#include "computed/flow_dialog_context.h"
#include "computed/source_samples.h"
#include "extension/channel_samples.h"
#include "frame/host_services_data.h"
#include "frame/host_services_host.h"
#include "frame/host_services_memory.h"
#include "frame/host_services_ranges.h"
#include "util/handle_record.h"
#include "vantor/byte_access.h"
#include "vantor/range_record.h"
#include "vantor/services.h"

namespace spiro {

namespace flow {
namespace {

constexpr std::int32_t kMinimumSelection = 10;
constexpr std::int32_t kMaximumSelection = 32000;
// Half of one base unit in the host's 1/1024 steps: anything smaller is noise.
constexpr double kNegligibleSum = 0.48828125;

bool ReserveSelection(FlowDialogContext& context, std::int32_t length) {
  const auto bytes = static_cast<std::uint32_t>(length) * sizeof(float);
  if (context.selection == nullptr) {
    context.selection = HostNewHandle(bytes);
    if (context.selection == nullptr) return false;
  }
  HostSetHandleSize(context.selection, bytes);
  if (HostGetHandleSize(context.selection) != bytes) return false;
  // Blocks without samples leave their part as it was: read as silence.
  const HandleLock lock(context.selection);
  std::memset(lock.address(), 0, bytes);
  return true;
}

// Every block after the first, up to the one of the last selected sample,
// continues its predecessor.
bool BlocksContinue(std::int16_t first, std::int16_t last) {
  for (std::int16_t block = first + 1; block <= last; ++block) {
    if (DataService487(block) == 0) return false;
  }
  return true;
}

std::int16_t Check(FlowDialogContext& context, std::int32_t* startOut, std::int16_t* blockOut) {
  if (!RangeHasProperty516()) return kCalibrationNoSelection;
  unsigned char range[vantor::kRangeRecordBytes] = {};
  GetActiveRangeRecord(range);
  const auto start = vantor::LoadAt<std::int32_t>(range, vantor::kRangeStartAt);
  const auto end = vantor::LoadAt<std::int32_t>(range, vantor::kRangeEndAt);
  const std::int64_t length = static_cast<std::int64_t>(end) - start;
  if (length < kMinimumSelection) return kCalibrationTooShort;
  if (length > kMaximumSelection) return kCalibrationTooLong;
  const std::int16_t block = DataBlockOfPosition(static_cast<std::uint32_t>(start));
  const RespFlowSettings settings = WorkingSettings(context);
  if (!SourceHasBlock(settings.sourceChannel, settings.sourceIsComputed != 0, block)) {
    return kCalibrationNoSourceData;
  }
  if (!IsVoltSignal(FlowSourceScaleInfo(settings, block))) return kCalibrationNotVolts;
  if (!BlocksContinue(block, DataBlockOfPosition(static_cast<std::uint32_t>(end - 1)))) {
    return kCalibrationBrokenBlocks;
  }
  context.selectionLength = static_cast<std::int32_t>(length);
  if (!ReserveSelection(context, context.selectionLength)) return kCalibrationNoMemory;
  *startOut = start;
  *blockOut = block;
  return kCalibrationUsable;
}

}  // namespace

void ComputeCalibrationVolume(FlowDialogContext& context) {
  std::int32_t start = 0;
  std::int16_t block = 0;
  context.status = Check(context, &start, &block);
  if (context.status != kCalibrationUsable) return;

  RespFlowSettings settings = WorkingSettings(context);
  HostBeginBusy();
  ReadChannelSamples(context.selection, settings.sourceChannel, start, context.selectionLength,
                     settings.sourceIsComputed == 0);
  HostEndBusy();
  ApplyChannelScaling(block, settings);
  StoreWorkingSettings(context, settings);
  if (settings.unitsConversionPending != 0) context.status = kCalibrationUnfoldable;

  double sum = 0.0;
  {
    HandleLock lock(context.selection);
    const auto* samples = reinterpret_cast<const float*>(*context.selection);
    for (std::int32_t i = 0; i < context.selectionLength; ++i) sum += static_cast<double>(samples[i]) + settings.valueOffset;
  }
  if (std::fabs(sum) < kNegligibleSum) context.status = kCalibrationNoVolume;
  vantor::BlockTimeFormat time{};
  DataGetBlockRecord475(block, &time);
  context.calibrationVolume =
      std::fabs(sum) * time.samplingInterval * FlowSourceScaleInfo(settings, block).unitFactor;
}

}  // namespace flow

}  // namespace spiro
