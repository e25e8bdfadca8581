#include "frame/host_services_menus.h"

#include "frame/host_service_entry.h"

namespace service = vantor::service;

void HostService164(std::int16_t group, std::uint16_t key, const char* imageFile,
                    ConstStr255Param label, std::int16_t hostRef) {
  HostEntry<service::HostService164>()(group, key, imageFile, label, hostRef);
}

std::int16_t HostService165(ConstStr255Param title, std::int16_t a) {
  return HostEntry<service::HostService165>()(title, a);
}

void HostService567(void* menu, std::int16_t firstItem, std::int16_t a, std::int16_t b) {
  HostEntry<service::HostService567>()(menu, firstItem, a, b);
}

void* HostService631(ConstStr255Param text, std::int16_t a, std::uint16_t key) {
  return HostEntry<service::HostService631>()(text, a, key);
}

void HostService634(void* item, bool marked) { HostEntry<service::HostService634>()(item, marked); }

void HostService636(ConstStr255Param text) { HostEntry<service::HostService636>()(text); }
