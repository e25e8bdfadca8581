// Opening a recording file by its name and contents.
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "host/document.h"
#include "host/recording_import.h"
#include "host/problem.h"
#include "toolbox/file_bytes.h"

namespace host {
namespace {

enum class Format { kEdf, kCsv, kUnknown };

std::string LowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext;
}

Format FormatOf(const std::string& path, const std::vector<unsigned char>& bytes) {
  const std::string ext = LowerExtension(path);
  if (ext == ".edf") return Format::kEdf;
  if (ext == ".csv") return Format::kCsv;
  return LooksLikeEdf(bytes) ? Format::kEdf : Format::kUnknown;
}

std::optional<Recording> ReadRecording(const std::string& path, const std::vector<unsigned char>& bytes,
                                       std::string* problem) {
  switch (FormatOf(path, bytes)) {
    case Format::kEdf: {
      const auto contents = ParseEdf(bytes, problem);
      if (!contents) return std::nullopt;
      return RecordingFromEdf(*contents, problem);
    }
    case Format::kCsv:
      return ParseCsvRecording(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), problem);
    case Format::kUnknown:
      break;
  }
  Fail(problem, bytes.empty() ? "file is empty" : "not an EDF or CSV recording");
  return std::nullopt;
}

}  // namespace

std::optional<Recording> ReadRecordingFile(const std::string& path, std::string* problem) {
  std::vector<unsigned char> bytes;
  const OSErr err = toolbox::ReadFileBytes(path, bytes);
  if (err != noErr) {
    Fail(problem, toolbox::FileReadErrorText(err));
    return std::nullopt;
  }
  return ReadRecording(path, bytes, problem);
}

bool ImportRecordingFile(const std::string& path, Document& document, std::string* problem) {
  const auto recording = ReadRecordingFile(path, problem);
  if (!recording || !ImportRecording(*recording, document, problem)) return false;
  document.SetName(std::filesystem::path(path).stem().string());
  return true;
}

}  // namespace host
