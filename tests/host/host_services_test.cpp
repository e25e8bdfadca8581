// The host's real services, called through its table as an extension would.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "host/bundle.h"
#include "host/extension_registry.h"
#include "service_call.h"
#include "toolbox/memory.h"
#include "toolbox/resources.h"

namespace {

using namespace vantor::service;
using testext::Call;

// A Str255 the services read or write.
struct P : resource_test::PString {
  P() : PString("") {}
  explicit P(std::string_view s) : PString(s) {}
  std::string str() const { return resource_test::TextOf(get()); }
  Str255* str255() { return reinterpret_cast<Str255*>(bytes.data()); }
};

TEST(HostTable, LiesBelow4GiB) {
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&host::Services()), host::ServicesAddress());
}

TEST(HostTextServices, ParseNumbersAsUsersTypeThem) {
  for (const auto& [text, value] : std::vector<std::pair<const char*, std::int32_t>>{
           {"  42", 42}, {"-17 ml", -17}, {"", 0}, {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}}) {
    EXPECT_EQ(Call<HostStringToLong>(P(text).get()), value) << text;
  }
  for (const auto& [text, value] : std::vector<std::pair<const char*, double>>{
           {"1.25", 1.25}, {"1,5", 1.5}, {" -0.002 L", -0.002}, {"abc", 0.0}}) {
    EXPECT_DOUBLE_EQ(Call<HostStringToDouble>(P(text).get()), value) << text;
  }
}

TEST(HostTextServices, FormatNumbersWithDecimals) {
  struct Case {
    double value;
    std::int16_t decimals;
    bool trailingZeros;
    const char* text;
  };
  for (const Case& c : {Case{3.14159, 2, true, "3.14"}, Case{2.5, 3, true, "2.500"}, Case{2.5, 3, false, "2.5"},
                        Case{-0.6, 0, true, "-1"}, Case{std::nan(""), 2, true, "NaN"}}) {
    P out;
    Call<HostDoubleToString>(out.str255(), c.value, c.decimals, c.trailingZeros);
    EXPECT_EQ(out.str(), c.text);
  }
  P out;
  Call<HostDoubleToString>(out.str255(), 1e300, std::int16_t{15}, true);
  EXPECT_EQ(out.bytes[0], 255) << "a huge number is cut to a Str255, not overflowed";
}

TEST(HostTextServices, AppendCutsAt255) {
  P a("Flow: ");
  Call<HostAppendString>(a.bytes.data(), P("L/s").get());
  EXPECT_EQ(a.str(), "Flow: L/s");
  P b(std::string(250, 'x'));
  Call<HostAppendString>(b.bytes.data(), P("0123456789").get());
  EXPECT_EQ(b.str(), std::string(250, 'x') + "01234");
}

TEST(HostExtensionServices, ExtensionResourcesBracketTheCurrentFile) {
  std::string error;
  auto bundle = host::Bundle::Load(VANTOR_BUNDLE_DIR, &error);
  ASSERT_TRUE(bundle) << error;
  const host::Extension* main1 = bundle->Find("Main1");
  ASSERT_NE(main1, nullptr);

  const std::int16_t otherFile = toolbox::OpenResourceBytes(toolbox::EmptyResourceFileBytes());
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
  Call<HostGetExtensionName>(main1->hostRef, name.str255());
  EXPECT_EQ(name.str(), "Spirometry");
  CloseResFile(otherFile);
}

// The rest of these services only pass their arguments on (test_frame checks
// the forwarding, test_toolbox the Memory Manager).
TEST(HostMemoryServices, SizesPastTheSignedRangeAreRefusedNotWrapped) {
  Handle h = Call<HostNewHandle>(std::uint32_t{16});
  ASSERT_NE(h, nullptr);
  Call<HostSetHandleSize>(h, std::uint32_t{0x90000000u});
  EXPECT_EQ(MemError(), memFullErr);
  EXPECT_EQ(Call<HostGetHandleSize>(h), 16u);
  EXPECT_EQ(Call<HostNewHandle>(std::uint32_t{0xFFFFFFFFu}), nullptr);
  Call<HostDisposeHandle>(h);
}

}  // namespace
