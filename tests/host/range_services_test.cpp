// Range services (511..524): the selection and the view as range records.
#include <gtest/gtest.h>

#include <array>

#include "host/document.h"
#include "host/selection.h"
#include "service_call.h"
#include "test_extensions.h"
#include "vantor/byte_access.h"
#include "vantor/range_record.h"

namespace {

using namespace vantor::service;
using testext::Call;
using Record = std::array<unsigned char, vantor::kRangeRecordBytes>;

Record Selection() {
  Record r;
  r.fill(0xCD);
  Call<HostGetRangeRecord521>(r.data());
  return r;
}

Record View() {
  Record r;
  r.fill(0xCD);
  Call<HostGetRangeRecord524>(r.data());
  return r;
}

std::int32_t Start(const Record& r) { return vantor::LoadAt<std::int32_t>(r.data(), vantor::kRangeStartAt); }
std::int32_t End(const Record& r) { return vantor::LoadAt<std::int32_t>(r.data(), vantor::kRangeEndAt); }

struct Ranges : testext::DocumentTest {
  void SetUp() override { Open(2, 100, 2); }
};

// The active range as extensions choose it: 521 when valid with 519, else 524.
Record Active() {
  const Record s = Selection();
  return Call<HostRangeIsValid>(s.data()) && Call<HostRangeProperty519>(s.data()) ? s : View();
}

TEST_F(Ranges, NoSelectionFallsBackToTheWholeDocument) {
  const Record s = Selection();
  EXPECT_FALSE(Call<HostRangeIsValid>(s.data()));
  EXPECT_FALSE(Call<HostRangeProperty516>(s.data()));
  const Record active = Active();
  EXPECT_TRUE(Call<HostRangeIsValid>(active.data()));
  EXPECT_EQ(Start(active), 0);
  EXPECT_EQ(End(active), 200);
  EXPECT_TRUE(Call<HostRangeProperty516>(active.data()));
}

TEST_F(Ranges, ASelectionOfSamplesIsTheActiveRange) {
  host::ChangeSelection(*document, {120, 180}, 1);
  const Record s = Selection();
  EXPECT_TRUE(Call<HostRangeIsValid>(s.data()));
  EXPECT_TRUE(Call<HostRangeProperty516>(s.data()));
  EXPECT_FALSE(Call<HostRangeProperty518>(s.data()));
  EXPECT_TRUE(Call<HostRangeProperty519>(s.data()));
  EXPECT_EQ(Start(Active()), 120);
  EXPECT_EQ(End(Active()), 180);
}

TEST_F(Ranges, APointOrASelectionOutsideTheDataViewActsOnTheView) {
  host::ChangeSelection(*document, {50, 50});
  Record s = Selection();
  EXPECT_TRUE(Call<HostRangeIsValid>(s.data()));
  EXPECT_TRUE(Call<HostRangeProperty518>(s.data())) << "a position without extent";
  EXPECT_FALSE(Call<HostRangeProperty516>(s.data()));
  EXPECT_FALSE(Call<HostRangeProperty519>(s.data()));
  document->selection().SetView({100, 200});
  EXPECT_EQ(Start(Active()), 100);
  host::ChangeSelection(*document, {10, 20});
  document->selection().SetInDataView(false);
  s = Selection();
  EXPECT_TRUE(Call<HostRangeProperty516>(s.data()));
  EXPECT_FALSE(Call<HostRangeProperty519>(s.data()));
  EXPECT_EQ(Start(Active()), 100);
}

TEST_F(Ranges, RecordsAreCheckedAgainstTheCurrentDocument) {
  host::ChangeSelection(*document, {0, 200});
  const Record s = Selection();
  auto other = testext::MakeDocument(1, 10);
  host::SetCurrentDocument(other.get());
  EXPECT_FALSE(Call<HostRangeIsValid>(s.data())) << "made for another document";
  host::SetCurrentDocument(document.get());
  EXPECT_TRUE(Call<HostRangeIsValid>(s.data()));
  Record forged = s;
  vantor::StoreAt<std::int32_t>(forged.data(), vantor::kRangeEndAt, 201);
  EXPECT_FALSE(Call<HostRangeIsValid>(forged.data())) << "past the document's end";
  vantor::StoreAt<std::int32_t>(forged.data(), vantor::kRangeEndAt, -1);
  EXPECT_FALSE(Call<HostRangeProperty516>(forged.data()));
  Record zeros{};
  EXPECT_FALSE(Call<HostRangeIsValid>(zeros.data()));
  host::SetCurrentDocument(nullptr);
  EXPECT_FALSE(Call<HostRangeIsValid>(View().data()));
}

}  // namespace
