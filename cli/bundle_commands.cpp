#include <cstdio>

#include "commands.h"
#include "vantor/messages.h"

namespace cli {
namespace {

const char* KindText(std::uint32_t kind) {
  switch (kind) {
    case vantor::kGeneralExtensionKind: return "window extension";
    case vantor::kComputedFunctionKind: return "computed function";
    default: return "unknown kind";
  }
}

std::unique_ptr<host::Bundle> LoadOrReport(const std::string& bundlePath) {
  std::string error;
  auto bundle = host::Bundle::Load(bundlePath, &error);
  if (!bundle) std::fprintf(stderr, "vantor: %s\n", error.c_str());
  return bundle;
}

void PrintExtensions(const host::Bundle& bundle) {
  std::printf("%s: %zu extensions\n", bundle.name().c_str(), bundle.extensions().size());
  for (const host::Extension& ext : bundle.extensions()) {
    std::printf("  %-6s hostRef %-3d %-18s %-22s %s\n", ext.entryName.c_str(), ext.hostRef,
                KindText(ext.kind), ("\"" + ext.name + "\"").c_str(),
                ext.initialized ? "initialized" : "NOT initialized");
  }
}

}  // namespace

int ListBundle(const std::string& bundlePath) {
  auto bundle = LoadOrReport(bundlePath);
  if (!bundle) return 1;
  PrintExtensions(*bundle);
  return 0;
}

}  // namespace cli
