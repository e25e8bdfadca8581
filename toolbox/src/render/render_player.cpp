// One function per kind of operation; each sets clip, path and paint, then fills.
#include "render_player.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "render_paint.h"
#include "render_pen_coverage.h"
#include "render_text.h"

namespace toolbox::internal {
namespace {

const Pattern kNoPattern{};

bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

void AddRect(cairo_t* cr, const Rect& r) {
  cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void AddOval(cairo_t* cr, const Rect& r) {
  const double w = r.right - r.left;
  const double h = r.bottom - r.top;
  cairo_save(cr);
  cairo_translate(cr, r.left + w / 2, r.top + h / 2);
  cairo_scale(cr, w / 2, h / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_close_path(cr);
  cairo_restore(cr);
}

// Quarter-ellipse corners of the oval's half-size, no more than half the side.
void AddRoundRect(cairo_t* cr, const Rect& r, Point oval) {
  const double w = r.right - r.left;
  const double h = r.bottom - r.top;
  const double rx = std::min(std::max(0, int{oval.h}) / 2.0, w / 2);
  const double ry = std::min(std::max(0, int{oval.v}) / 2.0, h / 2);
  if (rx <= 0 || ry <= 0) {
    AddRect(cr, r);
    return;
  }
  cairo_new_sub_path(cr);
  const double corners[4][3] = {{r.right - rx, r.top + ry, -M_PI / 2},
                                {r.right - rx, r.bottom - ry, 0},
                                {r.left + rx, r.bottom - ry, M_PI / 2},
                                {r.left + rx, r.top + ry, M_PI}};
  for (const auto& c : corners) {
    cairo_save(cr);
    cairo_translate(cr, c[0], c[1]);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, c[2], c[2] + M_PI / 2);
    cairo_restore(cr);
  }
  cairo_close_path(cr);
}

void AddShape(cairo_t* cr, const DrawOp& op, const Rect& r, Point inset = {}) {
  if (IsOvalShape(op.kind)) {
    AddOval(cr, r);
  } else if (IsRoundRectShape(op.kind)) {
    AddRoundRect(cr, r, Point{static_cast<SInt16>(op.ovalSize.v - 2 * inset.v), static_cast<SInt16>(op.ovalSize.h - 2 * inset.h)});
  } else {
    AddRect(cr, r);
  }
}

// The pen-wide band inside the shape's edge (FrameRect, FrameOval, FrameRoundRect).
void AddFrame(cairo_t* cr, const DrawOp& op, Point pen) {
  const Rect& r = op.rect;
  AddShape(cr, op, r);
  const Rect inner{static_cast<SInt16>(r.top + pen.v), static_cast<SInt16>(r.left + pen.h),
                   static_cast<SInt16>(r.bottom - pen.v), static_cast<SInt16>(r.right - pen.h)};
  if (!IsEmpty(inner)) AddShape(cr, op, inner, pen);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
}

void AddLine(cairo_t* cr, const DrawOp& op, Fidelity fidelity) {
  if (fidelity == Fidelity::kPixelExact) {
    for (const PixelRect& r : PenLineCoverage(op.from, op.to, op.state.penSize))
      cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    return;
  }
  const std::vector<PenPoint> outline = PenLineOutline(op.from, op.to, op.state.penSize);
  for (std::size_t i = 0; i < outline.size(); ++i) {
    if (i == 0) {
      cairo_move_to(cr, outline[i].h, outline[i].v);
    } else {
      cairo_line_to(cr, outline[i].h, outline[i].v);
    }
  }
  cairo_close_path(cr);
}

void DrawWithPen(cairo_t* cr, const DrawOp& op, Fidelity fidelity) {
  const DrawState& s = op.state;
  if (s.penSize.h <= 0 || s.penSize.v <= 0) return;
  if (op.kind == DrawKind::kLine) {
    AddLine(cr, op, fidelity);
  } else if (ShapeVerb(op.kind) == DrawKind::kFrameRect) {
    AddFrame(cr, op, s.penSize);
  } else {
    AddShape(cr, op, op.rect);
  }
  if (SetPaint(cr, s.penMode, s.penPattern, s.foreColor, s.backColor)) cairo_fill(cr);
}

void DrawShape(cairo_t* cr, const DrawOp& op) {
  const DrawState& s = op.state;
  AddShape(cr, op, op.rect);
  const DrawKind verb = ShapeVerb(op.kind);
  bool paint = false;
  if (verb == DrawKind::kEraseRect) {
    paint = SetPaint(cr, patCopy, kNoPattern, s.foreColor, s.backColor);
  } else if (verb == DrawKind::kInvertRect) {
    paint = SetPaint(cr, patXor, kSolidPattern, s.foreColor, s.backColor);
  } else {
    paint = SetPaint(cr, patCopy, op.fillPattern, s.foreColor, s.backColor);
  }
  if (paint) cairo_fill(cr);
}

void DrawImageOp(cairo_t* cr, const DrawOp& op) {
  const int w = op.imageWidth;
  const int h = op.imageHeight;
  if (w <= 0 || h <= 0 || op.imagePixels.size() != static_cast<std::size_t>(w) * h) return;
  if (IsEmpty(op.rect)) return;
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_surface_flush(image);
  unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = op.imagePixels[static_cast<std::size_t>(y) * w + x];
      const std::uint32_t a = p >> 24;
      auto premultiply = [a](std::uint32_t c) { return (c * a + 127) / 255; };
      row[x] = (a << 24) | (premultiply((p >> 16) & 0xFF) << 16) | (premultiply((p >> 8) & 0xFF) << 8) |
               premultiply(p & 0xFF);
    }
  }
  cairo_surface_mark_dirty(image);
  cairo_save(cr);
  AddRect(cr, op.rect);
  cairo_clip(cr);
  cairo_translate(cr, op.rect.left, op.rect.top);
  cairo_scale(cr, double(op.rect.right - op.rect.left) / w, double(op.rect.bottom - op.rect.top) / h);
  cairo_set_source_surface(cr, image, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(image);
}

void PlayOp(cairo_t* cr, const DrawOp& op, Fidelity fidelity) {
  // Empty shapes draw nothing; an empty oval would also make a singular matrix.
  if (IsEmpty(op.state.clip) || (IsShape(op.kind) && IsEmpty(op.rect))) return;
  cairo_save(cr);
  AddRect(cr, op.state.clip);
  cairo_clip(cr);
  cairo_set_antialias(cr, fidelity == Fidelity::kPixelExact ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_DEFAULT);
  cairo_new_path(cr);
  switch (op.kind) {
    case DrawKind::kLine:
    case DrawKind::kFrameRect:
    case DrawKind::kPaintRect:
    case DrawKind::kFrameOval:
    case DrawKind::kPaintOval:
    case DrawKind::kFrameRoundRect:
    case DrawKind::kPaintRoundRect:
      DrawWithPen(cr, op, fidelity);
      break;
    case DrawKind::kText:
      DrawTextOp(cr, op);
      break;
    case DrawKind::kImage:
      DrawImageOp(cr, op);
      break;
    default:
      DrawShape(cr, op);
      break;
  }
  cairo_restore(cr);
}

}  // namespace

void PaintPageWhite(cairo_t* cr) {
  cairo_save(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_restore(cr);
}

void PlayDisplayList(cairo_t* cr, const DisplayList& list, Fidelity fidelity) {
  for (const DrawOp& op : list.ops) PlayOp(cr, op, fidelity);
}

}  // namespace toolbox::internal
