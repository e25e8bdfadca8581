// Text state, drawing and measurement in the current port.
#include <string>
#include <string_view>
#include <utility>

#include "quickdraw_internal.h"
#include "toolbox/fonts.h"

using toolbox::internal::CurrentPort;

namespace {

std::string_view PascalText(ConstStr255Param text) {
  if (text == nullptr) return {};
  return {reinterpret_cast<const char*>(text + 1), text[0]};
}

std::string_view BufferText(const void* textBuf, SInt16 firstByte, SInt16 byteCount) {
  if (textBuf == nullptr || firstByte < 0 || byteCount <= 0) return {};
  return {static_cast<const char*>(textBuf) + firstByte, static_cast<std::size_t>(byteCount)};
}

int Measure(std::string_view text) {
  const GrafPort& port = CurrentPort();
  return toolbox::MeasureText(port.txFont, port.txSize, port.txFace, text);
}

SInt16 ToWidth(int width) { return toolbox::internal::ClampCoordinate(width); }

void Draw(std::string_view text) {
  if (text.empty()) return;
  GrafPort& port = CurrentPort();
  toolbox::DrawOp op;
  op.kind = toolbox::DrawKind::kText;
  op.from = port.pnLoc;
  op.text.assign(text);
  port.pnLoc.h = toolbox::internal::ClampCoordinate(long{port.pnLoc.h} + Measure(text));
  toolbox::internal::RecordOp(std::move(op));
}

}  // namespace

void TextFont(SInt16 font) { CurrentPort().txFont = font; }
void TextSize(SInt16 size) { CurrentPort().txSize = size; }
void TextFace(StyleParameter face) { CurrentPort().txFace = static_cast<Style>(face & 0x7F); }
void TextMode(SInt16 mode) { CurrentPort().txMode = mode; }

void DrawString(ConstStr255Param text) { Draw(PascalText(text)); }

void DrawText(const void* textBuf, SInt16 firstByte, SInt16 byteCount) {
  Draw(BufferText(textBuf, firstByte, byteCount));
}

void DrawChar(SInt16 ch) {
  const char byte = static_cast<char>(ch & 0xFF);
  Draw(std::string_view(&byte, 1));
}

SInt16 StringWidth(ConstStr255Param text) { return ToWidth(Measure(PascalText(text))); }

SInt16 TextWidth(const void* textBuf, SInt16 firstByte, SInt16 byteCount) {
  return ToWidth(Measure(BufferText(textBuf, firstByte, byteCount)));
}

SInt16 CharWidth(SInt16 ch) {
  const GrafPort& port = CurrentPort();
  return static_cast<SInt16>(
      toolbox::MeasureChar(port.txFont, port.txSize, port.txFace, static_cast<unsigned char>(ch & 0xFF)));
}

void GetFontInfo(FontInfo* info) {
  if (info == nullptr) return;
  const GrafPort& port = CurrentPort();
  *info = toolbox::MeasureFontInfo(port.txFont, port.txSize, port.txFace);
}
