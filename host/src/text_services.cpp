// Number text services (85, 87, 88) and string appending (95).
//
// Parsing skips leading blanks and reads as much of a number as the text
// holds, accepting ',' as well as '.' for the decimal point as users type
// either; text without a number reads as 0. Integers saturate at the i32
// limits instead of wrapping. Formatting: fixed decimals (0..15) when the
// flag is set; otherwise trailing zeros after the point are dropped.
#include "host/service_table.h"
#include "number_text.h"
#include "toolbox/pascal_string.h"
#include "vantor/services.h"

namespace host {
namespace {

std::int32_t StringToLongService(ConstStr255Param text) { return ReadInteger(toolbox::PascalView(text)).value; }

double StringToDoubleService(ConstStr255Param text) { return ReadDecimal(toolbox::PascalView(text)).value; }

void DoubleToStringService(Str255* out, double value, std::int16_t decimals, bool fixed) {
  toolbox::StorePascal(*out, DecimalText(value, decimals, fixed));
}

void AppendStringService(unsigned char* destination, ConstStr255Param source) {
  toolbox::AppendPascal(destination, toolbox::PascalView(source));
}

}  // namespace

void InstallTextServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostStringToLong>(table, &StringToLongService);
  vantor::SetService<HostStringToDouble>(table, &StringToDoubleService);
  vantor::SetService<HostDoubleToString>(table, &DoubleToStringService);
  vantor::SetService<HostAppendString>(table, &AppendStringService);
}

}  // namespace host
