// Command submission (services 3, 7..28): filing, delivery as records,
// re-entrancy, swap procedures, data copies, replay and the journal blob.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "host/command_delivery.h"
#include "host/command_journal.h"
#include "host/document.h"
#include "host/extension_locals.h"
#include "service_call.h"
#include "test_extensions.h"
#include "vantor/byte_access.h"
#include "vantor/command_record.h"

namespace {

using namespace vantor::service;
using testext::Call;
using testext::Windows;

struct Commands : testext::DocumentTest {
  void SetUp() override {
    Open(1, 4);
    ASSERT_TRUE(document->extensions().Open(window));
    Windows().Clear();
  }
  std::uint16_t Key(std::uint16_t code) const { return testext::KeyOf(code, window); }
  host::Extension window = testext::MakeWindowExtension();
};

template <class T>
T ValueAt(const testext::DeliveredCommand& c, std::size_t offset) {
  return vantor::LoadAt<T>(c.values.data(), offset - vantor::kCommandValueAt);
}

TEST_F(Commands, EachServiceDeliversItsLayoutAndValueFormat) {
  Call<HostSubmitCommandShort>(Key(40), std::int32_t{2}, std::int16_t{-7});
  Call<HostSubmitCommandShortPairAlt>(Key(41), std::int32_t{2}, std::int16_t{1}, std::int16_t{0});
  Call<HostSubmitCommandShortPair>(Key(42), std::int32_t{1}, std::int16_t{30}, std::int16_t{40});
  Call<HostSubmitCommandFlag>(Key(43), std::int32_t{3}, true);
  const Rect output{10, 20, 110, 220};
  Call<HostSubmitCommandData>(Key(44), std::int32_t{3}, static_cast<const void*>(&output));
  Call<HostSubmitCommandDouble>(Key(45), std::int32_t{1}, 0.125);
  Call<HostSubmitCommandDoublePair>(Key(46), std::int32_t{2}, 1.5, -2.5);
  const auto& got = Windows().commands;
  ASSERT_EQ(got.size(), 7u);
  const std::int16_t formats[] = {7, 8, 10, 16, 17, 18, vantor::kDoublePairFormat};
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].valueFormat, formats[i]);
    EXPECT_EQ(got[i].localCode, 40 + i);
  }
  EXPECT_EQ(got[0].index, 2);
  EXPECT_EQ(ValueAt<std::int16_t>(got[0], 8), -7);
  EXPECT_EQ(ValueAt<std::int16_t>(got[1], 10), 0);
  EXPECT_EQ(ValueAt<std::int16_t>(got[2], 8), 30);
  EXPECT_EQ(ValueAt<std::int16_t>(got[2], 10), 40);
  EXPECT_EQ(ValueAt<std::uint8_t>(got[3], 8), 1);
  EXPECT_EQ(ValueAt<std::int16_t>(got[4], 14), 220) << "the Rect's right";
  EXPECT_DOUBLE_EQ(ValueAt<double>(got[5], 8), 0.125);
  EXPECT_DOUBLE_EQ(ValueAt<double>(got[6], 16), -2.5);
  EXPECT_EQ(document->journal().entries().size(), 7u) << "every delivered command is filed";
}

TEST_F(Commands, MenuCommandsReachOpenWindowExtensionsWithEveryField) {
  document->extensions().SendMenuCommand(7, -2, 0xDEADBEEF);
  using Sent = testext::WindowLog::MenuCommand;
  EXPECT_EQ(Windows().menuCommands, (std::vector<Sent>{{7, 0xDEADBEEF, -2}}));
  document->SetTitle(1, "Renamed");
  EXPECT_EQ(Windows().menuCommands.back(), (Sent{402, 1, 0})) << "a channel's new title";
}

TEST_F(Commands, BlockDataIsCopiedAndNeverReadPastItsSize) {
  // Exactly four bytes on the heap: reading a fifth faults under ASan.
  auto payload = std::make_unique<unsigned char[]>(4);
  std::memcpy(payload.get(), "\x01\x02\x03\x04", 4);
  Call<HostSubmitCommandBlock>(Key(25), OSType{0x7E4F7468}, std::int16_t{4},
                               static_cast<const void*>(payload.get()));
  payload[0] = 0xEE;  // the host kept its own copy
  Call<HostSubmitCommandBlock>(Key(25), OSType{0x2A2A2A2A}, std::int16_t{0}, static_cast<const void*>(nullptr));
  Call<HostSubmitCommandBlock>(Key(25), OSType{0x2A2A2A2A}, std::int16_t{-3},
                               static_cast<const void*>(payload.get()));
  const auto& got = Windows().commands;
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].index, 0x7E4F7468) << "the type at 4";
  EXPECT_EQ(got[0].dataSize, 4);
  EXPECT_EQ(got[0].data, (std::vector<unsigned char>{1, 2, 3, 4}));
  EXPECT_EQ(document->journal().entries()[0].values, (std::vector<unsigned char>{1, 2, 3, 4}));
  for (int i : {1, 2}) {
    EXPECT_EQ(got[static_cast<std::size_t>(i)].dataSize, 0) << "nothing to apply";
    EXPECT_EQ(ValueAt<std::uint32_t>(got[static_cast<std::size_t>(i)], 10), 0u) << "and no address";
  }
}

TEST_F(Commands, UnknownKeysAndAbsentTargetsGoNowhere) {
  Call<HostSubmitCommandShort>(std::uint16_t{0}, std::int32_t{1}, std::int16_t{1});
  Call<HostSubmitCommandShort>(std::uint16_t{32767}, std::int32_t{1}, std::int16_t{1});
  Call<HostSubmitCommandData>(Key(44), std::int32_t{1}, static_cast<const void*>(nullptr));
  document->extensions().Close(window.hostRef);
  Call<HostSubmitCommandShort>(Key(40), std::int32_t{1}, std::int16_t{1});
  host::SetCurrentDocument(nullptr);
  Call<HostSubmitCommandShort>(Key(40), std::int32_t{1}, std::int16_t{1});
  EXPECT_TRUE(Windows().commands.empty());
  EXPECT_TRUE(document->journal().empty());
}

// Stores a 16-bit count and a 32-bit value big-endian; refuses other sizes.
std::int32_t SwapCountAndValue(void* data, std::uint32_t, std::uint32_t size, bool) {
  if (size != 6) return -4940;
  auto* p = static_cast<unsigned char*>(data);
  std::swap(p[0], p[1]);
  std::swap(p[2], p[5]);
  std::swap(p[3], p[4]);
  return 0;
}

TEST_F(Commands, SwapProceduresAreKeptOnlyForMappedKeysUntilRemoved) {
  Call<HostSetCommandSwapProc>(std::uint16_t{32000}, &SwapCountAndValue);
  EXPECT_EQ(host::CommandSwapProcFor(32000), nullptr) << "only for mapped keys";
  Call<HostSetCommandSwapProc>(Key(26), &SwapCountAndValue);
  EXPECT_NE(host::CommandSwapProcFor(Key(26)), nullptr);
  Call<HostSetCommandSwapProc>(Key(26), vantor::CommandSwapProc{nullptr});
  EXPECT_EQ(host::CommandSwapProcFor(Key(26)), nullptr) << "null removes it";
}

// A command submitted while another is performed is delivered at once and
// filed after it; data is filed in storage order by the key's swap procedure
// and converted back before delivery. Reopened, the journal replays the
// top-level commands and the echo is regenerated.
TEST_F(Commands, DeliveryIsReentrantAndTheJournalReplaysTopLevelCommandsOnReopening) {
  Call<HostSetCommandSwapProc>(Key(25), &SwapCountAndValue);
  Windows().echoTrigger = 31;
  Call<HostSubmitCommandShort>(Key(31), std::int32_t{2}, std::int16_t{0});
  unsigned char native[6];
  vantor::StoreAt<std::uint16_t>(native, 0, 0x0102);
  vantor::StoreAt<std::uint32_t>(native, 2, 0x0A0B0C0D);
  Call<HostSubmitCommandBlock>(Key(25), OSType{1}, std::int16_t{6}, static_cast<const void*>(native));
  const unsigned char odd[3] = {9, 8, 7};
  Call<HostSubmitCommandBlock>(Key(25), OSType{1}, std::int16_t{3}, static_cast<const void*>(odd));
  Call<HostSubmitCommandDoublePair>(Key(29), std::int32_t{2}, 0.5, -0.5);
  const auto before = Windows().commands;
  ASSERT_EQ(before.size(), 5u);
  EXPECT_EQ(before[1].localCode, 0) << "delivered while 31 was being performed";
  EXPECT_EQ(before[1].depth, 1);
  EXPECT_EQ(std::memcmp(before[2].data.data(), native, 6), 0) << "converted back before delivery";
  EXPECT_EQ(before[3].data, (std::vector<unsigned char>{9, 8, 7}));
  EXPECT_EQ(host::DeliveryDepth(), 0);
  const auto& filed = document->journal().entries();
  ASSERT_EQ(filed.size(), 5u);
  EXPECT_EQ(std::vector<int>({filed[0].depth, filed[1].depth}), std::vector<int>({0, 1}));
  EXPECT_TRUE(filed[2].storedSwapped);
  EXPECT_EQ(filed[2].values, (std::vector<unsigned char>{1, 2, 0x0A, 0x0B, 0x0C, 0x0D})) << "big-endian";
  EXPECT_FALSE(filed[3].storedSwapped) << "refused by the procedure: filed as it came";
  EXPECT_EQ(filed[3].values, (std::vector<unsigned char>{9, 8, 7}));
  const std::vector<unsigned char> blob = document->journal().Serialise();

  document = testext::MakeDocument(1, 4);
  host::SetCurrentDocument(document.get());
  ASSERT_TRUE(document->extensions().Open(window));
  std::string error;
  auto journal = host::CommandJournal::Deserialise(blob, &error);
  ASSERT_TRUE(journal) << error;
  for (const auto& entry : journal->entries()) document->journal().Append(entry);
  Windows().commands.clear();
  EXPECT_EQ(host::ReplayJournal(*document), 4) << "the echo is regenerated, not replayed";
  const auto& after = Windows().commands;
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(after[i].localCode, before[i].localCode);
    EXPECT_EQ(after[i].valueFormat, before[i].valueFormat);
    if (after[i].valueFormat != 28) {
      EXPECT_EQ(after[i].values, before[i].values);
    }
    EXPECT_EQ(after[i].data, before[i].data);
  }
  EXPECT_EQ(document->journal().entries().size(), 5u) << "replay files nothing";
}

TEST(CommandJournalBlob, RoundTripsAndRefusesDamage) {
  using Kind = host::JournalEntry::Kind;
  host::JournalEntry a{Kind::kCommand, "Main3", "Spirometry Flow", 18, 8196, 3,
                       std::vector<unsigned char>(8), false, 0};
  const double value = 2.75;
  std::memcpy(a.values.data(), &value, 8);
  host::CommandJournal journal;
  journal.Append(a);
  journal.Append({Kind::kSourceChange, "Main3", "Spirometry Flow", 0, 8196, 3, {5, 0}, false, 2});
  const auto blob = journal.Serialise();
  EXPECT_EQ(blob[50], 0x40) << "the double is stored big-endian";
  const auto back = host::CommandJournal::Deserialise(blob, nullptr);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->entries(), journal.entries());
  for (std::size_t cut = 0; cut < blob.size(); ++cut) {
    std::string error;
    EXPECT_FALSE(host::CommandJournal::Deserialise(std::span(blob.data(), cut), &error)) << cut;
    EXPECT_FALSE(error.empty());
  }
  auto longer = blob;
  longer.push_back(0);
  EXPECT_FALSE(host::CommandJournal::Deserialise(longer, nullptr));
  auto lying = blob;
  lying[9] = 0xFF;  // claims 255 entries
  EXPECT_FALSE(host::CommandJournal::Deserialise(lying, nullptr));
}

}  // namespace
