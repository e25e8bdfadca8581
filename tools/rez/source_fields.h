// Typed, checked access to the fields of one table of a resource source.
// Every problem is reported as a RezError whose text starts with the line
// and the thing being compiled ("line 12: STR# 2015, string 3: ...").
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <toml++/toml.h>

#include "toolbox/mac_types.h"

namespace rez {

class RezError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Fields {
 public:
  // context names the table in messages, e.g. "DITL 8200, item 3".
  Fields(const toml::table& table, std::string context) : table_(table), context_(std::move(context)) {}

  const std::string& context() const { return context_; }
  const toml::table& table() const { return table_; }

  [[noreturn]] void Fail(std::string_view problem) const;
  [[noreturn]] void Fail(const toml::node& at, std::string_view problem) const;

  // Refuses keys other than these (a misspelt key would otherwise be ignored).
  void AllowOnly(std::span<const std::string_view> keys) const;
  void AllowOnly(std::initializer_list<std::string_view> keys) const { AllowOnly({keys.begin(), keys.size()}); }
  bool Has(std::string_view key) const { return table_.get(key) != nullptr; }

  std::int64_t Integer(std::string_view key, std::int64_t min, std::int64_t max) const;
  std::int64_t Integer(std::string_view key, std::int64_t min, std::int64_t max, std::int64_t fallback) const;
  bool Flag(std::string_view key, bool fallback) const;
  std::string Utf8(std::string_view key) const;
  // A text converted to MacRoman, at most maxBytes long.
  std::string MacRoman(std::string_view key, std::size_t maxBytes = 255) const;
  std::string MacRoman(std::string_view key, std::string_view fallback, std::size_t maxBytes = 255) const;
  std::string MacRomanOf(const toml::node& value, std::string_view what, std::size_t maxBytes = 255) const;
  // [top, left, bottom, right], each a signed 16-bit value.
  Rect Bounds(std::string_view key) const;
  const toml::array& Array(std::string_view key) const;
  // A list of words, e.g. style = ["bold", "italic"]; empty when absent.
  std::vector<std::string> Words(std::string_view key) const;
  // The inline tables of an array, each named "<context>, <what> N" (1-based).
  std::vector<Fields> Tables(std::string_view key, std::string_view what) const;

 private:
  const toml::node& Required(std::string_view key) const;

  const toml::table& table_;
  std::string context_;
};

// A resource's common fields: id (required), name and attributes (optional).
struct ResourceHeader {
  SInt16 id = 0;
  std::optional<std::string> name;
  UInt8 attributes = 0;
};

ResourceHeader ReadResourceHeader(const Fields& resource);

// Refuses keys other than the common ones, the kind's own and those it
// shares with other kinds.
void AllowResourceKeys(const Fields& resource, std::initializer_list<std::string_view> own,
                       std::span<const std::string_view> shared = {});

}  // namespace rez
