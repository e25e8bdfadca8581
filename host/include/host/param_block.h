// A parameter block as the host hands it to an entry point: 272 zeroed bytes
// in the low arena, written at the byte offsets of the message's layout.
#pragma once

#include <cstdint>

#include "toolbox/memory.h"
#include "vantor/byte_access.h"
#include "vantor/messages.h"

namespace host {

class ParamBlock {
 public:
  ParamBlock() : bytes_(static_cast<unsigned char*>(toolbox::LowAlloc(vantor::kParamBlockBytes))) {}
  ~ParamBlock() { toolbox::LowFree(bytes_); }
  ParamBlock(const ParamBlock&) = delete;
  ParamBlock& operator=(const ParamBlock&) = delete;

  template <class T>
  ParamBlock& Set(std::size_t offset, T value) {
    vantor::StoreAt(bytes_, offset, value);
    return *this;
  }
  // Stores an address in a u32 field; the object must lie below 4 GiB.
  ParamBlock& SetAddress(std::size_t offset, const void* p) {
    return Set(offset, toolbox::ToU32(p));
  }
  ParamBlock& SetLocal(const void* localHandle) { return SetAddress(vantor::kLocalOffset, localHandle); }
  template <class T>
  T Get(std::size_t offset) const {
    return vantor::LoadAt<T>(bytes_, offset);
  }
  unsigned char* data() { return bytes_; }
  void* at(std::size_t offset) { return bytes_ + offset; }

 private:
  unsigned char* bytes_;
};

}  // namespace host
