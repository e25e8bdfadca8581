// Reading and writing fields of host records at fixed byte offsets. Records
// that cross the boundary are never cast to structs: a block's alignment and
// packing are the host's, not the compiler's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace vantor {

template <class T>
T LoadAt(const void* base, std::size_t offset) {
  static_assert(std::is_trivially_copyable_v<T>);
  T value;
  std::memcpy(&value, static_cast<const unsigned char*>(base) + offset, sizeof value);
  return value;
}

template <class T>
void StoreAt(void* base, std::size_t offset, T value) {
  static_assert(std::is_trivially_copyable_v<T>);
  std::memcpy(static_cast<unsigned char*>(base) + offset, &value, sizeof value);
}

inline void* AddressAt(void* base, std::size_t offset) {
  return static_cast<unsigned char*>(base) + offset;
}

// A 32-bit address field as a native pointer (host objects lie below 4 GiB).
template <class T>
T* PointerFromU32(std::uint32_t address) {
  return reinterpret_cast<T*>(static_cast<std::uintptr_t>(address));
}

}  // namespace vantor
