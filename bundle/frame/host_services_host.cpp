#include "frame/host_services_host.h"

#include "frame/host_service_entry.h"

namespace service = vantor::service;

bool HostHasCapability(std::int16_t selector) {
  return HostEntry<service::HostHasCapability>()(selector);
}

void HostBusyTick(std::int16_t ticks) { HostEntry<service::HostBusyTick>()(ticks); }

void HostBeginBusy() { HostEntry<service::HostBeginBusy>()(); }

void HostEndBusy() { HostEntry<service::HostEndBusy>()(); }

vantor::HostProcedure HostQueryValue(std::int16_t selector) {
  return HostEntry<service::HostQueryValue>()(selector);
}

void HostService333(std::int16_t a, std::int16_t b, vantor::ChannelScaleInfo* info) {
  HostEntry<service::HostService333>()(a, b, info);
}

void HostService437(std::int32_t inputKind, std::int32_t* a, std::int32_t* b, StringPtr name) {
  Str255 result{};
  HostEntry<service::HostService437>()(inputKind, a, b, &result);
  CopyStr255Result(name, result);
}

std::int32_t HostService439(std::int16_t channelIndex) {
  return HostEntry<service::HostService439>()(channelIndex);
}

bool HostService508(std::int16_t channel, std::int16_t block) {
  return HostEntry<service::HostService508>()(channel, block);
}

void HostGetChannelName(std::int16_t channel, StringPtr name) {
  Str255 result{};
  HostEntry<service::HostGetChannelName>()(channel, &result);
  CopyStr255Result(name, result);
}

std::int16_t HostService572(std::int16_t channel) {
  return HostEntry<service::HostService572>()(channel);
}

void HostService608(StringPtr suffix, std::int16_t channel) {
  Str255 result{};
  HostEntry<service::HostService608>()(&result, channel);
  CopyStr255Result(suffix, result);
}

void HostBeginExtensionResources(std::int16_t hostRef) {
  HostEntry<service::HostBeginExtensionResources>()(hostRef);
}

void HostEndExtensionResources(std::int16_t hostRef) {
  HostEntry<service::HostEndExtensionResources>()(hostRef);
}

void HostGetExtensionName(std::int16_t hostRef, StringPtr name) {
  Str255 result{};
  HostEntry<service::HostGetExtensionName>()(hostRef, &result);
  CopyStr255Result(name, result);
}

std::int16_t HostService638(ConstStr255Param creditLine) {
  return HostEntry<service::HostService638>()(creditLine);
}

void* HostGetDataObject(std::int16_t which) {
  return HostEntry<service::HostGetDataObject>()(which);
}
