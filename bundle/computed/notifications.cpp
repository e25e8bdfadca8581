#include "computed/notifications.h"

namespace spiro {

void AnswerProtocolQuery(std::uint32_t value) {
  void* answer = vantor::PointerFromU32<void>(value);
  if (answer != nullptr) vantor::StoreAt(answer, 0, kProtocolAnswer);
}

std::int16_t NotifiedChannel(std::uint32_t value) {
  return static_cast<std::int16_t>(value & 0xFFFFu);
}

std::int16_t NotifiedSource(std::uint32_t value) { return static_cast<std::int16_t>(value >> 16); }

}  // namespace spiro
