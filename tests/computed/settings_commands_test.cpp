// Settings commands applied to the records, as the host hands them back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include "computed/computed_command.h"
#include "computed/flow_object.h"
#include "computed/volume_object.h"
#include "vantor/byte_access.h"
#include "toolbox/memory.h"
#include "vantor/command_record.h"

using namespace spiro;

namespace {

struct Record {
  unsigned char bytes[vantor::kCommandRecordBytes] = {};
};

template <class T>
Record Command(std::uint16_t code, T value) {
  Record r;
  vantor::StoreAt(r.bytes, vantor::kCommandCodeAt, code);
  vantor::StoreAt<std::int32_t>(r.bytes, vantor::kCommandIndexAt, 3);
  vantor::StoreAt(r.bytes, vantor::kCommandValueAt, value);
  return r;
}

// Only what the transform reads asks for new coefficients; an unknown code
// changes nothing.
TEST(FlowCommands, SpareFlagAndUnknownCodesAskForNoNewCoefficients) {
  RespFlowSettings s = flow::DefaultSettings(1);
  EXPECT_TRUE(flow::ApplyCommand(s, Command<std::uint8_t>(flow::kSetDriftCorrection, 1).bytes, 4));
  EXPECT_FALSE(flow::ApplyCommand(s, Command<std::uint8_t>(flow::kSetSpareFlag, 1).bytes, 4));
  EXPECT_EQ(s.spareFlag, 1);
  const RespFlowSettings before = s;
  EXPECT_FALSE(flow::ApplyCommand(s, Command<std::int16_t>(8201, 9).bytes, 4));
  EXPECT_EQ(std::memcmp(&before, &s, sizeof s), 0);
}

// The correction factor is held within its range (each submitted after 1.2
// is in force); the source is another channel of the document.
TEST(VolumeCommands, FactorAndSourceStayWithinTheirRange) {
  const volume::LocalDataType local{4, kStateHasSettings, 1, 2, nullptr, 6, 0};
  const std::pair<double, double> cases[] = {
      {5.0, 2.0}, {0.5, 0.9}, {1.5, 1.5}, {std::numeric_limits<double>::infinity(), 2.0},
      {std::nan(""), 1.2},  // not a number leaves the factor in force
  };
  for (const auto& [submitted, kept] : cases) {
    RespVolumeSettings s = volume::DefaultSettings(4);
    s.correctionFactor = 1.2;
    volume::ApplyCommand(s, Command(volume::kSetCorrectionFactor, submitted).bytes, local);
    EXPECT_EQ(double{s.correctionFactor}, kept) << submitted;
  }
  RespVolumeSettings s = volume::DefaultSettings(4);
  s.sourceIsComputed = 0;
  for (std::int16_t bad : {4, 0, 7, -2}) {
    volume::ApplyCommand(s, Command<std::int16_t>(kSetSourceChannel, bad).bytes, local);
    EXPECT_EQ(s.sourceChannel, 0) << bad;
  }
  volume::ApplyCommand(s, Command<std::int16_t>(kSetSourceChannel, 6).bytes, local);
  EXPECT_EQ(s.sourceChannel, 6);
  EXPECT_EQ(s.sourceIsComputed, 1);
}

// A whole settings record applies only from a record in the block layout: in
// any other layout the bytes at 8 and 10 are values, and following them as a
// size and an address read wherever they pointed.
TEST(WholeSettingsCommand, OnlyTheBlockLayoutIsFollowed) {
  RespFlowSettings submitted = flow::DefaultSettings(7);
  submitted.zeroOffset = 0.25;
  void* copy = toolbox::LowAlloc(sizeof submitted);
  std::memcpy(copy, &submitted, sizeof submitted);
  for (const std::int16_t format : {std::int16_t{25}, std::int16_t{18}, std::int16_t{28}}) {
    Record r;
    vantor::StoreAt(r.bytes, vantor::kCommandFormatAt, format);
    vantor::StoreAt(r.bytes, vantor::kCommandCodeAt, kSetWholeSettings);
    vantor::StoreAt<std::int16_t>(r.bytes, vantor::kCommandDataSizeAt, sizeof submitted);
    vantor::StoreAt(r.bytes, vantor::kCommandDataAddressAt, toolbox::ToU32(copy));
    RespFlowSettings s = flow::DefaultSettings(1);
    flow::ApplyCommand(s, r.bytes, 8);
    EXPECT_EQ(double{s.zeroOffset}, format == 28 ? 0.25 : 0.0) << "format " << format;
  }
  toolbox::LowFree(copy);
}

}  // namespace
