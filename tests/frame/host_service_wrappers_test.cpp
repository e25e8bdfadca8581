// Every wrapper reaches its own service, passes its arguments in the declared
// order, and returns or copies what the service gave back.
#include <gtest/gtest.h>

#include "frame/host_services.h"
#include "frame/recording_host.h"

namespace {

using ServiceWrappers = RecordingHost;


std::int32_t SwapForTest(void*, std::uint32_t, std::uint32_t, bool) { return 0; }
void ItemProcForTest(void*, std::int16_t) {}

TEST_F(ServiceWrappers, Commands) {
  HostSetCommandSwapProc(7, &SwapForTest);
  EXPECT_TRUE(LastCallWas(3, Arguments(7, &SwapForTest)));
  HostSubmitCommandShort(11, 2, -3);
  EXPECT_TRUE(LastCallWas(7, Arguments(11, 2, -3)));
  HostSubmitCommandShortPairAlt(27, 2, 1, 5);
  EXPECT_TRUE(LastCallWas(8, Arguments(27, 2, 1, 5)));
  HostSubmitCommandShortPair(10, 1, 640, 480);
  EXPECT_TRUE(LastCallWas(10, Arguments(10, 1, 640, 480)));
  HostSubmitCommandFlag(12, 3, true);
  EXPECT_TRUE(LastCallWas(16, Arguments(12, 3, 1)));
  const Rect rect{1, 2, 3, 4};
  HostSubmitCommandData(14, 1, &rect);
  EXPECT_TRUE(LastCallWas(17, Arguments(14, 1, &rect)));
  HostSubmitCommandDouble(8196, 4, 1.25);
  EXPECT_TRUE(LastCallWas(18, Arguments(8196, 4, 1.25)));
  HostSubmitCommandDoublePair(30, 2, 0.9765625, -0.5);
  EXPECT_TRUE(LastCallWas(19, Arguments(30, 2, 0.9765625, -0.5)));
  HostSubmitCommandBlock(25, FourCharCode("~Oth"), 16, kText);
  EXPECT_TRUE(LastCallWas(28, Arguments(25, FourCharCode("~Oth"), 16, kText)));
  EXPECT_EQ(HostMapExtensionId(25, -1), 630);
  EXPECT_TRUE(LastCallWas(630, Arguments(25, -1)));
}

TEST_F(ServiceWrappers, Dialogs) {
  EXPECT_EQ(HostGetNewDialog(8310), (ResultOf<void*, 78>()));
  EXPECT_TRUE(LastCallWas(78, Arguments(8310)));
  std::int16_t hit = 0;
  HostModalDialog(205, &hit);
  EXPECT_TRUE(LastCallWas(79, Arguments(205, &hit)));
  const Rect rect = HostGetDialogItemRect(kDialog, 16);
  EXPECT_EQ(rect.top, 102);
  EXPECT_EQ(rect.right, 3);
  EXPECT_TRUE(LastCallWas(102, Arguments(kDialog, 16)));
  HostSetDialogItemText(kDialog, 6, kText);
  EXPECT_TRUE(LastCallWas(106, Arguments(kDialog, 6, kText)));
  Str255 text{};
  HostGetDialogItemText(kDialog, 5, text);
  EXPECT_TRUE(LastCallWas(107, Arguments(kStr255Out, kDialog, 5)));
  EXPECT_TRUE(HoldsResultOf(text, 107));
  HostEnableDialogItem(kDialog, 13, false);
  EXPECT_TRUE(LastCallWas(109, Arguments(kDialog, 13, 0)));
  HostService110();
  EXPECT_TRUE(LastCallWas(110, Arguments()));
  HostSetDialogItemChecked(kDialog, 10, true);
  EXPECT_TRUE(LastCallWas(112, Arguments(kDialog, 10, 1)));
  HostService113(kDialog, 15, 4);
  EXPECT_TRUE(LastCallWas(113, Arguments(kDialog, 15, 4)));
  EXPECT_EQ(HostGetDialogItemValue(kDialog, 11), 118);
  EXPECT_TRUE(LastCallWas(118, Arguments(kDialog, 11)));
  HostStandardItemProc121(kDialog, 4);
  EXPECT_TRUE(LastCallWas(121, Arguments(kDialog, 4)));
  HostStandardItemProc122(kDialog, 8);
  EXPECT_TRUE(LastCallWas(122, Arguments(kDialog, 8)));
  HostSetDialogItemProc(kDialog, 16, &ItemProcForTest);
  EXPECT_TRUE(LastCallWas(135, Arguments(kDialog, 16, &ItemProcForTest)));
  HostShowDialog(kDialog);
  EXPECT_TRUE(LastCallWas(145, Arguments(kDialog)));
  HostDisposeDialog(kDialog);
  EXPECT_TRUE(LastCallWas(146, Arguments(kDialog)));
  EXPECT_EQ(HostGetDialogItemMenu(kDialog, 7), (ResultOf<void*, 191>()));
  EXPECT_TRUE(LastCallWas(191, Arguments(kDialog, 7)));
  HostSetDialogItemValue(kDialog, 7, 3);
  EXPECT_TRUE(LastCallWas(192, Arguments(kDialog, 7, 3)));
  HostService210(kDialog, 8, 0, 200);
  EXPECT_TRUE(LastCallWas(210, Arguments(kDialog, 8, 0, 200)));
  EXPECT_EQ(HostService212(kDialog, 6, 0.0, 10.0), 212.5);
  EXPECT_TRUE(LastCallWas(212, Arguments(kDialog, 6, 0.0, 10.0)));
  HostService568(kDialog, 7, 1, 0, 0);
  EXPECT_TRUE(LastCallWas(568, Arguments(kDialog, 7, 1, 0, 0)));
}

TEST_F(ServiceWrappers, StringsAndNumbers) {
  HostAlert(kText);
  EXPECT_TRUE(LastCallWas(81, Arguments(kText)));
  HostAlert82(kText);
  EXPECT_TRUE(LastCallWas(82, Arguments(kText)));
  EXPECT_EQ(HostStringToLong(kText), 85);
  EXPECT_TRUE(LastCallWas(85, Arguments(kText)));
  EXPECT_EQ(HostStringToDouble(kText), 87.5);
  EXPECT_TRUE(LastCallWas(87, Arguments(kText)));
  Str255 text{};
  HostDoubleToString(text, 2.5, 3, true);
  EXPECT_TRUE(LastCallWas(88, Arguments(kStr255Out, 2.5, 3, 1)));
  EXPECT_TRUE(HoldsResultOf(text, 88));
  // In-place services work on the caller's own buffer.
  HostService94(text, 0);
  EXPECT_TRUE(LastCallWas(94, Arguments(text, 0)));
  HostAppendString(text, kText);
  EXPECT_TRUE(LastCallWas(95, Arguments(text, kText)));
  HostService96(text, 2, kText);
  EXPECT_TRUE(LastCallWas(96, Arguments(text, 2, kText)));
  HostService389(text);
  EXPECT_TRUE(LastCallWas(389, Arguments(text)));
  HostGetListString(kHandle, 20, text);
  EXPECT_TRUE(LastCallWas(181, Arguments(kHandle, 20, kStr255Out)));
  EXPECT_TRUE(HoldsResultOf(text, 181));
  const auto* format = reinterpret_cast<const vantor::BlockTimeFormat*>(0x7100);
  HostFormatNumber336(1234, format, 0, 1, text);
  EXPECT_TRUE(LastCallWas(336, Arguments(1234, format, 0, 1, kStr255Out)));
  EXPECT_TRUE(HoldsResultOf(text, 336));
  HostService339();
  EXPECT_TRUE(LastCallWas(339, Arguments()));
  HostFormatNumber340(-0.25, kScaling, 0, 1, 1, text);
  EXPECT_TRUE(LastCallWas(340, Arguments(-0.25, kScaling, 0, 1, 1, kStr255Out)));
  EXPECT_TRUE(HoldsResultOf(text, 340));
  HostService343(text, kScaling);
  EXPECT_TRUE(LastCallWas(343, Arguments(kStr255Out, kScaling)));
  EXPECT_TRUE(HoldsResultOf(text, 343));
}

TEST_F(ServiceWrappers, Memory) {
  EXPECT_EQ(HostNewHandleAlt(0), (ResultOf<Handle, 306>()));
  EXPECT_TRUE(LastCallWas(306, Arguments(0)));
  EXPECT_EQ(HostNewHandle(64000), (ResultOf<Handle, 307>()));
  EXPECT_TRUE(LastCallWas(307, Arguments(64000)));
  EXPECT_EQ(HostNewPtr(32), (ResultOf<Ptr, 309>()));
  EXPECT_TRUE(LastCallWas(309, Arguments(32)));
  HostLockHandle(kHandle);
  EXPECT_TRUE(LastCallWas(311, Arguments(kHandle)));
  HostUnlockHandle(kHandle);
  EXPECT_TRUE(LastCallWas(312, Arguments(kHandle)));
  HostService314(kHandle);
  EXPECT_TRUE(LastCallWas(314, Arguments(kHandle)));
  const Ptr pointer = reinterpret_cast<Ptr>(0x6100);
  HostDisposePtr(pointer);
  EXPECT_TRUE(LastCallWas(315, Arguments(pointer)));
  HostDisposeHandle(kHandle);
  EXPECT_TRUE(LastCallWas(318, Arguments(kHandle)));
  EXPECT_EQ(HostGetHandleSize(kHandle), 319u);
  EXPECT_TRUE(LastCallWas(319, Arguments(kHandle)));
  HostSetHandleSize(kHandle, 12);
  EXPECT_TRUE(LastCallWas(320, Arguments(kHandle, 12)));
  char source[4] = {};
  char destination[4] = {};
  HostMoveBytes(source, destination, 4);
  EXPECT_TRUE(LastCallWas(323, Arguments(source, destination, 4)));
  Handle handle = kHandle;
  EXPECT_EQ(HostDuplicateHandle(&handle), 324);
  EXPECT_TRUE(LastCallWas(324, Arguments(&handle)));
  EXPECT_EQ(HostGetHandleState(kHandle), (ResultOf<std::int8_t, 326>()));
  EXPECT_TRUE(LastCallWas(326, Arguments(kHandle)));
  HostSetHandleState(kHandle, -128);
  EXPECT_TRUE(LastCallWas(327, Arguments(kHandle, -128)));
}

}  // namespace
