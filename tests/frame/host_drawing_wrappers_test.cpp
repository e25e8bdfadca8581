// Wrappers of the window, drawing, menu, output, scale and host-query
// services: each reaches its own service with its arguments in order and
// returns or copies what came back.
#include <gtest/gtest.h>

#include <cstring>

#include "frame/host_services.h"
#include "frame/recording_host.h"

namespace {

using DrawingWrappers = RecordingHost;

std::int32_t PageForTest(const Rect*, std::int32_t, std::int16_t, Handle) { return 0; }
std::int32_t PictureForTest(const Rect*, std::int16_t, Handle) { return 0; }

TEST_F(DrawingWrappers, WindowsAndDrawing) {
  Rect rect{10, 20, 30, 40};
  const Rect other{1, 2, 3, 4};
  HostService31(kText, &rect, 32);
  EXPECT_TRUE(LastCallWas(31, Arguments(kText, &rect, 32)));
  HostService37(8101, &rect, 16, 16, 0, 1, 2);
  EXPECT_TRUE(LastCallWas(37, Arguments(8101, &rect, 16, 16, 0, 1, 2)));
  HostService48(kWindow);
  EXPECT_TRUE(LastCallWas(48, Arguments(kWindow)));
  HostService50(kWindow);
  EXPECT_TRUE(LastCallWas(50, Arguments(kWindow)));
  HostService51(kWindow);
  EXPECT_TRUE(LastCallWas(51, Arguments(kWindow)));
  HostService54(kWindow, &rect, &other, 0);
  EXPECT_TRUE(LastCallWas(54, Arguments(kWindow, &rect, &other, 0)));
  HostService68();
  EXPECT_TRUE(LastCallWas(68, Arguments()));
  HostService73(kWindow);
  EXPECT_TRUE(LastCallWas(73, Arguments(kWindow)));
  HostService74(&rect, -6, 1);
  EXPECT_TRUE(LastCallWas(74, Arguments(&rect, -6, 1)));
  HostService77();
  EXPECT_TRUE(LastCallWas(77, Arguments()));
  HostService140(kWindow);
  EXPECT_TRUE(LastCallWas(140, Arguments(kWindow)));
  HostService141(kWindow);
  EXPECT_TRUE(LastCallWas(141, Arguments(kWindow)));
  HostService143(kWindow, 300, 200, false);
  EXPECT_TRUE(LastCallWas(143, Arguments(kWindow, 300, 200, 0)));
  HostService144(kWindow, 7, false, true);
  EXPECT_TRUE(LastCallWas(144, Arguments(kWindow, 7, 0, 1)));
  HostService147(kWindow);
  EXPECT_TRUE(LastCallWas(147, Arguments(kWindow)));
  HostService169(kText, 15, 25, 1);
  EXPECT_TRUE(LastCallWas(169, Arguments(kText, 15, 25, 1)));
  HostService170(0x20000, 4);
  EXPECT_TRUE(LastCallWas(170, Arguments(0x20000, 4)));
  HostService171(&rect, 4);
  EXPECT_TRUE(LastCallWas(171, Arguments(&rect, 4)));
  HostService173(kWindow, -5, 44, false);
  EXPECT_TRUE(LastCallWas(173, Arguments(kWindow, -5, 44, 0)));
  HostService263(kWindow, true);
  EXPECT_TRUE(LastCallWas(263, Arguments(kWindow, 1)));
  HostPositionWindow(kWindow, kText, FourCharCode("DLOG"), 8310, 0, 8);
  EXPECT_TRUE(LastCallWas(302, Arguments(kWindow, kText, FourCharCode("DLOG"), 8310, 0, 8)));
  EXPECT_EQ(HostService344(kText), 344);
  EXPECT_TRUE(LastCallWas(344, Arguments(kText)));
  HostService345(kText, 100, 50, -1);
  EXPECT_TRUE(LastCallWas(345, Arguments(kText, 100, 50, -1)));
  HostService346(kText, &rect, 1);
  EXPECT_TRUE(LastCallWas(346, Arguments(kText, &rect, 1)));
  HostService348(kText, &rect, 0, 1, 2);
  EXPECT_TRUE(LastCallWas(348, Arguments(kText, &rect, 0, 1, 2)));
  HostSetDrawStyle530(103);
  EXPECT_TRUE(LastCallWas(530, Arguments(103)));
  HostSetDrawStyle531(202);
  EXPECT_TRUE(LastCallWas(531, Arguments(202)));
}

TEST_F(DrawingWrappers, MenusAndOutputJobs) {
  const char* image = "Spiro_Data.png";
  HostService164(3, 31, image, kText, 2);
  EXPECT_TRUE(LastCallWas(164, Arguments(3, 31, image, kText, 2)));
  EXPECT_EQ(HostService165(kText, 0), 165);
  EXPECT_TRUE(LastCallWas(165, Arguments(kText, 0)));
  HostService567(kMenu, 4, 0, 0);
  EXPECT_TRUE(LastCallWas(567, Arguments(kMenu, 4, 0, 0)));
  EXPECT_EQ(HostService631(kText, 32, 9), (ResultOf<void*, 631>()));
  EXPECT_TRUE(LastCallWas(631, Arguments(kText, 32, 9)));
  HostService634(kMenu, true);
  EXPECT_TRUE(LastCallWas(634, Arguments(kMenu, 1)));
  HostService636(kText);
  EXPECT_TRUE(LastCallWas(636, Arguments(kText)));

  const Rect destination{0, 0, 100, 200};
  const Rect frame{5, 6, 7, 8};
  HostService160(kText);
  EXPECT_TRUE(LastCallWas(160, Arguments(kText)));
  EXPECT_EQ(HostService161(&destination, &frame, kHandle, 400, 300, true), 161);
  EXPECT_TRUE(LastCallWas(161, Arguments(&destination, &frame, kHandle, 400, 300, 1)));
  Str255 name{};
  HostService528(name, 1);
  EXPECT_TRUE(LastCallWas(528, Arguments(kStr255Out, 1)));
  EXPECT_TRUE(HoldsResultOf(name, 528));
  void* job = HostService640(kHandle, &PageForTest);
  EXPECT_EQ(job, (ResultOf<void*, 640>()));
  EXPECT_TRUE(LastCallWas(640, Arguments(kHandle, &PageForTest)));
  HostService642(job, &PictureForTest);
  EXPECT_TRUE(LastCallWas(642, Arguments(job, &PictureForTest)));
  HostService643(job, 1, false, kText);
  EXPECT_TRUE(LastCallWas(643, Arguments(job, 1, 0, kText)));
}

TEST_F(DrawingWrappers, Scales) {
  EXPECT_EQ(HostService84(0.1, 2048), 84.5);
  EXPECT_TRUE(LastCallWas(84, Arguments(0.1, 2048)));
  HostScaleSetRange363(kScale, 1.5, -1.5);
  EXPECT_TRUE(LastCallWas(363, Arguments(kScale, 1.5, -1.5)));
  double first = 0;
  double second = 0;
  HostScaleGet364(kScale, &first, &second);
  EXPECT_TRUE(LastCallWas(364, Arguments(kScale, &first, &second)));
  HostScaleSet365(kScale, 2, 0.5, -0.25);
  EXPECT_TRUE(LastCallWas(365, Arguments(kScale, 2, 0.5, -0.25)));
  HostService367(kScale, 2, &first, &second);
  EXPECT_TRUE(LastCallWas(367, Arguments(kScale, 2, &first, &second)));
  HostScaleSet368(kScale, kMenu, 1);
  EXPECT_TRUE(LastCallWas(368, Arguments(kScale, kMenu, 1)));
  HostScaleSet371(kScale, 4);
  EXPECT_TRUE(LastCallWas(371, Arguments(kScale, 4)));
  HostSetFlagBits(kScale, 1024, false);
  EXPECT_TRUE(LastCallWas(373, Arguments(kScale, 1024, 0)));
  const Rect rect{1, 2, 3, 4};
  HostScaleSet375(kScale, &rect, 1, 28);
  EXPECT_TRUE(LastCallWas(375, Arguments(kScale, &rect, 1, 28)));
  HostScaleSet377(kScale, 4);
  EXPECT_TRUE(LastCallWas(377, Arguments(kScale, 4)));
  HostScaleSet379(kScale, kScaling);
  EXPECT_TRUE(LastCallWas(379, Arguments(kScale, kScaling)));
  HostScaleSet380(kScale, kText);
  EXPECT_TRUE(LastCallWas(380, Arguments(kScale, kText)));
  HostScaleSetFonts382(kScale, 9, 21, 10, 1);
  EXPECT_TRUE(LastCallWas(382, Arguments(kScale, 9, 21, 10, 1)));
  EXPECT_EQ(HostNewScale(&rect, 0.9765625, -0.9765625, 1, 0), (ResultOf<void*, 383>()));
  EXPECT_TRUE(LastCallWas(383, Arguments(&rect, 0.9765625, -0.9765625, 1, 0)));
  HostDisposeObject384(kScale);
  EXPECT_TRUE(LastCallWas(384, Arguments(kScale)));
  HostScaleDraw385(kScale, true);
  EXPECT_TRUE(LastCallWas(385, Arguments(kScale, 1)));
  EXPECT_EQ(HostService386(kScale, kWindow), 386);
  EXPECT_TRUE(LastCallWas(386, Arguments(kScale, kWindow)));
  EXPECT_EQ(HostService387(Point{7, -9}, kScale), 387);
  EXPECT_TRUE(LastCallWas(387, Arguments(Point{7, -9}, kScale)));
  double outputs[4] = {};
  HostService404(kScale, &outputs[0], &outputs[1], &outputs[2], &outputs[3]);
  EXPECT_TRUE(LastCallWas(404, Arguments(kScale, &outputs[0], &outputs[1], &outputs[2],
                                         &outputs[3])));
}

TEST_F(DrawingWrappers, HostQueries) {
  EXPECT_TRUE(HostHasCapability(58));
  EXPECT_TRUE(LastCallWas(98, Arguments(58)));
  HostBusyTick(15);
  EXPECT_TRUE(LastCallWas(153, Arguments(15)));
  HostBeginBusy();
  EXPECT_TRUE(LastCallWas(155, Arguments()));
  HostEndBusy();
  EXPECT_TRUE(LastCallWas(156, Arguments()));
  EXPECT_EQ(HostQueryValue(1539), 172u);
  EXPECT_TRUE(LastCallWas(172, Arguments(1539)));
  auto* info = reinterpret_cast<vantor::ChannelScaleInfo*>(0x7200);
  HostService333(5, 1, info);
  EXPECT_TRUE(LastCallWas(333, Arguments(5, 1, info)));
  std::int32_t a = 0;
  std::int32_t b = 0;
  Str255 text{};
  HostService437(4100, &a, &b, text);
  EXPECT_TRUE(LastCallWas(437, Arguments(4100, &a, &b, kStr255Out)));
  EXPECT_TRUE(HoldsResultOf(text, 437));
  EXPECT_EQ(HostService439(2), 439);
  EXPECT_TRUE(LastCallWas(439, Arguments(2)));
  EXPECT_TRUE(HostService508(3, 4));
  EXPECT_TRUE(LastCallWas(508, Arguments(3, 4)));
  HostGetChannelName(3, text);
  EXPECT_TRUE(LastCallWas(540, Arguments(3, kStr255Out)));
  EXPECT_TRUE(HoldsResultOf(text, 540));
  EXPECT_EQ(HostService572(2), 572);
  EXPECT_TRUE(LastCallWas(572, Arguments(2)));
  HostService608(text, 5);
  EXPECT_TRUE(LastCallWas(608, Arguments(kStr255Out, 5)));
  EXPECT_TRUE(HoldsResultOf(text, 608));
  HostBeginExtensionResources(-2);
  EXPECT_TRUE(LastCallWas(628, Arguments(-2)));
  HostEndExtensionResources(-2);
  EXPECT_TRUE(LastCallWas(629, Arguments(-2)));
  HostGetExtensionName(-2, text);
  EXPECT_TRUE(LastCallWas(637, Arguments(-2, kStr255Out)));
  EXPECT_TRUE(HoldsResultOf(text, 637));
  EXPECT_EQ(HostService638(kText), 638);
  EXPECT_TRUE(LastCallWas(638, Arguments(kText)));
  EXPECT_EQ(HostGetDataObject(1), (ResultOf<void*, 654>()));
  EXPECT_TRUE(LastCallWas(654, Arguments(1)));
}

// Records that services return by a hidden buffer arrive whole in the caller's.
std::int32_t gRecord45Calls = 0;
void FillTextBufferRecord(unsigned char* record, const Rect*, std::int16_t, std::int16_t) {
  ++gRecord45Calls;
  for (std::size_t i = 0; i < vantor::kTextBufferRecordBytes; ++i) {
    record[i] = static_cast<unsigned char>(i + 1);
  }
}

TEST_F(DrawingWrappers, TextBufferRecordIsCopiedWhole) {
  vantor::SetService<45>(Table(), &FillTextBufferRecord);
  unsigned char record[vantor::kTextBufferRecordBytes + 1];
  std::memset(record, 0xAA, sizeof record);
  const Rect bounds{0, 0, 13, 200};
  HostService45(record, &bounds, 1, 0);
  EXPECT_EQ(gRecord45Calls, 1);
  for (std::size_t i = 0; i < vantor::kTextBufferRecordBytes; ++i) {
    EXPECT_EQ(static_cast<std::size_t>(record[i]), i + 1) << "byte " << i;
  }
  EXPECT_EQ(record[vantor::kTextBufferRecordBytes], 0xAA) << "wrote past the record";
}

// Service 404's outputs, told apart by value.
void FourOutputs(void*, double* first, double* second, double* third, double* fourth) {
  *first = 1.5;
  *second = 2.5;
  *third = 3.5;
  *fourth = 4.5;
}

TEST_F(DrawingWrappers, Service404ForwardersReturnTheirOwnOutput) {
  vantor::SetService<404>(Table(), &FourOutputs);
  double value = 0;
  HostService404First(kScale, &value);
  EXPECT_EQ(value, 1.5);
  HostService404Second(kScale, &value);
  EXPECT_EQ(value, 2.5);
}

}  // namespace
