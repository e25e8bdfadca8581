// One compiler per kind of resource table in a source file. A source holds
// arrays of tables keyed by kind: [["STR#"]], [[MENU]], [[WIND]], [[DLOG]],
// [[DITL]] and [[data]] (docs/resources.md). Adding a kind means one
// compiler file and one row in the registry.
#pragma once

#include <string_view>
#include <vector>

#include "source_fields.h"
#include "toolbox/mac_types.h"

namespace rez {

struct CompiledData {
  ResType type;
  std::vector<unsigned char> data;
};

// Compiles one resource table (common fields are read by the caller; the
// compiler checks the table's keys, including the common ones).
using ResourceCompiler = CompiledData (*)(const Fields& resource);

CompiledData CompileStringList(const Fields& resource);
CompiledData CompileMenu(const Fields& resource);
CompiledData CompileWindow(const Fields& resource);
CompiledData CompileDialog(const Fields& resource);
CompiledData CompileDialogItems(const Fields& resource);
CompiledData CompileRawData(const Fields& resource);

// The compiler for a kind key, or null for an unknown kind.
ResourceCompiler CompilerFor(std::string_view kind);
// The kinds the registry knows, for messages.
std::string KnownKinds();

}  // namespace rez
