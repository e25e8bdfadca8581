// The low arena: memory below 4 GiB for every object whose address travels
// in a 32-bit field of the host ABI.
//
// One reservation is mapped at start with MAP_32BIT (or at a low hint with
// MAP_FIXED_NOREPLACE where MAP_32BIT is unavailable); blocks come from
// power-of-two size classes with free lists. Freed blocks are poisoned under
// AddressSanitizer so a use after LowFree faults.
#include <sys/mman.h>

#include <array>
#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "toolbox/memory.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define VANTOR_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define VANTOR_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define VANTOR_POISON(p, n) ((void)(p), (void)(n))
#define VANTOR_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace toolbox {
namespace {

constexpr std::size_t kArenaBytes = std::size_t{256} << 20;
constexpr std::size_t kHeaderBytes = 16;  // keeps payloads 16-byte aligned
constexpr int kMinClassShift = 4;         // 16 bytes
constexpr int kClassCount = 24;           // up to 128 MiB

struct FreeBlock {
  FreeBlock* next;
};

struct Arena {
  unsigned char* base = nullptr;
  std::size_t used = 0;
  std::array<FreeBlock*, kClassCount> freeLists{};
};

unsigned char* MapLow(std::size_t bytes) {
  void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_32BIT, -1, 0);
  if (p != MAP_FAILED && reinterpret_cast<std::uintptr_t>(p) + bytes <= (std::uintptr_t{1} << 32)) {
    return static_cast<unsigned char*>(p);
  }
  if (p != MAP_FAILED) munmap(p, bytes);
  for (std::uintptr_t hint = std::uintptr_t{1} << 28; hint + bytes <= (std::uintptr_t{1} << 32);
       hint += std::uintptr_t{1} << 28) {
    p = mmap(reinterpret_cast<void*>(hint), bytes, PROT_READ | PROT_WRITE,
             MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_FIXED_NOREPLACE, -1, 0);
    if (p != MAP_FAILED) return static_cast<unsigned char*>(p);
  }
  return nullptr;
}

Arena& TheArena() {
  static Arena arena = [] {
    Arena a;
    a.base = MapLow(kArenaBytes);
    if (a.base == nullptr) {
      std::fputs("vantor: cannot reserve memory below 4 GiB\n", stderr);
      std::abort();
    }
    VANTOR_POISON(a.base, kArenaBytes);
    return a;
  }();
  return arena;
}

int SizeClass(std::size_t bytes) {
  int shift = kMinClassShift;
  while ((std::size_t{1} << shift) < bytes + kHeaderBytes) ++shift;
  return shift - kMinClassShift;
}

}  // namespace

void* LowAlloc(std::size_t bytes) {
  Arena& arena = TheArena();
  const int cls = SizeClass(bytes);
  if (cls >= kClassCount) {
    std::fputs("vantor: low arena request too large\n", stderr);
    std::abort();
  }
  const std::size_t blockBytes = std::size_t{1} << (cls + kMinClassShift);
  unsigned char* block;
  if (FreeBlock* f = arena.freeLists[static_cast<std::size_t>(cls)]) {
    VANTOR_UNPOISON(f, sizeof(FreeBlock));
    arena.freeLists[static_cast<std::size_t>(cls)] = f->next;
    block = reinterpret_cast<unsigned char*>(f);
  } else {
    if (arena.used + blockBytes > kArenaBytes) {
      std::fputs("vantor: low arena exhausted\n", stderr);
      std::abort();
    }
    block = arena.base + arena.used;
    arena.used += blockBytes;
  }
  VANTOR_UNPOISON(block, blockBytes);
  std::memset(block, 0, blockBytes);
  std::memcpy(block, &cls, sizeof cls);
  return block + kHeaderBytes;
}

void LowFree(void* p) {
  if (p == nullptr) return;
  unsigned char* block = static_cast<unsigned char*>(p) - kHeaderBytes;
  assert(IsLowAddress(block));
  int cls;
  std::memcpy(&cls, block, sizeof cls);
  const std::size_t blockBytes = std::size_t{1} << (cls + kMinClassShift);
  Arena& arena = TheArena();
  auto* f = reinterpret_cast<FreeBlock*>(block);
  f->next = arena.freeLists[static_cast<std::size_t>(cls)];
  arena.freeLists[static_cast<std::size_t>(cls)] = f;
  VANTOR_POISON(block + sizeof(FreeBlock), blockBytes - sizeof(FreeBlock));
}

bool IsLowAddress(const void* p) {
  const Arena& arena = TheArena();
  const auto* b = static_cast<const unsigned char*>(p);
  return b >= arena.base && b < arena.base + kArenaBytes;
}

std::uint32_t ToU32(const void* p) {
  const auto address = reinterpret_cast<std::uintptr_t>(p);
  const auto narrow = static_cast<std::uint32_t>(address);
  if (static_cast<std::uintptr_t>(narrow) != address) {
    std::fprintf(stderr, "vantor: address %p does not fit a 32-bit field\n", p);
    std::abort();
  }
  return narrow;
}

}  // namespace toolbox
