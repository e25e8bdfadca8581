#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace host {
namespace {

double PowerOfTen(int exponent) { return std::pow(10.0, exponent); }

// Dividing by an exact power of ten keeps 0.2 from reading 0.20000000000000004.
double Scaled(double mantissa, int exponent) {
  return exponent >= 0 ? mantissa * PowerOfTen(exponent) : mantissa / PowerOfTen(-exponent);
}


std::string TypedText(std::string_view text) {
  std::string s(text);
  std::replace(s.begin(), s.end(), ',', '.');
  return s;
}

bool OnlyBlanksFrom(const char* at) {
  while (*at == ' ' || *at == '\t') ++at;
  return *at == '\0';
}

template <class T>
TypedNumber<T> Typed(T value, const std::string& text, const char* end) {
  const bool found = end != text.c_str();
  return {found ? value : T{0}, found, found && OnlyBlanksFrom(end)};
}

}  // namespace

double NiceRound(double value) {
  if (value == 0 || !std::isfinite(value)) return value;
  const double magnitude = std::fabs(value);
  int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
  double mantissa = magnitude / Scaled(1.0, exponent);
  if (mantissa >= 10.0) {  // log10 rounded just below a power of ten
    mantissa /= 10.0;
    ++exponent;
  }
  // Geometric midpoints between 1, 2, 5 and 10.
  double nice = 10.0;
  if (mantissa < std::sqrt(2.0)) {
    nice = 1.0;
  } else if (mantissa < std::sqrt(10.0)) {
    nice = 2.0;
  } else if (mantissa < std::sqrt(50.0)) {
    nice = 5.0;
  }
  return std::copysign(Scaled(nice, exponent), value);
}

std::string DecimalText(double value, int decimals, bool fixedDecimals) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  const int places = std::clamp(decimals, 0, 15);
  // 309 integer digits, a sign, a point and 15 decimals fit.
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
  std::string text(buffer);
  if (!fixedDecimals && text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

TypedNumber<double> ReadDecimal(std::string_view text) {
  const std::string s = TypedText(text);
  char* end = nullptr;
  const double value = std::strtod(s.c_str(), &end);
  return Typed(value, s, end);
}

TypedNumber<std::int32_t> ReadInteger(std::string_view text) {
  const std::string s = TypedText(text);
  char* end = nullptr;
  const long long value = std::strtoll(s.c_str(), &end, 10);
  const auto saturated = static_cast<std::int32_t>(std::clamp<long long>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
  return Typed(saturated, s, end);
}

}  // namespace host
