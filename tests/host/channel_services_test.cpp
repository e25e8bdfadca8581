// Services about channels and the extensions on them: 508, 572, 638 and
// HostQueryValue(1539) (the input kinds, 437 and 439, are how the bundle's
// analysis finds its spirometer end to end).
#include <gtest/gtest.h>

#include "host/computed_channels.h"
#include "host/document.h"
#include "host/extension_registry.h"
#include "service_call.h"
#include "test_extensions.h"

namespace {

using namespace vantor::service;
using testext::Call;
using testext::TextOf;

struct Channels : testext::DocumentTest {
  void SetUp() override {
    Open(3, 10);
    document->SetTitle(2, "Débit");
    vantor::ChannelScaling mv = host::DefaultScaling();
    mv.info.baseUnitText[0] = 2;
    mv.info.baseUnitText[1] = 'm';
    mv.info.baseUnitText[2] = 'V';
    document->SetScaling(1, 1, mv);
    vantor::ChannelScaling litres = host::DefaultScaling();
    litres.info.baseUnitText[0] = 1;
    litres.info.baseUnitText[1] = 'L';
    document->SetScaling(2, 1, litres);
  }
};

TEST_F(Channels, TitlesAndChannelCount) {
  Str255 title;
  Call<HostGetChannelName>(std::int16_t{2}, &title);
  EXPECT_EQ(TextOf(title), "D\x8E" "bit") << "MacRoman";
  Call<HostGetChannelName>(std::int16_t{0}, &title);
  EXPECT_EQ(title[0], 0);
  EXPECT_EQ(Call<HostQueryValue>(std::int16_t{1539}), 3u);
  document->AddChannel("More", "");
  EXPECT_EQ(Call<HostQueryValue>(std::int16_t{1539}), 4u) << "derived from the document";
}

TEST_F(Channels, RawSignalTestLooksAtTheDisplayedBaseUnit) {
  EXPECT_FALSE(Call<HostService508>(std::int16_t{1}, std::int16_t{1})) << "a millivolt recording";
  EXPECT_TRUE(Call<HostService508>(std::int16_t{2}, std::int16_t{1})) << "litres are no raw signal";
  EXPECT_FALSE(Call<HostService508>(std::int16_t{3}, std::int16_t{1})) << "the default volt unit";
  document->ClearSamples(3, 1);
  EXPECT_TRUE(Call<HostService508>(std::int16_t{3}, std::int16_t{1})) << "nothing displayed";
  EXPECT_TRUE(Call<HostService508>(std::int16_t{1}, std::int16_t{2})) << "no block 2";
}

TEST_F(Channels, CreditLinesIdentifyLoadedExtensions) {
  host::Extension flow = testext::MakeScaleFunction("Spiro Test Flow");
  host::Extension window = testext::MakeWindowExtension("Spiro Test");
  EXPECT_EQ(Call<HostService638>(testext::PString("Spiro Test Flow").get()), flow.hostRef);
  EXPECT_EQ(Call<HostService638>(testext::PString("spiro test flow, version 2").get()), flow.hostRef)
      << "the longest name that begins the line";
  EXPECT_EQ(Call<HostService638>(testext::PString("Spiro Test").get()), window.hostRef);
  EXPECT_EQ(Call<HostService638>(testext::PString("Spiro Testing").get()), -1) << "a name must end at a word";
  EXPECT_EQ(Call<HostService638>(testext::PString("Nobody").get()), -1) << "never 0: that is 572's 'none'";
  ASSERT_TRUE(document->computed().Attach(2, flow));
  EXPECT_EQ(Call<HostService572>(std::int16_t{2}), Call<HostService638>(testext::PString("Spiro Test Flow").get()));
  document->computed().Detach(2);
  host::UnregisterExtension(flow.hostRef);
  host::UnregisterExtension(window.hostRef);
}

}  // namespace
