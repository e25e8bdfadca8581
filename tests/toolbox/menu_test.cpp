// Menus from 'MENU' resources and built at run time, their items, the menu
// list, and pop-up selection answered from the script queue.
#include <gtest/gtest.h>

#include "toolbox/compiled_resources.h"
#include "toolbox/toolbox_test.h"
#include "toolbox/menus.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/resources.h"
#include "toolbox/script.h"

namespace {

using resource_test::PString;
using resource_test::TextOf;

const char* const kMenus = R"(
[[MENU]]
id = 8130
title = "Options"
items = [
  { text = "Arrows", mark = "check" },
  { text = "Grid", enabled = false },
  { separator = true },
  { text = "Custom…", key = "K" },
]
)";

std::string ItemText(MenuRef menu, MenuItemIndex item) {
  Str255 text;
  GetMenuItemText(menu, item, text);
  return TextOf(text);
}

class MenuTest : public toolbox_test::ToolboxTest {
 protected:
  void TearDown() override {
    ClearMenuBar();
    ToolboxTest::TearDown();
  }
};

TEST_F(MenuTest, AMenuResourceGivesItsTitleItemsMarksAndEnabledStates) {
  toolbox_test::CompiledResources resources(kMenus);
  MenuRef menu = GetMenu(8130);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuID(menu), 8130);
  EXPECT_EQ(CountMenuItems(menu), 4);
  Str255 title;
  GetMenuTitle(menu, title);
  EXPECT_EQ(TextOf(title), "Options");
  EXPECT_EQ(ItemText(menu, 4), "Custom\xC9");  // MacRoman ellipsis
  CharParameter mark = 0;
  GetItemMark(menu, 1, &mark);
  EXPECT_EQ(mark, checkMark);
  EXPECT_TRUE(IsMenuItemEnabled(menu, 1));
  EXPECT_FALSE(IsMenuItemEnabled(menu, 2));
  EXPECT_FALSE(IsMenuItemEnabled(menu, 3));  // the separator
  CharParameter key = 0;
  GetItemCmd(menu, 4, &key);
  EXPECT_EQ(key, 'K');
  MenuRef again = GetMenu(8130);
  EXPECT_NE(again, menu) << "each GetMenu makes a menu of its own";
  DisposeMenu(again);
  DisposeMenu(menu);
  EXPECT_FALSE(toolbox::IsLiveMenu(menu));
}

TEST_F(MenuTest, MissingAndMalformedMenuResourcesGiveNoMenu) {
  toolbox_test::RawResources raw;
  EXPECT_EQ(GetMenu(1), nullptr);
  // A title whose length byte claims more than the data hold.
  raw.Add(FourCharCode("MENU"), 2, {0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 40, 'A'});
  EXPECT_EQ(GetMenu(2), nullptr);
  // Items without the ending zero byte.
  raw.Add(FourCharCode("MENU"), 3, {0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 'M', 1, 'x', 0, 0, 0, 0});
  EXPECT_EQ(GetMenu(3), nullptr);
}

TEST_F(MenuTest, AppendMenuReadsMetacharactersAndAppendMenuItemTextDoesNot) {
  MenuRef menu = NewMenu(5, PString("Channels").get());
  AppendMenu(menu, PString("Flow/F!\x12<B;(Volume;-;Pressure^2").get());
  ASSERT_EQ(CountMenuItems(menu), 4);
  CharParameter value = 0;
  GetItemCmd(menu, 1, &value);
  EXPECT_EQ(value, 'F');
  GetItemMark(menu, 1, &value);
  EXPECT_EQ(value, checkMark);
  Style style = 0;
  GetItemStyle(menu, 1, &style);
  EXPECT_EQ(style, bold);
  EXPECT_FALSE(IsMenuItemEnabled(menu, 2));
  EXPECT_FALSE(IsMenuItemEnabled(menu, 3));
  SInt16 icon = 0;
  GetItemIcon(menu, 4, &icon);
  EXPECT_EQ(icon, 2);
  EXPECT_EQ(AppendMenuItemText(menu, PString("a;b(c").get()), noErr);
  EXPECT_EQ(ItemText(menu, 5), "a;b(c");
  InsertMenuItem(menu, PString("First").get(), 0);
  EXPECT_EQ(ItemText(menu, 1), "First");
  DeleteMenuItem(menu, 1);
  EXPECT_EQ(ItemText(menu, 1), "Flow");
  DisposeMenu(menu);
}

TEST_F(MenuTest, ItemCallsOutsideTheMenuOrOnADisposedMenuChangeNothing) {
  MenuRef menu = NewMenu(6, PString("M").get());
  AppendMenu(menu, PString("x").get());
  SetMenuItemText(menu, 2, PString("y").get());
  CheckMenuItem(menu, 0, true);
  DeleteMenuItem(menu, 7);
  EXPECT_EQ(CountMenuItems(menu), 1);
  EXPECT_EQ(ItemText(menu, 2), "");
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
  EXPECT_EQ(GetMenuHandle(11), b);
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
