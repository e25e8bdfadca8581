// Any resource type given as hexadecimal bytes, e.g. hex = "0001 02FF".
#include <cctype>

#include "resource_compilers.h"

namespace rez {
namespace {

ResType TypeOf(const Fields& resource) {
  const std::string type = resource.MacRoman("type", 4);
  if (type.size() != 4) resource.Fail("'type' must be four characters");
  return FourCharCode({type[0], type[1], type[2], type[3], '\0'});
}

std::vector<unsigned char> BytesOf(const Fields& resource) {
  const std::string hex = resource.Utf8("hex");
  std::vector<unsigned char> bytes;
  int high = -1;
  for (char c : hex) {
    if (std::isspace(static_cast<unsigned char>(c))) continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) resource.Fail(std::string("'hex' holds '") + c + "'");
    const int nibble = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(c) - 'a' + 10;
    if (high < 0) {
      high = nibble;
    } else {
      bytes.push_back(static_cast<unsigned char>(high << 4 | nibble));
      high = -1;
    }
  }
  if (high >= 0) resource.Fail("'hex' has an odd number of digits");
  return bytes;
}

}  // namespace

CompiledData CompileRawData(const Fields& resource) {
  AllowResourceKeys(resource, {"type", "hex"});
  return {TypeOf(resource), BytesOf(resource)};
}

}  // namespace rez
