// The hand-written wrappers of the services that exchange a record through a
// buffer: each passes its arguments in order and copies the record whole into
// the caller's buffer, and the small helpers built on them.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "frame/host_services.h"
#include "frame/recording_host.h"
#include "vantor/byte_access.h"

using namespace spiro;

namespace {

using RecordWrappers = RecordingHost;

struct StringRecordCase {
  int index;
  std::function<void(StringPtr)> call;
  std::vector<long double> arguments;
};

TEST_F(RecordWrappers, Str255ResultsArriveWholeWithTheArgumentsInOrder) {
  namespace s = vantor::service;
  const auto* format = reinterpret_cast<const vantor::BlockTimeFormat*>(0x7100);
  std::int32_t a = 0;
  std::int32_t b = 0;
  const std::vector<StringRecordCase> cases = {
      {s::HostGetDialogItemText, [](StringPtr t) { HostGetDialogItemText(kDialog, 5, t); },
       Arguments(kStr255Out, kDialog, 5)},
      {s::HostDoubleToString, [](StringPtr t) { HostDoubleToString(t, 2.5, 3, true); },
       Arguments(kStr255Out, 2.5, 3, 1)},
      {s::HostGetListString, [](StringPtr t) { HostGetListString(kHandle, 20, t); },
       Arguments(kHandle, 20, kStr255Out)},
      {s::HostFormatNumber336, [&](StringPtr t) { HostFormatNumber336(1234, format, 0, 1, t); },
       Arguments(1234, format, 0, 1, kStr255Out)},
      {s::HostFormatNumber340,
       [](StringPtr t) { HostFormatNumber340(-0.25, kScaling, 0, 1, 2, t); },
       Arguments(-0.25, kScaling, 0, 1, 2, kStr255Out)},
      {s::HostService343, [](StringPtr t) { HostService343(t, kScaling); },
       Arguments(kStr255Out, kScaling)},
      {s::HostService437, [&](StringPtr t) { HostService437(4100, &a, &b, t); },
       Arguments(4100, &a, &b, kStr255Out)},
      {s::HostGetChannelName, [](StringPtr t) { HostGetChannelName(3, t); },
       Arguments(3, kStr255Out)},
      {s::HostService528, [](StringPtr t) { HostService528(t, 1); }, Arguments(kStr255Out, 1)},
      {s::HostService608, [](StringPtr t) { HostService608(t, 5); }, Arguments(kStr255Out, 5)},
      {s::HostGetExtensionName, [](StringPtr t) { HostGetExtensionName(-2, t); },
       Arguments(-2, kStr255Out)},
  };
  for (const StringRecordCase& c : cases) {
    SCOPED_TRACE(c.index);
    Str255 text{};
    c.call(text);
    EXPECT_TRUE(LastCallWas(c.index, c.arguments));
    EXPECT_TRUE(HoldsResultOf(text, c.index));
  }
}

// Records that services return by a hidden buffer arrive whole in the caller's.
void FillTextBufferRecord(unsigned char* record, const Rect*, std::int16_t, std::int16_t) {
  for (std::size_t i = 0; i < vantor::kTextBufferRecordBytes; ++i) {
    record[i] = static_cast<unsigned char>(i + 1);
  }
}

TEST_F(RecordWrappers, TextBufferRecordIsCopiedWhole) {
  vantor::SetService<45>(Table(), &FillTextBufferRecord);
  unsigned char record[vantor::kTextBufferRecordBytes + 1];
  std::memset(record, 0xAA, sizeof record);
  const Rect bounds{0, 0, 13, 200};
  HostService45(record, &bounds, 1, 0);
  for (std::size_t i = 0; i < vantor::kTextBufferRecordBytes; ++i) {
    EXPECT_EQ(static_cast<std::size_t>(record[i]), i + 1) << "byte " << i;
  }
  EXPECT_EQ(record[vantor::kTextBufferRecordBytes], 0xAA) << "wrote past the record";
}

// Reads the packed pair the way the host does.
std::int32_t PositionFromPacked(void*, const void* packed) {
  return vantor::LoadAt<std::int16_t>(packed, vantor::kBlockOffsetBlockAt) * 1000 +
         vantor::LoadAt<std::int16_t>(packed, vantor::kBlockOffsetOffsetAt);
}

TEST_F(RecordWrappers, PositionOfBlockOffsetHandsThePackedPairToTheHost) {
  vantor::SetService<465>(Table(), &PositionFromPacked);
  EXPECT_EQ(DataPositionOfBlockOffset(MakeBlockOffset(7, 250)), 7250);
  EXPECT_EQ(DataPositionOfBlockOffset(MakeBlockOffset(-1, -2)), -1002) << "both halves signed";
}

// Service 404's outputs, told apart by value.
void FourOutputs(void*, double* first, double* second, double* third, double* fourth) {
  *first = 1.5;
  *second = 2.5;
  *third = 3.5;
  *fourth = 4.5;
}

TEST_F(RecordWrappers, Service404ForwardersReturnTheirOwnOutput) {
  vantor::SetService<404>(Table(), &FourOutputs);
  double value = 0;
  HostService404First(kScale, &value);
  EXPECT_EQ(value, 1.5);
  HostService404Second(kScale, &value);
  EXPECT_EQ(value, 2.5);
}

}  // namespace
