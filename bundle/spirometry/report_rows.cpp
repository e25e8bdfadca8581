#include "spirometry/report_rows.h"

#include "frame/host_services_host.h"
#include "frame/host_services_strings.h"
#include "toolbox/date_time.h"
#include "util/pstring.h"

namespace spiro {

namespace spirometry {
namespace {

constexpr auto kTab = PStringLiteral("\t");
constexpr auto kUnknown = PStringLiteral("?");
constexpr auto kOpen = PStringLiteral("(");
constexpr auto kSeconds = PStringLiteral(" s");
constexpr auto kMinutesClose = PStringLiteral(" min)");
constexpr auto kLitresPerSecond = PStringLiteral(" L/s");
constexpr auto kMillilitresPerSecond = PStringLiteral(" mL/s");
constexpr auto kLitresPerMinuteClose = PStringLiteral(" L/min)");
constexpr auto kLitres = PStringLiteral(" L");
constexpr auto kMillilitres = PStringLiteral(" mL");
constexpr auto kHertz = PStringLiteral(" Hz");
constexpr auto kPerMinuteClose = PStringLiteral("/min)");
constexpr auto kPercent = PStringLiteral("%");
constexpr auto kCentimetres = PStringLiteral(" cm");
constexpr auto kKilograms = PStringLiteral(" kg");
constexpr std::int16_t kSexNameOffset = 26;

// A measured value: "?" when it is 0 or negative (no measurement).
void Measured(StringPtr out, double value, std::int16_t decimals) {
  if (value <= 0) {
    CopyPString(out, kUnknown.data());
  } else {
    HostDoubleToString(out, value, decimals, true);
  }
}

// Rows 8, 12 and 13: a rate in L/s (or mL/s), then per minute in brackets.
void FormatRate(StringPtr value, StringPtr unit, double litresPerSecond, double factor) {
  const bool litres = factor == 1.0;
  Measured(value, litres ? litresPerSecond : litresPerSecond * 1000.0, litres ? 2 : 1);
  CopyPString(unit, litres ? kLitresPerSecond.data() : kMillilitresPerSecond.data());
  Str255 perMinute;
  Measured(perMinute, 60.0 * litresPerSecond, litres ? 1 : 2);
  ConcatPStrings(256, unit, unit, kTab.data(), kOpen.data(), perMinute, kLitresPerMinuteClose.data());
}

// Rows 9, 15 and 16: a volume in L (or mL).
void FormatVolume(StringPtr value, StringPtr unit, double litres, double factor) {
  const bool inLitres = factor == 1.0;
  Measured(value, inLitres ? litres : litres * 1000.0, inLitres ? 2 : 1);
  CopyPString(unit, inLitres ? kLitres.data() : kMillilitres.data());
}

void FormatPositive(StringPtr value, StringPtr unit, std::int16_t number, ConstStr255Param unitText) {
  if (number <= 0) return;
  NumToPString(value, number);
  if (unitText != nullptr) CopyPString(unit, unitText);
}

void FormatValue(StringPtr value, StringPtr unit, std::int16_t row, const LocalDataType& r) {
  const double dt = r.timeFormat.samplingInterval;
  Str255 extra;
  switch (row) {
    case 1:
    case 2: {
      const std::int16_t channel = row == 1 ? r.flowChannel : r.volumeChannel;
      if (channel > 0) HostGetChannelName(channel, value);
      break;
    }
    case 3:
      Measured(value, r.sampleCount * dt, 2);
      Measured(extra, r.sampleCount * dt / 60.0, 2);
      ConcatPStrings(256, unit, kSeconds.data(), kTab.data(), kOpen.data(), extra, kMinutesClose.data());
      break;
    case 5:
      NumToPString(value, r.inspirationCount);
      break;
    case 6:
      NumToPString(value, r.expirationCount);
      break;
    case 8:
      FormatRate(value, unit, r.ventilation, r.volumeToLitres);
      break;
    case 9:
      FormatVolume(value, unit, r.tidalVolume, r.volumeToLitres);
      break;
    case 10:
      Measured(value, r.breathFrequency, 2);
      Measured(extra, 60.0 * r.breathFrequency, 1);
      ConcatPStrings(256, unit, kHertz.data(), kTab.data(), kOpen.data(), extra, kPerMinuteClose.data());
      break;
    case 12:
      FormatRate(value, unit, r.peakInspiratoryFlow, r.flowToLitresPerSecond);
      break;
    case 13:
      FormatRate(value, unit, r.peakExpiratoryFlow, r.flowToLitresPerSecond);
      break;
    case 15:
      FormatVolume(value, unit, r.fvc, r.volumeToLitres);
      break;
    case 16:
      FormatVolume(value, unit, r.fev1, r.volumeToLitres);
      break;
    case 17:
      if (r.fvc > 0 && r.fev1 > 0) {
        HostDoubleToString(value, r.fev1 * 100.0 / r.fvc, 1, true);
      } else {
        CopyPString(value, kUnknown.data());
      }
      CopyPString(unit, kPercent.data());
      break;
    case 18:
      CopyPStringLimited(value, r.subjectName, sizeof r.subjectName);
      break;
    case 19:
      FormatPositive(value, unit, r.subjectAge, nullptr);
      break;
    case 20:
      if (r.subjectSex != 0) {
        HostGetListString(r.reportTextList, static_cast<std::int16_t>(r.subjectSex + kSexNameOffset),
                          value);
      }
      break;
    case 21:
      FormatPositive(value, unit, r.subjectHeight, kCentimetres.data());
      break;
    case 22:
      FormatPositive(value, unit, r.subjectWeight, kKilograms.data());
      break;
    case 25:
      DateString(r.recordingTime, shortDate, value, nullptr);
      break;
    case 26:
      TimeString(r.recordingTime, false, value, nullptr);
      break;
    default:
      break;
  }
}

}  // namespace

StringPtr FormatReportRow(StringPtr text, std::int16_t row, bool withLabel,
                          const LocalDataType& record) {
  Str255 label;
  Str255 value;
  Str255 unit;
  label[0] = value[0] = unit[0] = 0;
  constexpr std::int16_t kBlankRow = 23;
  if (row != kBlankRow) HostGetListString(record.reportTextList, row, label);
  if (row >= 0 && row <= 26) FormatValue(value, unit, row, record);
  if (!withLabel) {
    CopyPString(text, value);
  } else if (label[0] == 0) {
    text[0] = 0;
  } else {
    ConcatPStrings(256, text, label, kTab.data(), value, unit);
  }
  return text;
}

}  // namespace spirometry

}  // namespace spiro
