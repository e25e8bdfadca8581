#include "extension/text_box.h"

#include <cstring>

#include "extension/dispose_helpers.h"
#include "frame/host_services_drawing.h"
#include "vantor/byte_access.h"
#include "vantor/services.h"

namespace spiro {

namespace {

constexpr std::int16_t kBufferMode = 1;

void SetBufferRef(TextBox& box, std::uint32_t reference) {
  vantor::StoreAt(box.bufferRecord, kTextBoxBufferRefAt, reference);
}

bool StillFits(const TextBox& box, const Rect& rect, bool fixedPosition) {
  if (fixedPosition) return box.rect == rect;
  return box.rect.right - box.rect.left == rect.right - rect.left &&
         box.rect.bottom - box.rect.top == rect.bottom - rect.top;
}

void MakeBuffer(TextBox& box, bool fixedPosition) {
  Rect bufferRect = box.rect;
  if (!fixedPosition) {
    SetRect(&bufferRect, 0, 0, static_cast<std::int16_t>(box.rect.right - box.rect.left),
            static_cast<std::int16_t>(box.rect.bottom - box.rect.top));
  }
  if (EmptyRect(&bufferRect)) return;
  unsigned char record[vantor::kTextBufferRecordBytes]{};
  HostService45(record, &bufferRect, kBufferMode, 0);
  std::memcpy(box.bufferRecord, record, sizeof box.bufferRecord);
  box.bufferRect = bufferRect;
  if (!IsTextBoxBuffered(box)) return;
  // The buffer's own port starts with the box's font and size.
  HostService50(&box);
  TextFont(kBufferedTextFont);
  TextSize(box.size);
  HostService51(&box);
}

}  // namespace

bool IsTextBoxBuffered(const TextBox& box) {
  return vantor::LoadAt<std::uint32_t>(box.bufferRecord, kTextBoxBufferRefAt) != 0;
}

void ResetTextBox(TextBox& box) {
  SetBufferRef(box, 0);
  box.savedPort = nullptr;
  box.savedClip = nullptr;
}

void SetTextBox(const Rect& rect, std::int16_t font, std::int16_t size, bool fixedPosition,
                TextBox& box) {
  if (IsTextBoxBuffered(box) && !StillFits(box, rect, fixedPosition)) DisposeTextBox(box);
  box.rect = rect;
  box.font = font;
  box.size = size;
  if (font == kBufferedTextFont && !IsTextBoxBuffered(box)) MakeBuffer(box, fixedPosition);
}

void BeginTextBox(TextBox& box, Rect* rect) {
  if (IsTextBoxBuffered(box)) {
    HostService50(&box);
    *rect = box.bufferRect;
    return;
  }
  GetPort(&box.savedPort);
  box.savedFont = GetPortTextFont(box.savedPort);
  box.savedSize = GetPortTextSize(box.savedPort);
  TextFont(box.font);
  TextSize(box.size);
  *rect = box.rect;
  // A clip left by a Begin without its End would otherwise leak.
  DisposeRgnAndClear(&box.savedClip);
  box.savedClip = NewRgn();
  if (box.savedClip != nullptr) GetClip(box.savedClip);
  ClipRect(&box.rect);
}

void EndTextBox(TextBox& box) {
  if (IsTextBoxBuffered(box)) {
    HostService51(&box);
    HostService54(&box, &box.bufferRect, &box.rect, 0);
    return;
  }
  TextFont(box.savedFont);
  TextSize(box.savedSize);
  if (box.savedClip != nullptr) {
    SetClip(box.savedClip);
  } else {
    GrafPtr port = box.savedPort;
    if (port == nullptr) GetPort(&port);
    Rect bounds;
    ClipRect(GetPortBounds(port, &bounds));
  }
  DisposeRgnAndClear(&box.savedClip);
}

void DisposeTextBox(TextBox& box) {
  if (IsTextBoxBuffered(box)) {
    HostService48(&box);
    SetBufferRef(box, 0);
  }
  DisposeRgnAndClear(&box.savedClip);
}

}  // namespace spiro
