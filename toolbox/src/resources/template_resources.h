// Loading a template resource along the resource chain and parsing it.
#pragma once

#include <optional>
#include <span>

#include "toolbox/memory.h"
#include "toolbox/resources.h"

namespace toolbox::internal {

// The parsed template of (type, id), or none when the resource is missing,
// cannot be read or is malformed. The block is parsed before any further
// allocation, so it cannot move underneath the parser.
template <class Parser>
auto LoadTemplate(ResType type, SInt16 id, Parser parse) -> decltype(parse(std::span<const unsigned char>{})) {
  Handle h = GetResource(type, id);
  if (h == nullptr) return std::nullopt;
  LoadResource(h);
  if (ResError() != noErr || *h == nullptr) return std::nullopt;
  return parse(std::span<const unsigned char>(reinterpret_cast<const unsigned char*>(*h),
                                              static_cast<std::size_t>(GetHandleSize(h))));
}

}  // namespace toolbox::internal
