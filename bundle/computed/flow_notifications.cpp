// Host notifications to the flow function: the protocol query, settings and
// source requests by notification, and the derived coefficients refreshed for
// the block being sampled and for the live path.
#include "computed/flow_channel_scaling.h"
#include "computed/flow_coefficients.h"
#include "computed/flow_object.h"
#include "computed/notifications.h"
#include "frame/host_services_host.h"
#include "util/handle_record.h"
#include "vantor/byte_access.h"

namespace spiro {

namespace flow {
namespace {

void RefreshForSampledBlock(Handle settingsHandle) {
  auto settings = LoadHandleRecord<RespFlowSettings>(settingsHandle);
  UpdateFlowCoefficients(settings);
  ApplyChannelScaling(kSampledBlock, settings);
  StoreHandleRecord(settingsHandle, settings);
}

void PrepareLiveSource(Handle settingsHandle) {
  auto settings = LoadHandleRecord<RespFlowSettings>(settingsHandle);
  settings.liveSourceIsComputed =
      settings.sourceIsComputed != 0 ? HostService572(settings.sourceChannel) : 0;
  StoreHandleRecord(settingsHandle, settings);
}

}  // namespace

void HandleNotification(std::int16_t code, std::uint32_t value, LocalDataType** local) {
  if (local == nullptr) return;
  const auto record = LoadHandleRecord<LocalDataType>(LocalHandle(local));
  const bool shared = HandleSharedNotification(
      code, value, record.channel, [&] { return EditSettings(record.channel, local); },
      [&](const void* command) { PerformCommand(command, local); });
  if (shared) return;
  switch (code) {
    case kBlockSetup:
      if (record.settings != nullptr) RefreshForSampledBlock(record.settings);
      break;
    case kSamplingStarts:
      if (record.settings != nullptr) PrepareLiveSource(record.settings);
      break;
    default: break;
  }
}

}  // namespace flow

}  // namespace spiro
