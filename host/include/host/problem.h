// Readers and importers report what is wrong as one line of text.
#pragma once

#include <string>
#include <utility>

namespace host {

// Sets *problem (when given) and returns false, for early returns.
inline bool Fail(std::string* problem, std::string text) {
  if (problem) *problem = std::move(text);
  return false;
}

}  // namespace host
