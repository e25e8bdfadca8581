// The flow function's settings change only here, when the host hands a
// submitted command back; the settings record is made on the first one.
#include <cstring>
#include <limits>

#include "computed/computed_command.h"
#include "computed/flow_coefficients.h"
#include "computed/flow_object.h"
#include "computed/local_records.h"
#include "util/handle_record.h"

namespace spiro {

namespace flow {
namespace {

void SetSource(RespFlowSettings& settings, std::int16_t source, std::int16_t channelCount) {
  if (source < 1 || source > channelCount) return;
  settings.sourceChannel = source;
  settings.sourceIsComputed = source != settings.ownChannel ? 1 : 0;
}

}  // namespace

RespFlowSettings DefaultSettings(std::int16_t channel) {
  RespFlowSettings settings{};
  settings.ownChannel = channel;
  settings.sourceChannel = channel;
  settings.SpirometerModel = kDefaultSpirometerModel;
  settings.linearise = 1;
  settings.customScale = std::numeric_limits<double>::infinity();
  return settings;
}

bool ApplyCommand(RespFlowSettings& settings, const void* record, std::int16_t channelCount) {
  switch (CommandCode(record)) {
    case kSetWholeSettings:
      if (const void* whole =
              SubmittedSettings(record, sizeof settings, SubmittedSize::kAtLeastRecord)) {
        std::memcpy(&settings, whole, sizeof settings);
      }
      return true;
    case kSetSourceChannel: SetSource(settings, CommandShort(record), channelCount); return false;
    case kSetLinearise: settings.linearise = CommandFlag(record); return true;
    case kSetModel: {
      const std::int16_t model = CommandShort(record);
      settings.SpirometerModel = model > 0 ? model : kCustomSpirometerModel;
      return true;
    }
    case kSetCustomScale: settings.customScale = CommandDouble(record); return true;
    case kSetCustomNonlinearity: settings.customNonlinearity = CommandDouble(record); return true;
    case kSetZeroOffset: settings.zeroOffset = CommandDouble(record); return true;
    case kSetSpareFlag: settings.spareFlag = CommandFlag(record); return false;
    case kSetDriftCorrection: settings.driftCorrection = CommandFlag(record); return true;
    default: return false;
  }
}

void PerformCommand(const void* record, LocalDataType** local) {
  if (local == nullptr || record == nullptr) return;
  auto localRecord = LoadHandleRecord<LocalDataType>(LocalHandle(local));
  bool created = false;
  const Handle settingsHandle = EnsureSettings<RespFlowSettings>(
      localRecord, [&] { return DefaultSettings(localRecord.channel); }, kOutOfMemoryText,
      &created);
  StoreHandleRecord(LocalHandle(local), localRecord);
  if (settingsHandle == nullptr) return;
  auto settings = LoadHandleRecord<RespFlowSettings>(settingsHandle);
  // New settings get their derived coefficients whatever the first command
  // is: a block computed before any coefficient command must already follow
  // the default model rather than copy its source.
  if (ApplyCommand(settings, record, localRecord.channelCount) || created) {
    UpdateFlowCoefficients(settings);
  }
  StoreHandleRecord(settingsHandle, settings);
}

}  // namespace flow

}  // namespace spiro
