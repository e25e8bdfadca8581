// The volume function's settings change only here, when the host hands a
// submitted command back; the settings record is made on the first one.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "computed/computed_command.h"
#include "computed/local_records.h"
#include "computed/volume_object.h"
#include "frame/credit_lines.h"
#include "frame/host_services_host.h"
#include "util/handle_record.h"

namespace spiro {

namespace volume {
namespace {

void SetSource(RespVolumeSettings& settings, std::int16_t source, std::int16_t channelCount) {
  if (source < 1 || source > channelCount || source == settings.ownChannel) return;
  settings.sourceChannel = source;
  settings.sourceIsComputed = 1;
}

// A factor that is not a number has no place in 0.9 .. 2.0: the factor in
// force stays.
void SetCorrectionFactor(RespVolumeSettings& settings, double factor) {
  if (std::isnan(factor)) return;
  settings.correctionFactor = std::clamp(factor, kMinCorrectionFactor, kMaxCorrectionFactor);
}

}  // namespace

RespVolumeSettings DefaultSettings(std::int16_t channel) {
  RespVolumeSettings settings{};
  settings.ownChannel = channel;
  settings.sourceIsComputed = 1;
  settings.negativeFlowCorrection = 1;
  settings.correctionFactor = kDefaultCorrectionFactor;
  settings.thresholdIndex = kDefaultThresholdRow;
  return settings;
}

void ResolveSiblingIdentifiers(LocalDataType& record) {
  if (record.respiratoryId == kUnresolvedExtensionId) {
    record.respiratoryId = HostService638(kRespiratoryCreditLine);
  }
  if (record.flowId == kUnresolvedExtensionId) record.flowId = HostService638(kFlowCreditLine);
}

void ApplyCommand(RespVolumeSettings& settings, const void* record, const LocalDataType& local) {
  switch (CommandCode(record)) {
    case kSetWholeSettings:
      if (const void* whole =
              SubmittedSettings(record, sizeof settings, SubmittedSize::kExactlyRecord)) {
        std::memcpy(&settings, whole, sizeof settings);
      }
      break;
    case kSetSourceChannel: SetSource(settings, CommandShort(record), local.channelCount); break;
    case kSetNegativeFlowCorrection: settings.negativeFlowCorrection = CommandFlag(record); break;
    case kSetCorrectionFactor: SetCorrectionFactor(settings, CommandDouble(record)); break;
    case kSetThresholdIndex: settings.thresholdIndex = CommandShort(record); break;
    case kSetCustomThreshold: settings.customThreshold = CommandDouble(record); break;
    case kSetResetAtPositiveFlow: settings.resetAtPositiveFlow = CommandFlag(record); break;
    default: break;
  }
  if (local.resetBlocked != 0) settings.resetAtPositiveFlow = 0;
}

void PerformCommand(const void* record, LocalDataType** local) {
  if (local == nullptr || record == nullptr) return;
  auto localRecord = LoadHandleRecord<LocalDataType>(LocalHandle(local));
  if (localRecord.state != kStateHasSettings && localRecord.state != kStateCreated) return;
  ResolveSiblingIdentifiers(localRecord);
  const Handle settingsHandle = EnsureSettings<RespVolumeSettings>(
      localRecord, [&] { return DefaultSettings(localRecord.channel); }, kOutOfMemoryText);
  StoreHandleRecord(LocalHandle(local), localRecord);
  if (settingsHandle == nullptr) return;
  auto settings = LoadHandleRecord<RespVolumeSettings>(settingsHandle);
  ApplyCommand(settings, record, localRecord);
  StoreHandleRecord(settingsHandle, settings);
}

}  // namespace volume

}  // namespace spiro
