// Host notifications to the volume function. Between the start and the end
// of sampling the settings stay locked and the live integration runs from
// zero.
#include "computed/notifications.h"
#include "computed/volume_coefficients.h"
#include "computed/volume_integration.h"
#include "computed/volume_object.h"
#include "frame/host_services_host.h"
#include "frame/host_services_memory.h"
#include "util/handle_record.h"

namespace spiro {

namespace volume {
namespace {

void RefreshForSampledBlock(Handle settingsHandle) {
  auto settings = LoadHandleRecord<RespVolumeSettings>(settingsHandle);
  UpdateVolumeCoefficients(kSampledBlock, settings);
  StoreHandleRecord(settingsHandle, settings);
}

void StartLiveIntegration(Handle settingsHandle) {
  auto settings = LoadHandleRecord<RespVolumeSettings>(settingsHandle);
  settings.liveSourceIsComputed =
      settings.sourceIsComputed != 0 ? HostService572(settings.sourceChannel) : 0;
  StoreLiveVolumeState(settings, kRestartedVolume);
  StoreHandleRecord(settingsHandle, settings);
  HostLockHandle(settingsHandle);
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
      if (record.settings != nullptr) StartLiveIntegration(record.settings);
      break;
    case kSamplingEnds:
      if (record.settings != nullptr) HostUnlockHandle(record.settings);
      break;
    default: break;
  }
}

}  // namespace volume

}  // namespace spiro
