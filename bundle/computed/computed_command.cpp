#include "computed/computed_command.h"

#include "vantor/byte_access.h"
#include "vantor/services.h"

namespace spiro {

std::uint16_t CommandCode(const void* record) {
  return vantor::LoadAt<std::uint16_t>(record, vantor::kCommandCodeAt);
}

std::int32_t CommandChannel(const void* record) {
  return vantor::LoadAt<std::int32_t>(record, vantor::kCommandIndexAt);
}

std::int16_t CommandShort(const void* record) {
  return vantor::LoadAt<std::int16_t>(record, vantor::kCommandValueAt);
}

std::uint8_t CommandFlag(const void* record) {
  return vantor::LoadAt<std::uint8_t>(record, vantor::kCommandValueAt);
}

double CommandDouble(const void* record) {
  return vantor::LoadAt<double>(record, vantor::kCommandValueAt);
}

const void* SubmittedSettings(const void* record, std::size_t recordBytes, SubmittedSize rule) {
  // Only a record in the block layout carries a size and an address at 8 and
  // 10; in any other the bytes there are values, not a pointer to follow.
  if (vantor::LoadAt<std::int16_t>(record, vantor::kCommandFormatAt) != vantor::service::HostSubmitCommandBlock) {
    return nullptr;
  }
  const std::int16_t stated = vantor::LoadAt<std::int16_t>(record, vantor::kCommandDataSizeAt);
  const std::uint32_t address =
      vantor::LoadAt<std::uint32_t>(record, vantor::kCommandDataAddressAt);
  if (address == 0 || stated < 0) return nullptr;
  const auto size = static_cast<std::size_t>(stated);
  if (size < recordBytes || (rule == SubmittedSize::kExactlyRecord && size != recordBytes)) {
    return nullptr;
  }
  return vantor::PointerFromU32<const void>(address);
}

ShortCommandRecord MakeShortCommand(std::uint16_t code, std::int32_t channel, std::int16_t value) {
  ShortCommandRecord command{};
  vantor::StoreAt<std::int16_t>(command.bytes, vantor::kCommandFormatAt,
                                static_cast<std::int16_t>(vantor::service::HostSubmitCommandShort));
  vantor::StoreAt(command.bytes, vantor::kCommandCodeAt, code);
  vantor::StoreAt(command.bytes, vantor::kCommandIndexAt, channel);
  vantor::StoreAt(command.bytes, vantor::kCommandValueAt, value);
  return command;
}

}  // namespace spiro
