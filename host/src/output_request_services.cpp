// Services that prepare output: the title of the next output job (160) and
// placing a picture on the page being made (161). See host/output_requests.h.
//
// 161 (destination, frame, picture, h %, v %, fit): the picture was drawn at
// h % × v % of its natural size (a window's content drawn at scale s comes
// with s × 100), so its natural size is frame × 100 / percent. With fit set it
// keeps that size, shrunk to fit the destination if larger (the aspect kept),
// and is centred there; without, it fills the destination. An empty
// destination takes the natural size at its top-left. The picture is drawn
// into the current port (the page) and a copy of its bytes kept for the job.
// Result 1, or 0 when the picture is missing, empty or damaged.
#include <algorithm>

#include "host/host_context.h"
#include "host/output_requests.h"
#include "host/service_table.h"
#include "toolbox/pascal_string.h"
#include "toolbox/memory.h"
#include "toolbox/pict.h"
#include "toolbox/quickdraw.h"
#include "vantor/services.h"

namespace host {
namespace {

constexpr int kFullSizePercent = 100;

int Width(const Rect& r) { return r.right - r.left; }
int Height(const Rect& r) { return r.bottom - r.top; }

Rect RectAt(int top, int left, int height, int width) {
  auto clamp16 = [](int v) { return static_cast<std::int16_t>(std::clamp(v, -32768, 32767)); };
  return Rect{clamp16(top), clamp16(left), clamp16(top + height), clamp16(left + width)};
}

// At least a pixel, so that shrinking to fit never divides by zero.
int NaturalLength(int drawnLength, std::int16_t percent) {
  return std::max(1, drawnLength * kFullSizePercent / (percent > 0 ? percent : kFullSizePercent));
}

Rect Placement(const Rect& destination, const Rect& frame, std::int16_t hPercent,
               std::int16_t vPercent, bool fit) {
  const int naturalWidth = NaturalLength(Width(frame), hPercent);
  const int naturalHeight = NaturalLength(Height(frame), vPercent);
  if (Width(destination) <= 0 || Height(destination) <= 0) {
    return RectAt(destination.top, destination.left, naturalHeight, naturalWidth);
  }
  if (!fit) return destination;
  const double shrink = std::min({1.0, static_cast<double>(Width(destination)) / naturalWidth,
                                  static_cast<double>(Height(destination)) / naturalHeight});
  const int width = static_cast<int>(naturalWidth * shrink);
  const int height = static_cast<int>(naturalHeight * shrink);
  return RectAt(destination.top + (Height(destination) - height) / 2,
                destination.left + (Width(destination) - width) / 2, height, width);
}

void NextOutputTitleService(ConstStr255Param title) {
  PendingOutput().nextTitle = title != nullptr ? toolbox::PascalTextToUtf8(title) : std::string();
}

std::int32_t PlacePictureService(const Rect* destination, const Rect* frame, Handle picture,
                                 std::int16_t hPercent, std::int16_t vPercent, bool fit) {
  if (destination == nullptr || frame == nullptr || picture == nullptr ||
      !toolbox::IsLiveHandle(picture) || *picture == nullptr) {
    return 0;
  }
  if (Width(*frame) <= 0 || Height(*frame) <= 0) return 0;
  PlacedPicture placed{*destination, Placement(*destination, *frame, hPercent, vPercent, fit), {}};
  const auto* bytes = reinterpret_cast<const unsigned char*>(*picture);
  placed.pict.assign(bytes, bytes + GetHandleSize(picture));
  if (!toolbox::ReadPict(placed.pict)) return 0;
  DrawPicture(reinterpret_cast<PicHandle>(picture), &placed.placed);
  PendingOutput().pictures.push_back(std::move(placed));
  return 1;
}

}  // namespace

OutputRequests& PendingOutput() { return SessionState<OutputRequests>(); }

std::string TakeNextOutputTitle() {
  std::string title = std::move(PendingOutput().nextTitle);
  PendingOutput().nextTitle.clear();
  return title;
}

void InstallOutputRequestServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostService160>(table, &NextOutputTitleService);
  vantor::SetService<HostService161>(table, &PlacePictureService);
}

}  // namespace host
