#include "host/date_text.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "toolbox/date_time.h"

namespace host {
namespace {

constexpr int kMaxFractionDigits = 9;

long long PowerOfTen(int digits) {
  long long p = 1;
  for (int i = 0; i < digits; ++i) p *= 10;
  return p;
}

// Consumes exactly `count` digits; nothing when they are not there.
std::optional<int> TakeDigits(std::string_view& text, std::size_t count) {
  if (text.size() < count) return std::nullopt;
  int value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  text.remove_prefix(count);
  return value;
}

bool Take(std::string_view& text, std::string_view either) {
  if (text.empty() || either.find(text.front()) == std::string_view::npos) return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

std::string DateTimeText(double since1904, int fractionDigits, char separator) {
  using namespace std::chrono;
  const int digits = fractionDigits < 0 ? 0 : std::min(fractionDigits, kMaxFractionDigits);
  const long long perSecond = PowerOfTen(digits);
  // Rounded as a whole, so that .9996 s carries into the next second.
  const auto ticks = std::llround((since1904 - toolbox::kUnixEpochSince1904) * static_cast<double>(perSecond));
  const long long whole = ticks >= 0 ? ticks / perSecond : -((-ticks + perSecond - 1) / perSecond);
  const long long fraction = ticks - whole * perSecond;
  const sys_days day = floor<days>(sys_seconds{seconds{whole}});
  const year_month_day date{day};
  const long long secondOfDay = whole - duration_cast<seconds>(day.time_since_epoch()).count();
  char text[64];
  int length = std::snprintf(text, sizeof text, "%04d-%02u-%02u%c%02lld:%02lld:%02lld", static_cast<int>(date.year()),
                             static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), separator,
                             secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
  if (digits > 0) {
    std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), ".%0*lld", digits, fraction);
  }
  return text;
}

std::optional<double> ParseDateTimeText(std::string_view text) {
  using namespace std::chrono;
  const auto y = TakeDigits(text, 4);
  const auto mo = Take(text, "-") ? TakeDigits(text, 2) : std::nullopt;
  const auto d = mo && Take(text, "-") ? TakeDigits(text, 2) : std::nullopt;
  const auto h = d && Take(text, "T ") ? TakeDigits(text, 2) : std::nullopt;
  const auto mi = h && Take(text, ":") ? TakeDigits(text, 2) : std::nullopt;
  const auto s = mi && Take(text, ":") ? TakeDigits(text, 2) : std::nullopt;
  if (!y || !s || *h > 23 || *mi > 59 || *s > 59) return std::nullopt;
  const year_month_day date{year{*y}, month{static_cast<unsigned>(*mo)}, day{static_cast<unsigned>(*d)}};
  if (!date.ok()) return std::nullopt;
  double fraction = 0;
  if (Take(text, ".")) {
    const std::string decimal = "0." + std::string(text);
    const auto [end, ec] = std::from_chars(decimal.data(), decimal.data() + decimal.size(), fraction,
                                           std::chars_format::fixed);
    const bool digitsOnly = text.find_first_not_of("0123456789") == std::string_view::npos;
    if (text.empty() || !digitsOnly || ec != std::errc() || end != decimal.data() + decimal.size()) {
      return std::nullopt;
    }
  } else if (!text.empty()) {
    return std::nullopt;
  }
  const long long secondsOfDay = *h * 3600LL + *mi * 60LL + *s;
  const long long unixSeconds = duration_cast<seconds>(sys_days{date}.time_since_epoch()).count() + secondsOfDay;
  return static_cast<double>(unixSeconds + toolbox::kUnixEpochSince1904) + fraction;
}

}  // namespace host
