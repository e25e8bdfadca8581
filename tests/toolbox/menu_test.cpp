// Menus from 'MENU' resources and built at run time, their items, the menu
// list, and pop-up selection answered from the script queue.
#include <gtest/gtest.h>

#include <tuple>

#include "toolbox/compiled_resources.h"
#include "toolbox/toolbox_test.h"
#include "toolbox/menus.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/resources.h"
#include "toolbox/script.h"

namespace {

using resource_test::PString;
using resource_test::TextOf;

std::string ItemText(MenuRef menu, MenuItemIndex item) {
  Str255 text;
  GetMenuItemText(menu, item, text);
  return TextOf(text);
}

// An item's text, key, mark, style, icon and enabled state.
using Item = std::tuple<std::string, CharParameter, CharParameter, Style, SInt16, bool>;
Item ItemOf(MenuRef menu, MenuItemIndex item) {
  Item i{ItemText(menu, item), 0, 0, 0, 0, IsMenuItemEnabled(menu, item)};
  GetItemCmd(menu, item, &std::get<1>(i));
  GetItemMark(menu, item, &std::get<2>(i));
  GetItemStyle(menu, item, &std::get<3>(i));
  GetItemIcon(menu, item, &std::get<4>(i));
  return i;
}

class MenuTest : public toolbox_test::ToolboxTest {
 protected:
  void TearDown() override {
    ClearMenuBar();
    ToolboxTest::TearDown();
  }
};

TEST_F(MenuTest, AMenuResourceGivesItsItemsAndAMissingOrMalformedOneNoMenu) {
  toolbox_test::CompiledResources resources(R"(
[[MENU]]
id = 8130
title = "Options"
items = [{ text = "Arrows", mark = "check" }, { text = "Grid", enabled = false }, { separator = true },
         { text = "Custom…", key = "K" }]
)");
  MenuRef menu = GetMenu(8130);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuID(menu), 8130);
  Str255 title;
  GetMenuTitle(menu, title);
  EXPECT_EQ(TextOf(title), "Options");
  ASSERT_EQ(CountMenuItems(menu), 4);
  EXPECT_EQ(ItemOf(menu, 1), (Item{"Arrows", 0, checkMark, normal, 0, true}));
  EXPECT_EQ(ItemOf(menu, 2), (Item{"Grid", 0, 0, normal, 0, false}));
  EXPECT_EQ(ItemOf(menu, 3), (Item{"-", 0, 0, normal, 0, false}));
  EXPECT_EQ(ItemOf(menu, 4), (Item{"Custom\xC9", 'K', 0, normal, 0, true}));  // MacRoman ellipsis
  MenuRef again = GetMenu(8130);
  EXPECT_NE(again, menu) << "each GetMenu makes a menu of its own";
  DisposeMenu(again);
  DisposeMenu(menu);
  EXPECT_FALSE(toolbox::IsLiveMenu(menu));

  // Missing and malformed menu resources give no menu.
  toolbox_test::RawResources raw;
  EXPECT_EQ(GetMenu(1), nullptr);
  // A title whose length byte claims more than the data hold.
  raw.Add(FourCharCode("MENU"), 2, {0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 40, 'A'});
  EXPECT_EQ(GetMenu(2), nullptr);
  // Items without the ending zero byte.
  raw.Add(FourCharCode("MENU"), 3, {0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 'M', 1, 'x', 0, 0, 0, 0});
  EXPECT_EQ(GetMenu(3), nullptr);
}

// AppendMenu reads metacharacters, AppendMenuItemText does not; calls outside
// the items or on a disposed menu change nothing.
TEST_F(MenuTest, AppendMenuReadsMetacharactersAndAppendMenuItemTextDoesNot) {
  MenuRef menu = NewMenu(5, PString("Channels").get());
  AppendMenu(menu, PString("Flow/F!\x12<B;(Volume;-;Pressure^2").get());
  ASSERT_EQ(CountMenuItems(menu), 4);
  EXPECT_EQ(ItemOf(menu, 1), (Item{"Flow", 'F', checkMark, bold, 0, true}));
  EXPECT_EQ(ItemOf(menu, 2), (Item{"Volume", 0, 0, normal, 0, false}));
  EXPECT_FALSE(IsMenuItemEnabled(menu, 3));
  EXPECT_EQ(ItemOf(menu, 4), (Item{"Pressure", 0, 0, normal, 2, true}));
  EXPECT_EQ(AppendMenuItemText(menu, PString("a;b(c").get()), noErr);
  EXPECT_EQ(ItemText(menu, 5), "a;b(c");
  InsertMenuItem(menu, PString("First").get(), 0);
  EXPECT_EQ(ItemText(menu, 1), "First");
  DeleteMenuItem(menu, 1);
  EXPECT_EQ(ItemText(menu, 1), "Flow");

  SetMenuItemText(menu, 6, PString("y").get());
  CheckMenuItem(menu, 0, true);
  DeleteMenuItem(menu, 7);
  EXPECT_EQ(CountMenuItems(menu), 5);
  EXPECT_EQ(ItemText(menu, 6), "");
  DisposeMenu(menu);
  EXPECT_EQ(CountMenuItems(menu), 0);
  EXPECT_EQ(ItemText(menu, 1), "");
  AppendMenu(menu, PString("z").get());  // must not touch freed memory
  DisposeMenu(menu);
}

TEST_F(MenuTest, TheMenuListHoldsOneMenuPerIdAndForgetsDisposedMenus) {
  MenuRef a = NewMenu(10, PString("A").get());
  MenuRef b = NewMenu(11, PString("B").get());
  MenuRef sameId = NewMenu(10, PString("A2").get());
  InsertMenu(a, 0);
  InsertMenu(b, hierMenu);
  InsertMenu(sameId, 0);
  EXPECT_EQ(GetMenuHandle(10), a);
  EXPECT_EQ(GetMenuHandle(11), b) << "pop-up menus are found too";
  EXPECT_FALSE(toolbox::IsMenuInList(sameId));
  DeleteMenu(11);
  EXPECT_EQ(GetMenuHandle(11), nullptr);
  DisposeMenu(a);
  EXPECT_EQ(GetMenuHandle(10), nullptr);
  DisposeMenu(b);
  DisposeMenu(sameId);
}

TEST_F(MenuTest, PopUpMenuSelectAnswersTheScriptedChoice) {
  MenuRef menu = NewMenu(130, PString("Pop").get());
  AppendMenu(menu, PString("One;(Two;Three").get());
  InsertMenu(menu, hierMenu);
  toolbox::PushScriptAction(toolbox::MenuChoiceAction(3));
  EXPECT_EQ(PopUpMenuSelect(menu, 10, 10, 1), (130 << 16) | 3);
  toolbox::PushScriptAction(toolbox::MenuChoiceByTextAction("One"));
  EXPECT_EQ(PopUpMenuSelect(menu, 10, 10, 1), (130 << 16) | 1);
  // Dismissed, a disabled item, an item the menu lacks, an exhausted script.
  for (SInt16 item : {0, 2, 4}) toolbox::PushScriptAction(toolbox::MenuChoiceAction(item));
  toolbox::PushScriptAction(toolbox::MenuChoiceByTextAction("Four"));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(PopUpMenuSelect(menu, 10, 10, 1), 0) << i;
  EXPECT_EQ(toolbox::PendingScriptActions(), 0u);
  DisableMenuItem(menu, 0);
  toolbox::PushScriptAction(toolbox::MenuChoiceAction(1));
  EXPECT_EQ(PopUpMenuSelect(menu, 10, 10, 1), 0);
  // An action of another kind is left for its owner.
  toolbox::ClearScript();
  toolbox::PushScriptAction(toolbox::ItemHitAction(1));
  EnableMenuItem(menu, 0);
  EXPECT_EQ(PopUpMenuSelect(menu, 10, 10, 1), 0);
  EXPECT_EQ(toolbox::PendingScriptActions(), 1u);
  DisposeMenu(menu);
}

}  // namespace
