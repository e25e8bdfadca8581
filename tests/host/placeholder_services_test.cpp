// Placeholders fill exactly the declared services that nothing else defined,
// note their calls, and answer with neutral values.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "host/host_context.h"
#include "host/service_table.h"
#include "vantor/services.h"

namespace {

template <int Index>
concept Declared = requires { typename vantor::ServiceSignature<Index>::Type; };

template <int... Indices>
std::vector<bool> DeclaredIndices(std::integer_sequence<int, Indices...>) {
  return {Declared<Indices>...};
}

void OwnAlert(ConstStr255Param) {}

class PlaceholderServices : public ::testing::Test {
 protected:
  void SetUp() override {
    table_ = std::make_unique<vantor::ServiceTable>();
    host::ResetHostContext();
  }
  vantor::ServiceTable& Table() { return *table_; }

 private:
  std::unique_ptr<vantor::ServiceTable> table_;
};

void ExpectExactlyTheDeclaredEntries(const vantor::ServiceTable& table) {
  const std::vector<bool> declared =
      DeclaredIndices(std::make_integer_sequence<int, vantor::kServiceCount>{});
  for (int i = 0; i < vantor::kServiceCount; ++i) {
    EXPECT_EQ(table.entries[i] != nullptr, declared[static_cast<std::size_t>(i)]) << "index " << i;
  }
}

TEST_F(PlaceholderServices, FillEveryDeclaredEntryAndNoOtherLeavingInstalledOnes) {
  vantor::SetService<vantor::service::HostAlert>(Table(), &OwnAlert);
  host::InstallPlaceholderServices(Table());
  ExpectExactlyTheDeclaredEntries(Table());
  EXPECT_EQ(vantor::ServiceAt<vantor::service::HostAlert>(Table()), &OwnAlert);
  EXPECT_TRUE(host::PlaceholderCalls().empty()) << "installing calls nothing";
}

// Every declared service is installed or a placeholder; installed groups are
// not overwritten by placeholders.
TEST(HostTable, HoldsExactlyTheDeclaredServicesWithTheGroupsInstalled) {
  ExpectExactlyTheDeclaredEntries(host::Services());
  host::ResetHostContext();
  Handle h = vantor::ServiceAt<vantor::service::HostNewHandle>(host::Services())(8);
  EXPECT_NE(h, nullptr);
  vantor::ServiceAt<vantor::service::HostDisposeHandle>(host::Services())(h);
  EXPECT_TRUE(host::PlaceholderCalls().empty());
}

// Calls are noted in order; results are neutral: zero, null, an empty Str255,
// and a text changed in place, a record or other outputs left as they were.
TEST_F(PlaceholderServices, RecordCallsInOrderAndAnswerNeutrally) {
  host::InstallPlaceholderServices(Table());
  const vantor::ServiceTable& table = Table();
  EXPECT_EQ(vantor::ServiceAt<85>(table)(reinterpret_cast<const unsigned char*>("\x02" "42")), 0);
  EXPECT_EQ(vantor::ServiceAt<212>(table)(nullptr, 6, 1.0, 10.0), 0.0);
  EXPECT_EQ(vantor::ServiceAt<307>(table)(16), nullptr);
  const Rect rect = vantor::ServiceAt<102>(table)(nullptr, 4);
  EXPECT_EQ(rect.top | rect.left | rect.bottom | rect.right, 0);
  EXPECT_EQ(host::PlaceholderCalls(), (std::vector<int>{85, 212, 307, 102}));

  Str255 name;
  std::memset(name, 'x', sizeof name);
  vantor::ServiceAt<vantor::service::HostGetChannelName>(table)(3, &name);
  EXPECT_EQ(name[0], 0);
  vantor::ServiceAt<vantor::service::HostGetChannelName>(table)(3, nullptr);
  Str255 unit = {3, 'L', '/', 's'};
  vantor::ServiceAt<vantor::service::HostService94>(table)(unit, 0);
  EXPECT_EQ(std::memcmp(unit, "\x03L/s", 4), 0);
  unsigned char range[vantor::kRangeRecordBytes];
  std::memset(range, 0x77, sizeof range);
  vantor::ServiceAt<vantor::service::HostGetRangeRecord521>(table)(range);
  EXPECT_EQ(range[0], 0x77);
  double outputs[4] = {9, 9, 9, 9};
  vantor::ServiceAt<404>(table)(nullptr, &outputs[0], &outputs[1], &outputs[2], &outputs[3]);
  EXPECT_EQ(outputs[2], 9.0);
}

}  // namespace
