// The settings block: its size and layout as built, the restorations of
// stored values, and blocks from outside that lie about their sizes.
#include <cstring>
#include <limits>

#include "extension/spiro_settings.h"
#include "extension/spiro_window.h"
#include "frame/host_services_memory.h"
#include "support/service_spy.h"
#include "spiro_extension_fixture.h"

using namespace spiro;

namespace {

using namespace spirometry;
using vantor::LoadAt;
using vantor::StoreAt;

class SpiroSettingsTest : public SpiroExtensionTest {
 protected:
  void SetUp() override {
    SpiroExtensionTest::SetUp();
    ASSERT_NE(Open(), nullptr);
  }
  std::vector<unsigned char> Built() {
    const Handle block = BuildSettingsBlock(local_);
    EXPECT_NE(block, nullptr);
    std::vector<unsigned char> bytes(*block, *block + HostGetHandleSize(block));
    HostDisposeHandle(block);
    return bytes;
  }
  // The block as built with the "~Oth" payload's i16 at `at` replaced.
  std::vector<unsigned char> WithOption(std::size_t at, std::int16_t value) {
    auto bytes = Built();
    StoreAt<std::int16_t>(bytes.data(), 18 + at, value);
    return bytes;
  }
};

TEST_F(SpiroSettingsTest, BlockWithoutWindowsHoldsTheFixedEntriesAndTheTerminator) {
  Record().flowThreshold = 0.009765625f;
  const auto bytes = Built();
  ASSERT_EQ(bytes.size(), 94u);
  EXPECT_EQ(LoadAt<std::uint16_t>(bytes.data(), 0), 0x1001);
  EXPECT_EQ(LoadAt<std::uint32_t>(bytes.data(), 2), 94u);
  EXPECT_EQ(LoadAt<std::uint32_t>(bytes.data(), 10), kOptionsTag);
  EXPECT_EQ(LoadAt<std::int16_t>(bytes.data(), 32), 20);  // threshold × 2048
  EXPECT_EQ(LoadAt<std::uint32_t>(bytes.data(), 34), kSubjectTag);
  EXPECT_EQ(LoadAt<std::uint32_t>(bytes.data(), 86), 0u);
  EXPECT_EQ(LoadAt<std::uint32_t>(bytes.data(), 90), 0u);
}

TEST_F(SpiroSettingsTest, WindowEntriesFollowTheFixedOnesAndSurviveTheirWindowsClosing) {
  PerformShorts(0, kPlotWindow, 1);
  PerformShorts(0, kDataWindow, 0);
  ASSERT_NE(WindowOfKind(local_, kPlotWindow), nullptr);
  const auto bytes = Built();
  ASSERT_EQ(bytes.size(), 86u + 22u + 20u + 8u);
  EXPECT_EQ(LoadAt<std::uint32_t>(bytes.data(), 86), FourCharCode("FVvT"));
  EXPECT_EQ(LoadAt<std::uint16_t>(bytes.data(), 94), 0x1002);
  EXPECT_EQ(bytes[96], 0);  // hidden
  EXPECT_EQ(LoadAt<std::uint32_t>(bytes.data(), 108), FourCharCode("FlVl"));
  EXPECT_EQ(bytes[118], 1);  // shown
  const Rect saved = LoadAt<Rect>(bytes.data(), 120);
  EXPECT_EQ(saved.right - saved.left, 420);

  // Kept in savedState, the entries outlive the windows' records.
  Record().savedState = BuildSettingsBlock(local_);
  DisposeWindowRecord(kPlotWindow, local_);
  DisposeWindowRecord(kDataWindow, local_);
  EXPECT_EQ(Built().size(), bytes.size());
}

TEST_F(SpiroSettingsTest, SwappingToStorageAndBackGivesTheBytesBack) {
  PerformShorts(0, kReportWindow, 1);
  PerformShorts(0, kDataWindow, 1);
  const auto native = Built();
  auto bytes = native;
  ASSERT_EQ(SwapSettingsBlock(bytes.data(), static_cast<std::uint32_t>(bytes.size()), true), 0);
  EXPECT_EQ(bytes[0], 0x10);  // big-endian version
  EXPECT_EQ(std::memcmp(bytes.data() + 108, "Rprt", 4), 0);  // tags stored as text
  ASSERT_EQ(SwapSettingsBlock(bytes.data(), static_cast<std::uint32_t>(bytes.size()), false), 0);
  EXPECT_EQ(bytes, native);

  auto small = std::vector<unsigned char>(native.begin(), native.begin() + 85);
  EXPECT_EQ(SwapSettingsBlock(small.data(), 85, true), kSettingsTooSmall);
  EXPECT_TRUE(std::equal(small.begin(), small.end(), native.begin()));

  // The swap stops at an entry running past the block: the first window's
  // entry is cut after its header.
  auto cut = std::vector<unsigned char>(native.begin(), native.begin() + 86 + 8 + 6);
  ASSERT_EQ(SwapSettingsBlock(cut.data(), static_cast<std::uint32_t>(cut.size()), true), 0);
  EXPECT_TRUE(std::equal(cut.begin() + 94, cut.end(), native.begin() + 94));
  ASSERT_EQ(SwapSettingsBlock(cut.data(), static_cast<std::uint32_t>(cut.size()), false), 0);
  EXPECT_TRUE(std::equal(cut.begin(), cut.end(), native.begin()));
}

struct Restoration {
  std::size_t at;       // in the payload of its entry
  bool subject;         // "~Sbj" rather than "~Oth"
  double stored;
  double restored;
};

class SpiroRestorationTest : public SpiroSettingsTest,
                             public ::testing::WithParamInterface<Restoration> {};

TEST_P(SpiroRestorationTest, StoredValuesAreClampedOnRestore) {
  const Restoration r = GetParam();
  auto bytes = Built();
  const std::size_t payload = r.subject ? 42 : 18;
  if (!r.subject && r.at == 4) {
    StoreAt<float>(bytes.data(), payload + 4, static_cast<float>(r.stored));
  } else {
    StoreAt<std::int16_t>(bytes.data(), payload + r.at, static_cast<std::int16_t>(r.stored));
  }
  PerformSettings(kWholeBlockType, bytes, 94);
  const LocalDataType& record = Record();
  const double value = r.subject                ? record.subjectSex
                       : r.at == 4              ? record.forcedFactor
                       : r.at == 12             ? record.reportGraph
                                                : static_cast<double>(record.flowThreshold);
  EXPECT_EQ(value, r.restored);
}

INSTANTIATE_TEST_SUITE_P(
    Clamps, SpiroRestorationTest,
    ::testing::Values(Restoration{14, false, 20, 0.009765625}, Restoration{14, false, 3000, 0.9765625}, Restoration{14, false, -5, 0.0},
                      Restoration{4, false, 0.5, 1.0}, Restoration{4, false, 12.0, 10.0},
                      Restoration{4, false, std::numeric_limits<double>::quiet_NaN(), 1.0},
                      Restoration{12, false, 7, 1.0}, Restoration{36, true, 7, 2.0}));

TEST_F(SpiroSettingsTest, EqualOptionsLeaveTheAnalysisAloneAndAChangeMakesItDue) {
  Record().analysisStatus = kAnalysisValid;
  PerformSettings(kWholeBlockType, Built(), 94);
  EXPECT_EQ(Record().analysisStatus, kAnalysisValid);
  PerformSettings(kWholeBlockType, WithOption(8, 3), 94);  // another flow channel
  EXPECT_EQ(Record().analysisStatus, kAnalysisDue);
  EXPECT_EQ(Record().flowChannel, 3);
}

// A whole block whose stated size is a byte off is ignored; entries running
// past the block are not applied.
TEST_F(SpiroSettingsTest, BlocksLyingAboutTheirSizes) {
  const auto five = WithOption(8, 5);
  PerformSettings(kWholeBlockType, five, 93);
  auto longer = five;
  longer.push_back(0);
  PerformSettings(kWholeBlockType, longer, 95);
  EXPECT_EQ(Record().flowChannel, 0);
  PerformSettings(kWholeBlockType, five, 94);
  EXPECT_EQ(Record().flowChannel, 5);

  auto bytes = Built();
  StoreAt<std::int16_t>(bytes.data(), 18 + 8, 4);        // flow channel 4 in "~Oth"
  StoreAt<std::int16_t>(bytes.data(), 42 + 34, 61);      // age in "~Sbj"
  StoreAt<std::uint32_t>(bytes.data(), 38, 5000);        // "~Sbj" claims 5000 bytes
  PerformSettings(kWholeBlockType, bytes, 94);
  EXPECT_EQ(Record().flowChannel, 4);
  EXPECT_EQ(Record().subjectAge, 0);
  // A single entry shorter than its payload changes nothing either.
  PerformSettings(kOptionsTag, std::vector<unsigned char>(bytes.begin() + 18, bytes.begin() + 30),
                  12);
  EXPECT_EQ(Record().flowChannel, 4);
}

TEST_F(SpiroSettingsTest, StoredNameLongerThanTheFieldIsCutTo31Characters) {
  auto bytes = Built();
  StoreAt<std::uint32_t>(bytes.data(), 38, 44 + 200);  // room for the long name's claim
  std::vector<unsigned char> subject(bytes.begin() + 42, bytes.begin() + 86);
  subject[2] = 200;
  for (std::size_t i = 3; i < 34; ++i) subject[i] = 'a';
  PerformSettings(kSubjectTag, subject, 44);
  EXPECT_EQ(Record().subjectName[0], 31);
  EXPECT_EQ(Record().subjectName[31], 'a');
}

TEST_F(SpiroSettingsTest, SavedAndLoadedSettingsComeBackThroughCommand25) {
  // The host hands the submitted block straight back as command 25.
  ServiceSpy<vantor::service::HostSubmitCommandBlock> deliver(
      [this](std::uint16_t, OSType type, std::int16_t size, const void* data) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        PerformSettings(type, size > 0 ? std::vector<unsigned char>(bytes, bytes + size)
                                       : std::vector<unsigned char>{}, size);
      });
  Record().subjectAge = 42;
  Record().forcedFactor = 3.0;
  MenuRequest(200, 0);
  ASSERT_NE(Record().savedState, nullptr);
  Record().subjectAge = 0;
  Record().forcedFactor = 2.0;
  MenuRequest(203, 2);  // asks for nothing
  EXPECT_EQ(Record().subjectAge, 0);
  MenuRequest(203, 0);
  EXPECT_EQ(Record().subjectAge, 42);
  EXPECT_EQ(Record().forcedFactor, 3.0);
}

}  // namespace
