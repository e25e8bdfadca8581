// Text services: measuring (344) and drawing a label in a rectangle (31), at
// a point (169), wrapped in a rectangle (346), as a table column (345) and as
// a plot label (348). Text is drawn in the current port with its font,
// size, face and colour.
//
// Where the services put text:
//   31  (text, rect, options)  left-aligned in the rectangle, centred
//       vertically, clipped to it; option bit 32 cuts text that does not fit
//       and ends it with an ellipsis.
//   169 (text, x, y, justify)  y is the text's vertical middle, so a label
//       lines up with a tick or line drawn at y; justify 0 starts the text at
//       x, 1 centres it on x, -1 ends it at x.
//   346 (text, rect, justify)  wrapped into the rectangle at word
//       boundaries, the rectangle erased first and the text clipped to it, as
//       TETextBox does; justify as TETextBox takes it (1 centred, 0 and -2
//       left, -1 right).
//   345 (text, x, y, direction)  y is the baseline (table rows are spaced by
//       baselines); direction 0 starts the text at x, -1 ends it at x.
//   348 (text, box, ...)  centred in the box both ways; the values callers
//       pass (0, 1, 1) ask for just that. The box of a label beside a
//       vertical bracket is narrow and as tall as the text is wide, meant for
//       text reading upwards; QuickDraw here draws level text only, so such a
//       label is drawn level across the box's centre, unclipped.
// 31, 169, 345 and 348 leave the pen after the text, as DrawString does.
#include <string>
#include <string_view>

#include "host/service_table.h"
#include "port_scopes.h"
#include "toolbox/pascal_string.h"
#include "toolbox/quickdraw.h"
#include "toolbox/textedit.h"
#include "vantor/services.h"

namespace host {
namespace {

enum Justification : std::int16_t { kStartAtX = 0, kCentreOnX = 1, kEndAtX = -1 };
constexpr std::int16_t kCutToFit = 32;
constexpr unsigned char kEllipsis = 0xC9;  // MacRoman

int WidthOf(std::string_view text) {
  return TextWidth(text.data(), 0, static_cast<SInt16>(text.size()));
}

void DrawAt(std::string_view text, int h, int baseline) {
  MoveTo(static_cast<SInt16>(h), static_cast<SInt16>(baseline));
  DrawText(text.data(), 0, static_cast<SInt16>(text.size()));
}

// The baseline that puts the text's ascent-to-descent box middle at y.
int BaselineForMiddle(int y) {
  FontInfo info{};
  GetFontInfo(&info);
  return y + (info.ascent - info.descent) / 2;
}

int StartFor(int x, int width, std::int16_t justify) {
  if (justify == kCentreOnX) return x - width / 2;
  if (justify == kEndAtX) return x - width;
  return x;
}

std::string CutToWidth(std::string_view text, int width) {
  if (WidthOf(text) <= width) return std::string(text);
  std::string cut(text);
  while (!cut.empty() && WidthOf(cut + static_cast<char>(kEllipsis)) > width) cut.pop_back();
  return cut + static_cast<char>(kEllipsis);
}

void LabelInRectService(ConstStr255Param text, const Rect* rect, std::int16_t options) {
  if (text == nullptr || rect == nullptr) return;
  std::string line(toolbox::PascalView(text));
  if ((options & kCutToFit) != 0) line = CutToWidth(line, rect->right - rect->left);
  ClipScope clip(*rect);
  DrawAt(line, rect->left, BaselineForMiddle((rect->top + rect->bottom) / 2));
}

void TextAtPointService(ConstStr255Param text, std::int16_t x, std::int16_t y, std::int16_t justify) {
  if (text == nullptr) return;
  const std::string_view line = toolbox::PascalView(text);
  DrawAt(line, StartFor(x, WidthOf(line), justify), BaselineForMiddle(y));
}

void TextColumnService(ConstStr255Param text, std::int16_t x, std::int16_t y, std::int16_t direction) {
  if (text == nullptr) return;
  const std::string_view line = toolbox::PascalView(text);
  DrawAt(line, StartFor(x, WidthOf(line), direction == kEndAtX ? kEndAtX : kStartAtX), y);
}

void WrappedTextService(ConstStr255Param text, const Rect* rect, std::int16_t justify) {
  if (text == nullptr || rect == nullptr) return;
  const std::string_view body = toolbox::PascalView(text);
  TETextBox(body.data(), static_cast<SInt32>(body.size()), rect, justify);
}

void PlotLabelService(ConstStr255Param text, const Rect* box, std::int16_t, std::int16_t, std::int16_t) {
  if (text == nullptr || box == nullptr) return;
  const std::string_view line = toolbox::PascalView(text);
  DrawAt(line, StartFor((box->left + box->right) / 2, WidthOf(line), kCentreOnX),
         BaselineForMiddle((box->top + box->bottom) / 2));
}

std::int16_t TextWidthService(ConstStr255Param text) {
  return text == nullptr ? 0 : StringWidth(text);
}

}  // namespace

void InstallTextDrawingServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostService31>(table, &LabelInRectService);
  vantor::SetService<HostService169>(table, &TextAtPointService);
  vantor::SetService<HostService344>(table, &TextWidthService);
  vantor::SetService<HostService345>(table, &TextColumnService);
  vantor::SetService<HostService346>(table, &WrappedTextService);
  vantor::SetService<HostService348>(table, &PlotLabelService);
}

}  // namespace host
