#include "edf_fields.h"

#include <cctype>
#include <charconv>
#include <cstdio>

namespace host::edf {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips an optional sign; the rest must be digits with at most one '.', and
// at least one digit.
bool IsPlainDecimal(std::string_view text, bool allowPoint) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  bool digit = false;
  bool point = false;
  for (char c : text) {
    if (IsDigit(c)) {
      digit = true;
    } else if (c == '.' && allowPoint && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

}  // namespace

std::string_view FieldAt(std::span<const unsigned char> bytes, std::size_t offset, std::size_t width) {
  return {reinterpret_cast<const char*>(bytes.data() + offset), width};
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::optional<std::int64_t> ParseInteger(std::string_view field) {
  std::string_view text = TrimSpaces(field);
  if (!IsPlainDecimal(text, false)) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  std::int64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> ParseNumber(std::string_view field) {
  std::string_view text = TrimSpaces(field);
  if (!IsPlainDecimal(text, true)) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<std::size_t> FirstNonPrintable(std::span<const unsigned char> bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] < 32 || bytes[i] > 126) return i;
  }
  return std::nullopt;
}

std::string Quoted(std::string_view field) {
  std::string out = "\"";
  for (char c : field) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte <= 126) {
      out += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    }
  }
  return out + "\"";
}

}  // namespace host::edf
