// OpenPicture, ClosePicture, KillPicture, DrawPicture.
//
// As on the platform, OpenPicture hides the pen: what is drawn while a picture
// is open goes into the picture, not onto the port. The handle holds a valid
// empty picture from OpenPicture on, so a ClosePicture that runs out of memory
// leaves an empty picture, never a damaged one.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "picture_recorder.h"
#include "quickdraw_internal.h"
#include "toolbox/fonts.h"
#include "toolbox/memory.h"
#include "toolbox/pict.h"

using toolbox::internal::CurrentPort;
using toolbox::internal::SetQDError;

namespace {

bool StoreBytes(Handle h, const std::vector<unsigned char>& bytes) {
  SetHandleSize(h, static_cast<Size>(bytes.size()));
  if (MemError() != noErr) return false;
  std::memcpy(*h, bytes.data(), bytes.size());
  return true;
}

// Maps picture coordinates onto the destination rectangle.
class FrameMapping {
 public:
  FrameMapping(const Rect& frame, const Rect& destination)
      : frame_(frame),
        destination_(destination),
        scaleH_(static_cast<double>(destination.right - destination.left) / (frame.right - frame.left)),
        scaleV_(static_cast<double>(destination.bottom - destination.top) / (frame.bottom - frame.top)) {}

  Point Map(Point p) const {
    return Point{Coordinate(destination_.top + (p.v - frame_.top) * scaleV_),
                 Coordinate(destination_.left + (p.h - frame_.left) * scaleH_)};
  }
  Rect Map(const Rect& r) const {
    const Point tl = Map(Point{r.top, r.left});
    const Point br = Map(Point{r.bottom, r.right});
    return Rect{tl.v, tl.h, br.v, br.h};
  }
  SInt16 ScaleSize(SInt16 size, double scale) const {
    return size <= 0 ? size : std::max<SInt16>(1, Coordinate(size * scale));
  }

  void MapOp(toolbox::DrawOp& op) const {
    op.rect = Map(op.rect);
    op.from = Map(op.from);
    op.to = Map(op.to);
    op.state.clip = Map(op.state.clip);
    op.state.penSize = Point{ScaleSize(op.state.penSize.v, scaleV_), ScaleSize(op.state.penSize.h, scaleH_)};
    if (op.kind == toolbox::DrawKind::kText && scaleV_ != 1.0)
      op.state.textSize = ScaleSize(toolbox::EffectiveTextSize(op.state.textSize), scaleV_);
  }

 private:
  static SInt16 Coordinate(double v) { return toolbox::internal::ClampCoordinate(std::lround(v)); }

  Rect frame_;
  Rect destination_;
  double scaleH_;
  double scaleV_;
};

}  // namespace

PicHandle OpenPicture(const Rect* picFrame) {
  GrafPort& port = CurrentPort();
  if (picFrame == nullptr || port.picture != nullptr) {
    SetQDError(paramErr);
    return nullptr;
  }
  const std::vector<unsigned char> empty = toolbox::WritePict(*picFrame, {});
  Handle h = NewHandle(static_cast<Size>(empty.size()));
  if (h == nullptr) {
    SetQDError(memFullErr);
    return nullptr;
  }
  std::memcpy(*h, empty.data(), empty.size());
  auto picture = reinterpret_cast<PicHandle>(h);
  port.picture = std::make_unique<toolbox::PictureRecorder>(picture, *picFrame);
  HidePen();
  SetQDError(noErr);
  return picture;
}

void ClosePicture() {
  GrafPort& port = CurrentPort();
  if (port.picture == nullptr) {
    SetQDError(paramErr);
    return;
  }
  const std::unique_ptr<toolbox::PictureRecorder> picture = std::move(port.picture);
  ShowPen();
  const auto bytes = toolbox::WritePict(picture->frame(), picture->contents());
  SetQDError(StoreBytes(reinterpret_cast<Handle>(picture->handle()), bytes) ? noErr : memFullErr);
}

void KillPicture(PicHandle picture) {
  if (picture != nullptr) DisposeHandle(reinterpret_cast<Handle>(picture));
}

Rect* QDGetPictureBounds(PicHandle picture, Rect* bounds) {
  if (bounds == nullptr) return bounds;
  *bounds = Rect{0, 0, 0, 0};
  const auto h = reinterpret_cast<Handle>(picture);
  if (h == nullptr || *h == nullptr || GetHandleSize(h) < 10) return bounds;
  const auto* p = reinterpret_cast<const unsigned char*>(*h);
  auto s16 = [p](int at) { return static_cast<SInt16>((p[at] << 8) | p[at + 1]); };
  *bounds = Rect{s16(2), s16(4), s16(6), s16(8)};
  return bounds;
}

void DrawPicture(PicHandle picture, const Rect* destination) {
  const auto h = reinterpret_cast<Handle>(picture);
  if (h == nullptr || *h == nullptr || destination == nullptr) {
    SetQDError(paramErr);
    return;
  }
  const auto* bytes = reinterpret_cast<const unsigned char*>(*h);
  auto contents = toolbox::ReadPict({bytes, static_cast<std::size_t>(GetHandleSize(h))});
  if (!contents || EmptyRect(&contents->frame)) {
    SetQDError(paramErr);
    return;
  }
  const FrameMapping mapping(contents->frame, *destination);
  const Rect portClip = CurrentPort().clipRect;
  for (toolbox::DrawOp& op : contents->list.ops) {
    mapping.MapOp(op);
    SectRect(&op.state.clip, &portClip, &op.state.clip);
    SectRect(&op.state.clip, destination, &op.state.clip);
    toolbox::internal::AppendOp(std::move(op));
  }
  SetQDError(noErr);
}
