#include "computed/computed_description.h"

#include <cstring>

#include "computed/own_strings.h"
#include "frame/host_services_host.h"
#include "frame/host_services_strings.h"
#include "vantor/byte_access.h"

namespace spiro {

void CopyOwnName(const VantorExtensionBase& extension, std::int16_t listId, std::int16_t entry,
                 unsigned char* nameOut) {
  if (nameOut == nullptr) return;
  Str255 name;
  ReadOwnString(extension, listId, entry, name);
  std::memcpy(nameOut, name, sizeof name);
}

void DescribeSource(void* recordOut, const VantorExtensionBase& extension, std::int16_t listId,
                    std::int16_t entry, std::int16_t sourceChannel) {
  if (recordOut == nullptr) return;
  Str255 text;
  ReadOwnString(extension, listId, entry, text);
  Str255 title{};
  HostGetChannelName(sourceChannel, title);
  HostAppendString(text, title);
  vantor::StoreAt<std::uint8_t>(recordOut, kDescriptionFlagAt, 1);
  std::memcpy(vantor::AddressAt(recordOut, kDescriptionTextAt), text, sizeof text);
}

}  // namespace spiro
