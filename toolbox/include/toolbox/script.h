// The script of user actions. The Toolbox runs without a screen, so whatever
// a user would do interactively (click a dialog item, type into an edit item,
// press a key, choose from a pop-up menu, grow, drag or zoom a window, click
// at a point) is queued here by tests and by the command line, and the
// managers take it when they would have waited for the user.
//
// A manager takes only the front action, and only when it is of a kind the
// manager asks for. When the queue is empty or its front action does not fit,
// the manager answers as if the user cancelled (ModalDialog hits the cancel
// item, PopUpMenuSelect chooses nothing, GrowWindow and DragWindow change
// nothing) and the action stays queued: a script never blocks.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "toolbox/mac_types.h"

namespace toolbox {

enum class ScriptActionKind : std::uint8_t {
  kItemHit,     // item: a click on that dialog item (its centre)
  kTypeText,    // item, text: the item's text is selected and the text typed over it
  kKey,         // text[0]: one key pressed in a dialog (0x0D return, 0x03 enter, 0x1B escape)
  kMenuChoice,  // item: the pop-up menu item chosen, 0 to dismiss; or, with item 0
                // and text, the first item whose text equals it
  kGrowTarget,  // point: the content size grown to (h = width, v = height)
  kDragTarget,  // point: the global top-left of the content the window is dragged to
  kZoomTarget,  // rect: the global content rectangle of the window's standard state
  kClick,       // point: a click in the front window's local coordinates
};

struct ScriptAction {
  ScriptActionKind kind = ScriptActionKind::kItemHit;
  SInt16 item = 0;
  std::string text;  // MacRoman
  Point point{};
  Rect rect{};
};

ScriptAction ItemHitAction(SInt16 item);
ScriptAction TypeTextAction(SInt16 item, std::string_view macRomanText);
ScriptAction KeyAction(unsigned char character);
ScriptAction MenuChoiceAction(SInt16 item);
ScriptAction MenuChoiceByTextAction(std::string_view macRomanText);
ScriptAction GrowTargetAction(SInt16 width, SInt16 height);
ScriptAction DragTargetAction(SInt16 left, SInt16 top);
ScriptAction ZoomTargetAction(const Rect& globalContent);
ScriptAction ClickAction(Point local);

void PushScriptAction(ScriptAction action);
// The front action when it is of one of the kinds given; none otherwise (the
// queue is left as it was).
std::optional<ScriptAction> TakeScriptAction(std::initializer_list<ScriptActionKind> kinds);
const ScriptAction* PeekScriptAction();
std::size_t PendingScriptActions();
void ClearScript();

// Reads a script written as text, one action per line or separated by ';':
//   hit N | type N TEXT | key return|enter|escape|tab|C | choose N | choose TEXT
//   grow WIDTH HEIGHT | drag LEFT TOP | zoom TOP LEFT BOTTOM RIGHT | click H V
// TEXT runs to the end of its action and is UTF-8 (converted to MacRoman).
// On success the actions are queued in order and true returned; otherwise
// nothing is queued and `problem` receives one line naming the action.
bool QueueScriptText(std::string_view text, std::string* problem);

}  // namespace toolbox
