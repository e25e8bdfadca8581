// Numeric constants every part of the bundle shares. Samples are fractions of
// the converter's range; kThousandOver1024 is taken as its full scale.
#pragma once

namespace spiro {

inline constexpr double kInv2048 = 0.00048828125;                // 2^-11
inline constexpr double kInv32768 = 0.000030517578125;           // 2^-15
inline constexpr double kThousandOver1024 = 0.9765625;           // 1000/1024
inline constexpr double kMinusThousandOver1024 = -0.9765625;
inline constexpr double kMaxQ15 = 0.999969482421875;             // 32767/32768
inline constexpr double kMinQ15 = -0.999969482421875;

}  // namespace spiro
