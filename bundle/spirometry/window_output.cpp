#include "spirometry/window_output.h"

#include <optional>

#include "extension/drawing_state.h"
#include "extension/port_helpers.h"
#include "extension/resource_text_helpers.h"
#include "extension/respiratory_extension.h"
#include "extension/spiro_commands.h"
#include "extension/spiro_window.h"
#include "frame/host_services.h"
#include "spirometry/analysis.h"
#include "spirometry/cursor_readout.h"
#include "spirometry/report_drawing.h"
#include "spirometry/window_content.h"
#include "toolbox/quickdraw.h"
#include "toolbox/windows.h"
#include "util/handle_record.h"

namespace spiro {

namespace {

using spirometry::LocalDataType;
using spirometry::SpiroWindowRecord;

constexpr std::int16_t kRecordingSelector = 100;
constexpr std::int16_t kSuppressWarningsSelector = 101;
constexpr std::int16_t kOutputTitleEntry = 10;
constexpr std::int16_t kReportTitleEntry = 11;
constexpr std::int16_t kWindowFailureEntry = 18;
constexpr std::int16_t kReportFailureEntry = 19;
constexpr std::int16_t kRecordingRefusalEntry = 17;
constexpr std::int16_t kWindowDeferredEntry = 15;
constexpr std::int16_t kReportDeferredEntry = 16;
constexpr std::int16_t kTitleOfWindow = 2;
constexpr std::int16_t kDocumentName = 1;
constexpr std::int16_t kOneCopy = 1;
constexpr int kFullSizePercent = 100;

SInt16 S16(int v) { return static_cast<SInt16>(v); }

LocalDataType** Document(Handle local) { return reinterpret_cast<LocalDataType**>(local); }

// The window record of a kind, locked for the scope; null when not open.
class WindowRecordLock {
 public:
  WindowRecordLock(LocalDataType** data, std::int16_t kind)
      : handle_(kind >= 1 && kind <= spirometry::kWindowKinds ? (*data)->windowRecords[kind - 1] : nullptr) {
    if (handle_ != nullptr) lock_.emplace(handle_);
  }
  SpiroWindowRecord* get() const {
    return lock_ ? reinterpret_cast<SpiroWindowRecord*>(lock_->address()) : nullptr;
  }

 private:
  Handle handle_;
  std::optional<HandleLock> lock_;
};

// The status message, and its code in brackets, after the entry's lead-in.
void AlertFailure(const LocalDataType& data, std::int16_t leadIn) {
  Str255 message{};
  Str255 part{};
  GetListString(message, data.messageList, leadIn);
  HostAppendString(message, GetListString(part, data.messageList, data.analysisStatus));
  if (data.messageCode != 0) {
    HostAppendString(message, reinterpret_cast<const unsigned char*>("\x02 ("));
    HostAppendString(message, GetListString(part, data.messageList, data.messageCode));
    HostAppendString(message, reinterpret_cast<const unsigned char*>("\x01)"));
  }
  HostAlert(message);
}

void ScaleDown(Rect& r, int scale) {
  if (scale <= 1) return;
  r = Rect{S16(r.top / scale), S16(r.left / scale), S16(r.bottom / scale), S16(r.right / scale)};
}

}  // namespace

StringPtr MakeOutputTitle(StringPtr out, std::int16_t kind, const LocalDataType& data) {
  GetListString(out, data.commandTextList, kOutputTitleEntry);
  Str255 title{};
  if (kind >= 1 && kind <= spirometry::kWindowKinds && data.windowRecords[kind - 1] != nullptr) {
    const auto record = LoadHandleRecord<SpiroWindowRecord>(data.windowRecords[kind - 1]);
    if (record.window != nullptr) GetWTitle(record.window, title);
  }
  HostService96(out, kTitleOfWindow, title);
  return out;
}

std::int32_t DrawWindowOutput(const Rect* page, std::int32_t, std::int16_t scale, Handle local) {
  if (page == nullptr || local == nullptr) return 0;
  LocalDataType** data = Document(local);
  const HandleLock dataLock(local);
  LocalDataType& d = **data;
  const WindowRecordLock record(data, d.outputWindowKind);
  if (record.get() == nullptr) return 0;
  ClipRect(page);
  if (d.outputWindowKind == spirometry::kReportWindow) {
    d.outputRect = *page;
  } else {
    HostService171(&d.outputRect, scale);
  }
  const Rect rect = d.outputRect;
  DrawWindowContent(rect, false, scale, *record.get(), d);
  return 0;
}

namespace {

// While the host records, the picture is not placed now: the output is filed
// as a command for the host to carry out later, and the user is told.
std::int32_t DeferWhileRecording(std::int32_t result, LocalDataType& d) {
  if (HostQueryValue(kRecordingSelector) == 0) return result;
  const Rect rect = d.outputRect;
  d.commandsEnabled = 0;
  HostSubmitCommandData(static_cast<std::uint16_t>(gRespiratoryExtension.MapLocalId(spirometry::kOutputCommand)),
                        d.outputWindowKind, &rect);
  d.commandsEnabled = 1;
  Str255 notice{};
  HostAlert82(GetListString(notice, d.messageList,
                            d.outputWindowKind == spirometry::kReportWindow ? kReportDeferredEntry
                                                                            : kWindowDeferredEntry));
  return 0;
}

}  // namespace

std::int32_t PictureWindowOutput(const Rect* destination, std::int16_t scale, Handle local) {
  if (destination == nullptr || local == nullptr) return 0;
  LocalDataType** data = Document(local);
  const HandleLock dataLock(local);
  LocalDataType& d = **data;
  if (d.outputWindowKind == spirometry::kReportWindow) {
    d.outputRect = *destination;
    return DeferWhileRecording(1, d);
  }
  const WindowRecordLock record(data, d.outputWindowKind);
  SpiroWindowRecord* window = record.get();
  if (window == nullptr || window->window == nullptr) return 0;
  GrafPtr savedPort = nullptr;
  GetPort(&savedPort);
  SetPortWindowPort(window->window);
  d.outputRect = window->contentRect;
  HostService171(&d.outputRect, scale);
  DrawingState state{};
  SaveDrawingState(state);
  ClipRect(&d.outputRect);
  PicHandle picture = OpenPicture(&d.outputRect);
  if (picture != nullptr) {
    const Rect rect = d.outputRect;
    DrawWindowContent(rect, false, scale, *window, d);
    ClosePicture();
  }
  ClipToPortBounds(window->window);
  RestoreDrawingState(state);
  SetPort(savedPort);
  std::int32_t result = 0;
  if (picture != nullptr) {
    const auto percent = static_cast<std::int16_t>(scale * kFullSizePercent);
    result = HostService161(destination, &d.outputRect, reinterpret_cast<Handle>(picture), percent, percent, true);
    KillPicture(picture);
  }
  ScaleDown(d.outputRect, scale);
  return result == 0 ? 0 : DeferWhileRecording(result, d);
}

// Below the plot of a portrait page: the report's first column runs from
// row 3 at 30 points to row 11 at 150, and its descenders.
constexpr int kPortraitReportHeight = 160;

std::int32_t DrawReportPage(const Rect* page, std::int32_t, std::int16_t scale, Handle local) {
  if (page == nullptr || local == nullptr) return 0;
  const int s = scale;
  LocalDataType** data = Document(local);
  const HandleLock dataLock(local);
  LocalDataType& d = **data;
  const Rect p = *page;
  ClipRect(&p);
  d.portraitPage = (p.right - p.left) < (p.bottom - p.top) ? 1 : 0;
  const bool portrait = d.portraitPage != 0;
  const Rect plot = portrait ? Rect{S16(p.top + 90 * s), p.left, S16(p.bottom - kPortraitReportHeight * s), p.right}
                             : Rect{p.top, S16(p.left + 220 * s), p.bottom, p.right};
  {
    const WindowRecordLock record(data, d.reportGraph == 1 ? spirometry::kDataWindow : spirometry::kPlotWindow);
    if (record.get() != nullptr) DrawWindowContent(plot, false, scale, *record.get(), d);
  }
  ClipRect(&p);
  const Rect report = portrait ? Rect{S16(plot.bottom + 5 * s), p.left, p.bottom, p.right}
                               : Rect{S16(p.top + 160 * s), p.left, p.bottom, S16(plot.left - 2 * s)};
  // The page's report shows the document's analysis whether or not the
  // report window is open.
  SpiroWindowRecord rows{};
  rows.kind = spirometry::kReportWindow;
  rows.status = d.analysisStatus;
  rows.messageCode = d.messageCode;
  DrawWindowContent(report, false, scale, rows, d);
  const Rect header = portrait ? Rect{p.top, p.left, S16(p.top + 90 * s), p.right}
                               : Rect{p.top, p.left, report.top, report.right};
  DrawReportHeader(header, scale, d);
  d.portraitPage = 1;
  return 0;
}

void PrintWindow(std::int16_t kind, LocalDataType** data, const VantorExtensionBase& extension) {
  if (data == nullptr || kind < 1 || kind > spirometry::kWindowKinds || (*data)->windowRecords[kind - 1] == nullptr) {
    return;
  }
  spirometry::AnalyseSelection(extension, data);
  if ((*data)->analysisStatus != 0) {
    AlertFailure(**data, kWindowFailureEntry);
    return;
  }
  Str255 title{};
  MakeOutputTitle(title, kind, **data);
  (*data)->outputWindowKind = kind;
  const WindowRecordLock record(data, kind);
  void* job = HostService640(reinterpret_cast<Handle>(data), &DrawWindowOutput);
  if (job != nullptr) {
    HostService642(job, &PictureWindowOutput);
    HostService643(job, kOneCopy, HostQueryValue(kRecordingSelector) == 0, title);
  }
  ClearMarkers(kind, data);
  if (record.get() != nullptr) InvalidatePortBounds(record.get()->window);
}

void OutputWindow(std::int16_t kind, const Rect& rect, LocalDataType** data,
                  const VantorExtensionBase& extension) {
  if (data == nullptr || !spirometry::OpenWindow(kind, data)) return;
  const HandleLock dataLock(reinterpret_cast<Handle>(data));
  spirometry::AnalyseSelection(extension, data);
  const WindowRecordLock record(data, kind);
  if (record.get()->status != 0) {
    AlertFailure(**data, kWindowFailureEntry);
    return;
  }
  (*data)->outputWindowKind = kind;
  Str255 title{};
  MakeOutputTitle(title, kind, **data);
  (*data)->outputRect = rect;
  void* job = HostService640(reinterpret_cast<Handle>(data), &DrawWindowOutput);
  if (job != nullptr) HostService643(job, kOneCopy, false, title);
  InvalidateWindow(record.get()->window);
}

void PrintReport(LocalDataType** data, const VantorExtensionBase& extension) {
  if (data == nullptr) return;
  if (HostQueryValue(kRecordingSelector) != 0) {
    Str255 refusal{};
    HostAlert82(GetListString(refusal, (*data)->messageList, kRecordingRefusalEntry));
    return;
  }
  for (std::int16_t kind : {spirometry::kPlotWindow, spirometry::kDataWindow, spirometry::kReportWindow}) {
    if (!spirometry::OpenWindow(kind, data)) return;
  }
  spirometry::AnalyseSelection(extension, data);
  if ((*data)->analysisStatus != 0) {
    AlertFailure(**data, kReportFailureEntry);
    return;
  }
  Str255 title{};
  Str255 name{};
  GetListString(title, (*data)->commandTextList, kReportTitleEntry);
  HostService528(name, kDocumentName);
  HostAppendString(title, name);
  HostService160(title);
  void* job = HostService640(reinterpret_cast<Handle>(data), &DrawReportPage);
  if (job != nullptr) HostService643(job, kOneCopy, HostQueryValue(kSuppressWarningsSelector) == 0, title);
  ClearMarkers(spirometry::kPlotWindow, data);
  const WindowRecordLock plot(data, spirometry::kPlotWindow);
  if (plot.get() != nullptr) InvalidatePortBounds(plot.get()->window);
}

}  // namespace spiro
