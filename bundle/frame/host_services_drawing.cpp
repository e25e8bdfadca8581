#include "frame/host_services_drawing.h"

#include <cstring>

namespace spiro {

namespace service = vantor::service;

void HostService45(unsigned char* record, const Rect* bounds, std::int16_t mode,
                   std::int16_t flags) {
  unsigned char result[vantor::kTextBufferRecordBytes]{};
  frame::HostEntry<service::HostService45>()(result, bounds, mode, flags);
  std::memcpy(record, result, sizeof result);
}

}  // namespace spiro
