// What a shell command prints, for tests that read their output back through
// the system's own tools (pdftotext, nm, file).
#pragma once

#include <cstdio>
#include <memory>
#include <string>

inline std::string CommandOutput(const std::string& command) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  char buffer[4096];
  while (pipe && fgets(buffer, sizeof buffer, pipe.get()) != nullptr) out += buffer;
  return out;
}
