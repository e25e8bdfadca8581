#include "spirometry/clipboard_copy.h"

#include <algorithm>

#include "extension/drawing_state.h"
#include "extension/port_helpers.h"
#include "extension/scrap_data.h"
#include "frame/host_services.h"
#include "spirometry/analysis.h"
#include "spirometry/cursor_readout.h"
#include "spirometry/report_rows.h"
#include "spirometry/window_content.h"
#include "toolbox/memory.h"
#include "toolbox/quickdraw.h"
#include "toolbox/scrap.h"
#include "toolbox/sound.h"
#include "util/handle_record.h"

namespace spiro {

namespace {

using spirometry::LocalDataType;

constexpr std::int16_t kMaxMagnification = 8;
constexpr std::int16_t kFirstRow = 1;
constexpr std::int16_t kLastRow = 17;
constexpr std::int16_t kDurationRow = 3;
constexpr std::uint16_t kLabelledText = 1;
constexpr std::uint16_t kValuesOnOneLine = 4;
constexpr unsigned char kReturn = 13;
constexpr unsigned char kTab = 9;
constexpr SInt16 kBeep = 10;

OSStatus CopyPicture(std::uint16_t variant, spirometry::SpiroWindowRecord& window, LocalDataType& data) {
  GrafPtr savedPort = nullptr;
  GetPort(&savedPort);
  SetPortWindowPort(window.window);
  const auto s = static_cast<std::int16_t>(std::clamp<int>(variant, 1, kMaxMagnification));
  Rect rect = window.contentRect;
  HostService171(&rect, s);
  DrawingState state{};
  SaveDrawingState(state);
  ClipRect(&rect);
  OSStatus error = noErr;
  PicHandle picture = OpenPicture(&rect);
  if (picture != nullptr) {
    DrawWindowContent(rect, false, s, window, data);
    ClosePicture();
    const auto bytes = reinterpret_cast<Handle>(picture);
    HLock(bytes);
    error = PutScrapData(GetHandleSize(bytes), kScrapFlavorTypePicture, *bytes);
    KillPicture(picture);
  } else {
    error = MemError();
  }
  ClipToPortBounds(window.window);
  RestoreDrawingState(state);
  InvalidatePortBounds(window.window);
  SetPort(savedPort);
  return error;
}

OSStatus CopyLabelledRows(const LocalDataType& data) {
  Handle text = HostNewHandleAlt(0);
  if (text == nullptr) return MemError();
  OSStatus error = noErr;
  for (std::int16_t row = kFirstRow; row <= kLastRow && error == noErr; ++row) {
    Str255 line{};
    spirometry::FormatReportRow(line, row, true, data);
    HostService389(line);
    if (line[0] < 255) line[++line[0]] = kReturn;
    const std::uint32_t size = HostGetHandleSize(text);
    HostSetHandleSize(text, size + line[0]);
    error = MemError();
    if (error == noErr) HostMoveBytes(line + 1, *text + size, line[0]);
  }
  if (error == noErr) {
    const HandleLock lock(text);
    error = PutScrapData(static_cast<Size>(lock.sizeBytes()), kScrapFlavorTypeText, lock.address());
  }
  HostDisposeHandle(text);
  return error;
}

OSStatus CopyValuesOnOneLine(const LocalDataType& data) {
  Str255 text{};
  spirometry::FormatReportRow(text, kDurationRow, false, data);
  for (std::int16_t row = kDurationRow + 1; row <= kLastRow; ++row) {
    Str255 value{};
    spirometry::FormatReportRow(value, row, false, data);
    if (value[0] == 0 || text[0] + 1 + value[0] > 255) continue;
    text[++text[0]] = kTab;
    std::copy(value + 1, value + 1 + value[0], text + 1 + text[0]);
    text[0] = static_cast<unsigned char>(text[0] + value[0]);
  }
  HostService389(text);
  return PutScrapData(text[0], kScrapFlavorTypeText, text + 1);
}

}  // namespace

void CopyWindowContent(std::uint16_t variant, std::int16_t kind, LocalDataType** data,
                       const VantorExtensionBase& extension) {
  if (ClearCurrentScrap() != noErr || data == nullptr || kind < spirometry::kDataWindow ||
      kind > spirometry::kReportWindow) {
    SysBeep(kBeep);
    return;
  }
  spirometry::AnalyseSelection(extension, data);
  Handle record = (*data)->windowRecords[kind - 1];
  if (record == nullptr) {
    SysBeep(kBeep);
    return;
  }
  const HandleLock dataLock(reinterpret_cast<Handle>(data));
  const HandleLock windowLock(record);
  auto& window = *reinterpret_cast<spirometry::SpiroWindowRecord*>(windowLock.address());
  LocalDataType& local = **data;
  OSStatus error = noErr;
  if (kind != spirometry::kReportWindow) {
    error = CopyPicture(variant, window, local);
    ClearMarkers(kind, data);
  } else if (variant == kLabelledText) {
    error = CopyLabelledRows(local);
  } else if (variant == kValuesOnOneLine) {
    error = CopyValuesOnOneLine(local);
  }
  if (error != noErr) SysBeep(kBeep);
}

}  // namespace spiro
