// A source is a TOML document whose top-level keys are resource kinds, each
// an array of tables: [["STR#"]] id = 2015 ... (docs/resources.md).
#include "source_compiler.h"

#include "toolbox/file_bytes.h"

#include <algorithm>
#include <utility>

#include "resource_compilers.h"
#include "source_fields.h"

namespace rez {
namespace {

std::string At(const toml::node& node) {
  return "line " + std::to_string(node.source().begin.line) + ": ";
}

toolbox::ResourceRecord CompileResource(const toml::table& table, std::string_view kind,
                                        ResourceCompiler compile) {
  // The id names the resource in every later message, so it is read first.
  const Fields unnamed(table, std::string(kind));
  const ResourceHeader header = ReadResourceHeader(unnamed);
  const Fields resource(table, std::string(kind) + " " + std::to_string(header.id));
  CompiledData compiled = compile(resource);
  return {compiled.type, header.id, header.name, header.attributes, std::move(compiled.data)};
}

toml::table ParseToml(const std::string& path) {
  // Read first: a folder, a device or a pipe is no source (and /dev/zero never ends).
  std::vector<unsigned char> bytes;
  if (const OSErr err = toolbox::ReadFileBytes(path, bytes); err != noErr) throw RezError(toolbox::FileReadErrorText(err));
  try {
    return toml::parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), path);
  } catch (const toml::parse_error& error) {
    const auto& where = error.source().begin;
    if (where.line == 0) throw RezError(std::string(error.description()));  // not opened
    throw RezError("line " + std::to_string(where.line) + ", column " + std::to_string(where.column) + ": " +
                   std::string(error.description()));
  }
}

}  // namespace

std::vector<toolbox::ResourceRecord> CompileSourceFile(const std::string& path) {
  const toml::table document = ParseToml(path);
  // Kinds in the order they appear, so problems and resources follow the source.
  std::vector<std::pair<std::string_view, const toml::node*>> kinds;
  for (const auto& [key, value] : document) kinds.emplace_back(key.str(), &value);
  std::stable_sort(kinds.begin(), kinds.end(), [](const auto& a, const auto& b) {
    return a.second->source().begin.line < b.second->source().begin.line;
  });
  if (kinds.empty()) throw RezError("defines no resources");
  std::vector<toolbox::ResourceRecord> records;
  for (const auto& [kind, node] : kinds) {
    const toml::node& value = *node;
    const ResourceCompiler compile = CompilerFor(kind);
    if (compile == nullptr)
      throw RezError(At(value) + "unknown resource kind '" + std::string(kind) + "' (known: " + KnownKinds() + ")");
    const toml::array* tables = value.as_array();
    if (tables == nullptr || !tables->is_array_of_tables())
      throw RezError(At(value) + "'" + std::string(kind) + "' must be an array of tables: [[\"" + std::string(kind) +
                     "\"]]");
    for (const toml::node& table : *tables) records.push_back(CompileResource(*table.as_table(), kind, compile));
  }
  return records;
}

}  // namespace rez
