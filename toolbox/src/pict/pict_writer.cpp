// Display lists to PICT version 2 bytes.
#include <algorithm>
#include <optional>
#include <vector>
#include <string_view>

#include "pict_opcodes.h"
#include "pict_pixels.h"
#include "toolbox/big_endian_bytes.h"
#include "toolbox/fonts.h"
#include "toolbox/pict.h"

namespace toolbox {
namespace {

using pict::Opcode;

class PictWriter {
 public:
  explicit PictWriter(const Rect& frame) : frame_(frame) { state_.clip = frame; }

  std::vector<unsigned char> Write(const DisplayList& list) {
    WriteHeader();
    for (const DrawOp& op : list.ops) {
      WriteStateChanges(op.state);
      WriteOp(op);
    }
    out_.U16(pict::kOpEndPic);
    out_.PatchU16(0, static_cast<std::uint16_t>(out_.size() & 0xFFFF));
    return out_.Take();
  }

 private:
  void WriteHeader() {
    out_.U16(0);  // picSize, patched at the end
    WriteRect(frame_);
    out_.U16(pict::kVersionOp);
    out_.U16(pict::kVersion2);
    out_.U16(pict::kHeaderOp);
    out_.U32(0xFFFFFFFF);
    // The header's fixed-point bounds run x before y.
    for (SInt16 v : {frame_.left, frame_.top, frame_.right, frame_.bottom}) out_.U32(FixedOf(v));
    out_.U32(0);
    out_.U16(pict::kDefHilite);
    WriteClip(frame_);
  }

  static Style WrittenFace(const DrawState& s) {
    return s.textFont == systemFont ? static_cast<Style>(s.textFace | bold) : s.textFace;
  }

  static std::uint32_t FixedOf(SInt16 v) { return static_cast<std::uint32_t>(v) << 16; }

  void WriteRect(const Rect& r) {
    for (SInt16 v : {r.top, r.left, r.bottom, r.right}) out_.S16(v);
  }
  void WritePoint(Point p) {
    out_.S16(p.v);
    out_.S16(p.h);
  }
  void WriteRGB(Opcode opcode, const RGBColor& c) {
    out_.U16(opcode);
    out_.U16(c.red);
    out_.U16(c.green);
    out_.U16(c.blue);
  }
  void WritePattern(Opcode opcode, const Pattern& p) {
    out_.U16(opcode);
    out_.Bytes(p.pat);
  }
  void WriteShort(Opcode opcode, SInt16 v) {
    out_.U16(opcode);
    out_.S16(v);
  }
  void WriteClip(const Rect& clip) {
    out_.U16(pict::kClip);
    out_.U16(pict::kRegionRectBytes);
    WriteRect(clip);
  }

  void WriteStateChanges(const DrawState& s) {
    if (!(s.clip == state_.clip)) WriteClip(s.clip);
    if (!(s.penSize == state_.penSize)) {
      out_.U16(pict::kPnSize);
      WritePoint(s.penSize);
    }
    if (s.penMode != state_.penMode) WriteShort(pict::kPnMode, s.penMode);
    if (!(s.penPattern == state_.penPattern)) WritePattern(pict::kPnPat, s.penPattern);
    if (!(s.foreColor == state_.foreColor)) WriteRGB(pict::kRGBFgCol, s.foreColor);
    if (!(s.backColor == state_.backColor)) WriteRGB(pict::kRGBBkCol, s.backColor);
    if (s.textFont != state_.textFont) WriteShort(pict::kTxFont, s.textFont);
    if (s.textSize != state_.textSize) WriteShort(pict::kTxSize, s.textSize);
    if (WrittenFace(s) != writtenFace_) {
      writtenFace_ = WrittenFace(s);
      out_.U16(pict::kTxFace);
      out_.U8(writtenFace_);
      out_.PadToEven();
    }
    if (s.textMode != state_.textMode) WriteShort(pict::kTxMode, s.textMode);
    state_ = s;
  }

  void WriteOp(const DrawOp& op) {
    const bool continues = lineEnd_.has_value() && *lineEnd_ == op.from;
    lineEnd_.reset();
    if (op.kind == DrawKind::kLine) {
      WriteLine(op.from, op.to, continues);
      lineEnd_ = op.to;
    } else if (IsShape(op.kind)) {
      WriteShape(op);
    } else if (op.kind == DrawKind::kText) {
      WriteText(op);
    } else if (op.kind == DrawKind::kImage) {
      pict::WriteDirectBits(out_, op);
    }
  }

  static bool FitsByte(int delta) { return delta >= -128 && delta <= 127; }

  // Polylines continue from the pen: a 2-byte delta where it fits (a trace of
  // 2,000 points in 8 kB rather than 21 kB).
  void WriteLine(Point from, Point to, bool continues) {
    const int dh = to.h - from.h;
    const int dv = to.v - from.v;
    const bool shortDelta = FitsByte(dh) && FitsByte(dv);
    if (continues) {
      out_.U16(shortDelta ? pict::kShortLineFrom : pict::kLineFrom);
    } else {
      out_.U16(shortDelta ? pict::kShortLine : pict::kLine);
      WritePoint(from);
    }
    if (shortDelta) {
      out_.U8(static_cast<std::uint8_t>(static_cast<std::int8_t>(dh)));
      out_.U8(static_cast<std::uint8_t>(static_cast<std::int8_t>(dv)));
    } else {
      WritePoint(to);
    }
  }

  // Other readers know fonts by name, not by number: each font used is
  // named once, before its first text. Font 0 is drawn bold here, and its
  // text says so for readers that would draw it plain.
  void WriteFontName(SInt16 font) {
    if (std::find(namedFonts_.begin(), namedFonts_.end(), font) != namedFonts_.end()) return;
    namedFonts_.push_back(font);
    const std::string_view name = FontFamilyName(font);
    out_.U16(pict::kFontName);
    out_.U16(static_cast<std::uint16_t>(2 + 1 + name.size()));
    out_.S16(font);
    out_.U8(static_cast<std::uint8_t>(name.size()));
    for (char c : name) out_.U8(static_cast<std::uint8_t>(c));
    out_.PadToEven();
  }

  void WriteShape(const DrawOp& op) {
    const int verb = static_cast<int>(ShapeVerb(op.kind)) - static_cast<int>(DrawKind::kFrameRect);
    if (ShapeVerb(op.kind) == DrawKind::kFillRect) {
      if (!hasFillPattern_ || !(fillPattern_ == op.fillPattern)) WritePattern(pict::kFillPat, op.fillPattern);
      fillPattern_ = op.fillPattern;
      hasFillPattern_ = true;
    }
    std::uint16_t family = pict::kFrameRect;
    if (IsOvalShape(op.kind)) family = pict::kFrameOval;
    if (IsRoundRectShape(op.kind)) {
      family = pict::kFrameRRect;
      if (!(ovalSize_ == op.ovalSize)) {
        out_.U16(pict::kOvSize);
        WritePoint(op.ovalSize);
        ovalSize_ = op.ovalSize;
      }
    }
    out_.U16(static_cast<std::uint16_t>(family + verb));
    WriteRect(op.rect);
  }

  void WriteText(const DrawOp& op) {
    WriteFontName(op.state.textFont);
    std::string_view rest = op.text;
    long h = op.from.h;
    do {
      const std::string_view chunk = rest.substr(0, std::min<std::size_t>(rest.size(), 255));
      out_.U16(pict::kLongText);
      WritePoint(Point{op.from.v, static_cast<SInt16>(std::clamp<long>(h, -32768, 32767))});
      out_.U8(static_cast<std::uint8_t>(chunk.size()));
      for (char c : chunk) out_.U8(static_cast<std::uint8_t>(c));
      out_.PadToEven();
      h += MeasureText(op.state.textFont, op.state.textSize, op.state.textFace, chunk);
      rest.remove_prefix(chunk.size());
    } while (!rest.empty());
  }

  Rect frame_;
  DrawState state_;
  Pattern fillPattern_{};
  bool hasFillPattern_ = false;
  std::optional<Point> lineEnd_;  // where the last opcode left the pen, when it was a line
  std::vector<SInt16> namedFonts_;
  Point ovalSize_{};
  Style writtenFace_ = normal;
  BigEndianWriter out_;
};

}  // namespace

std::vector<unsigned char> WritePict(const Rect& frame, const DisplayList& list) {
  return PictWriter(frame).Write(list);
}

}  // namespace toolbox
