#include "computed/own_strings.h"

#include <limits>

#include "util/pstring.h"

namespace spiro {

void ReadOwnString(const VantorExtensionBase& extension, std::int16_t listId, std::int32_t index,
                   StringPtr text) {
  text[0] = 0;
  if (index < 1 || index > std::numeric_limits<std::int16_t>::max()) return;
  extension.BeginResources();
  GetIndPString(text, listId, static_cast<std::int16_t>(index));
  extension.EndResources();
}

}  // namespace spiro
