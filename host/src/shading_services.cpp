// Shading services: the dimming colour (68) and preparing a rectangle for
// what an extension draws into it (74).
//
// 74 (rect, style, draw): style -6 erases the rectangle to the window's
// background (behind a label or a message box); -11 shades it with the
// host's highlight grey (a marked stretch of a plot); other styles erase.
// With draw 0 nothing is drawn. The rectangle is left as it is, and the pen
// and foreground colour as they were.
#include "host/draw_styles.h"
#include "host/service_table.h"
#include "port_scopes.h"
#include "toolbox/quickdraw.h"
#include "vantor/services.h"

namespace host {
namespace {

enum ShadingStyle : std::int16_t { kBackgroundShade = -6, kHighlightShade = -11 };

constexpr RGBColor kHighlightGrey{0xDDDD, 0xDDDD, 0xDDDD};

void DimmingColorService() { RGBForeColor(&kDimmingColor); }

void PrepareRectService(Rect* rect, std::int16_t style, std::int16_t draw) {
  if (rect == nullptr || draw == 0) return;
  if (style != kHighlightShade) {
    EraseRect(rect);
    return;
  }
  PenScope pen;
  PenNormal();
  RGBForeColor(&kHighlightGrey);
  PaintRect(rect);
}

}  // namespace

void InstallShadingServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostService68>(table, &DimmingColorService);
  vantor::SetService<HostService74>(table, &PrepareRectService);
}

}  // namespace host
