// vantor-rez: compiles resource sources (TOML) into one classic resource file.
//
//   vantor-rez --output FILE SOURCE.toml...
//
// Problems are reported as one line "vantor-rez: FILE: problem" with a
// non-zero exit; the output is written only when every source compiled, and
// atomically, so a failed run leaves the previous output in place.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "source_compiler.h"
#include "source_fields.h"
#include "toolbox/file_bytes.h"
#include "toolbox/resource_file_format.h"

namespace {

constexpr int kCompileFailed = 1;
constexpr int kUsageError = 2;

struct Arguments {
  std::string output;
  std::vector<std::string> sources;
};

bool ParseArguments(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--output" || arg == "-o") {
      if (++i == argc) return false;
      args.output = argv[i];
    } else if (arg.starts_with("--output=")) {
      args.output = std::string(arg.substr(9));
    } else if (arg.starts_with("-")) {
      return false;  // an option we do not know, not a source called "--bogus"
    } else {
      args.sources.emplace_back(arg);
    }
  }
  return !args.output.empty() && !args.sources.empty();
}

int Report(const std::string& file, const std::string& problem) {
  std::fprintf(stderr, "vantor-rez: %s: %s\n", file.c_str(), problem.c_str());
  return kCompileFailed;
}

std::string TypeText(ResType type) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) text.push_back(static_cast<char>((type >> shift) & 0xFF));
  return text;
}

struct Origin {
  ResType type;
  SInt16 id;
  std::string file;
};

// Two sources may not define the same (type, id): the later one would hide the other.
std::string DuplicateOf(const std::vector<Origin>& seen, const toolbox::ResourceRecord& record) {
  for (const Origin& origin : seen) {
    if (origin.type == record.type && origin.id == record.id) return origin.file;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (!ParseArguments(argc, argv, args)) {
    std::fprintf(stderr, "vantor-rez: usage: vantor-rez --output FILE SOURCE.toml...\n");
    return kUsageError;
  }
  toolbox::ResourceFileContents contents;
  std::vector<Origin> seen;
  for (const std::string& source : args.sources) {
    try {
      for (auto& record : rez::CompileSourceFile(source)) {
        if (const std::string other = DuplicateOf(seen, record); !other.empty())
          return Report(source, TypeText(record.type) + " " + std::to_string(record.id) + " is also defined in " + other);
        seen.push_back({record.type, record.id, source});
        contents.resources.push_back(std::move(record));
      }
    } catch (const rez::RezError& error) {
      return Report(source, error.what());
    }
  }
  std::vector<unsigned char> bytes;
  if (toolbox::SerializeResourceFile(contents, bytes) != noErr)
    return Report(args.output, "the resources do not fit a resource file (data over 16 MiB or map over 64 KiB)");
  if (toolbox::WriteFileBytesAtomically(args.output, bytes) != noErr)
    return Report(args.output, "cannot write the file");
  return 0;
}
