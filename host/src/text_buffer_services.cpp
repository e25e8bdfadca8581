// Offscreen buffers for text boxes (45, 48, 50, 51, 54): an extension draws a
// box's text into a buffer and shows the buffer in its window in one step,
// so the window never shows the box half drawn.
//
// 45 (record out, bounds, mode, flags) makes a buffer: a port of its own
// whose port rectangle is `bounds`, and fills the 36-byte record the
// extension keeps in its text box (layout below); the u32 at byte 30 refers
// to the buffer. Empty bounds make no buffer (a zero reference).
// 50 and 51 take the text box record: 50 makes the buffer the current port,
// 51 gives back the port that was current. 54 (box, buffer rect, box rect, 0)
// shows the buffer rect of the buffer in the box rect of the current port:
// the box is erased, then the buffer's drawing is played there, clipped to
// the box. 48 releases the buffer. References that are not live buffers
// (never made, already released, damaged records) are ignored.
#include <cstring>
#include <new>
#include <unordered_set>

#include "host/host_context.h"
#include "host/service_table.h"
#include "port_scopes.h"
#include "toolbox/memory.h"
#include "toolbox/pict.h"
#include "toolbox/quickdraw.h"
#include "vantor/byte_access.h"
#include "vantor/services.h"

namespace host {
namespace {

// The record 45 fills (the host's layout; extensions keep it whole and read
// only the reference).
constexpr std::size_t kBoundsAt = 0;      // Rect: the buffer's port rectangle
constexpr std::size_t kModeAt = 8;        // i16: the mode asked for
constexpr std::size_t kFlagsAt = 10;      // i16: the flags asked for
constexpr std::size_t kReferenceAt = 30;  // u32: the buffer, 0 when none

struct TextBuffer {
  GrafPort port;
  GrafPtr savedPort = nullptr;
  bool drawing = false;
};

struct LiveTextBuffers {
  std::unordered_set<TextBuffer*> buffers;
};

std::unordered_set<TextBuffer*>& LiveBuffers() { return ProcessState<LiveTextBuffers>().buffers; }

TextBuffer* BufferOf(const void* textBox) {
  if (textBox == nullptr) return nullptr;
  auto* buffer = toolbox::FromU32<TextBuffer>(vantor::LoadAt<std::uint32_t>(textBox, kReferenceAt));
  return LiveBuffers().contains(buffer) ? buffer : nullptr;
}

bool IsEmpty(const Rect& r) { return r.bottom <= r.top || r.right <= r.left; }

void NewBufferService(unsigned char* record, const Rect* bounds, std::int16_t mode, std::int16_t flags) {
  if (record == nullptr) return;
  std::memset(record, 0, vantor::kTextBufferRecordBytes);
  vantor::StoreAt(record, kModeAt, mode);
  vantor::StoreAt(record, kFlagsAt, flags);
  if (bounds == nullptr || IsEmpty(*bounds)) return;
  auto* buffer = new (toolbox::LowAlloc(sizeof(TextBuffer))) TextBuffer;
  buffer->port.portRect = *bounds;
  buffer->port.visRect = *bounds;
  buffer->port.clipRect = *bounds;
  LiveBuffers().insert(buffer);
  vantor::StoreAt(record, kBoundsAt, *bounds);
  vantor::StoreAt(record, kReferenceAt, toolbox::ToU32(buffer));
}

void EndDrawing(TextBuffer& buffer) {
  if (!buffer.drawing) return;
  SetPort(buffer.savedPort);
  buffer.drawing = false;
}

void DisposeBufferService(void* textBox) {
  TextBuffer* buffer = BufferOf(textBox);
  if (buffer == nullptr) return;
  EndDrawing(*buffer);
  LiveBuffers().erase(buffer);
  buffer->~TextBuffer();
  toolbox::LowFree(buffer);
}

void BeginDrawingService(void* textBox) {
  TextBuffer* buffer = BufferOf(textBox);
  if (buffer == nullptr || buffer->drawing) return;
  GetPort(&buffer->savedPort);
  SetPort(&buffer->port);
  buffer->drawing = true;
}

void EndDrawingService(void* textBox) {
  if (TextBuffer* buffer = BufferOf(textBox)) EndDrawing(*buffer);
}

void ShowBufferService(void* textBox, const Rect* bufferRect, const Rect* boxRect, std::int16_t) {
  const TextBuffer* buffer = BufferOf(textBox);
  if (buffer == nullptr || bufferRect == nullptr || boxRect == nullptr || IsEmpty(*bufferRect)) return;
  ClipScope clip(*boxRect);
  EraseRect(boxRect);
  const std::vector<unsigned char> pict = toolbox::WritePict(*bufferRect, buffer->port.displayList);
  Handle picture = NewHandle(static_cast<Size>(pict.size()));
  if (picture == nullptr) return;  // out of memory: the box stays erased
  std::memcpy(*picture, pict.data(), pict.size());
  DrawPicture(reinterpret_cast<PicHandle>(picture), boxRect);
  DisposeHandle(picture);
}

}  // namespace

void InstallTextBufferServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostService45>(table, &NewBufferService);
  vantor::SetService<HostService48>(table, &DisposeBufferService);
  vantor::SetService<HostService50>(table, &BeginDrawingService);
  vantor::SetService<HostService51>(table, &EndDrawingService);
  vantor::SetService<HostService54>(table, &ShowBufferService);
}

}  // namespace host
