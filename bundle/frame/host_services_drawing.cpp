#include "frame/host_services_drawing.h"

#include <cstring>

#include "frame/host_service_entry.h"

namespace service = vantor::service;

void HostService31(ConstStr255Param text, const Rect* rect, std::int16_t mode) {
  HostEntry<service::HostService31>()(text, rect, mode);
}

void HostService37(std::int16_t iconId, const Rect* rect, std::int16_t width, std::int16_t height,
                   std::int16_t a, std::int16_t b, std::int16_t c) {
  HostEntry<service::HostService37>()(iconId, rect, width, height, a, b, c);
}

void HostService45(unsigned char* record, const Rect* bounds, std::int16_t mode,
                   std::int16_t flags) {
  unsigned char result[vantor::kTextBufferRecordBytes]{};
  HostEntry<service::HostService45>()(result, bounds, mode, flags);
  std::memcpy(record, result, sizeof result);
}

void HostService48(void* textBox) { HostEntry<service::HostService48>()(textBox); }

void HostService50(void* textBox) { HostEntry<service::HostService50>()(textBox); }

void HostService51(void* textBox) { HostEntry<service::HostService51>()(textBox); }

void HostService54(void* textBox, const Rect* bufferRect, const Rect* boxRect, std::int16_t mode) {
  HostEntry<service::HostService54>()(textBox, bufferRect, boxRect, mode);
}

void HostService68() { HostEntry<service::HostService68>()(); }

void HostService73(void* window) { HostEntry<service::HostService73>()(window); }

void HostService74(Rect* rect, std::int16_t style, std::int16_t mode) {
  HostEntry<service::HostService74>()(rect, style, mode);
}

void HostService77() { HostEntry<service::HostService77>()(); }

void HostService140(void* window) { HostEntry<service::HostService140>()(window); }

void HostService141(void* window) { HostEntry<service::HostService141>()(window); }

void HostService143(void* window, std::int16_t width, std::int16_t height, bool update) {
  HostEntry<service::HostService143>()(window, width, height, update);
}

void HostService144(void* window, std::int16_t part, bool front, bool update) {
  HostEntry<service::HostService144>()(window, part, front, update);
}

void HostService147(void* window) { HostEntry<service::HostService147>()(window); }

void HostService169(ConstStr255Param text, std::int16_t x, std::int16_t y,
                    std::int16_t justification) {
  HostEntry<service::HostService169>()(text, x, y, justification);
}

void HostService170(std::int32_t penKind, std::int16_t scale) {
  HostEntry<service::HostService170>()(penKind, scale);
}

void HostService171(Rect* rect, std::int16_t scale) {
  HostEntry<service::HostService171>()(rect, scale);
}

void HostService173(void* window, std::int16_t h, std::int16_t v, bool front) {
  HostEntry<service::HostService173>()(window, h, v, front);
}

void HostService263(void* window, bool active) {
  HostEntry<service::HostService263>()(window, active);
}

void HostPositionWindow(void* window, ConstStr255Param ownerName, OSType type,
                        std::int16_t resourceId, std::int16_t a, std::uint32_t b) {
  HostEntry<service::HostPositionWindow>()(window, ownerName, type, resourceId, a, b);
}

std::int16_t HostService344(ConstStr255Param text) {
  return HostEntry<service::HostService344>()(text);
}

void HostService345(ConstStr255Param text, std::int16_t x, std::int16_t y, std::int16_t direction) {
  HostEntry<service::HostService345>()(text, x, y, direction);
}

void HostService346(ConstStr255Param text, const Rect* rect, std::int16_t mode) {
  HostEntry<service::HostService346>()(text, rect, mode);
}

void HostService348(ConstStr255Param text, const Rect* box, std::int16_t a, std::int16_t b,
                    std::int16_t c) {
  HostEntry<service::HostService348>()(text, box, a, b, c);
}

void HostSetDrawStyle530(std::int16_t style) { HostEntry<service::HostSetDrawStyle530>()(style); }

void HostSetDrawStyle531(std::int16_t style) { HostEntry<service::HostSetDrawStyle531>()(style); }
