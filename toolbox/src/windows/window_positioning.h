// The positioning word of 'WIND' and 'DLOG' templates.
#pragma once

#include "toolbox/resource_templates.h"

namespace toolbox::internal {

// The template's global content rectangle after its positioning word (centre,
// alert position or stagger, on the main screen or over the front window).
Rect PositionedContent(const WindowTemplate& t);

}  // namespace toolbox::internal
