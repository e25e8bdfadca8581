// Numbers typed into a dialog's edit items, held to limits: integers (210)
// and decimals (212). Extensions call them when the item is hit (after each
// change the user makes) and 212 again to read the final value.
//
// The text is read as users type numbers (number_text.h). A number outside
// the limits is replaced by the nearest limit, with a beep, as the user would
// expect a host to correct the field; a number followed by other characters
// is replaced by the number alone. Text that holds no number is left for the
// user to go on typing and reads as 0 (held to the limits: 212's result).
// Limits given the wrong way round are taken the right way round.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "dialog_items.h"
#include "host/service_table.h"
#include "number_text.h"
#include "toolbox/pascal_string.h"
#include "toolbox/sound.h"
#include "vantor/services.h"

namespace host {
namespace {

constexpr SInt16 kCorrectionBeep = 1;
constexpr int kShownDecimals = 6;  // trailing zeros dropped

std::string ItemText(Handle handle) {
  Str255 text;
  GetDialogItemText(handle, text);
  return std::string(toolbox::PascalView(text));
}

void Replace(Handle handle, const std::string& text, bool outOfRange) {
  Str255 replacement;
  toolbox::StorePascal(replacement, text);
  SetDialogItemText(handle, replacement);
  if (outOfRange) SysBeep(kCorrectionBeep);
}

void CheckIntegerService(void* dialog, std::int16_t item, std::int32_t minimum, std::int32_t maximum) {
  Handle handle = ItemTextHandle(dialog, item);
  if (handle == nullptr) return;
  if (minimum > maximum) std::swap(minimum, maximum);
  const TypedNumber<std::int32_t> typed = ReadInteger(ItemText(handle));
  if (!typed.found) return;
  const std::int32_t held = std::clamp(typed.value, minimum, maximum);
  if (held != typed.value || !typed.whole) Replace(handle, std::to_string(held), held != typed.value);
}

double CheckDecimalService(void* dialog, std::int16_t item, double minimum, double maximum) {
  if (minimum > maximum) std::swap(minimum, maximum);
  Handle handle = ItemTextHandle(dialog, item);
  if (handle == nullptr) return std::clamp(0.0, minimum, maximum);
  const TypedNumber<double> typed = ReadDecimal(ItemText(handle));
  if (!typed.found || std::isnan(typed.value)) return std::clamp(0.0, minimum, maximum);
  const double held = std::clamp(typed.value, minimum, maximum);
  if (held != typed.value || !typed.whole) {
    Replace(handle, DecimalText(held, kShownDecimals, false), held != typed.value);
  }
  return held;
}

}  // namespace

void InstallDialogNumberServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostService210>(table, &CheckIntegerService);
  vantor::SetService<HostService212>(table, &CheckDecimalService);
}

}  // namespace host
