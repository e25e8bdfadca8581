// PICT version 2 bytes back to display-list operations. Every read is
// bounds-checked; a short read marks the step truncated and the picture is refused.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "pict_opcodes.h"
#include "pict_pixels.h"
#include "toolbox/big_endian_bytes.h"
#include "toolbox/pict.h"

namespace toolbox {
namespace {

using namespace pict;

enum class Outcome { kNotMine, kDone, kFailed };

std::string Hex(std::uint16_t v) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%04X", v);
  return text;
}

class PictParser {
 public:
  explicit PictParser(std::span<const unsigned char> bytes) : in_(bytes) {}

  std::optional<PictContents> Parse(std::string* error) {
    const bool ok = ParseHeader() && ParseOpcodes();
    if (!ok) {
      if (error != nullptr) *error = error_;
      return std::nullopt;
    }
    return std::move(contents_);
  }

 private:
  // --- Reading --------------------------------------------------------------
  std::uint8_t U8() {
    const auto v = in_.U8(pos_);
    pos_ += 1;
    truncated_ |= !v;
    return v.value_or(0);
  }
  std::uint16_t U16() {
    const auto v = in_.U16(pos_);
    pos_ += 2;
    truncated_ |= !v;
    return v.value_or(0);
  }
  SInt16 S16() { return static_cast<SInt16>(U16()); }
  std::uint32_t U32() {
    const std::uint32_t high = U16();
    return (high << 16) | U16();
  }
  void Skip(std::size_t count) {
    truncated_ |= !in_.Contains(pos_, count);
    pos_ += count;
  }
  Point RawPoint() {
    const SInt16 v = S16();
    return Point{v, S16()};
  }
  Point ReadPoint() { return Mapped(RawPoint()); }
  Rect ReadRect() {
    const SInt16 t = S16();
    const SInt16 l = S16();
    const SInt16 b = S16();
    const SInt16 r = S16();
    const Point tl = Mapped(Point{t, l});
    const Point br = Mapped(Point{b, r});
    return Rect{tl.v, tl.h, br.v, br.h};
  }
  RGBColor ReadRGB() {
    const std::uint16_t r = U16();
    const std::uint16_t g = U16();
    return RGBColor{r, g, U16()};
  }
  Pattern ReadPattern() {
    Pattern p{};
    for (auto& row : p.pat) row = U8();
    return p;
  }
  // Coordinates after an Origin opcode are relative to the moved origin.
  Point Mapped(Point p) const {
    return Point{static_cast<SInt16>(p.v - origin_.v), static_cast<SInt16>(p.h - origin_.h)};
  }
  bool Fail(std::string why) {
    error_ = std::move(why);
    return false;
  }
  Outcome Refuse(std::string why) {
    error_ = std::move(why);
    return Outcome::kFailed;
  }

  // --- Structure ------------------------------------------------------------
  bool ParseHeader() {
    const auto at10 = in_.U32(kPictHeaderBytes);
    const auto at522 = in_.U32(kFileHeaderBytes + kPictHeaderBytes);
    constexpr std::uint32_t kV2Start = (std::uint32_t{kVersionOp} << 16) | kVersion2;
    if (at10 != kV2Start && at522 == kV2Start) pos_ = start_ = kFileHeaderBytes;
    if (!in_.Contains(pos_, kPictHeaderBytes + 4)) return Fail("too short for a picture");
    U16();  // picSize: only the low 16 bits of the size; not trusted
    contents_.frame = ReadRect();
    if (in_.U16(pos_) == 0x1101) return Fail("version 1 pictures are not supported");
    if (U32() != kV2Start) return Fail("not a version 2 picture");
    return true;
  }

  bool ParseOpcodes() {
    for (;;) {
      if ((pos_ - start_) % 2 != 0) ++pos_;
      const std::size_t at = pos_;
      if (!in_.Contains(pos_, 2)) return Fail("picture ends without its end opcode");
      const std::uint16_t opcode = U16();
      if (opcode == kOpEndPic) return true;
      if (!Step(opcode)) return false;
      if (truncated_) return Fail("truncated opcode " + Hex(opcode) + " at byte " + std::to_string(at));
    }
  }

  bool Step(std::uint16_t opcode) {
    for (auto handler : {&PictParser::StateOpcode, &PictParser::LineOpcode, &PictParser::TextOpcode,
                         &PictParser::ShapeOpcode, &PictParser::PolyOrRegionOpcode, &PictParser::PixelOpcode,
                         &PictParser::SkippedOpcode}) {
      const Outcome outcome = (this->*handler)(opcode);
      if (outcome == Outcome::kDone) return true;
      if (outcome == Outcome::kFailed) return false;
    }
    return Fail("unsupported opcode " + Hex(opcode) + " at byte " + std::to_string(pos_ - 2));
  }

  void Emit(DrawOp op) {
    op.state = state_;
    // Font 0 is bold whatever its face says; writers mark it bold for
    // readers that would not know.
    if (op.state.textFont == systemFont) op.state.textFace = static_cast<Style>(op.state.textFace & ~bold);
    contents_.list.ops.push_back(std::move(op));
  }

  // --- Opcode families ------------------------------------------------------
  Outcome StateOpcode(std::uint16_t opcode) {
    switch (opcode) {
      case kClip: return ReadClip();
      case kTxFont: state_.textFont = S16(); break;
      case kTxFace: state_.textFace = static_cast<Style>(U8() & 0x7F); break;
      case kTxMode: state_.textMode = S16(); break;
      case kPnSize: state_.penSize = RawPoint(); break;
      case kPnMode: state_.penMode = S16(); break;
      case kPnPat: state_.penPattern = ReadPattern(); break;
      case kFillPat: fillPattern_ = ReadPattern(); break;
      case kOvSize: ovalSize_ = RawPoint(); break;
      case kOrigin: {
        const SInt16 dh = S16();
        origin_ = Point{static_cast<SInt16>(origin_.v + S16()), static_cast<SInt16>(origin_.h + dh)};
        break;
      }
      case kTxSize: state_.textSize = S16(); break;
      case kFgColor: state_.foreColor = ClassicColor(static_cast<SInt32>(U32())); break;
      case kBkColor: state_.backColor = ClassicColor(static_cast<SInt32>(U32())); break;
      case kRGBFgCol: state_.foreColor = ReadRGB(); break;
      case kRGBBkCol: state_.backColor = ReadRGB(); break;
      default: return Outcome::kNotMine;
    }
    return Outcome::kDone;
  }

  Outcome ReadClip() {
    const std::uint16_t size = U16();
    if (size < kRegionRectBytes) return Refuse("bad clip region size");
    state_.clip = ReadRect();
    Skip(size - kRegionRectBytes);  // complex regions clip to their bounding box
    return Outcome::kDone;
  }

  static RGBColor ClassicColor(SInt32 classic) {
    switch (classic) {
      case whiteColor: return {0xFFFF, 0xFFFF, 0xFFFF};
      case yellowColor: return {0xFFFF, 0xFFFF, 0};
      case magentaColor: return {0xFFFF, 0, 0xFFFF};
      case redColor: return {0xFFFF, 0, 0};
      case cyanColor: return {0, 0xFFFF, 0xFFFF};
      case greenColor: return {0, 0xFFFF, 0};
      case blueColor: return {0, 0, 0xFFFF};
      default: return {0, 0, 0};
    }
  }

  Outcome LineOpcode(std::uint16_t opcode) {
    Point from = penLoc_;
    Point to{};
    switch (opcode) {
      case kLine: from = ReadPoint(); to = ReadPoint(); break;
      case kLineFrom: to = ReadPoint(); break;
      case kShortLine: from = ReadPoint(); to = ShortDelta(from); break;
      case kShortLineFrom: to = ShortDelta(from); break;
      default: return Outcome::kNotMine;
    }
    EmitLine(from, to);
    return Outcome::kDone;
  }

  Point ShortDelta(Point from) {
    const auto dh = static_cast<signed char>(U8());
    const auto dv = static_cast<signed char>(U8());
    return Point{static_cast<SInt16>(from.v + dv), static_cast<SInt16>(from.h + dh)};
  }

  void EmitLine(Point from, Point to) {
    DrawOp op;
    op.kind = DrawKind::kLine;
    op.from = from;
    op.to = to;
    penLoc_ = to;
    Emit(std::move(op));
  }

  Outcome TextOpcode(std::uint16_t opcode) {
    switch (opcode) {
      case kLongText: textLoc_ = ReadPoint(); break;
      case kDHText: textLoc_.h = static_cast<SInt16>(textLoc_.h + U8()); break;
      case kDVText: textLoc_.v = static_cast<SInt16>(textLoc_.v + U8()); break;
      case kDHDVText:
        textLoc_.h = static_cast<SInt16>(textLoc_.h + U8());
        textLoc_.v = static_cast<SInt16>(textLoc_.v + U8());
        break;
      default: return Outcome::kNotMine;
    }
    const std::uint8_t count = U8();
    const auto text = in_.Bytes(pos_, count);
    Skip(count);
    if (!text) return Outcome::kDone;  // truncated: reported by the caller
    DrawOp op;
    op.kind = DrawKind::kText;
    op.from = textLoc_;
    op.text.assign(text->begin(), text->end());
    Emit(std::move(op));
    return Outcome::kDone;
  }

  // Rectangles, round rectangles (drawn square), ovals and arcs (skipped);
  // the "same" opcodes reuse the last rectangle.
  Outcome ShapeOpcode(std::uint16_t opcode) {
    if (opcode < kFrameRect || opcode >= kFramePoly) return Outcome::kNotMine;
    const int family = (opcode - kFrameRect) >> 4;  // 0 rect, 1 round rect, 2 oval, 3 arc
    const int low = opcode & 0x0F;
    const bool isSame = low >= 8;
    const int verb = low & 7;
    const bool isArc = family == 3;
    if (verb >= kShapeVerbCount) {
      // Reserved opcodes carry the operands of their family's verbs.
      Skip(isSame ? (isArc ? 4 : 0) : (isArc ? 12 : 8));
      return Outcome::kDone;
    }
    if (!isSame) lastRect_ = ReadRect();
    if (isArc) {
      Skip(4);  // start and extent angles
      return Outcome::kDone;
    }
    const DrawKind base = family == 2 ? DrawKind::kFrameOval : family == 1 ? DrawKind::kFrameRoundRect : DrawKind::kFrameRect;
    EmitShape(base, verb, lastRect_);
    return Outcome::kDone;
  }

  void EmitShape(DrawKind base, int verb, const Rect& rect) {
    DrawOp op;
    op.kind = static_cast<DrawKind>(static_cast<int>(base) + verb);
    op.rect = rect;
    if (ShapeVerb(op.kind) == DrawKind::kFillRect) op.fillPattern = fillPattern_;
    if (IsRoundRectShape(op.kind)) op.ovalSize = ovalSize_;
    Emit(std::move(op));
  }

  Outcome PolyOrRegionOpcode(std::uint16_t opcode) {
    if (opcode < kFramePoly || opcode >= 0x0090) return Outcome::kNotMine;
    const bool isSame = (opcode & 0x08) != 0;
    if (isSame) return Outcome::kDone;  // no operands
    const std::size_t at = pos_;
    const std::uint16_t size = U16();
    if (size < kRegionRectBytes) return Refuse("bad polygon or region size");
    const Rect bounds = ReadRect();
    const int verb = (opcode & 0x0F);
    const bool isRegion = opcode >= kFrameRgn;
    if (isRegion && size == kRegionRectBytes && verb < kShapeVerbCount) {
      EmitShape(DrawKind::kFrameRect, verb, bounds);
    } else if (!isRegion && opcode == kFramePoly) {
      EmitPolygonEdges(at + size);
    } else if (!isRegion && verb < kShapeVerbCount) {
      EmitFilledPolygon(at + size, verb, bounds);
    }
    pos_ = at;
    Skip(size);
    return Outcome::kDone;
  }

  void EmitPolygonEdges(std::size_t end) {
    Point previous{};
    for (bool first = true; pos_ + 4 <= end && in_.Contains(pos_, 4); first = false) {
      const Point p = ReadPoint();
      if (!first) EmitLine(previous, p);
      previous = p;
    }
  }

  // A filled polygon as the even-odd spans of its pixel rows (sampled at row
  // centres), rows with the same spans merged into one rectangle. Polygons
  // taller than kMaxPolygonRows keep only their edges.
  void EmitFilledPolygon(std::size_t end, int verb, const Rect& bounds) {
    std::vector<Point> points;
    while (pos_ + 4 <= end && in_.Contains(pos_, 4)) points.push_back(ReadPoint());
    if (points.size() < 3) return;
    if (bounds.bottom - bounds.top > kMaxPolygonRows) {
      for (std::size_t i = 1; i < points.size(); ++i) EmitLine(points[i - 1], points[i]);
      return;
    }
    std::vector<Rect> open;
    auto flush = [&] {
      for (const Rect& r : open) EmitShape(DrawKind::kFrameRect, verb, r);
      open.clear();
    };
    for (int y = bounds.top; y < bounds.bottom; ++y) {
      const double centre = y + 0.5;
      std::vector<double> crossings;
      for (std::size_t i = 0; i < points.size(); ++i) {
        const Point a = points[i];
        const Point b = points[(i + 1) % points.size()];
        if ((a.v <= centre) == (b.v <= centre)) continue;
        crossings.push_back(a.h + (centre - a.v) * (b.h - a.h) / (b.v - a.v));
      }
      std::sort(crossings.begin(), crossings.end());
      std::vector<Rect> row;
      for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
        const auto left = static_cast<SInt16>(std::lround(crossings[i]));
        const auto right = static_cast<SInt16>(std::lround(crossings[i + 1]));
        if (right > left) row.push_back(Rect{static_cast<SInt16>(y), left, static_cast<SInt16>(y + 1), right});
      }
      const bool same = row.size() == open.size() &&
                        std::equal(row.begin(), row.end(), open.begin(), [](const Rect& r, const Rect& o) {
                          return r.left == o.left && r.right == o.right;
                        });
      if (same) {
        for (Rect& r : open) ++r.bottom;
      } else {
        flush();
        open = std::move(row);
      }
    }
    flush();
  }

  Outcome PixelOpcode(std::uint16_t opcode) {
    if (opcode < 0x0090 || opcode > 0x009F) return Outcome::kNotMine;
    if (opcode != kDirectBitsRect) {
      if ((opcode >= 0x0092 && opcode <= 0x0097) || opcode >= 0x009C) {
        SkipCounted16();  // reserved: a word count
        return Outcome::kDone;
      }
      return Refuse("unsupported pixel opcode " + Hex(opcode));
    }
    DrawOp image;
    std::string why;
    if (!ReadDirectBits(in_, pos_, image, why)) return Refuse(why);
    if (image.kind == DrawKind::kImage) {
      const Point tl = Mapped(Point{image.rect.top, image.rect.left});
      const Point br = Mapped(Point{image.rect.bottom, image.rect.right});
      image.rect = Rect{tl.v, tl.h, br.v, br.h};
      Emit(std::move(image));
    }
    return Outcome::kDone;
  }

  void SkipCounted16() { Skip(U16()); }
  void SkipCounted32() { Skip(U32()); }

  // Opcodes that draw nothing we show, skipped by their sizes.
  Outcome SkippedOpcode(std::uint16_t opcode) {
    switch (opcode) {
      case kNop: case 0x0017: case 0x0018: case 0x0019: case kHiliteMode: case kDefHilite: break;
      case kBkPat: case kTxRatio: Skip(8); break;
      case kSpExtra: Skip(4); break;
      case kVersionOp: case kPnLocHFrac: case kChExtra: case kShortComment: Skip(2); break;
      case kHiliteColor: case kOpColor: Skip(6); break;
      case 0x0024: case 0x0025: case 0x0026: case 0x0027:
      case 0x002C: case 0x002D: case 0x002E: case 0x002F: SkipCounted16(); break;
      case kLongComment: Skip(2); SkipCounted16(); break;
      default: return SkippedByRange(opcode);
    }
    return Outcome::kDone;
  }

  Outcome SkippedByRange(std::uint16_t opcode) {
    if ((opcode >= 0x00B0 && opcode <= 0x00CF) ||
               (opcode >= 0x8000 && opcode <= 0x80FF)) {
      // no operands
    } else if (opcode >= 0x00A2 && opcode <= 0x00AF) {
      SkipCounted16();
    } else if ((opcode >= 0x00D0 && opcode <= 0x00FE) || opcode >= 0x8100) {
      SkipCounted32();
    } else if (opcode >= 0x0100 && opcode <= 0x7FFF) {
      Skip(2u * (opcode >> 8));
    } else {
      return Outcome::kNotMine;
    }
    return Outcome::kDone;
  }

  BigEndianReader in_;
  std::size_t pos_ = 0;
  std::size_t start_ = 0;
  bool truncated_ = false;
  std::string error_;
  PictContents contents_;
  DrawState state_;
  Pattern fillPattern_{};
  Point penLoc_{};
  Point ovalSize_{};
  static constexpr int kMaxPolygonRows = 4096;
  Point textLoc_{};
  Point origin_{};
  Rect lastRect_{};
};

}  // namespace

std::optional<PictContents> ReadPict(std::span<const unsigned char> bytes, std::string* error) {
  return PictParser(bytes).Parse(error);
}

}  // namespace toolbox
