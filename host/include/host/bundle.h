// Loading a plug-in bundle and talking to its extensions.
//
// A bundle is a folder: Contents/Linux/<Name>.so and
// Contents/Resources/<Name>.rsrc. Loading opens the resource file into the
// chain, dlopens the shared object and, for each entry point it exports
// (Main1, Main3, Main5), sends messages 0 (hostRef), 1 (kind), 2 (initialize)
// and 4 (register). Unloading sends message 3 to each, then closes both.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/param_block.h"
#include "toolbox/memory.h"
#include "vantor/messages.h"

namespace host {

struct Extension {
  std::string entryName;     // "Main1"
  vantor::EntryPoint entry;  // never null
  std::int16_t hostRef;      // unique per loaded extension, > 0
  std::uint32_t kind;        // answer to message 1
  bool initialized;          // message 2 answered 1
  std::string name;          // the name the host knows it by (service 637)
  // Sends one message; allocations the extension makes meanwhile are counted
  // as its own.
  std::int32_t Send(std::int16_t message, ParamBlock& block) const;
  std::int32_t Send(std::int16_t message) const;
  toolbox::MemoryOwner owner() const { return hostRef; }
};

class Bundle {
 public:
  // Null with a one-line reason in *error when the folder, the shared object,
  // its entry points or its resource file cannot be loaded.
  static std::unique_ptr<Bundle> Load(const std::string& bundleDir, std::string* error);
  ~Bundle();
  Bundle(const Bundle&) = delete;
  Bundle& operator=(const Bundle&) = delete;

  const std::string& name() const { return name_; }
  const std::vector<Extension>& extensions() const { return extensions_; }
  // The extension reached by `entryName`, or null.
  const Extension* Find(const std::string& entryName) const;
  std::int16_t resourceFile() const { return resourceFile_; }
  const std::string& sharedObjectPath() const { return soPath_; }

 private:
  Bundle() = default;
  bool Open(const std::string& bundleDir, std::string* error);
  void AttachExtension(const char* entryName, vantor::EntryPoint entry);

  std::string name_;
  std::string soPath_;
  void* library_ = nullptr;
  std::int16_t resourceFile_ = -1;
  std::vector<Extension> extensions_;
};

// The bundle folder built with this host.
std::string DefaultBundlePath();

}  // namespace host
