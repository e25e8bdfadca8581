// HostService37 (icon id, rect, width, height, three modes): draws the small
// icon of that id from the resource chain (small_icons.h), at width × height
// pixels, centred in the rectangle. The caller makes its own resource file
// current first. The three trailing values (0, 1, 0 from every caller) ask
// for the plain, masked drawing, the only one the host has. An id without an
// icon draws the rectangle's frame, so the control still shows where to click.

#include "host/service_table.h"
#include "port_scopes.h"
#include "small_icons.h"
#include "toolbox/quickdraw.h"
#include "vantor/services.h"

namespace host {
namespace {

Rect CentredIn(const Rect& rect, int width, int height) {
  const int left = (rect.left + rect.right - width) / 2;
  const int top = (rect.top + rect.bottom - height) / 2;
  return Rect{static_cast<std::int16_t>(top), static_cast<std::int16_t>(left),
              static_cast<std::int16_t>(top + height), static_cast<std::int16_t>(left + width)};
}

void DrawIconService(std::int16_t id, const Rect* rect, std::int16_t width, std::int16_t height,
                     std::int16_t, std::int16_t, std::int16_t) {
  if (rect == nullptr) return;
  const auto pixels = LoadSmallIcon(id);
  if (!pixels) {
    PenScope pen;
    PenNormal();
    FrameRect(rect);
    return;
  }
  const int w = width > 0 ? width : kSmallIconSize;
  const int h = height > 0 ? height : kSmallIconSize;
  toolbox::DrawImage(CentredIn(*rect, w, h), kSmallIconSize, kSmallIconSize, pixels->data());
}

}  // namespace

void InstallIconServices(vantor::ServiceTable& table) {
  vantor::SetService<vantor::service::HostService37>(table, &DrawIconService);
}

}  // namespace host
