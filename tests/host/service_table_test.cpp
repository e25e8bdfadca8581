// The host's table: it lies below 4 GiB and holds exactly the declared
// services, those nothing else defines as placeholders that note their calls
// and answer neutrally; and the services that do more than pass their
// arguments on to the Toolbox (memory sizes, extension resources).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "host/bundle.h"
#include "host/host_context.h"
#include "service_call.h"
#include "toolbox/memory.h"
#include "toolbox/resources.h"

namespace {

using namespace vantor::service;
using testext::Call;

template <int Index>
concept Declared = requires { typename vantor::ServiceSignature<Index>::Type; };

template <int... Indices>
std::vector<bool> DeclaredIndices(std::integer_sequence<int, Indices...>) {
  return {Declared<Indices>...};
}

void ExpectExactlyTheDeclaredEntries(const vantor::ServiceTable& table) {
  const std::vector<bool> declared = DeclaredIndices(std::make_integer_sequence<int, vantor::kServiceCount>{});
  for (int i = 0; i < vantor::kServiceCount; ++i) {
    EXPECT_EQ(table.entries[i] != nullptr, declared[static_cast<std::size_t>(i)]) << "index " << i;
  }
}

void OwnAlert(ConstStr255Param) {}

TEST(HostTable, LiesLowAndHoldsExactlyTheDeclaredServicesWithTheGroupsInstalled) {
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&host::Services()), host::ServicesAddress());
  ExpectExactlyTheDeclaredEntries(host::Services());
  host::ResetHostContext();
  Call<HostDisposeHandle>(Call<HostNewHandle>(std::uint32_t{8}));
  EXPECT_TRUE(host::PlaceholderCalls().empty()) << "memory is installed, not a placeholder";

  auto table = std::make_unique<vantor::ServiceTable>();
  vantor::SetService<HostAlert>(*table, &OwnAlert);
  host::InstallPlaceholderServices(*table);
  ExpectExactlyTheDeclaredEntries(*table);
  EXPECT_EQ(vantor::ServiceAt<HostAlert>(*table), &OwnAlert) << "an installed service is left alone";
  EXPECT_TRUE(host::PlaceholderCalls().empty()) << "installing calls nothing";
}

// Calls are noted in order; results are neutral: zero, null, an empty Str255,
// and a text changed in place, a record or other outputs left as they were.
TEST(PlaceholderServices, RecordCallsInOrderAndAnswerNeutrally) {
  host::ResetHostContext();
  auto owned = std::make_unique<vantor::ServiceTable>();
  host::InstallPlaceholderServices(*owned);
  const vantor::ServiceTable& table = *owned;
  EXPECT_EQ(vantor::ServiceAt<85>(table)(reinterpret_cast<const unsigned char*>("\x02" "42")), 0);
  EXPECT_EQ(vantor::ServiceAt<212>(table)(nullptr, 6, 1.0, 10.0), 0.0);
  EXPECT_EQ(vantor::ServiceAt<307>(table)(16), nullptr);
  const Rect rect = vantor::ServiceAt<102>(table)(nullptr, 4);
  EXPECT_EQ(rect.top | rect.left | rect.bottom | rect.right, 0);
  EXPECT_EQ(host::PlaceholderCalls(), (std::vector<int>{85, 212, 307, 102}));

  Str255 name;
  std::memset(name, 'x', sizeof name);
  vantor::ServiceAt<HostGetChannelName>(table)(3, &name);
  EXPECT_EQ(name[0], 0);
  vantor::ServiceAt<HostGetChannelName>(table)(3, nullptr);
  Str255 unit = {3, 'L', '/', 's'};
  vantor::ServiceAt<HostService94>(table)(unit, 0);
  EXPECT_EQ(std::memcmp(unit, "\x03L/s", 4), 0);
  unsigned char range[vantor::kRangeRecordBytes];
  std::memset(range, 0x77, sizeof range);
  vantor::ServiceAt<HostGetRangeRecord521>(table)(range);
  EXPECT_EQ(range[0], 0x77);
  double outputs[4] = {9, 9, 9, 9};
  vantor::ServiceAt<404>(table)(nullptr, &outputs[0], &outputs[1], &outputs[2], &outputs[3]);
  EXPECT_EQ(outputs[2], 9.0);
}

TEST(HostMemoryServices, SizesPastTheSignedRangeAreRefusedNotWrapped) {
  Handle h = Call<HostNewHandle>(std::uint32_t{16});
  ASSERT_NE(h, nullptr);
  Call<HostSetHandleSize>(h, std::uint32_t{0x90000000u});
  EXPECT_EQ(MemError(), memFullErr);
  EXPECT_EQ(Call<HostGetHandleSize>(h), 16u);
  EXPECT_EQ(Call<HostNewHandle>(std::uint32_t{0xFFFFFFFFu}), nullptr);
  Call<HostDisposeHandle>(h);
}

TEST(HostExtensionServices, ExtensionResourcesBracketTheCurrentFile) {
  std::string error;
  auto bundle = host::Bundle::Load(VANTOR_BUNDLE_DIR, &error);
  ASSERT_TRUE(bundle) << error;
  const host::Extension* main1 = bundle->Find("Main1");
  ASSERT_NE(main1, nullptr);
  const std::int16_t otherFile = toolbox::OpenResourceBytes(toolbox::EmptyResourceFileBytes());
  ASSERT_EQ(CurResFile(), otherFile);
  const std::pair<bool, std::int16_t> steps[] = {{true, bundle->resourceFile()},
                                                 {true, bundle->resourceFile()},
                                                 {false, bundle->resourceFile()},  // nested: one at a time
                                                 {false, otherFile},
                                                 {false, otherFile}};  // unpaired: nothing changes
  for (const auto& [begin, current] : steps) {
    if (begin) Call<HostBeginExtensionResources>(main1->hostRef);
    else Call<HostEndExtensionResources>(main1->hostRef);
    EXPECT_EQ(CurResFile(), current);
  }
  const std::string name =
      testext::TextWritten([&](Str255* out) { Call<HostGetExtensionName>(main1->hostRef, out); });
  EXPECT_EQ(name, "Spirometry");
  CloseResFile(otherFile);
}

}  // namespace
