// The Memory Manager: blocks below 4 GiB, handles that move unless locked,
// the allocation fault switch, block state, and stale or foreign handles.
#include "toolbox/memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "toolbox/toolbox_test.h"

namespace {

constexpr std::uintptr_t k4GiB = std::uintptr_t{1} << 32;

using MemoryTest = toolbox_test::ToolboxTest;

// Addresses round-trip a u32; a reused low block comes back zeroed.
TEST_F(MemoryTest, LowArenaAndMasterPointersLieBelow4GiBAndLowBlocksAreZeroed) {
  std::vector<void*> blocks;
  for (std::size_t bytes : {1u, 16u, 100u, 4096u, 70000u, 1u << 20}) {
    void* p = toolbox::LowAlloc(bytes);
    EXPECT_LT(reinterpret_cast<std::uintptr_t>(p) + bytes, k4GiB);
    EXPECT_EQ(toolbox::FromU32<void>(toolbox::ToU32(p)), p);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 16, 0u);
    std::memset(p, 0x5A, bytes);
    blocks.push_back(p);
  }
  for (void* p : blocks) toolbox::LowFree(p);
  auto* reused = static_cast<unsigned char*>(toolbox::LowAlloc(64));
  EXPECT_EQ(std::vector<unsigned char>(reused, reused + 64), std::vector<unsigned char>(64, 0));
  toolbox::LowFree(reused);

  Handle h = NewHandle(1 << 20);
  ASSERT_NE(h, nullptr);
  EXPECT_LT(reinterpret_cast<std::uintptr_t>(h), k4GiB);
  EXPECT_TRUE(toolbox::IsLowAddress(h));
  DisposeHandle(h);
}

TEST_F(MemoryTest, LockedBlockNeverMovesUnlockedOneMovesUnderScrambling) {
  Handle locked = NewHandle(64);
  Handle unlocked = NewHandle(64);
  ASSERT_TRUE(locked && unlocked);
  std::memset(*unlocked, 7, 64);
  HLock(locked);
  char* lockedBlock = *locked;
  // The old block is compared by address only, never dereferenced.
  const auto oldAddress = reinterpret_cast<std::uintptr_t>(*unlocked);
  Handle trigger = NewHandle(8);
  EXPECT_EQ(*locked, lockedBlock);
  EXPECT_NE(reinterpret_cast<std::uintptr_t>(*unlocked), oldAddress);
  EXPECT_EQ((*unlocked)[63], 7) << "contents move with the block";

  SetHandleSize(locked, 32);
  EXPECT_EQ(MemError(), noErr);
  EXPECT_EQ(*locked, lockedBlock) << "a locked block may shrink in place";
  SetHandleSize(locked, 4096);
  EXPECT_EQ(MemError(), memFullErr) << "a locked block cannot grow by moving";
  EXPECT_EQ(GetHandleSize(locked), 32);

  for (Handle h : {locked, unlocked, trigger}) DisposeHandle(h);
}

TEST_F(MemoryTest, NthAllocationFailsOnceWithMemError) {
  toolbox::FailAllocationAfter(3);
  Handle a = NewHandle(10);
  Ptr b = NewPtr(10);
  EXPECT_EQ(MemError(), noErr);
  EXPECT_EQ(NewHandle(10), nullptr);
  EXPECT_EQ(MemError(), memFullErr);
  Handle d = NewHandle(10);
  EXPECT_NE(d, nullptr) << "only the N-th allocation fails";
  EXPECT_EQ(MemError(), noErr);

  toolbox::FailAllocationAfter(1);
  SetHandleSize(a, 20);
  EXPECT_EQ(MemError(), memFullErr) << "a resize counts as an allocation";
  EXPECT_EQ(GetHandleSize(a), 10) << "a failed resize leaves the block as it was";

  toolbox::FailAllocationAfter(1);
  Handle copy = a;
  EXPECT_EQ(HandToHand(&copy), memFullErr);
  EXPECT_EQ(copy, a) << "a failed duplicate leaves the caller's handle";

  DisposeHandle(a);
  DisposePtr(b);
  DisposeHandle(d);
}

// A resize keeps what fits; a duplicate is a copy of its own and leaves the
// source's state (it is locked only while copied); a saved state comes back.
TEST_F(MemoryTest, ResizeKeepsContentsDuplicateCopiesTheBlockAndStatesAreRestored) {
  Handle h = NewHandle(4);
  std::memcpy(*h, "abcd", 4);
  SetHandleSize(h, 100000);
  ASSERT_EQ(MemError(), noErr);
  SetHandleSize(h, 3);
  EXPECT_EQ(std::string(*h, 3), "abc");
  HPurge(h);
  const SInt8 state = HGetState(h);
  Handle copy = h;
  ASSERT_EQ(HandToHand(&copy), noErr);
  EXPECT_NE(copy, h);
  EXPECT_EQ(HGetState(h), state);
  EXPECT_EQ(std::string(*copy, static_cast<std::size_t>(GetHandleSize(copy))), "abc");
  (*copy)[0] = 'j';
  EXPECT_EQ((*h)[0], 'a');

  HLock(h);
  const SInt8 lockedPurgeable = HGetState(h);
  HUnlock(h);
  HNoPurge(h);
  EXPECT_EQ(HGetState(h) & (kHandleLockedBit | kHandlePurgeableBit), 0);
  HSetState(h, lockedPurgeable);
  EXPECT_EQ(HGetState(h) & (kHandleLockedBit | kHandlePurgeableBit), kHandleLockedBit | kHandlePurgeableBit);
  HUnlock(h);
  DisposeHandle(h);
  DisposeHandle(copy);
}

TEST_F(MemoryTest, StaleAndForeignHandlesAreRefused) {
  Handle h = NewHandle(8);
  DisposeHandle(h);
  EXPECT_FALSE(toolbox::IsLiveHandle(h));
  EXPECT_EQ(GetHandleSize(h), 0);
  EXPECT_NE(MemError(), noErr);
  DisposeHandle(h);  // a second dispose is refused, not a double free
  EXPECT_NE(MemError(), noErr);

  char* notAMasterPointer = nullptr;
  Handle foreign = &notAMasterPointer;
  HLock(foreign);
  EXPECT_EQ(MemError(), nilHandleErr);
  DisposeHandle(nullptr);
  EXPECT_EQ(MemError(), nilHandleErr);
}

}  // namespace
