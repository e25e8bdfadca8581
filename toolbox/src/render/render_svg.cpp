// The SVG backend: the first page as SVG elements, written by hand so that
// the picture stays vector throughout. Inversion (xor) is white drawn with
// the difference blend, as on the raster; text stays text (a font family
// list and the measured width, so other viewers lay it out as QuickDraw
// did); images are embedded PNG.
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "render_paint.h"
#include "render_pen_coverage.h"
#include "toolbox/fonts.h"
#include "toolbox/macroman.h"
#include "toolbox/render.h"

namespace toolbox {
namespace {

using internal::Blend;
using internal::InkPlan;

std::string Hex(const RGBColor& c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.red >> 8, c.green >> 8, c.blue >> 8);
  return text;
}

std::string Escaped(std::string_view utf8) {
  std::string out;
  for (char c : utf8) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Base64(const std::vector<unsigned char>& bytes) {
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::uint32_t n = (std::uint32_t{bytes[i]} << 16) | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0) |
                            (i + 2 < bytes.size() ? bytes[i + 2] : 0);
    out += kDigits[(n >> 18) & 63];
    out += kDigits[(n >> 12) & 63];
    out += i + 1 < bytes.size() ? kDigits[(n >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kDigits[n & 63] : '=';
  }
  return out;
}

std::string FamilyList(SInt16 font) {
  const std::string_view family = FontFamilyName(font);
  if (family == "Times") return "Liberation Serif, Times, serif";
  if (family == "Courier") return "Liberation Mono, Courier, monospace";
  return "Liberation Sans, Helvetica, Arial, sans-serif";
}

std::string Number(double v) {
  std::ostringstream out;
  out << v;
  return out.str();
}

std::string RectPath(double l, double t, double r, double b) {
  return "M" + Number(l) + "," + Number(t) + "H" + Number(r) + "V" + Number(b) + "H" + Number(l) + "Z";
}

std::string OvalPath(double l, double t, double r, double b) {
  const double rx = (r - l) / 2;
  const double ry = (b - t) / 2;
  const std::string arc = "A" + Number(rx) + "," + Number(ry) + " 0 1 0 ";
  return "M" + Number(l) + "," + Number(t + ry) + arc + Number(r) + "," + Number(t + ry) + arc + Number(l) + "," +
         Number(t + ry) + "Z";
}

std::string RoundRectPath(double l, double t, double r, double b, Point oval) {
  const double rx = std::min(std::max(0.0, oval.h / 2.0), (r - l) / 2);
  const double ry = std::min(std::max(0.0, oval.v / 2.0), (b - t) / 2);
  if (rx <= 0 || ry <= 0) return RectPath(l, t, r, b);
  const std::string arc = "A" + Number(rx) + "," + Number(ry) + " 0 0 1 ";
  return "M" + Number(l + rx) + "," + Number(t) + "H" + Number(r - rx) + arc + Number(r) + "," + Number(t + ry) +
         "V" + Number(b - ry) + arc + Number(r - rx) + "," + Number(b) + "H" + Number(l + rx) + arc + Number(l) + "," +
         Number(b - ry) + "V" + Number(t + ry) + arc + Number(l + rx) + "," + Number(t) + "Z";
}

class SvgRenderer : public Renderer {
 public:
  explicit SvgRenderer(std::string path) : path_(std::move(path)) {}

  void BeginPage(const Rect& area) override {
    if (pages_++ > 0) return;  // SVG holds one page
    const int width = std::max(1, area.right - area.left);
    const int height = std::max(1, area.bottom - area.top);
    out_ << "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\""
         << width << "\" height=\"" << height << "\" viewBox=\"" << area.left << ' ' << area.top << ' ' << width
         << ' ' << height << "\">\n<rect x=\"" << area.left << "\" y=\"" << area.top << "\" width=\"" << width
         << "\" height=\"" << height << "\" fill=\"#ffffff\"/>\n<g style=\"isolation:isolate\">\n";
    drawing_ = true;
  }

  void RenderDisplayList(const DisplayList& list) override {
    if (!drawing_) return;
    for (const DrawOp& op : list.ops) Op(op);
  }

  void EndPage() override { drawing_ = false; }

  bool Finish(std::string* error) override {
    if (pages_ == 0) {
      if (error != nullptr) *error = "nothing was drawn for " + path_;
      return false;
    }
    std::ofstream file(path_, std::ios::binary | std::ios::trunc);
    file << out_.str() << "</g>\n</svg>\n";
    file.close();
    if (file) return true;
    if (error != nullptr) *error = "cannot write " + path_;
    return false;
  }

 private:
  std::string ClipId(const Rect& clip) {
    const std::string key = Number(clip.top) + "," + Number(clip.left) + "," + Number(clip.bottom) + "," +
                            Number(clip.right);
    auto [it, added] = clips_.emplace(key, "c" + std::to_string(clips_.size()));
    if (added) {
      out_ << "<clipPath id=\"" << it->second << "\"><rect x=\"" << clip.left << "\" y=\"" << clip.top
           << "\" width=\"" << clip.right - clip.left << "\" height=\"" << clip.bottom - clip.top
           << "\"/></clipPath>\n";
    }
    return it->second;
  }

  // The fill attributes for a paint plan; empty when nothing would change.
  std::string Fill(const InkPlan& plan) {
    std::string blend;
    if (plan.blend == Blend::kDifference) blend = " style=\"mix-blend-mode:difference\"";
    if (plan.blend == Blend::kLighten) blend = " style=\"mix-blend-mode:lighten\"";
    if (plan.blend == Blend::kDarken) blend = " style=\"mix-blend-mode:darken\"";
    if (plan.Solid()) return " fill=\"" + Hex(plan.ink) + "\"" + blend;
    if (plan.Empty()) return plan.paperOpaque ? " fill=\"" + Hex(plan.paper) + "\"" + blend : std::string();
    const std::string id = "p" + std::to_string(patterns_++);
    out_ << "<pattern id=\"" << id << "\" patternUnits=\"userSpaceOnUse\" width=\"8\" height=\"8\">";
    if (plan.paperOpaque) out_ << "<rect width=\"8\" height=\"8\" fill=\"" << Hex(plan.paper) << "\"/>";
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        if (((plan.bits.pat[y] >> (7 - x)) & 1) != 0) {
          out_ << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"1\" height=\"1\" fill=\"" << Hex(plan.ink)
               << "\"/>";
        }
      }
    }
    out_ << "</pattern>\n";
    return " fill=\"url(#" + id + ")\"" + blend;
  }

  void Path(const DrawOp& op, const std::string& d, const InkPlan& plan, bool evenOdd = false) {
    const std::string fill = Fill(plan);
    if (fill.empty()) return;
    out_ << "<path clip-path=\"url(#" << ClipId(op.state.clip) << ")\" d=\"" << d << "\"" << fill
         << (evenOdd ? " fill-rule=\"evenodd\"" : "") << "/>\n";
  }

  std::string ShapePath(const DrawOp& op, double l, double t, double r, double b, Point inset = {}) {
    if (IsOvalShape(op.kind)) return OvalPath(l, t, r, b);
    if (IsRoundRectShape(op.kind)) {
      return RoundRectPath(l, t, r, b,
                           Point{static_cast<SInt16>(op.ovalSize.v - 2 * inset.v),
                                 static_cast<SInt16>(op.ovalSize.h - 2 * inset.h)});
    }
    return RectPath(l, t, r, b);
  }

  void Shape(const DrawOp& op) {
    const DrawState& s = op.state;
    const Rect& r = op.rect;
    if (r.right <= r.left || r.bottom <= r.top) return;
    const DrawKind verb = ShapeVerb(op.kind);
    const std::string outer = ShapePath(op, r.left, r.top, r.right, r.bottom);
    if (verb == DrawKind::kFrameRect) {
      if (s.penSize.h <= 0 || s.penSize.v <= 0) return;
      std::string d = outer;
      if (r.right - r.left > 2 * s.penSize.h && r.bottom - r.top > 2 * s.penSize.v) {
        d += ShapePath(op, r.left + s.penSize.h, r.top + s.penSize.v, r.right - s.penSize.h, r.bottom - s.penSize.v,
                       s.penSize);
      }
      Path(op, d, internal::PlanInk(s.penMode, s.penPattern, s.foreColor, s.backColor), true);
    } else if (verb == DrawKind::kPaintRect) {
      if (s.penSize.h > 0 && s.penSize.v > 0) Path(op, outer, internal::PlanInk(s.penMode, s.penPattern, s.foreColor, s.backColor));
    } else if (verb == DrawKind::kEraseRect) {
      Path(op, outer, internal::PlanInk(patCopy, Pattern{}, s.foreColor, s.backColor));
    } else if (verb == DrawKind::kInvertRect) {
      Path(op, outer, internal::PlanInk(patXor, internal::kSolidPattern, s.foreColor, s.backColor));
    } else {
      Path(op, outer, internal::PlanInk(patCopy, op.fillPattern, s.foreColor, s.backColor));
    }
  }

  void LineOp(const DrawOp& op) {
    const DrawState& s = op.state;
    if (s.penSize.h <= 0 || s.penSize.v <= 0) return;
    std::string d;
    for (const internal::PenPoint& p : internal::PenLineOutline(op.from, op.to, s.penSize)) {
      d += (d.empty() ? "M" : "L") + Number(p.h) + "," + Number(p.v);
    }
    Path(op, d + "Z", internal::PlanInk(s.penMode, s.penPattern, s.foreColor, s.backColor));
  }

  void Text(const DrawOp& op) {
    const DrawState& s = op.state;
    const SInt16 size = EffectiveTextSize(s.textSize);
    const int width = MeasureText(s.textFont, s.textSize, s.textFace, op.text);
    if (internal::IsCopyMode(s.textMode)) {
      const FontInfo info = MeasureFontInfo(s.textFont, s.textSize, s.textFace);
      Path(op, RectPath(op.from.h, op.from.v - info.ascent, op.from.h + width, op.from.v + info.descent),
           internal::PlanInk(s.textMode, Pattern{}, s.foreColor, s.backColor));
    }
    const std::string fill = Fill(internal::PlanInk(s.textMode, internal::kSolidPattern, s.foreColor, s.backColor));
    if (fill.empty() || op.text.empty()) return;
    const bool isBold = (s.textFace & bold) != 0 || s.textFont == systemFont;
    out_ << "<text clip-path=\"url(#" << ClipId(s.clip) << ")\" x=\"" << op.from.h << "\" y=\"" << op.from.v
         << "\" font-family=\"" << FamilyList(s.textFont) << "\" font-size=\"" << size << "\""
         << (isBold ? " font-weight=\"bold\"" : "") << ((s.textFace & italic) != 0 ? " font-style=\"italic\"" : "")
         << ((s.textFace & underline) != 0 ? " text-decoration=\"underline\"" : "");
    if (width > 0) out_ << " textLength=\"" << width << "\" lengthAdjust=\"spacingAndGlyphs\"";
    out_ << fill << " xml:space=\"preserve\">" << Escaped(MacRomanToUtf8(op.text)) << "</text>\n";
  }

  void Image(const DrawOp& op) {
    const int w = op.imageWidth;
    const int h = op.imageHeight;
    if (w <= 0 || h <= 0 || op.imagePixels.size() != static_cast<std::size_t>(w) * h) return;
    const RasterImage image{w, h, op.imagePixels};
    out_ << "<image clip-path=\"url(#" << ClipId(op.state.clip) << ")\" x=\"" << op.rect.left << "\" y=\""
         << op.rect.top << "\" width=\"" << op.rect.right - op.rect.left << "\" height=\""
         << op.rect.bottom - op.rect.top << "\" preserveAspectRatio=\"none\" style=\"image-rendering:pixelated\""
         << " xlink:href=\"data:image/png;base64," << Base64(EncodePng(image)) << "\"/>\n";
  }

  void Op(const DrawOp& op) {
    if (op.state.clip.right <= op.state.clip.left || op.state.clip.bottom <= op.state.clip.top) return;
    if (op.kind == DrawKind::kLine) {
      LineOp(op);
    } else if (op.kind == DrawKind::kText) {
      Text(op);
    } else if (op.kind == DrawKind::kImage) {
      Image(op);
    } else if (IsShape(op.kind)) {
      Shape(op);
    }
  }

  std::string path_;
  std::ostringstream out_;
  std::map<std::string, std::string> clips_;
  int patterns_ = 0;
  int pages_ = 0;
  bool drawing_ = false;
};

}  // namespace

std::unique_ptr<Renderer> NewSvgRenderer(const std::string& path) { return std::make_unique<SvgRenderer>(path); }

}  // namespace toolbox
