// 'DLOG': dialog template; its items are the 'DITL' named by 'items'.
#include "resource_compilers.h"
#include "window_fields.h"

namespace rez {

CompiledData CompileDialog(const Fields& resource) {
  AllowResourceKeys(resource, {"items"}, kWindowKeys);
  toolbox::BigEndianWriter out;
  WriteWindowHead(resource, out);
  out.S16(static_cast<std::int16_t>(resource.Integer("items", -32768, 32767)));
  WriteWindowTail(resource, out);
  return {FourCharCode("DLOG"), out.Take()};
}

}  // namespace rez
