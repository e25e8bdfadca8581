// The template parsers on well-formed data, and on data whose lengths and
// counts lie: every prefix of a valid template is refused (or, where the
// format allows an ending there, read without its optional tail), and no
// parser reads outside its input (each prefix is its own heap block, so
// AddressSanitizer sees any overread).
#include "toolbox/resource_templates.h"

#include <gtest/gtest.h>

#include <functional>

#include "toolbox/big_endian_bytes.h"
#include "toolbox/dialogs.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Prefix(const Bytes& data, std::size_t n) { return Bytes(data.begin(), data.begin() + static_cast<long>(n)); }

void Head(toolbox::BigEndianWriter& out, const Rect& r, SInt16 procID, bool visible, bool goAway, UInt32 refCon) {
  for (SInt16 v : {r.top, r.left, r.bottom, r.right}) out.S16(v);
  out.S16(procID);
  out.U8(visible ? 1 : 0);
  out.U8(0);
  out.U8(goAway ? 1 : 0);
  out.U8(0);
  out.U32(refCon);
}

Bytes WindowData(std::string_view title, bool positioned) {
  toolbox::BigEndianWriter out;
  Head(out, Rect{40, 10, 240, 410}, 8, true, true, 0x01020304);
  out.PString(title);
  if (positioned) {
    out.PadToEven();
    out.U16(0x280A);
  }
  return out.Take();
}

void Item(toolbox::BigEndianWriter& out, const Rect& r, UInt8 type, const Bytes& data) {
  out.U32(0);
  for (SInt16 v : {r.top, r.left, r.bottom, r.right}) out.S16(v);
  out.U8(type);
  out.U8(static_cast<UInt8>(data.size()));
  out.Bytes(data);
  out.PadToEven();
}

Bytes ItemListData() {
  toolbox::BigEndianWriter out;
  out.U16(3);
  Item(out, Rect{1, 2, 3, 4}, kButtonDialogItem, {'O', 'K'});
  Item(out, Rect{5, 6, 7, 8}, kStaticTextDialogItem | kItemDisableBit, {'a', 'b', 'c'});
  Item(out, Rect{0, 0, 32, 32}, kIconDialogItem, {0x00, 0x80});
  Item(out, Rect{9, 9, 9, 9}, kUserDialogItem, {});
  return out.Take();
}

Bytes MenuData() {
  toolbox::BigEndianWriter out;
  out.S16(8130);
  out.Zeros(6);
  out.U16(0);
  out.U32(0xFFFFFFFB);  // item 2 disabled
  out.PString("Options");
  for (std::string_view text : {"Arrows", "Grid"}) {
    out.PString(text);
    out.U8(0);
    out.U8('G');
    out.U8(0x12);
    out.U8(1);
  }
  out.U8(0);
  return out.Take();
}

// Every proper prefix of data is refused by parse.
template <class Parse>
void ExpectEveryPrefixRefused(const Bytes& data, std::size_t validFrom, Parse parse) {
  for (std::size_t n = 0; n < validFrom; ++n) {
    const Bytes prefix = Prefix(data, n);
    EXPECT_FALSE(parse(prefix).has_value()) << "prefix of " << n << " bytes";
  }
}

TEST(WindowTemplate, ReadsEveryFieldWithAndWithoutThePositioningWord) {
  const auto plain = toolbox::ParseWindowTemplate(WindowData("Data", false));
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->bounds, (Rect{40, 10, 240, 410}));
  EXPECT_EQ(plain->procID, 8);
  EXPECT_TRUE(plain->visible);
  EXPECT_TRUE(plain->goAway);
  EXPECT_EQ(plain->refCon, 0x01020304);
  EXPECT_EQ(plain->title, "Data");
  EXPECT_FALSE(plain->positioning);
  const auto positioned = toolbox::ParseWindowTemplate(WindowData("Data", true));
  ASSERT_TRUE(positioned);
  EXPECT_EQ(positioned->positioning, 0x280A);
}

TEST(WindowTemplate, ATitleRunningPastTheDataIsRefused) {
  const Bytes data = WindowData("Flow-Volume Plot", false);
  ExpectEveryPrefixRefused(data, data.size(), toolbox::ParseWindowTemplate);
  Bytes lying = data;
  lying[18] = 200;  // title length
  EXPECT_FALSE(toolbox::ParseWindowTemplate(lying));
}

TEST(DialogTemplate, ReadsTheItemListIdAfterTheWindowHead) {
  toolbox::BigEndianWriter out;
  Head(out, Rect{0, 0, 100, 200}, 5, false, false, 0);
  out.S16(8301);
  out.PString("Ab");
  const Bytes data = out.Take();
  const auto d = toolbox::ParseDialogTemplate(data);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->itemListID, 8301);
  EXPECT_EQ(d->window.title, "Ab");
  EXPECT_EQ(d->window.procID, 5);
  ExpectEveryPrefixRefused(data, data.size(), toolbox::ParseDialogTemplate);
}

TEST(DialogItemList, ReadsKindsRectanglesTextsAndResourceIds) {
  const auto items = toolbox::ParseDialogItemList(ItemListData());
  ASSERT_TRUE(items);
  ASSERT_EQ(items->size(), 4u);
  EXPECT_EQ((*items)[0].kind, kButtonDialogItem);
  EXPECT_EQ((*items)[0].text, "OK");
  EXPECT_TRUE((*items)[0].enabled);
  EXPECT_EQ((*items)[1].rect, (Rect{5, 6, 7, 8}));
  EXPECT_EQ((*items)[1].kind, kStaticTextDialogItem);
  EXPECT_FALSE((*items)[1].enabled);
  EXPECT_EQ((*items)[1].text, "abc");
  EXPECT_EQ((*items)[2].resourceID, 128);
  EXPECT_EQ((*items)[3].kind, kUserDialogItem);
}

TEST(DialogItemList, ItemsRunningPastTheDataAreRefused) {
  const Bytes data = ItemListData();
  // The last item (a user item) ends exactly at the data's end.
  ExpectEveryPrefixRefused(data, data.size(), toolbox::ParseDialogItemList);
  Bytes moreItemsThanData = data;
  moreItemsThanData[1] = 4;
  EXPECT_FALSE(toolbox::ParseDialogItemList(moreItemsThanData));
  Bytes allItems = data;
  allItems[0] = allItems[1] = 0xFF;  // 65536 items claimed
  EXPECT_FALSE(toolbox::ParseDialogItemList(allItems));
  Bytes lyingText = data;
  lyingText[2 + 13] = 0xF0;  // the button's data length
  EXPECT_FALSE(toolbox::ParseDialogItemList(lyingText));
}

TEST(DialogItemList, ItemsOfUnknownKindsOrWithoutTheirResourceIdAreRefused) {
  for (const auto& [type, data] : std::vector<std::pair<UInt8, Bytes>>{
           {3, {}}, {kIconDialogItem, {0x01}}, {kPictureDialogItem, {}}, {kResourceControlDialogItem, {1}}}) {
    toolbox::BigEndianWriter out;
    out.U16(0);
    Item(out, Rect{0, 0, 10, 10}, type, data);
    EXPECT_FALSE(toolbox::ParseDialogItemList(out.Take())) << int{type};
  }
}

TEST(MenuTemplate, ReadsTitleItemsAndEnableFlags) {
  const auto menu = toolbox::ParseMenuTemplate(MenuData());
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->menuID, 8130);
  EXPECT_EQ(menu->title, "Options");
  EXPECT_EQ(menu->enableFlags, 0xFFFFFFFBu);
  ASSERT_EQ(menu->items.size(), 2u);
  EXPECT_EQ(menu->items[1].text, "Grid");
  EXPECT_EQ(menu->items[1].keyEquivalent, 'G');
  EXPECT_EQ(menu->items[1].mark, 0x12);
  EXPECT_EQ(menu->items[1].style, 1);
}

TEST(MenuTemplate, LyingLengthsAndAMissingEndAreRefused) {
  const Bytes data = MenuData();
  ExpectEveryPrefixRefused(data, data.size(), toolbox::ParseMenuTemplate);
  Bytes lyingTitle = data;
  lyingTitle[14] = 250;
  EXPECT_FALSE(toolbox::ParseMenuTemplate(lyingTitle));
  Bytes lyingItem = data;
  lyingItem[14 + 8] = 100;  // the first item's text length
  EXPECT_FALSE(toolbox::ParseMenuTemplate(lyingItem));
}

TEST(ControlTemplate, ReadsEveryFieldAndRefusesTruncation) {
  toolbox::BigEndianWriter out;
  for (SInt16 v : {0, 0, 20, 160}) out.S16(v);
  out.S16(0);
  out.U8(1);
  out.U8(0);
  out.S16(60);
  out.S16(301);
  out.S16(400);
  out.U32(7);
  out.PString("Model:");
  const Bytes data = out.Take();
  const auto c = toolbox::ParseControlTemplate(data);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->bounds, (Rect{0, 0, 20, 160}));
  EXPECT_TRUE(c->visible);
  EXPECT_EQ(c->maximum, 60);
  EXPECT_EQ(c->minimum, 301);
  EXPECT_EQ(c->procID, 400);
  EXPECT_EQ(c->refCon, 7);
  EXPECT_EQ(c->title, "Model:");
  ExpectEveryPrefixRefused(data, data.size(), toolbox::ParseControlTemplate);
}

}  // namespace
