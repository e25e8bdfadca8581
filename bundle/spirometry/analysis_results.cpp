// The lifecycle of the analysis results: freeing them, making them due,
// and finding a window's kind.
#include <cstring>

#include "extension/dispose_helpers.h"
#include "extension/port_helpers.h"
#include "spirometry/analysis.h"
#include "util/handle_record.h"

namespace spiro {

namespace spirometry {
namespace {

Handle RecordHandle(LocalDataType** data) { return reinterpret_cast<Handle>(data); }

// The status copies, and for the plotting windows a refit of the axes and no
// markers at the next drawing.
void MarkWindowDue(Handle windowRecord) {
  const HandleLock lock(windowRecord);
  auto& common = *reinterpret_cast<SpiroWindowRecord*>(lock.address());
  common.status = kAnalysisDue;
  common.messageCode = 0;
  InvalidateWindow(common.window);
  if (common.kind == kDataWindow && lock.sizeBytes() >= sizeof(SpiroDataWindowRecord)) {
    auto& window = *reinterpret_cast<SpiroDataWindowRecord*>(lock.address());
    window.redraw = 1;
    window.flowMarker = Point{0, 0};
    window.volumeMarker = Point{0, 0};
  } else if (common.kind == kPlotWindow && lock.sizeBytes() >= sizeof(SpiroPlotWindowRecord)) {
    auto& window = *reinterpret_cast<SpiroPlotWindowRecord*>(lock.address());
    window.redraw = 1;
    window.marker = Point{0, 0};
  }
}

}  // namespace

void FreeAnalysisResults(LocalDataType& record) {
  record.recordingTime = 0;
  DisposeHandleAndClear(&record.flowSamples);
  DisposeHandleAndClear(&record.volumeSamples);
  record.phaseCount = 0;
  DisposeHandleAndClear(&record.phases);
}

void FreeAnalysisResults(LocalDataType** data) {
  if (data == nullptr) return;
  const HandleLock lock(RecordHandle(data));
  FreeAnalysisResults(*reinterpret_cast<LocalDataType*>(lock.address()));
}

void InvalidateAnalysis(LocalDataType** data) {
  if (data == nullptr) return;
  const HandleLock lock(RecordHandle(data));
  auto& record = *reinterpret_cast<LocalDataType*>(lock.address());
  FreeAnalysisResults(record);
  record.analysisStatus = kAnalysisDue;
  record.messageCode = 0;
  for (Handle windowRecord : record.windowRecords) {
    if (windowRecord != nullptr) MarkWindowDue(windowRecord);
  }
}

std::int16_t WindowIndexOf(WindowRef window, LocalDataType** data) {
  if (window == nullptr || data == nullptr) return -1;
  const HandleLock lock(RecordHandle(data));
  const auto& record = *reinterpret_cast<const LocalDataType*>(lock.address());
  for (int k = 0; k < kWindowKinds; ++k) {
    const Handle windowRecord = record.windowRecords[k];
    if (windowRecord == nullptr) continue;
    const auto common = LoadHandleRecord<SpiroWindowRecord>(windowRecord);
    if (common.window == window) return static_cast<std::int16_t>(k + 1);
  }
  return -1;
}

}  // namespace spirometry

}  // namespace spiro
