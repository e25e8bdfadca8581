#include "frame/host_services_commands.h"

#include "frame/host_service_entry.h"

namespace service = vantor::service;

void HostSetCommandSwapProc(std::uint16_t key, vantor::CommandSwapProc proc) {
  HostEntry<service::HostSetCommandSwapProc>()(key, proc);
}

void HostSubmitCommandShort(std::uint16_t key, std::int32_t index, std::int16_t value) {
  HostEntry<service::HostSubmitCommandShort>()(key, index, value);
}

void HostSubmitCommandShortPairAlt(std::uint16_t key, std::int32_t index, std::int16_t a,
                                   std::int16_t b) {
  HostEntry<service::HostSubmitCommandShortPairAlt>()(key, index, a, b);
}

void HostSubmitCommandShortPair(std::uint16_t key, std::int32_t index, std::int16_t a,
                                std::int16_t b) {
  HostEntry<service::HostSubmitCommandShortPair>()(key, index, a, b);
}

void HostSubmitCommandFlag(std::uint16_t key, std::int32_t index, bool flag) {
  HostEntry<service::HostSubmitCommandFlag>()(key, index, flag);
}

void HostSubmitCommandData(std::uint16_t key, std::int32_t index, const void* data) {
  HostEntry<service::HostSubmitCommandData>()(key, index, data);
}

void HostSubmitCommandDouble(std::uint16_t key, std::int32_t index, double value) {
  HostEntry<service::HostSubmitCommandDouble>()(key, index, value);
}

void HostSubmitCommandDoublePair(std::uint16_t key, std::int32_t index, double a, double b) {
  HostEntry<service::HostSubmitCommandDoublePair>()(key, index, a, b);
}

void HostSubmitCommandBlock(std::uint16_t key, OSType type, std::int16_t size, const void* data) {
  HostEntry<service::HostSubmitCommandBlock>()(key, type, size, data);
}

std::int16_t HostMapExtensionId(std::uint16_t localId, std::int16_t hostRef) {
  return HostEntry<service::HostMapExtensionId>()(localId, hostRef);
}
