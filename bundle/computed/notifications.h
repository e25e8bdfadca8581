// The notifications both computed functions receive (message 14) and the
// small answers they share.
#pragma once

#include <cstdint>

#include "computed/computed_command.h"
#include "vantor/byte_access.h"

namespace spiro {

enum NotificationCode : std::int16_t {
  kBlockSetup = 100,            // the block being sampled is set up
  kSamplingStarts = 101,        // live computation follows
  kSamplingEnds = 102,          // until this
  kProtocolQuery = 8000,        // value: address of a u16 to answer in
  kEditSettingsRequest = 8010,  // value: address of the i16 channel; u16 result written there
  kSourceChangeRequest = 8011,  // value: channel in the low 16 bits, new source in the high
};

inline constexpr std::uint16_t kProtocolAnswer = 4277;
// Block -1 of the data services: the block being sampled.
inline constexpr std::int16_t kSampledBlock = -1;

// Writes kProtocolAnswer to the address in value, when there is one.
void AnswerProtocolQuery(std::uint32_t value);

std::int16_t NotifiedChannel(std::uint32_t value);
std::int16_t NotifiedSource(std::uint32_t value);

// When the i16 at the address in value names `channel`, runs the settings
// editor and writes 1 (accepted) or 0 back there as a u16.
template <class Edit>
void AnswerEditRequest(std::uint32_t value, std::int16_t channel, Edit&& edit) {
  void* request = vantor::PointerFromU32<void>(value);
  if (request == nullptr || vantor::LoadAt<std::int16_t>(request, 0) != channel) return;
  const std::uint16_t accepted = edit() ? 1 : 0;
  vantor::StoreAt(request, 0, accepted);
}

// The notifications both functions answer alike: the protocol query, the
// request to edit the settings (edit() runs the editor) and the request to
// change the source, carried out as command 8193 through perform(record).
// False for any other code.
template <class Edit, class Perform>
bool HandleSharedNotification(std::int16_t code, std::uint32_t value, std::int16_t channel,
                              Edit&& edit, Perform&& perform) {
  switch (code) {
    case kProtocolQuery: AnswerProtocolQuery(value); return true;
    case kEditSettingsRequest: AnswerEditRequest(value, channel, edit); return true;
    case kSourceChangeRequest:
      if (NotifiedChannel(value) == channel) {
        const ShortCommandRecord command =
            MakeShortCommand(kSetSourceChannel, channel, NotifiedSource(value));
        perform(command.bytes);
      }
      return true;
    default: return false;
  }
}

}  // namespace spiro
