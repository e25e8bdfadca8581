#include "computed/unit_text.h"

#include <algorithm>
#include <cstring>

#include "util/pstring.h"

namespace spiro {

namespace {

constexpr unsigned char kMaxUnitChars = vantor::kUnitTextBytes - 1;

}  // namespace

void CopyUnitText(const UnitTextField& field, StringPtr text) {
  const unsigned char length = std::min(field[0], kMaxUnitChars);
  std::memcpy(text + 1, field + 1, length);
  text[0] = length;
}

void SetUnitText(UnitTextField& field, ConstStr255Param text) {
  CopyPStringLimited(field, text, vantor::kUnitTextBytes);
}

bool UnitTextStartsWith(const UnitTextField& field, unsigned char first) {
  return field[0] > 0 && field[1] == first;
}

bool UnitTextContains(const UnitTextField& field, ConstStr255Param pattern) {
  Str255 text;
  CopyUnitText(field, text);
  return FindPString(pattern, text) != 0;
}

}  // namespace spiro
