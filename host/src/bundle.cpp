#include "host/bundle.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "host/extension_registry.h"
#include "host/host_context.h"
#include "host/service_table.h"
#include "toolbox/pascal_string.h"
#include "toolbox/resources.h"

namespace host {
namespace {

struct HostRefs {
  std::int16_t last = 0;
};

std::int16_t NextHostRef() { return ++ProcessState<HostRefs>().last; }

std::string StripSuffix(const std::string& s, const std::string& suffix) {
  return s.size() > suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0
             ? s.substr(0, s.size() - suffix.size())
             : s;
}

}  // namespace

std::int32_t Extension::Send(std::int16_t message, ParamBlock& block) const {
  toolbox::ScopedMemoryOwner owner(hostRef);
  return entry(message, block.data(), ServicesAddress());
}

std::int32_t Extension::Send(std::int16_t message) const {
  ParamBlock block;
  return Send(message, block);
}

std::string DefaultBundlePath() {
  if (const char* path = std::getenv("VANTOR_BUNDLE")) return path;
  return VANTOR_DEFAULT_BUNDLE;
}

std::unique_ptr<Bundle> Bundle::Load(const std::string& bundleDir, std::string* error) {
  std::unique_ptr<Bundle> bundle(new Bundle);
  if (!bundle->Open(bundleDir, error)) return nullptr;
  return bundle;
}

bool Bundle::Open(const std::string& bundleDir, std::string* error) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(bundleDir).lexically_normal();
  name_ = StripSuffix(dir.filename().empty() ? dir.parent_path().filename().string()
                                             : dir.filename().string(),
                      ".bundle");
  const fs::path contents = dir / "Contents";
  soPath_ = (contents / "Linux" / (name_ + ".so")).string();
  const std::string rsrcPath = (contents / "Resources" / (name_ + ".rsrc")).string();

  if (!fs::is_directory(dir)) {
    *error = bundleDir + ": not a bundle folder";
    return false;
  }
  resourceFile_ = toolbox::OpenResourceFile(rsrcPath.c_str(), true);
  if (resourceFile_ <= 0) {
    *error = rsrcPath + ": cannot open the resource file (error " + std::to_string(ResError()) + ")";
    return false;
  }
  library_ = dlopen(soPath_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library_ == nullptr) {
    *error = soPath_ + ": " + dlerror();
    return false;
  }
  const long memoryFull = toolbox::MemoryFullCount();
  for (const char* entryName : vantor::kEntryPointNames) {
    if (void* symbol = dlsym(library_, entryName)) {
      AttachExtension(entryName, reinterpret_cast<vantor::EntryPoint>(symbol));
    }
  }
  if (extensions_.empty()) {
    *error = soPath_ + ": exports no entry point";
    return false;
  }
  // An extension that met a full memory while starting (its name unread, its
  // tables not loaded) would serve wrong answers later: not loaded.
  if (toolbox::MemoryFullCount() != memoryFull) {
    *error = "out of memory while starting its extensions";
    return false;
  }
  return true;
}

void Bundle::AttachExtension(const char* entryName, vantor::EntryPoint entry) {
  Extension ext{entryName, entry, NextHostRef(), 0, false, name_};
  RegisterExtension(ExtensionInfo{ext.hostRef, ext.name, resourceFile_});

  ParamBlock block;
  block.Set<vantor::SetHostRefBlock::HostRef>(ext.hostRef);
  ext.Send(vantor::msg::kSetHostRef, block);
  ext.kind = static_cast<std::uint32_t>(ext.Send(vantor::msg::kGetKind));
  ext.initialized = ext.Send(vantor::msg::kInitialize) == 1;
  ext.Send(vantor::msg::kRegister);

  if (ext.kind == vantor::kComputedFunctionKind) {
    // A computed function names itself; without a name it is known by its entry.
    Str255 title{};
    ParamBlock nameBlock;
    using NameOut = vantor::computed::GetFunctionNameBlock::NameOut;
    nameBlock.SetAddress<NameOut>(toolbox::LowAlloc(256));
    ext.Send(vantor::computed::kGetFunctionName, nameBlock);
    auto* text = vantor::PointerFromU32<unsigned char>(nameBlock.Get<NameOut>());
    std::memcpy(title, text, 256);
    toolbox::LowFree(text);
    ext.name = title[0] > 0 ? toolbox::PascalTextToUtf8(title) : name_ + " " + ext.entryName;
    RenameExtension(ext.hostRef, ext.name);
  }
  extensions_.push_back(std::move(ext));
}

const Extension* Bundle::Find(const std::string& entryName) const {
  for (const Extension& ext : extensions_) {
    if (ext.entryName == entryName) return &ext;
  }
  return nullptr;
}

Bundle::~Bundle() {
  for (const Extension& ext : extensions_) {
    ext.Send(vantor::msg::kTerminate);
    UnregisterExtension(ext.hostRef);
  }
  if (library_ != nullptr) dlclose(library_);
  if (resourceFile_ > 0) CloseResFile(resourceFile_);
}

}  // namespace host
