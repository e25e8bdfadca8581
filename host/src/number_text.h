// Decimal text of numbers, shared by every host service that formats or reads
// one, so that a value reads the same in a dialog, a readout and an axis
// label, and typed text is understood the same way everywhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace host {

// The value with `decimals` places after the point (clamped to 0..15). With
// fixedDecimals false, trailing zeros after the point are dropped (and the
// point with them). NaN reads "NaN", infinities "inf" and "-inf".
std::string DecimalText(double value, int decimals, bool fixedDecimals);

// The member of the 1-2-5 series (..., 0.1, 0.2, 0.5, 1, 2, 5, 10, ...)
// nearest to |value| on a logarithmic scale, with value's sign: the steps an
// axis reads best in. 0, infinities and NaN come back unchanged.
double NiceRound(double value);

// A number read as users type it: leading blanks skipped, ',' taken for the
// decimal point as well as '.', as much of a number as the text holds.
template <class T>
struct TypedNumber {
  T value = 0;         // 0 when the text holds no number
  bool found = false;  // the text starts with a number
  bool whole = false;  // ... and holds nothing after it but blanks
};
TypedNumber<double> ReadDecimal(std::string_view text);
// Integers saturate at the i32 limits instead of wrapping.
TypedNumber<std::int32_t> ReadInteger(std::string_view text);

}  // namespace host
