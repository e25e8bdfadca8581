#include "spirometry/report_drawing.h"

#include <algorithm>

#include "extension/resource_text_helpers.h"
#include "frame/host_services.h"
#include "spirometry/report_rows.h"
#include "spirometry/tabbed_line.h"
#include "toolbox/quickdraw.h"
#include "toolbox/textedit.h"

namespace spiro {

namespace {

using spirometry::LocalDataType;

constexpr int kTextSize = 12;
constexpr int kRowAdvance = 15;
constexpr int kEmptyRowAdvance = 8;
constexpr int kReportTab = 25;
constexpr int kHeaderTab = 65;
constexpr std::int16_t kLeftToRight = 0;
constexpr std::int16_t kRightToLeft = -1;

SInt16 S16(int v) { return static_cast<SInt16>(v); }

// Draws a row at the pen's column and moves down; an empty row leaves a gap.
struct RowPen {
  int x;
  int y;
  int s;
  int tab;
  std::int16_t direction = kLeftToRight;

  void Draw(const LocalDataType& data, std::int16_t row) {
    Str255 text{};
    spirometry::FormatReportRow(text, row, true, data);
    if (text[0] == 0) {
      y += kEmptyRowAdvance * s;
      return;
    }
    DrawTabbedLine(text, row, S16(x), S16(y), S16(tab), S16(s), direction);
    y += kRowAdvance * s;
  }
};

}  // namespace

void DrawReport(const Rect& rect, std::int16_t scale, const spirometry::SpiroWindowRecord& window,
                const LocalDataType& data) {
  const int s = scale;
  TextFont(data.reportFont);
  TextSize(S16(kTextSize * s));
  if (window.status != 0) {
    Str255 text{};
    HostService169(GetListString(text, data.messageList, window.status), S16(rect.left + 5 * s), S16(rect.top + 8 * s),
                   0);
    if (window.messageCode > 0) {
      GetListString(text, data.messageList, window.messageCode);
      const Rect box{S16(rect.top + 23 * s), S16(rect.left + 5 * s), rect.bottom, S16(rect.right - 5 * s)};
      TETextBox(text + 1, text[0], &box, teFlushLeft);
    }
    return;
  }
  RowPen first{rect.left + 5 * s, rect.top + 15 * s, s, kReportTab * s};
  if (data.portraitPage == 0) {
    for (std::int16_t row = 1; row <= 17; ++row) first.Draw(data, row);
    return;
  }
  // A portrait page: channels side by side, then durations and counts on the
  // left and the flows and volumes on the right.
  RowPen second{std::max(rect.left + 150 * s, (rect.left + rect.right) / 2 - 5 * s), rect.top + 15 * s, s,
                kReportTab * s};
  first.Draw(data, 1);
  second.Draw(data, 2);
  first.y = rect.top + 30 * s;
  for (std::int16_t row = 3; row <= 11; ++row) first.Draw(data, row);
  second.y = rect.top + 53 * s;
  for (std::int16_t row = 12; row <= 17; ++row) second.Draw(data, row);
}

void DrawReportHeader(const Rect& rect, std::int16_t scale, const LocalDataType& data) {
  const int s = scale;
  TextFont(1);
  TextSize(S16(kTextSize * s));
  if (data.analysisStatus != 0) return;
  RowPen subject{rect.left + 5 * s, rect.top + 15 * s, s, kHeaderTab * s};
  const std::int16_t last = data.portraitPage != 0 ? 22 : 26;
  for (std::int16_t row = 18; row <= last; ++row) subject.Draw(data, row);
  if (data.portraitPage == 0) return;
  RowPen when{rect.right - 5 * s, rect.top + 15 * s, s, kHeaderTab * s, kRightToLeft};
  when.Draw(data, 25);
  when.Draw(data, 26);
}

}  // namespace spiro
