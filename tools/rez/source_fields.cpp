// Field access for resource sources: types, ranges and MacRoman limits.
#include <algorithm>

#include "source_fields.h"
#include "toolbox/macroman.h"
#include "toolbox/resources.h"

namespace rez {
namespace {

std::string LinePrefix(const toml::node& at) {
  const auto line = at.source().begin.line;
  return line > 0 ? "line " + std::to_string(line) + ": " : std::string{};
}

struct NamedAttribute {
  std::string_view word;
  UInt8 bit;
};
constexpr NamedAttribute kAttributes[] = {
    {"sysheap", resSysHeap}, {"purgeable", resPurgeable}, {"locked", resLocked},
    {"protected", resProtected}, {"preload", resPreload},
};

}  // namespace

void Fields::Fail(std::string_view problem) const { Fail(table_, problem); }

void Fields::Fail(const toml::node& at, std::string_view problem) const {
  throw RezError(LinePrefix(at) + context_ + ": " + std::string(problem));
}

void Fields::AllowOnly(std::span<const std::string_view> keys) const {
  for (const auto& [key, value] : table_) {
    if (std::find(keys.begin(), keys.end(), key.str()) == keys.end())
      Fail(value, "unknown key '" + std::string(key.str()) + "'");
  }
}

const toml::node& Fields::Required(std::string_view key) const {
  const toml::node* node = table_.get(key);
  if (node == nullptr) Fail("'" + std::string(key) + "' is missing");
  return *node;
}

std::int64_t Fields::Integer(std::string_view key, std::int64_t min, std::int64_t max) const {
  const toml::node& node = Required(key);
  const auto value = node.value_exact<std::int64_t>();
  if (!value) Fail(node, "'" + std::string(key) + "' must be an integer");
  if (*value < min || *value > max)
    Fail(node, "'" + std::string(key) + "' is " + std::to_string(*value) + ", outside " +
                   std::to_string(min) + ".." + std::to_string(max));
  return *value;
}

std::int64_t Fields::Integer(std::string_view key, std::int64_t min, std::int64_t max,
                             std::int64_t fallback) const {
  return Has(key) ? Integer(key, min, max) : fallback;
}

bool Fields::Flag(std::string_view key, bool fallback) const {
  const toml::node* node = table_.get(key);
  if (node == nullptr) return fallback;
  const auto value = node->value_exact<bool>();
  if (!value) Fail(*node, "'" + std::string(key) + "' must be true or false");
  return *value;
}

std::string Fields::Utf8(std::string_view key) const {
  const toml::node& node = Required(key);
  const auto value = node.value_exact<std::string>();
  if (!value) Fail(node, "'" + std::string(key) + "' must be a string");
  return *value;
}

std::string Fields::MacRomanOf(const toml::node& value, std::string_view what, std::size_t maxBytes) const {
  const auto text = value.value_exact<std::string>();
  if (!text) Fail(value, std::string(what) + " must be a string");
  std::string problem;
  const auto converted = toolbox::Utf8ToMacRoman(*text, &problem);
  if (!converted) Fail(value, std::string(what) + ": " + problem);
  if (converted->size() > maxBytes)
    Fail(value, std::string(what) + " is " + std::to_string(converted->size()) + " bytes in MacRoman, at most " +
                    std::to_string(maxBytes) + " fit");
  return *converted;
}

std::string Fields::MacRoman(std::string_view key, std::size_t maxBytes) const {
  return MacRomanOf(Required(key), "'" + std::string(key) + "'", maxBytes);
}

std::string Fields::MacRoman(std::string_view key, std::string_view fallback, std::size_t maxBytes) const {
  return Has(key) ? MacRoman(key, maxBytes) : std::string(fallback);
}

Rect Fields::Bounds(std::string_view key) const {
  const toml::node& node = Required(key);
  const toml::array* values = node.as_array();
  if (values == nullptr || values->size() != 4)
    Fail(node, "'" + std::string(key) + "' must be [top, left, bottom, right]");
  std::int16_t sides[4];
  for (std::size_t i = 0; i < 4; ++i) {
    const auto side = (*values)[i].value_exact<std::int64_t>();
    if (!side || *side < -32768 || *side > 32767)
      Fail(node, "'" + std::string(key) + "' needs four integers in -32768..32767");
    sides[i] = static_cast<std::int16_t>(*side);
  }
  if (sides[2] < sides[0] || sides[3] < sides[1]) Fail(node, "'" + std::string(key) + "' is upside down");
  return Rect{sides[0], sides[1], sides[2], sides[3]};
}

const toml::array& Fields::Array(std::string_view key) const {
  const toml::node& node = Required(key);
  const toml::array* values = node.as_array();
  if (values == nullptr) Fail(node, "'" + std::string(key) + "' must be a list");
  return *values;
}

std::vector<std::string> Fields::Words(std::string_view key) const {
  std::vector<std::string> words;
  if (!Has(key)) return words;
  for (const toml::node& value : Array(key)) {
    const auto word = value.value_exact<std::string>();
    if (!word) Fail(value, "'" + std::string(key) + "' must list words");
    words.push_back(*word);
  }
  return words;
}

std::vector<Fields> Fields::Tables(std::string_view key, std::string_view what) const {
  std::vector<Fields> tables;
  for (const toml::node& value : Array(key)) {
    const toml::table* table = value.as_table();
    const std::string name = context_ + ", " + std::string(what) + " " + std::to_string(tables.size() + 1);
    if (table == nullptr) throw RezError(LinePrefix(value) + name + ": must be a table { ... }");
    tables.emplace_back(*table, name);
  }
  return tables;
}

ResourceHeader ReadResourceHeader(const Fields& resource) {
  ResourceHeader header;
  header.id = static_cast<SInt16>(resource.Integer("id", -32768, 32767));
  if (resource.Has("name")) {
    std::string name = resource.MacRoman("name");
    if (!name.empty()) header.name = std::move(name);
  }
  for (const std::string& word : resource.Words("attributes")) {
    const auto* named = std::find_if(std::begin(kAttributes), std::end(kAttributes),
                                     [&word](const NamedAttribute& a) { return a.word == word; });
    if (named == std::end(kAttributes))
      resource.Fail("unknown attribute '" + word + "' (sysheap, purgeable, locked, protected, preload)");
    header.attributes = static_cast<UInt8>(header.attributes | named->bit);
  }
  return header;
}

void AllowResourceKeys(const Fields& resource, std::initializer_list<std::string_view> own,
                       std::span<const std::string_view> shared) {
  std::vector<std::string_view> keys{"id", "name", "attributes"};
  keys.insert(keys.end(), own.begin(), own.end());
  keys.insert(keys.end(), shared.begin(), shared.end());
  resource.AllowOnly(keys);
}

}  // namespace rez
