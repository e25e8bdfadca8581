// 'WIND': window template.
#include "resource_compilers.h"
#include "window_fields.h"

namespace rez {

CompiledData CompileWindow(const Fields& resource) {
  AllowResourceKeys(resource, {}, kWindowKeys);
  toolbox::BigEndianWriter out;
  WriteWindowHead(resource, out);
  WriteWindowTail(resource, out);
  return {FourCharCode("WIND"), out.Take()};
}

}  // namespace rez
