// Number formatting services: nice rounding (84), sample times (336) and
// channel values (340).
//
// 84 rounds to the 1-2-5 series (..., 0.1, 0.2, 0.5, 1, 2, 5, 10, ...), the
// steps an axis reads best in: the member nearest to |value| on a logarithmic
// scale, with value's sign. Extensions use it for a sixteenth of an axis range
// (a tick step) and for a full-scale value (a computed channel's gain). The
// second argument names the rounding; the host has one, which every caller
// asks for (2048). 0, infinities and NaN come back unchanged.
//
// 336 and 340 write the text the host shows in its own readouts, so an
// extension's readout reads like the host's: the decimals come from the
// record (a block's display precision, a channel's decimals).
#include <cmath>
#include <string>

#include "host/channel_units.h"
#include "host/service_table.h"
#include "number_text.h"
#include "toolbox/pascal_string.h"
#include "vantor/records.h"
#include "vantor/services.h"

namespace host {
namespace {

double NiceRoundService(double value, std::int16_t /*rounding*/) { return NiceRound(value); }

std::string WithUnit(std::string text, std::string_view unit) {
  if (!unit.empty()) {
    text += ' ';
    text += unit;
  }
  return text;
}

// HostFormatNumber336(sample, format, compact, withUnit, out): the time of a
// sample counted from the start of its stretch, sample × the display
// interval, in the format's time unit with its display precision. compact
// (axis labels) drops trailing zeros; withUnit appends a space and the unit.
void FormatSampleTimeService(std::int32_t sample, const vantor::BlockTimeFormat* format,
                             std::int16_t compact, std::int16_t withUnit, Str255* out) {
  if (out == nullptr) return;
  if (format == nullptr) {
    (*out)[0] = 0;
    return;
  }
  std::string text = DecimalText(sample * format->displayInterval, format->displayPrecision, compact == 0);
  if (withUnit != 0) text = WithUnit(std::move(text), toolbox::PascalView(format->unitText, sizeof format->unitText));
  toolbox::StorePascal(*out, text);
}

// HostFormatNumber340(value, scaling, inUnits, withUnit, fixedDecimals, out):
// a sample value in the channel's units (inUnits non-zero: value is in units
// already), with the channel's decimals; fixedDecimals 0 drops trailing zeros;
// withUnit appends a space and the unit text (host/channel_units.h).
void FormatChannelValueService(double value, const vantor::ChannelScaling* scaling,
                               std::int16_t inUnits, std::int16_t withUnit,
                               std::int16_t fixedDecimals, Str255* out) {
  if (out == nullptr) return;
  if (scaling == nullptr) {
    (*out)[0] = 0;
    return;
  }
  const double units = inUnits != 0 ? value : ValueInUnits(*scaling, value);
  std::string text = DecimalText(units, scaling->decimals, fixedDecimals != 0);
  if (withUnit != 0) text = WithUnit(std::move(text), UnitTextOf(*scaling));
  toolbox::StorePascal(*out, text);
}

// No caller gives 339 a use; the host has nothing to do for it.
void NumberFormat339Service() {}

}  // namespace

void InstallNumberFormatServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostService84>(table, &NiceRoundService);
  vantor::SetService<HostFormatNumber336>(table, &FormatSampleTimeService);
  vantor::SetService<HostService339>(table, &NumberFormat339Service);
  vantor::SetService<HostFormatNumber340>(table, &FormatChannelValueService);
}

}  // namespace host
