// The kinds of resource table a source may hold.
#include <algorithm>

#include "resource_compilers.h"

namespace rez {
namespace {

struct Kind {
  std::string_view key;
  ResourceCompiler compile;
};

constexpr Kind kKinds[] = {
    {"STR#", CompileStringList}, {"MENU", CompileMenu},         {"WIND", CompileWindow},
    {"DLOG", CompileDialog},     {"DITL", CompileDialogItems}, {"data", CompileRawData},
};

}  // namespace

ResourceCompiler CompilerFor(std::string_view kind) {
  const auto* found =
      std::find_if(std::begin(kKinds), std::end(kKinds), [kind](const Kind& k) { return k.key == kind; });
  return found == std::end(kKinds) ? nullptr : found->compile;
}

std::string KnownKinds() {
  std::string list;
  for (const Kind& kind : kKinds) list += (list.empty() ? "" : ", ") + std::string(kind.key);
  return list;
}

}  // namespace rez
