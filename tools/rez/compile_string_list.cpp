// 'STR#': a u16 count, then each string as a length byte and its MacRoman bytes.
#include "resource_compilers.h"
#include "toolbox/big_endian_bytes.h"

namespace rez {

CompiledData CompileStringList(const Fields& resource) {
  AllowResourceKeys(resource, {"strings"});
  const toml::array& strings = resource.Array("strings");
  if (strings.size() > 0xFFFF) resource.Fail("more than 65535 strings");
  toolbox::BigEndianWriter out;
  out.U16(static_cast<std::uint16_t>(strings.size()));
  std::size_t number = 0;
  for (const toml::node& text : strings) {
    out.PString(resource.MacRomanOf(text, "string " + std::to_string(++number)));
  }
  return {FourCharCode("STR#"), out.Take()};
}

}  // namespace rez
