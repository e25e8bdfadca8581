// Plays display-list operations onto a cairo context whose user space is the
// lists' local coordinates (the backend has translated it to its page).
#pragma once

#include <cairo.h>

#include "toolbox/display_list.h"

namespace toolbox::internal {

enum class Fidelity {
  kPixelExact,  // raster: no antialiasing on shapes, lines as the pen's pixels
  kVector,      // PDF, SVG: lines as the pen's swept outline
};

void PlayDisplayList(cairo_t* cr, const DisplayList& list, Fidelity fidelity);

// Paints the whole page white (a fresh page before any list).
void PaintPageWhite(cairo_t* cr);

}  // namespace toolbox::internal
