// A text box: a rectangle of a window that text is drawn into with its own
// font and size, clipped to the box. A box in font 32768 is buffered: the
// host gives it an offscreen buffer (service 45) that drawing goes to between
// BeginTextBox and EndTextBox, and that EndTextBox shows in the window.
#pragma once

#include <cstddef>
#include <cstdint>

#include "toolbox/mac_types.h"
#include "toolbox/quickdraw.h"

namespace spiro {

// The part of the host's 36-byte buffer record that a box keeps.
inline constexpr std::size_t kTextBoxBufferRecordBytes = 34;
// The u32 buffer reference within it; the host reads it from the box itself.
inline constexpr std::size_t kTextBoxBufferRefAt = 30;
// The font number that asks for a buffered box (32768 as u16).
inline constexpr std::int16_t kBufferedTextFont = -32768;

struct TextBox {
  unsigned char bufferRecord[kTextBoxBufferRecordBytes];  // from host service 45
  Rect rect;              // where the box lies in the window
  std::int16_t font;
  std::int16_t size;
  GrafPtr savedPort;      // current before BeginTextBox
  std::int16_t savedFont; // the port's text font and size before BeginTextBox
  std::int16_t savedSize;
  RgnHandle savedClip;    // the clip before BeginTextBox; null when none
  Rect bufferRect;        // the buffer's rectangle, while buffered
};
static_assert(offsetof(TextBox, bufferRecord) == 0, "the host reads the buffer reference at 30");

bool IsTextBoxBuffered(const TextBox& box);

// A box with no buffer and nothing saved; call once before any other use.
void ResetTextBox(TextBox& box);
// Places the box. A buffered box whose rectangle no longer fits (fixed
// position: any corner moved; otherwise: the size changed) loses its buffer
// first; a box in the buffered font gets a new one when it has none.
void SetTextBox(const Rect& rect, std::int16_t font, std::int16_t size, bool fixedPosition,
                TextBox& box);
// Starts drawing into the box; rect receives where to draw.
void BeginTextBox(TextBox& box, Rect* rect);
// Ends drawing: shows the buffer, or restores the port's font, size and clip.
void EndTextBox(TextBox& box);
// Releases the buffer and the saved clip.
void DisposeTextBox(TextBox& box);

}  // namespace spiro
