// A computed channel's local record and the settings handle that hangs from
// it, the same for both functions: the record made by NewLocalData, the
// settings absent until the first command makes them with the defaults.
#pragma once

#include <cstdint>

#include "computed/local_data_state.h"
#include "frame/host_services_memory.h"
#include "frame/host_services_strings.h"
#include "toolbox/mac_types.h"
#include "util/handle_record.h"

namespace spiro {

// A new handle holding the record; null after the out-of-memory alert.
template <class Record>
Record** NewLocalRecord(const Record& record, ConstStr255Param outOfMemory) {
  const Handle handle = HostNewHandle(sizeof(Record));
  if (handle == nullptr) {
    HostAlert(outOfMemory);
    return nullptr;
  }
  StoreHandleRecord(handle, record);
  return reinterpret_cast<Record**>(handle);
}

// The settings handle of a record; null without a record or settings.
template <class Record>
Handle SettingsHandleOf(Record** local) {
  if (local == nullptr) return nullptr;
  return LoadHandleRecord<Record>(LocalHandle(local)).settings;
}

// The record's settings, made from makeDefaults() when missing (*created
// then set), and the record's state to match. Null when they cannot be made:
// the alert is shown and the record marked as out of memory.
template <class Settings, class Record, class MakeDefaults>
Handle EnsureSettings(Record& record, MakeDefaults&& makeDefaults, ConstStr255Param outOfMemory,
                      bool* created = nullptr) {
  if (created != nullptr) *created = record.settings == nullptr;
  if (record.settings == nullptr) {
    const Handle settings = HostNewHandle(sizeof(Settings));
    if (settings == nullptr) {
      HostAlert(outOfMemory);
      record.state = kStateOutOfMemory;
      return nullptr;
    }
    StoreHandleRecord<Settings>(settings, makeDefaults());
    record.settings = settings;
  }
  record.state = kStateHasSettings;
  return record.settings;
}

// Whether the settings read `channel` as the source of the kind the host asks
// about: kind 0 for displayed (computed) samples, 1 for recorded ones.
template <class Settings>
bool SettingsMatchSource(Handle settingsHandle, std::int16_t channel, std::int16_t kind) {
  if (settingsHandle == nullptr) return false;
  const auto settings = LoadHandleRecord<Settings>(settingsHandle);
  return settings.sourceChannel == channel && kind == (settings.sourceIsComputed != 0 ? 0 : 1);
}

}  // namespace spiro
