// AnalyseSelection: checks the selection and its channels, reads the flow and
// volume samples, trims them to breathing and hands them to the phase cut
// and the indices.
#include <cmath>
#include <cstring>

#include "extension/channel_samples.h"
#include "extension/channel_scaling.h"
#include "extension/dispose_helpers.h"
#include "extension/numeric_clamps.h"
#include "extension/resource_text_helpers.h"
#include "frame/host_services_data.h"
#include "frame/host_services_host.h"
#include "frame/host_services_memory.h"
#include "frame/host_services_ranges.h"
#include "frame/host_services_strings.h"
#include "spirometry/analysis.h"
#include "spirometry/analysis_channels.h"
#include "spirometry/breath_indices.h"
#include "spirometry/breath_phases.h"
#include "spirometry/breathing_stretch.h"
#include "spirometry/channel_menus.h"
#include "util/handle_record.h"
#include "util/pstring.h"
#include "vantor/byte_access.h"
#include "vantor/range_record.h"

namespace spiro {

namespace spirometry {
namespace {

constexpr std::int16_t kBusyTicks = 15;
constexpr std::int16_t kSuppressWarningsSelector = 101;
constexpr std::int16_t kTimePrecision = 3;
constexpr unsigned char kSecondsUnit[] = {2, 0xCA, 's'};  // non-breaking space, "s"

struct Outcome {
  std::int16_t status;
  std::int16_t code;  // 0: keep the record's code (a warning may stand)
};

std::int32_t SelectionStart(const LocalDataType& r) {
  return vantor::LoadAt<std::int32_t>(r.rangeRecord, vantor::kRangeStartAt);
}
std::int32_t SelectionEnd(const LocalDataType& r) {
  return vantor::LoadAt<std::int32_t>(r.rangeRecord, vantor::kRangeEndAt);
}

// A stored channel that no longer qualifies is dropped; an unset one becomes
// the first that qualifies.
template <class Qualifies>
void ChooseChannel(std::int16_t& channel, LocalDataType& record, std::int16_t block,
                   Qualifies qualifies) {
  if (channel > 0 && !qualifies(channel, block, record)) channel = 0;
  for (std::int16_t c = 1; channel == 0 && c <= record.channelCount; ++c) {
    if (qualifies(c, block, record)) channel = c;
  }
}

void FetchScaling(std::int16_t channel, std::int16_t block, vantor::ChannelScaling& scaling) {
  vantor::ChannelScaleInfo scratch{};
  DataGetChannelRecord477(channel, block, &scratch);
  DataGetChannelRecord485(channel, block, &scaling);
}

// Only recorded samples can be clipped: a computed channel's own output may
// well reach full scale (a volume integrated over minutes) without any loss.
bool ChannelClipped(std::int16_t channel, std::int16_t block, std::int32_t start, std::int32_t end) {
  return DataService496(channel, block) != 0 && DataService504(channel, start, end) != 0;
}

void SetUnitFactors(LocalDataType& record, std::int16_t block) {
  Str255 unit;
  ChannelUnitText(record.flowChannel, block, unit);
  record.flowToLitresPerSecond = 1.0;
  if (unit[0] >= 2 && unit[1] == 'm') record.flowToLitresPerSecond *= 0.001;
  static constexpr unsigned char kMin[] = {3, 'm', 'i', 'n'};
  if (FindPString(kMin, unit) != 0) record.flowToLitresPerSecond /= 60.0;
  ChannelUnitText(record.volumeChannel, block, unit);
  record.volumeToLitres = unit[0] >= 2 && unit[1] == 'm' ? 0.001 : 1.0;
}

// Steps that decide whether the selection can be analysed at all, up to the
// unit factors. startBlock receives the selection's first block.
Outcome CheckSelection(LocalDataType& record, std::int16_t& startBlock) {
  std::int32_t start = SelectionStart(record);
  std::int32_t end = SelectionEnd(record);
  if (end - start > kMaxAnalysedSamples) {
    end = start + kMaxAnalysedSamples;
    vantor::StoreAt(record.rangeRecord, vantor::kRangeEndAt, end);
    record.messageCode = kCodeSelectionLimited;
  }
  startBlock = DataBlockOfPosition(static_cast<std::uint32_t>(start));
  // The end is exclusive: its block is the one holding the last sample.
  const std::int16_t endBlock =
      end > start ? DataBlockOfPosition(static_cast<std::uint32_t>(end - 1)) : startBlock;
  unsigned char blockRecord[vantor::kBlockRecord494Bytes] = {};
  DataService494(blockRecord, startBlock);
  record.recordingTime = vantor::LoadAt<std::uint32_t>(blockRecord, 0);

  ChooseChannel(record.flowChannel, record, startBlock, IsFlowChannel);
  ChooseChannel(record.volumeChannel, record, startBlock, IsVolumeChannel);
  if (record.flowChannel == 0) return {kAnalysisRefused, kCodeNoFlowChannel};
  if (record.volumeChannel == 0) return {kAnalysisRefused, kCodeNoVolumeChannel};

  for (std::int32_t b = startBlock + 1; b <= endBlock; ++b) {
    if (DataService487(static_cast<std::int16_t>(b)) == 0) {
      return {kAnalysisRefused, kCodeBlockNotContinued};
    }
  }
  DataGetBlockRecord475(startBlock, &record.timeFormat);
  vantor::BlockTimeFormat& time = record.timeFormat;
  if (time.displayInterval != time.samplingInterval) {
    time.displayInterval = time.samplingInterval;
    time.displayPrecision = kTimePrecision;
    std::memcpy(time.unitText, kSecondsUnit, sizeof kSecondsUnit);
  }
  const bool flowHasData = DataChannelHasBlock(record.flowChannel, startBlock) != 0;
  if (flowHasData) FetchScaling(record.flowChannel, startBlock, record.flowScaling);
  if (DataChannelHasBlock(record.volumeChannel, startBlock) == 0) {
    return {kAnalysisNoChannelData, kCodeVolumeNoData};
  }
  FetchScaling(record.volumeChannel, startBlock, record.volumeScaling);
  if (!flowHasData) return {kAnalysisNoChannelData, kCodeFlowNoData};
  if (time.samplingInterval > kMaxSamplingInterval) return {kAnalysisRefused, kCodeIntervalTooLong};

  if ((ChannelClipped(record.flowChannel, startBlock, start, end) ||
       ChannelClipped(record.volumeChannel, startBlock, start, end)) &&
      HostQueryValue(kSuppressWarningsSelector) == 0) {
    Str255 warning;
    HostGetListString(record.messageList, kClippingWarningEntry, warning);
    HostAlert82(warning);
  }
  SetUnitFactors(record, startBlock);
  return {kAnalysisValid, 0};
}

// Reads both channels over the selection; false when memory ran out.
bool ReadSamples(LocalDataType& record) {
  const std::int32_t start = SelectionStart(record);
  record.sampleCount = SelectionEnd(record) - start;
  const auto bytes = static_cast<std::uint32_t>(record.sampleCount) * sizeof(float);
  record.flowSamples = HostNewHandle(bytes);
  record.volumeSamples = record.flowSamples != nullptr ? HostNewHandle(bytes) : nullptr;
  if (record.flowSamples == nullptr || record.volumeSamples == nullptr) return false;
  // A block the host cannot lend (out of memory) is left unread: it must read
  // as no flow, not as whatever the new blocks held.
  for (Handle samples : {record.flowSamples, record.volumeSamples}) {
    const HandleLock lock(samples);
    std::memset(lock.address(), 0, bytes);
  }
  ReadChannelSamples(record.flowSamples, record.flowChannel, start, record.sampleCount, false);
  vantor::ChannelScaling& scaling = record.flowScaling;
  if (scaling.calibrated != 0 && scaling.offset != 0.0) {
    // Raw 0 must be zero flow for the zero-crossing search.
    const auto zero = static_cast<float>(UnitsToRaw(0.0, scaling));
    const HandleLock lock(record.flowSamples);
    auto* flow = reinterpret_cast<float*>(lock.address());
    for (std::int32_t i = 0; i < record.sampleCount; ++i) flow[i] -= zero;
    scaling.offset = 0.0;
  }
  ReadChannelSamples(record.volumeSamples, record.volumeChannel, start, record.sampleCount, false);
  return true;
}

// Keeps samples s..e of both buffers; false when no breathing was found.
bool TrimToBreathing(LocalDataType& record) {
  const std::int32_t minRun = RoundToLong(record.minRunSeconds / record.timeFormat.samplingInterval);
  BreathingStretch stretch{};
  {
    const HandleLock flowLock(record.flowSamples);
    const HandleLock volumeLock(record.volumeSamples);
    stretch = FindBreathingStretch(reinterpret_cast<const float*>(flowLock.address()),
                                   record.sampleCount, minRun, record.flowThreshold);
    if (!stretch.found) return false;
    const auto bytes = static_cast<std::uint32_t>(stretch.end - stretch.start + 1) * sizeof(float);
    const std::size_t from = static_cast<std::size_t>(stretch.start) * sizeof(float);
    HostMoveBytes(flowLock.address() + from, flowLock.address(), bytes);
    HostMoveBytes(volumeLock.address() + from, volumeLock.address(), bytes);
  }
  record.sampleCount = stretch.end - stretch.start + 1;
  const auto bytes = static_cast<std::uint32_t>(record.sampleCount) * sizeof(float);
  HostSetHandleSize(record.flowSamples, bytes);
  HostSetHandleSize(record.volumeSamples, bytes);
  return true;
}

void ResetResults(LocalDataType& record) {
  record.analysisStatus = kAnalysisValid;
  for (Handle windowRecord : record.windowRecords) {
    if (windowRecord == nullptr) continue;
    auto common = LoadHandleRecord<SpiroWindowRecord>(windowRecord);
    common.status = kAnalysisValid;
    StoreHandleRecord(windowRecord, common);
  }
  DisposeHandleAndClear(&record.phases);
  record.phaseCount = 0;
  record.inspirationCount = record.expirationCount = 0;
  record.breathFrequency = record.ventilation = record.tidalVolume = 0.0;
  record.peakInspiratoryFlow = record.peakExpiratoryFlow = 0.0;
  record.fev1 = record.fvc = 0.0;
  record.peakInspiratoryIndex = record.peakExpiratoryIndex = -1;
  record.forcedEndIndex = record.forcedStartIndex = -1;
}

void AnalyseStretch(LocalDataType& record) {
  const HandleLock flowLock(record.flowSamples);
  const HandleLock volumeLock(record.volumeSamples);
  const auto* flow = reinterpret_cast<const float*>(flowLock.address());
  const auto* volume = reinterpret_cast<const float*>(volumeLock.address());
  const BreathCycles cycles = CutIntoPhases(record, flow, volume, record.sampleCount);
  if (record.phases == nullptr) {
    ComputeBreathIndices(record, nullptr, flow, volume, record.sampleCount, cycles);
    return;
  }
  const HandleLock phasesLock(record.phases);
  ComputeBreathIndices(record, reinterpret_cast<BreathPhase*>(phasesLock.address()), flow, volume,
                       record.sampleCount, cycles);
}

// Steps after the checks; the status they end with.
std::int16_t ComputeResults(LocalDataType& record) {
  HostBeginBusy();
  HostBusyTick(kBusyTicks);
  std::int16_t status = kAnalysisValid;
  if (!ReadSamples(record)) {
    status = kAnalysisOutOfMemory;
  } else if (!TrimToBreathing(record)) {
    status = kAnalysisRefused;
    record.messageCode = kCodeNoBreathing;
  } else {
    ResetResults(record);
    AnalyseStretch(record);
  }
  HostEndBusy();
  return status;
}

void PublishFailure(LocalDataType& record) {
  FreeAnalysisResults(record);
  for (Handle windowRecord : record.windowRecords) {
    if (windowRecord == nullptr) continue;
    auto common = LoadHandleRecord<SpiroWindowRecord>(windowRecord);
    common.status = record.analysisStatus;
    common.messageCode = record.messageCode;
    StoreHandleRecord(windowRecord, common);
  }
}

}  // namespace

void AnalyseSelection(const VantorExtensionBase& extension, LocalDataType** data) {
  if (data == nullptr) return;
  const HandleLock lock(reinterpret_cast<Handle>(data));
  auto& record = *reinterpret_cast<LocalDataType*>(lock.address());
  if (record.analysisStatus != kAnalysisDue) return;
  FreeAnalysisResults(record);
  CopyActiveRange(record.rangeRecord);
  if (!RangeHasProperty516()) {
    record.analysisStatus = kAnalysisNoSelection;
    PublishFailure(record);
    return;
  }
  std::int16_t startBlock = 0;
  const Outcome outcome = CheckSelection(record, startBlock);
  if (outcome.code != 0) record.messageCode = outcome.code;
  if (startBlock > 0) UpdateChannelMenus(record, startBlock, extension);
  record.analysisStatus = outcome.status;
  if (record.analysisStatus == kAnalysisValid) record.analysisStatus = ComputeResults(record);
  if (record.analysisStatus != kAnalysisValid) PublishFailure(record);
}

}  // namespace spirometry

}  // namespace spiro
