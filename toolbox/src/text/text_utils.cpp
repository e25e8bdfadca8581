#include "toolbox/text_utils.h"

#include <cstdio>
#include <cstring>

void NumToString(SInt32 value, StringPtr text) {
  char digits[16];
  const int n = std::snprintf(digits, sizeof digits, "%d", static_cast<int>(value));
  text[0] = static_cast<unsigned char>(n);
  std::memcpy(text + 1, digits, static_cast<std::size_t>(n));
}

void StringToNum(ConstStr255Param text, SInt32* value) {
  const int length = text[0];
  int i = 1;
  bool negative = false;
  if (i <= length && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  // Wraps like the platform's on overflow, computed unsigned to stay defined.
  std::uint32_t result = 0;
  for (; i <= length && text[i] >= '0' && text[i] <= '9'; ++i) {
    result = result * 10u + static_cast<std::uint32_t>(text[i] - '0');
  }
  *value = static_cast<SInt32>(negative ? 0u - result : result);
}
