// The range helpers: a property of the current range holds only when record
// 521 is valid and has that property; the active range is 521 when property
// 519 holds, else 524.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "frame/host_services.h"
#include "frame/recording_host.h"

using namespace spiro;

namespace {

// Records 521 and 524 are told apart by their bytes. The fakes answer from
// per-service flags and note which record they were asked about.
constexpr unsigned char kMark521 = 0x21;
constexpr unsigned char kMark524 = 0x24;
bool gValid = false;
bool gHas516 = false;
bool gHas518 = false;
bool gHas519 = false;
unsigned char gLastAsked = 0;

void Record521(unsigned char* range) { std::memset(range, kMark521, vantor::kRangeRecordBytes); }
void Record524(unsigned char* range) { std::memset(range, kMark524, vantor::kRangeRecordBytes); }
template <const bool& kAnswer>
bool Answer(const unsigned char* range) {
  gLastAsked = range[vantor::kRangeRecordBytes - 1];
  return kAnswer;
}

// Parameter: (record 521 valid, the property under test holds); every other
// property answers the opposite, so a helper that asks the wrong one fails.
class RangeHelpers : public RecordingHost,
                     public ::testing::WithParamInterface<std::tuple<bool, bool>> {
 protected:
  void SetUp() override {
    RecordingHost::SetUp();
    vantor::SetService<521>(Table(), &Record521);
    vantor::SetService<524>(Table(), &Record524);
    vantor::SetService<511>(Table(), &Answer<gValid>);
    vantor::SetService<516>(Table(), &Answer<gHas516>);
    vantor::SetService<518>(Table(), &Answer<gHas518>);
    vantor::SetService<519>(Table(), &Answer<gHas519>);
    gValid = std::get<0>(GetParam());
    gLastAsked = 0;
  }
  bool Holds() const { return std::get<1>(GetParam()); }
  void OnlyThisPropertyMatches(bool& property) {
    gHas516 = gHas518 = gHas519 = !Holds();
    property = Holds();
  }
  bool Expected() const { return gValid && Holds(); }
};

TEST_P(RangeHelpers, PropertyHoldsOnlyForAValidRecord521) {
  OnlyThisPropertyMatches(gHas516);
  EXPECT_EQ(RangeHasProperty516(), Expected());
  EXPECT_EQ(gLastAsked, kMark521);
  OnlyThisPropertyMatches(gHas518);
  EXPECT_EQ(RangeHasProperty518(), Expected());
  EXPECT_EQ(gLastAsked, kMark521);
  OnlyThisPropertyMatches(gHas519);
  EXPECT_EQ(RangeHasProperty519(), Expected());
  EXPECT_EQ(gLastAsked, kMark521);
}

TEST_P(RangeHelpers, ActiveRangeIs521OnlyWhenProperty519Holds) {
  OnlyThisPropertyMatches(gHas519);
  unsigned char range[vantor::kRangeRecordBytes + 1];
  std::memset(range, 0, sizeof range);
  GetActiveRangeRecord(range);
  const unsigned char mark = Expected() ? kMark521 : kMark524;
  for (std::size_t i = 0; i < vantor::kRangeRecordBytes; ++i) {
    ASSERT_EQ(range[i], mark) << "byte " << i;
  }
  EXPECT_EQ(range[vantor::kRangeRecordBytes], 0) << "wrote past the record";
}

INSTANTIATE_TEST_SUITE_P(ValidAndProperty, RangeHelpers,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()));

}  // namespace
