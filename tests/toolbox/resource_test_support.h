// Helpers shared by the Resource Manager and resource compiler tests.
#pragma once

#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "toolbox/memory.h"
#include "toolbox/pascal_string.h"
#include "toolbox/resources.h"

namespace resource_test {

// A directory that lives for one test.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantor-rsrc-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string File(std::string_view name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A Str255 holding text (MacRoman bytes).
struct PString {
  explicit PString(std::string_view text) { toolbox::StorePascal(bytes.data(), text); }
  const unsigned char* get() const { return bytes.data(); }
  std::array<unsigned char, 256> bytes{};
};

inline std::string TextOf(const unsigned char* pascal) { return std::string(toolbox::PascalView(pascal)); }

inline std::string HandleText(Handle h) {
  return std::string(*h, static_cast<std::size_t>(GetHandleSize(h)));
}

inline Handle HandleWith(std::string_view bytes) {
  Handle h = NewHandle(static_cast<Size>(bytes.size()));
  if (h != nullptr && !bytes.empty()) std::memcpy(*h, bytes.data(), bytes.size());
  return h;
}

inline bool IsResourceHandle(Handle h) { return (HGetState(h) & kHandleResourceBit) != 0; }

inline std::vector<unsigned char> Bytes(std::string_view text) {
  return std::vector<unsigned char>(text.begin(), text.end());
}

// 'STR#' data for a list of strings (each shorter than 256 bytes).
inline std::vector<unsigned char> StringListData(const std::vector<std::string>& strings) {
  std::vector<unsigned char> data{static_cast<unsigned char>(strings.size() >> 8),
                                  static_cast<unsigned char>(strings.size())};
  for (const std::string& s : strings) {
    data.push_back(static_cast<unsigned char>(s.size()));
    data.insert(data.end(), s.begin(), s.end());
  }
  return data;
}

// Bytes written in hex, in groups of whole bytes separated by spaces ("000E 1A FF").
inline std::vector<unsigned char> Hex(const std::string& hex) {
  std::vector<unsigned char> bytes;
  std::istringstream in(hex);
  std::string group;
  while (in >> group) {
    for (std::size_t i = 0; i + 1 < group.size(); i += 2)
      bytes.push_back(static_cast<unsigned char>(std::stoi(group.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

constexpr ResType kStringList = FourCharCode("STR#");

}  // namespace resource_test
