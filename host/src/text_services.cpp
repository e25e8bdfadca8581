// Number text services (85, 87, 88) and string appending (95).
//
// Parsing skips leading blanks and reads as much of a number as the text
// holds, accepting ',' as well as '.' for the decimal point as users type
// either; text without a number reads as 0. Integers saturate at the i32
// limits instead of wrapping. Formatting: fixed decimals (0..15) when the
// flag is set; otherwise trailing zeros after the point are dropped.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "host/service_table.h"
#include "vantor/services.h"

namespace host {
namespace {

std::string NumberText(ConstStr255Param text) {
  std::string s(reinterpret_cast<const char*>(text + 1), text[0]);
  std::replace(s.begin(), s.end(), ',', '.');
  return s;
}

void SetPString(unsigned char* out, const std::string& s) {
  const std::size_t n = std::min<std::size_t>(s.size(), 255);
  out[0] = static_cast<unsigned char>(n);
  std::memcpy(out + 1, s.data(), n);
}

std::int32_t StringToLongService(ConstStr255Param text) {
  const std::string s = NumberText(text);
  errno = 0;
  const long long value = std::strtoll(s.c_str(), nullptr, 10);
  return static_cast<std::int32_t>(std::clamp<long long>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

double StringToDoubleService(ConstStr255Param text) {
  const std::string s = NumberText(text);
  return std::strtod(s.c_str(), nullptr);
}

void DoubleToStringService(Str255* out, double value, std::int16_t decimals, bool fixed) {
  const int places = std::clamp<int>(decimals, 0, 15);
  char buffer[400];
  if (std::isnan(value)) {
    std::snprintf(buffer, sizeof buffer, "NaN");
  } else if (std::isinf(value)) {
    std::snprintf(buffer, sizeof buffer, value > 0 ? "inf" : "-inf");
  } else {
    std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    if (!fixed && std::strchr(buffer, '.') != nullptr) {
      char* end = buffer + std::strlen(buffer) - 1;
      while (*end == '0') *end-- = '\0';
      if (*end == '.') *end = '\0';
    }
  }
  SetPString(*out, buffer);
}

void AppendStringService(unsigned char* destination, ConstStr255Param source) {
  const std::size_t room = 255u - destination[0];
  const std::size_t n = std::min<std::size_t>(source[0], room);
  std::memmove(destination + 1 + destination[0], source + 1, n);
  destination[0] = static_cast<unsigned char>(destination[0] + n);
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
