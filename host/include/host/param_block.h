// A parameter block as the host hands it to an entry point: 272 zeroed bytes
// in the low arena, written at the byte offsets of the message's layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

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

  template <class F>
  ParamBlock& Set(typename F::Type value) {
    F::Store(bytes_, value);
    return *this;
  }
  // Stores an address in a u32 field (or the index-th of an array of them);
  // the object must lie below 4 GiB.
  template <class F>
  ParamBlock& SetAddress(const void* p, std::size_t index = 0) {
    static_assert(std::is_same_v<typename F::Type, std::uint32_t>);
    vantor::StoreAt(bytes_, F::kOffset + index * sizeof(std::uint32_t), toolbox::ToU32(p));
    return *this;
  }
  ParamBlock& SetLocal(const void* localHandle) { return SetAddress<vantor::LocalField>(localHandle); }
  template <class F>
  typename F::Type Get() const {
    return F::Load(bytes_);
  }
  template <class F>
  void* at() {
    return F::Address(bytes_);
  }

  // By bare offset: for tests that pin the layout independently of the names.
  template <class T>
  ParamBlock& Set(std::size_t offset, T value) {
    vantor::StoreAt(bytes_, offset, value);
    return *this;
  }
  ParamBlock& SetAddress(std::size_t offset, const void* p) { return Set(offset, toolbox::ToU32(p)); }
  template <class T>
  T Get(std::size_t offset) const {
    return vantor::LoadAt<T>(bytes_, offset);
  }
  void* at(std::size_t offset) { return bytes_ + offset; }
  unsigned char* data() { return bytes_; }

 private:
  unsigned char* bytes_;
};

}  // namespace host
