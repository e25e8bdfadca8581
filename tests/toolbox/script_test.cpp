// The script of user actions: what managers may take from it, and its
// textual form.
#include "toolbox/script.h"

#include <gtest/gtest.h>

#include "toolbox/quickdraw_types.h"
#include "toolbox/toolbox_test.h"

namespace {

using toolbox::ScriptActionKind;

using ScriptTest = toolbox_test::ToolboxTest;

TEST_F(ScriptTest, TextFormQueuesEveryKindOfAction) {
  std::string problem;
  const char* const script =
      "hit 13; type 6 \"0.5; not a separator\"\n"
      "key return; key x; choose 3; choose Custom…\n"
      "grow 300 200; drag 40 60; zoom 30 10 500 700; click 15 25";
  ASSERT_TRUE(toolbox::QueueScriptText(script, &problem)) << problem;
  ASSERT_EQ(toolbox::PendingScriptActions(), 10u);
  const auto take = [] { return *toolbox::TakeScriptAction({toolbox::PeekScriptAction()->kind}); };
  EXPECT_EQ(take().item, 13);
  const auto typed = take();
  EXPECT_EQ(typed.kind, ScriptActionKind::kTypeText);
  EXPECT_EQ(typed.item, 6);
  EXPECT_EQ(typed.text, "0.5; not a separator");
  EXPECT_EQ(take().text, "\r");
  EXPECT_EQ(take().text, "x");
  EXPECT_EQ(take().item, 3);
  EXPECT_EQ(take().text, "Custom\xC9");
  EXPECT_EQ(take().point, (Point{200, 300}));
  EXPECT_EQ(take().point, (Point{60, 40}));
  EXPECT_EQ(take().rect, (Rect{30, 10, 500, 700}));
  const auto click = take();
  EXPECT_EQ(click.kind, ScriptActionKind::kClick);
  EXPECT_EQ(click.point, (Point{25, 15}));
}

TEST_F(ScriptTest, ABadActionQueuesNothingAndIsNamed) {
  toolbox::PushScriptAction(toolbox::ItemHitAction(1));
  for (const char* bad : {"hit", "hit one", "grow 10", "grow 10 20 30", "hop 1", "type x text", "key", "choose",
                          "hit 70000", "type 1 \xF0\x9F\x98\x80"}) {
    std::string problem;
    EXPECT_FALSE(toolbox::QueueScriptText(std::string("hit 2; ") + bad, &problem)) << bad;
    EXPECT_NE(problem.find(bad), std::string::npos) << problem;
    EXPECT_EQ(toolbox::PendingScriptActions(), 1u) << bad;
  }
}

}  // namespace
