// The unit texts of host records: a length byte and at most 25 characters in
// a 26-byte field. A length byte above 25 is read as 25, never past the field.
#pragma once

#include "toolbox/mac_types.h"
#include "vantor/records.h"

namespace spiro {

inline constexpr double kMillilitresPerLitre = 1000.0;
inline constexpr double kSecondsPerMinute = 60.0;
inline constexpr unsigned char kPerMinuteText[] = "\x03min";
inline constexpr unsigned char kLitreText[] = "\x01L";
inline constexpr unsigned char kMillilitreText[] = "\x02mL";

using UnitTextField = unsigned char[vantor::kUnitTextBytes];

// The field as a Str255.
void CopyUnitText(const UnitTextField& field, StringPtr text);
// Stores text in the field, cut to 25 characters.
void SetUnitText(UnitTextField& field, ConstStr255Param text);

bool UnitTextStartsWith(const UnitTextField& field, unsigned char first);
// pattern: a Str255.
bool UnitTextContains(const UnitTextField& field, ConstStr255Param pattern);

}  // namespace spiro
