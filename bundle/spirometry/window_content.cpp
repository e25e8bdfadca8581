#include "spirometry/window_content.h"

#include "spirometry/data_window_drawing.h"
#include "spirometry/loop_window_drawing.h"
#include "spirometry/report_drawing.h"

namespace spiro {

namespace {

constexpr std::int16_t kScreenAxisFont = 21;
constexpr std::int16_t kOutputFont = 1;

}  // namespace

void DrawWindowContent(const Rect& rect, bool onScreen, std::int16_t s, spirometry::SpiroWindowRecord& window,
                       spirometry::LocalDataType& data) {
  data.reportFont = kOutputFont;
  data.axisFont = onScreen ? kScreenAxisFont : kOutputFont;
  switch (window.kind) {
    case spirometry::kDataWindow:
      DrawDataWindow(rect, onScreen, s, reinterpret_cast<spirometry::SpiroDataWindowRecord&>(window), data);
      break;
    case spirometry::kPlotWindow:
      DrawFlowVolumeLoop(rect, onScreen, s, reinterpret_cast<spirometry::SpiroPlotWindowRecord&>(window), data);
      break;
    case spirometry::kReportWindow:
      DrawReport(rect, s, window, data);
      break;
    default:
      break;
  }
}

}  // namespace spiro
