// The host's real services, called through its table as an extension would.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "host/bundle.h"
#include "host/extension_registry.h"
#include "host/host_state.h"
#include "host/service_table.h"
#include "toolbox/memory.h"
#include "toolbox/resources.h"
#include "vantor/services.h"

namespace {

using namespace vantor::service;

template <int I, class... Args>
auto Call(Args... args) {
  return vantor::ServiceAt<I>(host::Services())(args...);
}

struct P {
  unsigned char bytes[256]{};
  P() = default;
  explicit P(const std::string& s) {
    bytes[0] = static_cast<unsigned char>(s.size());
    std::memcpy(bytes + 1, s.data(), s.size());
  }
  std::string str() const { return std::string(reinterpret_cast<const char*>(bytes + 1), bytes[0]); }
};

TEST(HostTable, LiesBelow4GiB) {
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&host::Services()), host::ServicesAddress());
}

TEST(HostTextServices, ParseNumbersAsUsersTypeThem) {
  EXPECT_EQ(Call<HostStringToLong>(P("  42").bytes), 42);
  EXPECT_EQ(Call<HostStringToLong>(P("-17 ml").bytes), -17);
  EXPECT_EQ(Call<HostStringToLong>(P("").bytes), 0);
  EXPECT_EQ(Call<HostStringToLong>(P("99999999999").bytes), 2147483647) << "saturates";
  EXPECT_EQ(Call<HostStringToLong>(P("-99999999999").bytes), -2147483647 - 1);
  EXPECT_DOUBLE_EQ(Call<HostStringToDouble>(P("1.25").bytes), 1.25);
  EXPECT_DOUBLE_EQ(Call<HostStringToDouble>(P("1,5").bytes), 1.5);
  EXPECT_DOUBLE_EQ(Call<HostStringToDouble>(P(" -0.002 L").bytes), -0.002);
  EXPECT_DOUBLE_EQ(Call<HostStringToDouble>(P("abc").bytes), 0.0);
}

TEST(HostTextServices, FormatNumbersWithDecimals) {
  P out;
  Call<HostDoubleToString>(&out.bytes, 3.14159, std::int16_t{2}, true);
  EXPECT_EQ(out.str(), "3.14");
  Call<HostDoubleToString>(&out.bytes, 2.5, std::int16_t{3}, true);
  EXPECT_EQ(out.str(), "2.500");
  Call<HostDoubleToString>(&out.bytes, 2.5, std::int16_t{3}, false);
  EXPECT_EQ(out.str(), "2.5");
  Call<HostDoubleToString>(&out.bytes, -0.6, std::int16_t{0}, true);
  EXPECT_EQ(out.str(), "-1");
  Call<HostDoubleToString>(&out.bytes, std::nan(""), std::int16_t{2}, true);
  EXPECT_EQ(out.str(), "NaN");
  Call<HostDoubleToString>(&out.bytes, 1e300, std::int16_t{15}, true);
  EXPECT_EQ(out.bytes[0], 255) << "a huge number is cut to a Str255, not overflowed";
}

TEST(HostTextServices, AppendCutsAt255) {
  P a("Flow: ");
  Call<HostAppendString>(a.bytes, P("L/s").bytes);
  EXPECT_EQ(a.str(), "Flow: L/s");
  P b(std::string(250, 'x'));
  Call<HostAppendString>(b.bytes, P("0123456789").bytes);
  EXPECT_EQ(b.str(), std::string(250, 'x') + "01234");
}

TEST(HostQuery, ReportsHostState) {
  host::State().recording = true;
  host::State().channelCount = 4;
  EXPECT_EQ(Call<HostQueryValue>(std::int16_t{100}), 1u);
  EXPECT_EQ(Call<HostQueryValue>(std::int16_t{101}), 0u);
  EXPECT_EQ(Call<HostQueryValue>(std::int16_t{1539}), 4u);
  EXPECT_EQ(Call<HostQueryValue>(std::int16_t{-7}), 0u);
  host::State() = host::HostState{};
}

TEST(HostExtensionServices, KeysAreStableDistinctAndMapBack) {
  const std::int16_t a = Call<HostMapExtensionId>(std::uint16_t{8193}, std::int16_t{40});
  const std::int16_t b = Call<HostMapExtensionId>(std::uint16_t{8193}, std::int16_t{41});
  const std::int16_t c = Call<HostMapExtensionId>(std::uint16_t{8194}, std::int16_t{40});
  EXPECT_GE(a, 1);
  EXPECT_NE(a, b);
  EXPECT_NE(a, c);
  EXPECT_EQ(Call<HostMapExtensionId>(std::uint16_t{8193}, std::int16_t{40}), a);
  const auto back = host::LookUpCommandKey(c);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->hostRef, 40);
  EXPECT_EQ(back->localId, 8194);
  EXPECT_FALSE(host::LookUpCommandKey(0).has_value());
  EXPECT_FALSE(host::LookUpCommandKey(-3).has_value());
}

TEST(HostExtensionServices, ExtensionResourcesBracketTheCurrentFile) {
  std::string error;
  auto bundle = host::Bundle::Load(VANTOR_BUNDLE_DIR, &error);
  ASSERT_TRUE(bundle) << error;
  const host::Extension* main1 = bundle->Find("Main1");
  ASSERT_NE(main1, nullptr);

  const std::string other = testing::TempDir() + "/bracket_test_" + std::to_string(getpid()) + ".rsrc";
  std::remove(other.c_str());
  ASSERT_EQ(toolbox::CreateResourceFile(other.c_str()), noErr);
  const std::int16_t otherFile = toolbox::OpenResourceFile(other.c_str(), false);
  ASSERT_GT(otherFile, 0);
  EXPECT_EQ(CurResFile(), otherFile);

  Call<HostBeginExtensionResources>(main1->hostRef);
  EXPECT_EQ(CurResFile(), bundle->resourceFile());
  Call<HostBeginExtensionResources>(main1->hostRef);
  Call<HostEndExtensionResources>(main1->hostRef);
  EXPECT_EQ(CurResFile(), bundle->resourceFile()) << "nested brackets unwind one at a time";
  Call<HostEndExtensionResources>(main1->hostRef);
  EXPECT_EQ(CurResFile(), otherFile);
  Call<HostEndExtensionResources>(main1->hostRef);
  EXPECT_EQ(CurResFile(), otherFile) << "an unpaired End changes nothing";

  P name;
  Call<HostGetExtensionName>(main1->hostRef, &name.bytes);
  EXPECT_EQ(name.str(), "Spirometry");
  CloseResFile(otherFile);
  std::remove(other.c_str());
}

TEST(HostMemoryServices, HandlesThroughTheTable) {
  Handle h = Call<HostNewHandle>(std::uint32_t{16});
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(Call<HostGetHandleSize>(h), 16u);
  const std::int8_t state = Call<HostGetHandleState>(h);
  Call<HostLockHandle>(h);
  EXPECT_NE(Call<HostGetHandleState>(h) & kHandleLockedBit, 0);
  Call<HostSetHandleState>(h, state);
  EXPECT_EQ(Call<HostGetHandleState>(h), state);
  Call<HostSetHandleSize>(h, std::uint32_t{0x90000000u});
  EXPECT_EQ(MemError(), memFullErr) << "a size past the signed range is refused, not wrapped";
  EXPECT_EQ(Call<HostGetHandleSize>(h), 16u);
  EXPECT_EQ(Call<HostNewHandle>(std::uint32_t{0xFFFFFFFFu}), nullptr);

  std::memcpy(*h, "0123456789abcdef", 16);
  Handle copy = h;
  EXPECT_EQ(Call<HostDuplicateHandle>(&copy), 0);
  EXPECT_NE(copy, h);
  EXPECT_EQ(std::memcmp(*copy, "0123456789abcdef", 16), 0);
  Call<HostDisposeHandle>(copy);
  Call<HostDisposeHandle>(h);
}

}  // namespace
